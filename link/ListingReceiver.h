#pragma once
// One STATE listing as it arrives, for the window and for veldran-capture alike. Plain C++, no Qt.
// Bytes go in, in batches of any size; out come the kept tokens (the byte rules of
// CListingTokenizer, the lines kept in step by CListingLines), the lines counted, what was
// damaged, whether the bytes are a listing at all, and when the line has been quiet long enough
// for the listing to be over.

#include "link/ListingLines.h"
#include "link/ListingTokenizer.h"

#include <chrono>
#include <cstdint>
#include <optional>
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
        int nLines = 0;               // line numbers among the tokens passed on
        std::string strLastLine;      // the last of them, empty when none came
        bool bNotListing = false;     // the first kept token was not STATE: nothing more is taken
    };

    // What the end of a listing changes in the tokens passed on while it arrived: the first nKeep
    // stay, the rest are replaced by tail, and the listing has nLines lines.
    struct SRepair {
        std::size_t nKeep = 0;
        TokenList tail;
        int nLines = 0;
    };

    // nMaxLines: the lines kept at most (the largest capture); further lines are dropped.
    explicit CListingReceiver(int nMaxLines = kMaxCaptureSamples);

    // Ready for a new listing: no token begun, no line counted, the STATE check pending.
    void Begin();

    // One batch received at now. Each kept token goes to onToken(std::string_view) in order, as
    // received, and each line number counts a line; the end of the listing (Finish) says what to
    // change, if any line came damaged. Past the largest capture nothing more is passed on.
    template <class OnToken>
    SBatch Feed(const unsigned char* data, std::size_t size, Clock::time_point now, OnToken&& onToken)
    {
        SBatch batch;
        m_nBytes += size;
        if (size > 0)
            m_quiet.Noted(now);
        const auto keep = [this](std::string_view token) { KeepLineToken(token); };
        while (size > 0 && !m_tokenizer.Rejected()) {
            CListingTokenizer::EEvent event = CListingTokenizer::EEvent::None;
            const std::size_t taken = m_tokenizer.Feed(data, size, event);
            data += taken;
            size -= taken;
            if (event == CListingTokenizer::EEvent::NotListing)
                batch.bNotListing = true;
            if (event == CListingTokenizer::EEvent::LineEnd)
                m_lines.LineEnd(m_tokenizer.LineLength(), keep);
            if (event != CListingTokenizer::EEvent::Token)
                continue;
            ++batch.nKeptTokens;
            m_lines.Token(m_tokenizer.Token(), m_tokenizer.TokenColumn(), keep);
            if (m_tokenizer.TokenEndsLine())
                m_lines.LineEnd(m_tokenizer.LineLength(), keep);
            if (m_lines.Dropping() || m_nPassedTokens >= m_nMaxPassedTokens)
                continue;
            ++m_nPassedTokens;
            onToken(m_tokenizer.Token());
            if (m_tokenizer.IsLineNumber()) {
                ++batch.nLines;
                batch.strLastLine.assign(m_tokenizer.Token());
            }
        }
        m_nLines += batch.nLines;
        return batch;
    }

    // The listing is over. Nothing when every line came whole; else how the tokens passed on
    // become one sample per line.
    [[nodiscard]] std::optional<SRepair> Finish();

    // Line numbers among the tokens passed on: the count the window shows while a listing arrives.
    [[nodiscard]] int Lines() const { return m_nLines; }
    // Lines of the listing begun, one per line whatever came damaged (at most the limit).
    [[nodiscard]] int ListingLines() const { return m_lines.Lines(); }
    // Lines received damaged, and lines past the largest capture.
    [[nodiscard]] const SListingDamage& Damage() const { return m_lines.Damage(); }
    [[nodiscard]] uint64_t Bytes() const { return m_nBytes; }
    [[nodiscard]] bool StateSeen() const { return m_tokenizer.StateSeen(); }
    [[nodiscard]] bool Rejected() const { return m_tokenizer.Rejected(); }
    // Characters of a token begun but not yet ended.
    [[nodiscard]] std::size_t PendingLength() const { return m_tokenizer.PendingLength(); }

    [[nodiscard]] CQuietClock& Quiet() { return m_quiet; }
    [[nodiscard]] const CQuietClock& Quiet() const { return m_quiet; }

private:
    void KeepLineToken(std::string_view token);

    CListingTokenizer m_tokenizer;
    CListingLines m_lines;
    // The tokens of the lines from the first damaged one on, one sample per line.
    TokenList m_repair;
    std::size_t m_nPassedTokens = 0;
    std::size_t m_nMaxPassedTokens;
    int m_nLines = 0;
    CQuietClock m_quiet;
    uint64_t m_nBytes = 0;
};

} // namespace veldran
