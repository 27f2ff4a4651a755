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
        m_pState->bMoreFollows = bMoreFollows;
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
    const auto spinEnd = Clock::now() + kSpin;
    std::unique_lock<std::mutex> lock(state.mutex);
    const auto finished = [&] { return state.bAbandoned || state.nFinished >= nTicket; };
    while (!finished() && Clock::now() < spinEnd) {
        lock.unlock();
        std::this_thread::yield();
        lock.lock();
    }
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
        state.changed.notify_all();
        if (!bMoreFollows || Clock::now() >= turnEnd)
            break;
        const auto ready = [&] { return state.bAbandoned || state.pending != nullptr; };
        const auto spinEnd = Clock::now() + kSpin;
        while (!ready() && Clock::now() < spinEnd) {
            lock.unlock();
            std::this_thread::yield();
            lock.lock();
        }
        state.changed.wait_for(lock, kFollowWait, ready);
    }
    state.bRunnerActive = false;
}

void CUiHandover::Abandon()
{
    {
        std::lock_guard<std::mutex> lock(m_pState->mutex);
        m_pState->bAbandoned = true;
    }
    m_pState->changed.notify_all();
}

bool CUiHandover::IsAbandoned() const
{
    std::lock_guard<std::mutex> lock(m_pState->mutex);
    return m_pState->bAbandoned;
}

} // namespace veldran
