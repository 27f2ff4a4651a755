// The worker side of CSerialEngine: waits for the line, reads one byte at a time and hands each
// byte to the owner on the user-interface thread.

#include "link/serial/SerialEngine.h"

#include "link/serial/ErrorText.h"
#include "link/serial/SerialDevice.h"

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
    for (;;) {
        const short nPortEvents = WaitForLine();
        if (nPortEvents < 0 || !HandleWake(nPortEvents))
            break;
    }
    m_nRunning.store(0);
}

// Waits without time limit for the shutdown event or the port. -1: end the worker; else the
// port's poll events. The shutdown event wins when both are ready, so pending bytes stay unread.
short CSerialEngine::WaitForLine()
{
    // Only a port that reports bytes is watched for input: without the byte event nothing would
    // read them and the wait would return at once forever. Hang-ups are reported regardless.
    // Modem-line changes are not watched (the line ignores its modem lines); the status messages
    // go with the wakes that bring bytes.
    const short nPortWatch = (m_nPortMask & EV_RXCHAR) ? POLLIN : 0;
    pollfd waits[2] = {{m_shutdown.Fd(), POLLIN, 0}, {m_fdPort, nPortWatch, 0}};
    for (;;) {
        if (poll(waits, 2, -1) >= 0)
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

// One wake: the status messages of the mask, then every byte the driver holds, one message each.
// Each handover says whether another follows at once, so the user-interface side can stay for it.
// The first byte is taken before anything is sent, so a wake that finds only a hang-up sends no
// status message and a spurious wake sends nothing.
bool CSerialEngine::HandleWake(short nPortEvents)
{
    unsigned char byte = 0;
    int nError = 0;
    EReadResult result = EReadResult::Empty;
    if (m_nPortMask & EV_RXCHAR)
        result = ReadOneByte(byte, nError);
    if (result == EReadResult::Empty) {
        if ((nPortEvents & kLineDown) == 0)
            return true;
        result = EReadResult::LineLost;
    }
    if (result == EReadResult::LineLost) {
        ReportLineLost(nError);
        return false;
    }
    if (!SendStatusMessages())
        return false;
    // Every byte is announced as followed by another: asking the driver first would cost a system
    // call per byte. When the next read finds the queue empty, the user-interface side is told.
    for (;;) {
        if (!Deliver(WM_SERIAL_RXCHAR, byte, true))
            return false;
        result = ReadOneByte(byte, nError);
        if (result == EReadResult::Empty) {
            m_handover.NothingFollows();
            return true;
        }
        if (result == EReadResult::LineLost) {
            ReportLineLost(nError);
            return false;
        }
    }
}

bool CSerialEngine::SendStatusMessages()
{
    for (const SStatusMessage& status : kStatusMessages)
        if ((m_nPortMask & status.nEvent) && !Deliver(status.nMessage, 0, true))
            return false;
    return true;
}

// Reads exactly one byte. A line that is gone (end of file, EIO/ENXIO/ENODEV after an unplug or
// a closed far end) and any other error that a retry would only repeat count as lost: reporting
// them once and ending is better than a worker that spins or floods the user with boxes.
CSerialEngine::EReadResult CSerialEngine::ReadOneByte(unsigned char& byte, int& nError)
{
    std::lock_guard<std::mutex> lock(m_lock);
    for (;;) {
        const ssize_t nRead = read(m_fdPort, &byte, 1);
        if (nRead == 1)
            return EReadResult::Byte;
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

bool CSerialEngine::Deliver(unsigned nMessage, unsigned wParam, bool bMoreFollows)
{
    if (m_handover.IsAbandoned())
        return false;
    if (!m_pOwner)
        return true;
    SerialOwner* pOwner = m_pOwner;
    const int nPort = m_nPort;
    return m_handover.Run([pOwner, nMessage, wParam, nPort]() { pOwner->OnSerialMessage(nMessage, wParam, nPort); },
                          bMoreFollows);
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
    ReportError("ReadFile()", text, true);
}

} // namespace veldran
