#include "link/ListingLines.h"

#include <algorithm>
#include <cstdio>

namespace veldran {

namespace {

bool AllDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::optional<Message> ListingDamageNote(const SListingDamage& damage)
{
    std::optional<Message> note;
    const auto add = [&note](Message part) {
        if (note)
            note->Then(std::move(part));
        else
            note = std::move(part);
    };
    if (damage.nDamagedLines > 0)
        add(Message(text::kListingDamaged, {MessageNumber(damage.nDamagedLines), MessageNumber(damage.nFirstDamaged)}));
    if (damage.nDroppedLines > 0)
        add(Message(text::kListingTooLong, {MessageNumber(kMaxCaptureSamples), MessageNumber(damage.nDroppedLines)}));
    return note;
}

void CListingLines::Begin()
{
    m_nHeaderTokens = 0;
    m_nLines = 0;
    m_bDropping = false;
    m_bInStep = true;
    m_nTokensInStep = 0;
    m_bShortLineWaits = false;
    m_bOverflow = false;
    m_nHeld = 0;
    m_layout = {0, 5, 22, 39};
    m_nLayoutLength = 55;
    m_nLineLength = kUnknown;
    m_strLineNumber.clear();
    m_damage = {};
}

void CListingLines::BeginLine(std::string_view first)
{
    m_nLineLength = kUnknown;
    m_bDropping = m_nLines >= m_nMaxLines;
    if (m_bDropping) {
        ++m_damage.nDroppedLines;
        m_bInStep = false;
        return;
    }
    if (first.size() == kLineNumberLength) {
        m_strLineNumber.assign(first);
    } else {
        // The instrument numbers its lines in four digits and starts again after 9999.
        const int next = AllDigits(m_strLineNumber) ? std::stoi(m_strLineNumber) + 1 : m_nLines;
        char text[8];
        std::snprintf(text, sizeof text, "%04d", next % 10000);
        m_strLineNumber = text;
    }
    ++m_nLines;
}

bool CListingLines::IsWhole() const
{
    if (m_nHeld != kLineTokens || m_held[0].size() != kLineNumberLength)
        return false;
    return std::all_of(m_held.begin() + 1, m_held.begin() + kLineTokens,
                       [](const std::string& word) { return word.size() == kCellWordLength; });
}

std::string_view CListingLines::CellWord(std::size_t cell) const
{
    // Four tokens led by a line number: each word is in its place, only its length is wrong.
    if (m_nHeld == kLineTokens && m_held[0].size() == kLineNumberLength) {
        const std::string& word = m_held[cell + 1];
        return word.size() == kCellWordLength ? std::string_view(word) : kInvalidWord;
    }
    // Words joined, split, lost or added: a word counts for the cell whose place it starts at.
    const std::size_t place = m_layout[cell + 1];
    const bool bEndsKnown = m_nLineLength != kUnknown && m_nLayoutLength != kUnknown && m_nLayoutLength >= place;
    const std::size_t held = std::min(m_nHeld, kHeldTokens);
    for (std::size_t i = 0; i < held; ++i) {
        if (m_held[i].size() != kCellWordLength)
            continue;
        if (m_column[i] == place || (bEndsKnown && m_nLineLength - m_column[i] == m_nLayoutLength - place))
            return m_held[i];
    }
    return kInvalidWord;
}

void CListingLines::NoteDamage()
{
    if (m_damage.nDamagedLines++ == 0)
        m_damage.nFirstDamaged = m_nLines - 1;
    m_bInStep = false;
}

} // namespace veldran
