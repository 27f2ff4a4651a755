#pragma once
// One STATE listing as it arrives, for the window and for veldran-capture alike. Plain C++, no Qt.
// Bytes go in, in batches of any size; out come the kept tokens (the byte rules of
// CListingTokenizer), the lines counted, whether the bytes are a listing at all, and when the line
// has been quiet long enough for the listing to be over.

#include "link/ListingTokenizer.h"

#include <chrono>
#include <cstdint>
#include <string>

namespace veldran {

// The end of a listing: the time of its last byte plus the quiet time.
class CQuietClock {
public:
    using Clock = std::chrono::steady_clock;
    // The instrument sends no end mark: 800 ms without a byte ends a listing.
    static constexpr std::chrono::milliseconds kQuietTime{800};

    void SetQuietTime(std::chrono::milliseconds quiet) { m_quiet = quiet; }
    [[nodiscard]] std::chrono::milliseconds QuietTime() const { return m_quiet; }
    // A byte arrived at now.
    void Noted(Clock::time_point now) { m_lastByte = now; }
    [[nodiscard]] Clock::time_point Deadline() const { return m_lastByte + m_quiet; }
    // How long the line must stay quiet from now on; zero once the listing is over.
    [[nodiscard]] std::chrono::milliseconds Remaining(Clock::time_point now) const;

private:
    std::chrono::milliseconds m_quiet = kQuietTime;
    Clock::time_point m_lastByte{};
};

class CListingReceiver {
public:
    using Clock = CQuietClock::Clock;

    // What one batch brought.
    struct SBatch {
        int nKeptTokens = 0;
        int nLines = 0;               // line numbers among the kept tokens
        std::string strLastLine;      // the last of them, empty when none came
        bool bNotListing = false;     // the first kept token was not STATE: nothing more is taken
    };

    // Ready for a new listing: no token begun, no line counted, the STATE check pending.
    void Begin();

    // One batch received at now. Each kept token goes to onToken(std::string_view) in order.
    template <class OnToken>
    SBatch Feed(const unsigned char* data, std::size_t size, Clock::time_point now, OnToken&& onToken)
    {
        SBatch batch;
        m_nBytes += size;
        if (size > 0)
            m_quiet.Noted(now);
        while (size > 0 && !m_tokenizer.Rejected()) {
            CListingTokenizer::EEvent event = CListingTokenizer::EEvent::None;
            const std::size_t taken = m_tokenizer.Feed(data, size, event);
            data += taken;
            size -= taken;
            if (event == CListingTokenizer::EEvent::NotListing)
                batch.bNotListing = true;
            if (event != CListingTokenizer::EEvent::Token)
                continue;
            ++batch.nKeptTokens;
            onToken(m_tokenizer.Token());
            if (m_tokenizer.IsLineNumber()) {
                ++batch.nLines;
                batch.strLastLine.assign(m_tokenizer.Token());
            }
        }
        m_nLines += batch.nLines;
        return batch;
    }

    [[nodiscard]] int Lines() const { return m_nLines; }
    [[nodiscard]] uint64_t Bytes() const { return m_nBytes; }
    [[nodiscard]] bool StateSeen() const { return m_tokenizer.StateSeen(); }
    [[nodiscard]] bool Rejected() const { return m_tokenizer.Rejected(); }
    // Characters of a token begun but not yet ended.
    [[nodiscard]] std::size_t PendingLength() const { return m_tokenizer.PendingLength(); }

    [[nodiscard]] CQuietClock& Quiet() { return m_quiet; }
    [[nodiscard]] const CQuietClock& Quiet() const { return m_quiet; }

private:
    CListingTokenizer m_tokenizer;
    CQuietClock m_quiet;
    int m_nLines = 0;
    uint64_t m_nBytes = 0;
};

} // namespace veldran
