#pragma once
// Keeps a received listing in step, line by line. Plain C++, no Qt.
//
// The tokens of a listing are its 12 header tokens and then, for each line, a line number of four
// characters and three cell words of sixteen. A serial line brings noise: a blank turned into a
// digit joins two words, a lost byte shortens one, a stray byte adds one. Counted by words, one such
// byte would shift every later line. Here the listing is taken by its lines instead:
// - the first 12 kept tokens are the header, passed on as they came;
// - after them, a line ends at a carriage return or a line feed, or where a line number follows a
//   whole line on the same text line (a listing sent without line ends);
// - a whole line (a four-character line number, three sixteen-character words) is passed on as it
//   came, so a clean listing gives exactly the tokens it always gave;
// - any other line still gives exactly one sample, four tokens: its line number (or the one after
//   the line before, when its own is damaged), and for each cell the word that stands in that
//   cell's place when it is sixteen characters long, else a word that reads as invalid data. The
//   place is where the last whole line had the cell's word, counted from the line's start or from
//   its end (so a byte lost or added before a word, or after it, leaves the word found);
// - a last line that stops short without a line end is passed on as it came: the listing was cut
//   off there, which the parse reports;
// - lines past the largest capture are counted and dropped, so memory stays bounded.
//
// Lines are counted when their first token arrives, as the window's counter shows them.

#include "document/CaptureDocument.h"
#include "document/CaptureFile.h"
#include "resources/Message.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace veldran {

// What was not received as sent.
struct SListingDamage {
    int nDamagedLines = 0;  // lines given one sample with invalid cells or a made-up line number
    int nFirstDamaged = -1; // the sample the first of them became
    int nDroppedLines = 0;  // lines past the largest capture, not kept

    [[nodiscard]] bool Any() const { return nDamagedLines > 0 || nDroppedLines > 0; }
};

// What the user is told of the damage, if there was any: the damaged lines with the first of them,
// then the lines dropped.
[[nodiscard]] std::optional<Message> ListingDamageNote(const SListingDamage& damage);

class CListingLines {
public:
    // The word a damaged cell is given: sixteen characters that are neither 0 nor 1.
    static constexpr std::string_view kInvalidWord = "????????????????";
    static constexpr std::size_t kCellWordLength = 16;

    explicit CListingLines(int nMaxLines = kMaxCaptureSamples) : m_nMaxLines(nMaxLines) {}

    // A new listing: no header, no line.
    void Begin();

    // A kept token that began at column (bytes since the line end). out(std::string_view) gets the
    // tokens the listing keeps, in order.
    template <class Out>
    void Token(std::string_view token, std::size_t column, Out&& out)
    {
        if (m_nHeaderTokens < kListingHeaderTokens) {
            ++m_nHeaderTokens;
            Give(token, out);
            return;
        }
        if (m_bShortLineWaits || (m_nHeld > 0 && token.size() == kLineNumberLength && IsWhole()))
            CloseLine(out);
        if (m_nHeld == 0)
            BeginLine(token);
        if (m_nHeld < kHeldTokens) {
            m_held[m_nHeld].assign(token);
            m_column[m_nHeld] = column;
        } else {
            m_bOverflow = true;
        }
        ++m_nHeld;
    }

    // A line end, nLength bytes after the line's start. A line that stops short waits for what follows: the end of the listing passes it
    // on as it came, a further line makes it a damaged line.
    template <class Out>
    void LineEnd(std::size_t nLength, Out&& out)
    {
        if (m_nHeld == 0 || m_bShortLineWaits)
            return; // an empty line
        m_nLineLength = nLength;
        if (m_nHeld < kLineTokens) {
            m_bShortLineWaits = true;
            return;
        }
        CloseLine(out);
    }

    // The listing ended: what is held is passed on.
    template <class Out>
    void Finish(Out&& out)
    {
        if (m_nHeld == 0)
            return;
        if (m_nHeld < kLineTokens) {
            for (std::size_t i = 0; i < m_nHeld && !m_bDropping; ++i)
                Give(m_held[i], out);
            m_nHeld = 0;
            m_bShortLineWaits = false;
            return;
        }
        CloseLine(out);
    }

    // Lines begun and kept (at most the limit).
    [[nodiscard]] int Lines() const { return m_nLines; }
    // True while every token given out is the one received at the same place: no line damaged or
    // dropped so far. TokensInStep() counts the tokens given out until then.
    [[nodiscard]] bool InStep() const { return m_bInStep; }
    [[nodiscard]] std::size_t TokensInStep() const { return m_nTokensInStep; }
    // The line being received is past the limit.
    [[nodiscard]] bool Dropping() const { return m_bDropping; }
    // The line number of the last line begun (as received, or made up for a damaged one).
    [[nodiscard]] const std::string& LastLine() const { return m_strLineNumber; }
    [[nodiscard]] const SListingDamage& Damage() const { return m_damage; }

private:
    static constexpr std::size_t kLineNumberLength = 4;
    static constexpr std::size_t kLineTokens = kTokensPerSample;
    static constexpr std::size_t kCells = kCellCount;
    // Tokens of one line kept for placing its words; a line with more is damaged anyway.
    static constexpr std::size_t kHeldTokens = 8;
    using Layout = std::array<std::size_t, kLineTokens>;

    // Counts a line and takes its line number from its first token (or makes one up); a line past
    // the limit is dropped instead.
    void BeginLine(std::string_view first);
    [[nodiscard]] bool IsWhole() const;
    template <class Out>
    void CloseLine(Out&& out)
    {
        m_bShortLineWaits = false;
        if (m_bDropping) {
            m_nHeld = 0;
            return;
        }
        if (IsWhole()) {
            for (std::size_t i = 0; i < kLineTokens; ++i) {
                Give(m_held[i], out);
                m_layout[i] = m_column[i];
            }
            m_nLayoutLength = m_nLineLength;
        } else {
            NoteDamage();
            Give(m_strLineNumber, out);
            for (std::size_t cell = 0; cell < kCells; ++cell)
                Give(CellWord(cell), out);
        }
        m_nHeld = 0;
        m_bOverflow = false;
    }
    template <class Out>
    void Give(std::string_view token, Out&& out)
    {
        m_nTokensInStep += m_bInStep ? 1 : 0;
        out(token);
    }
    // The word that stands in cell's place on a damaged line.
    [[nodiscard]] std::string_view CellWord(std::size_t cell) const;
    void NoteDamage();

    int m_nMaxLines;
    int m_nHeaderTokens = 0;
    int m_nLines = 0;
    bool m_bDropping = false; // the line held is past the limit
    bool m_bInStep = true;
    std::size_t m_nTokensInStep = 0;
    bool m_bShortLineWaits = false;
    bool m_bOverflow = false;
    std::size_t m_nHeld = 0;
    std::array<std::string, kHeldTokens> m_held;
    std::array<std::size_t, kHeldTokens> m_column{};
    static constexpr std::size_t kUnknown = static_cast<std::size_t>(-1);
    // Where the last whole line's tokens began (line number, cell 1, cell 2, cell 3), and its
    // length (unknown when it ended without a line end).
    Layout m_layout{0, 5, 22, 39};
    std::size_t m_nLayoutLength = 55;
    // The length of the line held, once its line end came.
    std::size_t m_nLineLength = kUnknown;
    std::string m_strLineNumber;
    SListingDamage m_damage;
};

} // namespace veldran
