#pragma once
// Hands a call from the worker to the user-interface thread and waits until it has run, the way a
// synchronous window message does; a stop releases the waiting worker at once.
//
// Both sides block: the worker sleeps on a condition variable until its call has run, the
// user-interface side runs the call from its event loop. Nobody spins or polls: a call carries a
// whole batch of bytes, so one round trip serves everything the driver held at that moment.
//
// The state lives in a shared object held by every posted call, so a call that the user-interface
// thread runs after its worker gave up (stopped engine, destroyed engine) finds the abandoned
// flag and does nothing, touching neither the engine nor its owner.
//
// A discard (the port was purged) drops a call handed over but not yet run and every call made
// from what was read before the discard: the caller notes Epoch() when it reads and gives it to Run.

#include "link/serial/SerialOwner.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

namespace veldran {

class CUiHandover {
public:
    CUiHandover() = default;
    explicit CUiHandover(UiPoster poster);

    // Worker side: hands the call over and waits until it has run or was discarded. False when
    // the handover was abandoned before or while waiting; the call then runs not at all.
    // nEpoch: Epoch() at the time the call's data was read; a call from before a discard is
    // dropped without running (true: the worker goes on).
    [[nodiscard]] bool Run(std::function<void()> call, unsigned long long nEpoch);
    // A call that no purge drops (an error box).
    static constexpr unsigned long long kEveryEpoch = ~0ull;

    // Any thread: the current discard count.
    [[nodiscard]] unsigned long long Epoch() const;
    // User-interface side: drops the call handed over but not yet run and releases its worker;
    // calls from data read before now will be dropped too.
    void Discard();
    // Any thread: from now on nothing runs and nobody waits. Cannot be undone.
    void Abandon();
    [[nodiscard]] bool IsAbandoned() const;

private:
    struct SState {
        mutable std::mutex mutex;
        std::condition_variable changed;
        bool bAbandoned = false;
        bool bRunnerActive = false;
        std::function<void()> pending;
        bool bPendingDiscardable = false;
        unsigned long long nEpoch = 0;
        unsigned long long nPosted = 0;
        unsigned long long nFinished = 0; // the last ticket that ran or was dropped
    };

    // User-interface side: runs the pending call, if it is still there.
    static void RunPending(const std::shared_ptr<SState>& pState);

    UiPoster m_poster;
    std::shared_ptr<SState> m_pState = std::make_shared<SState>();
};

} // namespace veldran
