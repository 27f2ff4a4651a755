#include "link/serial/UiHandover.h"

#include <chrono>
#include <thread>
#include <utility>

namespace veldran {

namespace {

using Clock = std::chrono::steady_clock;

// How long the user-interface side stays for a call announced to follow, and how long it runs
// calls in one turn before it lets its event loop run again.
constexpr auto kFollowWait = std::chrono::milliseconds(2);
constexpr auto kTurnLength = std::chrono::milliseconds(8);
// How long a waiting side keeps looking before it sleeps: an owner handles a byte in a few
// microseconds, far less than a sleep and a wake-up cost.
constexpr auto kSpin = std::chrono::microseconds(50);

// Waits a moment without giving up the processor: on a virtual machine a yield or a sleep is a
// system call that costs more than the whole handling of a byte.
inline void CpuRelax()
{
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#elif defined(__aarch64__)
    asm volatile("yield" ::: "memory");
#endif
}

// Spins until done() or the spin time is over; true when done() became true.
template <typename Done>
bool SpinUntil(Done done)
{
    const auto end = Clock::now() + kSpin;
    for (unsigned n = 1;; ++n) {
        if (done())
            return true;
        CpuRelax();
        if (n % 64 == 0 && Clock::now() >= end)
            return false;
    }
}

} // namespace

CUiHandover::CUiHandover(UiPoster poster) : m_poster(std::move(poster)) {}

bool CUiHandover::Run(std::function<void()> call, bool bMoreFollows)
{
    unsigned long long nTicket = 0;
    bool bPost = false;
    {
        std::lock_guard<std::mutex> lock(m_pState->mutex);
        if (m_pState->bAbandoned || !m_poster)
            return false;
        nTicket = ++m_pState->nPosted;
        m_pState->pending = std::move(call);
        m_pState->nPostedSeen.store(nTicket, std::memory_order_release);
        m_pState->bMoreFollows = bMoreFollows;
        m_pState->bQuiet.store(false, std::memory_order_release);
        bPost = !m_pState->bRunnerActive;
    }
    if (bPost)
        m_poster([pState = m_pState]() { RunPending(pState); });
    else
        m_pState->changed.notify_all();
    return WaitFinished(nTicket);
}

bool CUiHandover::WaitFinished(unsigned long long nTicket)
{
    SState& state = *m_pState;
    SpinUntil([&] {
        return state.bAbandonedSeen.load(std::memory_order_acquire)
            || state.nFinishedSeen.load(std::memory_order_acquire) >= nTicket;
    });
    std::unique_lock<std::mutex> lock(state.mutex);
    const auto finished = [&] { return state.bAbandoned || state.nFinished >= nTicket; };
    state.changed.wait(lock, finished);
    return !state.bAbandoned;
}

void CUiHandover::RunPending(const std::shared_ptr<SState>& pState)
{
    SState& state = *pState;
    std::unique_lock<std::mutex> lock(state.mutex);
    // A nested event loop inside a call may run a stale post; the outer turn owns the calls.
    if (state.bRunnerActive)
        return;
    state.bRunnerActive = true;
    const auto turnEnd = Clock::now() + kTurnLength;
    while (!state.bAbandoned && state.pending) {
        std::function<void()> call = std::move(state.pending);
        state.pending = nullptr;
        const bool bMoreFollows = state.bMoreFollows;
        lock.unlock();
        call();
        lock.lock();
        ++state.nFinished;
        state.nFinishedSeen.store(state.nFinished, std::memory_order_release);
        state.changed.notify_all();
        if (!bMoreFollows || Clock::now() >= turnEnd)
            break;
        const unsigned long long nextTicket = state.nFinished + 1;
        lock.unlock();
        SpinUntil([&] {
            return state.bAbandonedSeen.load(std::memory_order_acquire)
                || state.nPostedSeen.load(std::memory_order_acquire) >= nextTicket
                || state.bQuiet.load(std::memory_order_acquire);
        });
        lock.lock();
        const auto ready = [&] {
            return state.bAbandoned || state.pending != nullptr || state.bQuiet.load(std::memory_order_acquire);
        };
        state.changed.wait_for(lock, kFollowWait, ready);
    }
    state.bRunnerActive = false;
}

void CUiHandover::NothingFollows()
{
    {
        std::lock_guard<std::mutex> lock(m_pState->mutex);
        m_pState->bQuiet.store(true, std::memory_order_release);
    }
    m_pState->changed.notify_all();
}

void CUiHandover::Abandon()
{
    {
        std::lock_guard<std::mutex> lock(m_pState->mutex);
        m_pState->bAbandoned = true;
        m_pState->bAbandonedSeen.store(true, std::memory_order_release);
    }
    m_pState->changed.notify_all();
}

bool CUiHandover::IsAbandoned() const
{
    std::lock_guard<std::mutex> lock(m_pState->mutex);
    return m_pState->bAbandoned;
}

} // namespace veldran
