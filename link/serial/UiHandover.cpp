#include "link/serial/UiHandover.h"

#include <utility>

namespace veldran {

CUiHandover::CUiHandover(UiPoster poster) : m_poster(std::move(poster)) {}

bool CUiHandover::Run(std::function<void()> call, unsigned long long nEpoch)
{
    SState& state = *m_pState;
    unsigned long long nTicket = 0;
    {
        std::lock_guard<std::mutex> lock(state.mutex);
        if (state.bAbandoned || !m_poster)
            return false;
        if (nEpoch != kEveryEpoch && nEpoch != state.nEpoch)
            return true; // read before a purge: dropped
        nTicket = ++state.nPosted;
        state.pending = std::move(call);
        state.bPendingDiscardable = nEpoch != kEveryEpoch;
    }
    m_poster([pState = m_pState]() { RunPending(pState); });
    std::unique_lock<std::mutex> lock(state.mutex);
    state.changed.wait(lock, [&] { return state.bAbandoned || state.nFinished >= nTicket; });
    return !state.bAbandoned;
}

void CUiHandover::RunPending(const std::shared_ptr<SState>& pState)
{
    SState& state = *pState;
    std::function<void()> call;
    {
        std::lock_guard<std::mutex> lock(state.mutex);
        // A nested event loop inside a call may run a stale post; the outer call is still running.
        if (state.bRunnerActive || state.bAbandoned || !state.pending)
            return;
        call = std::move(state.pending);
        state.pending = nullptr;
        state.bRunnerActive = true;
    }
    call();
    {
        std::lock_guard<std::mutex> lock(state.mutex);
        state.bRunnerActive = false;
        state.nFinished = state.nPosted;
    }
    state.changed.notify_all();
}

unsigned long long CUiHandover::Epoch() const
{
    std::lock_guard<std::mutex> lock(m_pState->mutex);
    return m_pState->nEpoch;
}

void CUiHandover::Discard()
{
    {
        std::lock_guard<std::mutex> lock(m_pState->mutex);
        ++m_pState->nEpoch;
        if (!m_pState->pending || !m_pState->bPendingDiscardable)
            return;
        m_pState->pending = nullptr;
        m_pState->nFinished = m_pState->nPosted;
    }
    m_pState->changed.notify_all();
}

void CUiHandover::Abandon()
{
    {
        std::lock_guard<std::mutex> lock(m_pState->mutex);
        m_pState->bAbandoned = true;
        m_pState->pending = nullptr;
    }
    m_pState->changed.notify_all();
}

bool CUiHandover::IsAbandoned() const
{
    std::lock_guard<std::mutex> lock(m_pState->mutex);
    return m_pState->bAbandoned;
}

} // namespace veldran
