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

void CListingReceiver::Begin()
{
    m_tokenizer.Reset();
    m_nLines = 0;
    m_nBytes = 0;
}

} // namespace veldran
