// The worker side of CSerialEngine: waits for the line, reads what the driver holds and hands
// each batch to the owner on the user-interface thread.

#include "link/serial/SerialEngine.h"

#include "link/serial/ErrorText.h"
#include "link/serial/SerialDevice.h"

#include <array>
#include <cerrno>

#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace veldran {

namespace {

constexpr short kLineDown = POLLHUP | POLLERR | POLLNVAL;

// The status messages of a wake, in the order the owner expects them.
struct SStatusMessage {
    uint32_t nEvent;
    unsigned nMessage;
};
constexpr SStatusMessage kStatusMessages[] = {
    {EV_CTS, WM_SERIAL_CTS}, {EV_RXFLAG, WM_SERIAL_RXFLAG}, {EV_BREAK, WM_SERIAL_BREAK},
    {EV_ERR, WM_SERIAL_ERR}, {EV_RING, WM_SERIAL_RING},
};

} // namespace

void CSerialEngine::WorkerMain(CSerialEngine* pEngine)
{
    pEngine->RunWorker();
}

void CSerialEngine::RunWorker()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        PurgePort(m_fdPort);
    }
    // Set after the purge: whoever sees the worker running knows that bytes arriving from now on
    // are delivered.
    m_nRunning.store(1);
    // An idle line is waited on without limit. Bytes that trickle in are gathered by the driver
    // for kGatherMs and taken together; a period that brought nothing returns to the untimed
    // wait, so an idle port costs nothing. A fast line is read whenever it has bytes.
    std::size_t nLastWake = 0;
    for (;;) {
        const short nPortEvents = WaitForLine(nLastWake > 0 && nLastWake < kFastBytes);
        if (nPortEvents < 0 || !HandleWake(nPortEvents, nLastWake))
            break;
    }
    m_nRunning.store(0);
}

// Waits for the shutdown event or the port. -1: end the worker; else the port's poll events (0
// when a gathering wait ran out). The shutdown event wins when both are ready, so pending bytes
// stay unread.
short CSerialEngine::WaitForLine(bool bGather)
{
    // Only a port that reports bytes is watched for input: without the byte event nothing would
    // read them and the wait would return at once forever. Hang-ups are reported regardless.
    // Modem-line changes are not watched (the line ignores its modem lines); the status messages
    // go with the wakes that bring bytes. A gathering wait does not watch for input either: the
    // driver would wake the worker for every few bytes it takes in.
    const short nPortWatch = (m_nPortMask & EV_RXCHAR) && !bGather ? POLLIN : 0;
    const int nTimeoutMs = bGather ? kGatherMs : -1;
    pollfd waits[2] = {{m_shutdown.Fd(), POLLIN, 0}, {m_fdPort, nPortWatch, 0}};
    for (;;) {
        if (poll(waits, 2, nTimeoutMs) >= 0)
            break;
        if (errno != EINTR) {
            ReportError("WaitCommEvent()", SystemErrorText(errno), true);
            return -1;
        }
    }
    if (waits[0].revents != 0 || m_handover.IsAbandoned())
        return -1;
    return waits[1].revents;
}

// One wake: everything the driver holds, read in batches; the first batch goes with the status
// messages of the mask. The first read comes before anything is sent, so a wake that finds only a
// hang-up sends no status message and a spurious wake sends nothing. After each batch was handled
// the driver is asked again, so the wake ends only when the line has nothing more.
bool CSerialEngine::HandleWake(short nPortEvents, std::size_t& nDelivered)
{
    nDelivered = 0;
    std::vector<unsigned char> bytes;
    unsigned long long nEpoch = 0;
    int nError = 0;
    EReadResult result = EReadResult::Empty;
    if (m_nPortMask & EV_RXCHAR)
        result = ReadBatch(bytes, nEpoch, nError);
    if (result == EReadResult::Empty) {
        if ((nPortEvents & kLineDown) == 0)
            return true;
        result = EReadResult::LineLost;
    }
    for (bool bWithStatus = true;; bWithStatus = false) {
        if (result == EReadResult::LineLost) {
            ReportLineLost(nError);
            return false;
        }
        if (result == EReadResult::Empty)
            return true;
        nDelivered += bytes.size();
        if (!Deliver(bWithStatus, std::move(bytes), nEpoch))
            return false;
        bytes = {};
        result = ReadBatch(bytes, nEpoch, nError);
    }
}

// Reads what the driver holds, up to kReadSize bytes, and the handover's purge count at that
// moment. A line that is gone (end of file, EIO/ENXIO/ENODEV after an unplug or a closed far end)
// and any other error that a retry would only repeat count as lost: reporting them once and
// ending is better than a worker that spins or floods the user with boxes.
CSerialEngine::EReadResult CSerialEngine::ReadBatch(std::vector<unsigned char>& bytes, unsigned long long& nEpoch,
                                                    int& nError)
{
    std::array<unsigned char, kReadSize> buffer;
    std::lock_guard<std::mutex> lock(m_lock);
    nEpoch = m_handover.Epoch();
    for (;;) {
        const ssize_t nRead = read(m_fdPort, buffer.data(), buffer.size());
        if (nRead > 0) {
            bytes.assign(buffer.data(), buffer.data() + nRead);
            return EReadResult::Bytes;
        }
        if (nRead == 0) {
            nError = 0;
            return EReadResult::LineLost;
        }
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return EReadResult::Empty;
        nError = errno;
        return EReadResult::LineLost;
    }
}

bool CSerialEngine::Deliver(bool bWithStatus, std::vector<unsigned char> bytes, unsigned long long nEpoch)
{
    if (m_handover.IsAbandoned())
        return false;
    if (!m_pOwner)
        return true;
    SerialOwner* pOwner = m_pOwner;
    const int nPort = m_nPort;
    const uint32_t nStatusMask = bWithStatus ? m_nPortMask : 0;
    auto call = [pOwner, nPort, nStatusMask, pStopped = m_pStopped, bytes = std::move(bytes)]() {
        for (const SStatusMessage& status : kStatusMessages) {
            if (pStopped->load())
                return;
            if (nStatusMask & status.nEvent)
                pOwner->OnSerialMessage(status.nMessage, 0, nPort);
        }
        if (!pStopped->load())
            pOwner->OnSerialBytes(bytes.data(), bytes.size(), nPort, *pStopped);
    };
    return m_handover.Run(std::move(call), nEpoch);
}

// On Linux the slave side of a pseudo-terminal reports a hang-up while no master is open (the
// simulator ended), just as a USB adapter does when it is pulled out.
void CSerialEngine::ReportLineLost(int nError)
{
    std::string text;
    if (nError != 0)
        text = SystemErrorText(nError) + "\n";
    text += "The serial line was disconnected (device unplugged or the far end closed). "
            "Reception on this port has stopped until the port is opened again.";
    if (!m_pOwner)
        return;
    // The owner learns that the line is gone before the box, so the box already finds it closed.
    SerialOwner* pOwner = m_pOwner;
    const std::string box = ComposeErrorText("ReadFile()", text, m_nPort);
    (void)m_handover.Run(
        [pOwner, box]() {
            pOwner->OnLineLost();
            pOwner->OnSerialError(box);
        },
        CUiHandover::kEveryEpoch);
}

} // namespace veldran
