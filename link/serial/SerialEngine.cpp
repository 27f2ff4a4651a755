#include "link/serial/SerialEngine.h"

#include "link/serial/ErrorText.h"
#include "link/serial/LineDefinition.h"
#include "link/serial/SerialDevice.h"

#include <cerrno>
#include <system_error>

#include <pthread.h>

namespace veldran {

CSerialEngine::~CSerialEngine()
{
    Stop();
    ClosePort();
}

int CSerialEngine::Open(SerialOwner* pOwner, int nPort, int nBaud, char cParity, int nDataBits, int nStopBits,
                        uint32_t nEvents)
{
    Stop();
    m_pOwner = pOwner;
    m_nPort = nPort;
    m_nEvents = nEvents;
    m_nOpenError = 0;

    SConfigFailure failure;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        ClosePort();
        m_strDevice = DevicePathForPort(nPort);
        if (m_strDevice.empty()) {
            m_nOpenError = ENODEV;
            return 0;
        }
        m_fdPort = OpenPortDevice(m_strDevice);
        if (m_fdPort < 0) {
            m_nOpenError = errno;
            return 0;
        }
        failure = ConfigurePort(m_fdPort, FormatLineDefinition(nBaud, cParity, nDataBits, nStopBits), nEvents,
                                m_nPortMask);
        PurgePort(m_fdPort);
    }
    // Shown after the lock is released: the box runs a nested event loop.
    if (failure.pszCall)
        ReportError(failure.pszCall, SystemErrorText(failure.nError), false);
    return 1;
}

int CSerialEngine::StartWorker()
{
    Stop();
    if (!m_poster || !m_shutdown.Create())
        return 0;
    m_shutdown.Reset();
    m_handover = CUiHandover(m_poster);
    m_pStopped = std::make_shared<std::atomic<bool>>(false);
    try {
        m_worker = std::thread(&CSerialEngine::WorkerMain, this);
    } catch (const std::system_error&) {
        return 0;
    }
    // Seen by name in top, perf and a debugger (at most 15 characters).
    (void)pthread_setname_np(m_worker.native_handle(), kWorkerThreadName);
    return 1;
}

void CSerialEngine::Purge()
{
    // Under the read lock: a batch read before the purge is dropped, one read after it is kept.
    std::lock_guard<std::mutex> lock(m_lock);
    PurgePort(m_fdPort);
    m_handover.Discard();
}

void CSerialEngine::Stop()
{
    if (!m_worker.joinable())
        return;
    // Release a worker that waits for the user-interface thread first: when this thread is the
    // user-interface thread it cannot run the posted call while it waits here.
    m_pStopped->store(true);
    m_handover.Abandon();
    m_shutdown.Signal();
    m_worker.join();
}

void CSerialEngine::ClosePort()
{
    ClosePortDevice(m_fdPort);
    m_fdPort = -1;
    m_nPortMask = 0;
}

void CSerialEngine::ReportError(const std::string& callName, const std::string& systemText, bool bOnWorker)
{
    if (!m_pOwner)
        return;
    const std::string text = ComposeErrorText(callName, systemText, m_nPort);
    if (!bOnWorker) {
        m_pOwner->OnSerialError(text);
        return;
    }
    // The worker waits until the box is closed, as it would for a byte; a stop releases it.
    SerialOwner* pOwner = m_pOwner;
    (void)m_handover.Run([pOwner, text]() { pOwner->OnSerialError(text); }, CUiHandover::kEveryEpoch);
}

} // namespace veldran
