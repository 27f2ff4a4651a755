#pragma once
// The one connection to the instrument: opens a serial port, configures it and runs a worker
// thread that hands the received bytes to the owner in order: each read takes what the driver
// holds, and the owner handles that batch before the worker reads again. While bytes trickle
// in, the driver gathers them into larger batches; an idle line is waited on without limit.
//
// Threads: construction, Open, StartWorker, Purge and destruction belong to the user-interface
// thread; the worker only reads the port and waits in the handover. The owner's handlers always
// run on the user-interface thread (through the poster), one at a time and in arrival order, and
// the worker reads the next batch only after the previous one was handled. Both sides block
// while they wait (poll, a condition variable, the event loop); nothing spins.

#include "link/serial/SerialMessages.h"
#include "link/serial/SerialOwner.h"
#include "link/serial/ShutdownEvent.h"
#include "link/serial/UiHandover.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace veldran {

class CSerialEngine {
public:
    CSerialEngine() = default;
    explicit CSerialEngine(UiPoster poster) : m_poster(std::move(poster)) {}
    virtual ~CSerialEngine();
    CSerialEngine(const CSerialEngine&) = delete;
    CSerialEngine& operator=(const CSerialEngine&) = delete;

    // How the worker reaches the user-interface thread; needed before StartWorker.
    void SetPoster(UiPoster poster) { m_poster = std::move(poster); }

    // Stops a running worker, closes the old port and opens COM<nPort> with the given line.
    // 1: the device is open (a failed configuration step was shown with OnSerialError and the
    // port keeps whatever settings it had). 0: no such device, or another program holds it;
    // nothing is shown then.
    [[nodiscard]] int Open(SerialOwner* pOwner, int nPort, int nBaud, char cParity, int nDataBits, int nStopBits,
                           uint32_t nEvents);

    // Starts the worker (stopping one that still runs). 1 when it was started.
    int StartWorker();

    // Discards what the driver holds in both directions, and what the worker has read but not yet
    // handed over; nothing without a port.
    void Purge();

    // Ends the worker and waits for it. Never waits on the owner: a worker blocked in a handover
    // is released, and the call it posted does nothing when it runs later.
    void Stop();

    [[nodiscard]] bool IsOpen() const { return m_fdPort >= 0; }
    // 1 from the worker's start (port purged, about to wait) until it ends.
    [[nodiscard]] bool IsRunning() const { return m_nRunning.load() != 0; }
    [[nodiscard]] int GetPortNumber() const { return m_nPort; }
    // After an Open that returned 0: the device it tried ("" for no port) and why it failed (errno).
    [[nodiscard]] const std::string& GetDevicePath() const { return m_strDevice; }
    [[nodiscard]] int GetOpenError() const { return m_nOpenError; }

    // The worker thread's name.
    static constexpr const char* kWorkerThreadName = "veldran-serial";

private:
    enum class EReadResult { Bytes, Empty, LineLost };
    // Most bytes one read takes (a pseudo-terminal holds about 4 KiB).
    static constexpr std::size_t kReadSize = 4096;
    // A listing at the line rate arrives a few bytes at a time, and a wake and a handover for
    // each few would cost far more than the bytes do. While bytes trickle in, the worker lets
    // the driver gather them for this long and takes them in one batch. A wake that brings at
    // least kFastBytes means a fast line, which is read as soon as it has bytes again.
    static constexpr int kGatherMs = 100;
    static constexpr std::size_t kFastBytes = 1024;

    static void WorkerMain(CSerialEngine* pEngine);
    void RunWorker();
    // bGather: wait kGatherMs for the driver to gather bytes (a hang-up still ends the wait);
    // else wait without limit for the first byte. 0 events: the time ran out.
    [[nodiscard]] short WaitForLine(bool bGather);
    // nDelivered: how many bytes were handed over.
    [[nodiscard]] bool HandleWake(short nPortEvents, std::size_t& nDelivered);
    [[nodiscard]] EReadResult ReadBatch(std::vector<unsigned char>& bytes, unsigned long long& nEpoch, int& nError);
    // One handover: the wake's status messages (first batch of a wake only), then the bytes.
    [[nodiscard]] bool Deliver(bool bWithStatus, std::vector<unsigned char> bytes, unsigned long long nEpoch);
    // Shown directly on the user-interface thread, or through the handover from the worker.
    void ReportError(const std::string& callName, const std::string& systemText, bool bOnWorker);
    void ReportLineLost(int nError);
    void ClosePort();

    std::thread m_worker;
    std::mutex m_lock;
    std::atomic<int> m_nRunning{0};
    CShutdownEvent m_shutdown;
    int m_fdPort = -1;
    UiPoster m_poster;
    CUiHandover m_handover;
    // Set when the worker of the current start is stopped; the call that hands over its bytes
    // stops handing them to the owner then.
    std::shared_ptr<std::atomic<bool>> m_pStopped = std::make_shared<std::atomic<bool>>(false);
    SerialOwner* m_pOwner = nullptr;
    int m_nPort = 0;
    std::string m_strDevice;
    int m_nOpenError = 0;
    uint32_t m_nEvents = 0;
    uint32_t m_nPortMask = 0;
};

} // namespace veldran
