#pragma once
// Hands a call from the worker to the user-interface thread and waits until it has run, the way a
// synchronous window message does; a stop releases the waiting worker at once.
//
// The state lives in a shared object held by every posted call, so a call that the user-interface
// thread runs after its worker gave up (stopped engine, destroyed engine) finds the abandoned
// flag and does nothing, touching neither the engine nor its owner.
//
// Speed: a listing arrives as thousands of bytes in a row, and a round trip through the event
// loop per byte is slow. When the worker says that another call follows at once (more bytes are
// queued), the user-interface side stays a moment for it and runs it in the same turn, still
// one call at a time and only after the worker handed it over; it returns to its event loop after
// a few milliseconds at most, so painting and timers keep running.

#include "link/serial/SerialOwner.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

namespace veldran {

class CUiHandover {
public:
    CUiHandover() = default;
    explicit CUiHandover(UiPoster poster);

    // Worker side: hands the call over and waits until it has run. False when the handover was
    // abandoned before or while waiting; the call then runs not at all or without anyone waiting.
    // bMoreFollows: the worker will hand over another call right after this one.
    [[nodiscard]] bool Run(std::function<void()> call, bool bMoreFollows = false);

    // Worker side: the call announced to follow will not come (the line went quiet), so the
    // user-interface side need not stay for it.
    void NothingFollows();
    // Any thread: from now on nothing runs and nobody waits. Cannot be undone.
    void Abandon();
    [[nodiscard]] bool IsAbandoned() const;

private:
    struct SState {
        std::mutex mutex;
        std::condition_variable changed;
        bool bAbandoned = false;
        bool bRunnerActive = false;
        bool bMoreFollows = false;
        std::function<void()> pending;
        unsigned long long nPosted = 0;
        unsigned long long nFinished = 0;
        // Copies of what the mutex guards, for the short spins of both sides: looking at them
        // takes no lock and no system call.
        std::atomic<unsigned long long> nPostedSeen{0};
        std::atomic<unsigned long long> nFinishedSeen{0};
        std::atomic<bool> bAbandonedSeen{false};
        // Set when the worker found no further byte after announcing one; cleared by the next call.
        std::atomic<bool> bQuiet{false};
    };

    // User-interface side: runs the pending call and those that follow it at once.
    static void RunPending(const std::shared_ptr<SState>& pState);
    [[nodiscard]] bool WaitFinished(unsigned long long nTicket);

    UiPoster m_poster;
    std::shared_ptr<SState> m_pState = std::make_shared<SState>();
};

} // namespace veldran
