#include "link/ListingReceiver.h"

namespace veldran {

std::chrono::milliseconds CQuietClock::Remaining(Clock::time_point now) const
{
    const Clock::time_point deadline = Deadline();
    if (deadline <= now)
        return std::chrono::milliseconds(0);
    // Rounded up, so that a wake-up at the end of the wait is never early.
    return std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
}

CListingReceiver::CListingReceiver(int nMaxLines)
    : m_lines(nMaxLines)
    , m_nMaxPassedTokens(kListingHeaderTokens + static_cast<std::size_t>(nMaxLines + 1) * kTokensPerSample)
{
}

void CListingReceiver::Begin()
{
    m_tokenizer.Reset();
    m_lines.Begin();
    m_repair.clear();
    m_nPassedTokens = 0;
    m_nLines = 0;
    m_nBytes = 0;
}

void CListingReceiver::KeepLineToken(std::string_view token)
{
    if (!m_lines.InStep())
        m_repair.push_back(token);
}

std::optional<CListingReceiver::SRepair> CListingReceiver::Finish()
{
    m_lines.Finish([this](std::string_view token) { KeepLineToken(token); });
    if (m_lines.InStep() && m_lines.TokensInStep() == m_nPassedTokens)
        return std::nullopt;
    SRepair repair{m_lines.TokensInStep(), std::move(m_repair), m_lines.Lines()};
    m_repair = TokenList();
    return repair;
}

} // namespace veldran
