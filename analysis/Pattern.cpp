// Reading a search pattern. The text is cut into terms at commas outside double quotes, each term
// at its first '=' outside quotes into what it names and the value it asks for.

#include "analysis/Pattern.h"

#include "analysis/ChannelRef.h"
#include "analysis/Edges.h"
#include "analysis/SamplePacking.h"

#include <vector>

namespace veldran {
namespace {

std::string_view Trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// A decimal, 0x… or 0b… number; nothing when it is not one. A number beyond 64 bits sets
// `overflow`: it is wider than any bus.
std::optional<uint64_t> ParseNumber(std::string_view text, bool& overflow)
{
    text = Trimmed(text);
    unsigned base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X' || text[1] == 'b' || text[1] == 'B')) {
        base = (text[1] == 'x' || text[1] == 'X') ? 16 : 2;
        text.remove_prefix(2);
    }
    if (text.empty())
        return std::nullopt;
    uint64_t value = 0;
    for (const char c : text) {
        unsigned digit = 0;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            return std::nullopt;
        if (digit >= base)
            return std::nullopt;
        if (value > (UINT64_MAX - digit) / base)
            overflow = true;
        value = value * base + digit;
    }
    return value;
}

class PatternBuilder {
public:
    explicit PatternBuilder(const ChannelNames& names) : m_names(names) {}

    std::optional<PatternError> AddTerm(std::string_view term)
    {
        if (term.empty())
            return PatternError{EPatternError::EmptyTerm, std::string(term)};
        const size_t equals = FindOutsideQuotes(term, "=");
        const std::string_view target = Trimmed(term.substr(0, equals));
        const std::string_view value = equals == std::string_view::npos ? std::string_view() : Trimmed(term.substr(equals + 1));
        const size_t dots = FindOutsideQuotes(target, "..");
        const std::optional<EPatternError> error =
            dots == std::string_view::npos ? AddChannelTerm(target, value) : AddBusTerm(target.substr(0, dots), target.substr(dots + 2), value);
        if (error)
            return PatternError{*error, std::string(term)};
        return std::nullopt;
    }

    const CPattern& Pattern() const { return m_pattern; }

private:
    std::optional<EPatternError> AddChannelTerm(std::string_view name, std::string_view value)
    {
        const std::optional<int> channel = ParseChannel(name, m_names);
        if (!channel)
            return EPatternError::UnknownChannel;
        const uint64_t bit = ChannelBit(*channel);
        if (value.size() != 1)
            return EPatternError::BadValue;
        switch (value[0]) {
        case '1': case 'h': case 'H': RequireLevels(bit, bit); break;
        case '0': case 'l': case 'L': RequireLevels(bit, 0); break;
        case 'r': case 'R': m_pattern.m_nRising |= bit; break;
        case 'f': case 'F': m_pattern.m_nFalling |= bit; break;
        case 'e': case 'E': m_pattern.m_nAnyEdge |= bit; break;
        default: return EPatternError::BadValue;
        }
        return std::nullopt;
    }

    // A bus from `first` (its most significant bit) to `last`, either way round.
    std::optional<EPatternError> AddBusTerm(std::string_view first, std::string_view last, std::string_view text)
    {
        const std::optional<int> high = ParseChannel(first, m_names);
        const std::optional<int> low = ParseChannel(last, m_names);
        if (!high || !low)
            return EPatternError::UnknownChannel;
        const int width = (*high > *low ? *high - *low : *low - *high) + 1;
        const size_t slash = text.find('/');
        bool overflow = false;
        const std::optional<uint64_t> value = ParseNumber(text.substr(0, slash), overflow);
        const std::optional<uint64_t> mask =
            slash == std::string_view::npos ? std::optional<uint64_t>((uint64_t{1} << width) - 1) : ParseNumber(text.substr(slash + 1), overflow);
        if (!value || !mask)
            return EPatternError::BadValue;
        if (overflow || (*value >> width) != 0 || (*mask >> width) != 0)
            return EPatternError::ValueTooWide;
        const int step = *high > *low ? -1 : 1;
        uint64_t channels = 0;
        uint64_t levels = 0;
        for (int i = 0; i < width; ++i) {
            const uint64_t valueBit = uint64_t{1} << (width - 1 - i);
            if (!(*mask & valueBit))
                continue;
            const uint64_t bit = ChannelBit(*high + i * step);
            channels |= bit;
            if (*value & valueBit)
                levels |= bit;
        }
        RequireLevels(channels, levels);
        return std::nullopt;
    }

    void RequireLevels(uint64_t channels, uint64_t levels)
    {
        const uint64_t both = m_pattern.m_nLevelMask & channels;
        if ((m_pattern.m_nLevelValue & both) != (levels & both))
            m_pattern.m_nLevelValue |= CPattern::kNeverMatches;
        m_pattern.m_nLevelMask |= channels;
        m_pattern.m_nLevelValue |= levels;
    }

    const ChannelNames& m_names;
    CPattern m_pattern;
};

} // namespace

std::variant<CPattern, PatternError> CPattern::Parse(std::string_view text, const ChannelNames& names)
{
    PatternBuilder builder(names);
    for (const std::string_view term : SplitOutsideQuotes(text)) {
        if (std::optional<PatternError> error = builder.AddTerm(term))
            return *std::move(error);
    }
    return builder.Pattern();
}

bool CPattern::MatchesAt(const SampleStore& store, int64_t n) const
{
    if (n < 0 || n >= store.nCount)
        return false;
    const uint64_t levels = PackSample(store, n);
    return MatchesWords(levels, n > 0 ? PackSample(store, n - 1) : levels);
}

} // namespace veldran
