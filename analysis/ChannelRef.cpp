#include "analysis/ChannelRef.h"

#include <algorithm>

namespace veldran {
namespace {

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Korean and other non-ASCII letters have no case to ignore; they compare byte for byte.
bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::string_view Trimmed(std::string_view text, const char* blanks = " \t")
{
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::optional<int> DForm(std::string_view text)
{
    if (text.size() < 2 || text.size() > 3 || LowerAscii(text[0]) != 'd')
        return std::nullopt;
    int channel = 0;
    for (const char c : text.substr(1)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        channel = channel * 10 + (c - '0');
    }
    return channel < kChannelCount ? std::optional<int>(channel) : std::nullopt;
}

} // namespace

std::optional<int> ParseChannel(std::string_view text, const ChannelNames& names)
{
    text = Trimmed(text);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    if (text.empty())
        return std::nullopt;
    if (const auto channel = DForm(text))
        return channel;
    for (int channel = 0; channel < kChannelCount; ++channel)
        if (SameIgnoringCase(Trimmed(names[channel]), text))
            return channel;
    return std::nullopt;
}

std::string_view TrimBlanks(std::string_view text)
{
    return Trimmed(text);
}

std::string ChannelId(int channel)
{
    return "D" + std::to_string(channel);
}

size_t FindOutsideQuotes(std::string_view text, std::string_view wanted)
{
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"')
            quoted = !quoted;
        else if (!quoted && text.compare(i, wanted.size(), wanted) == 0)
            return i;
    }
    return std::string_view::npos;
}

std::vector<std::string_view> SplitOutsideQuotes(std::string_view text)
{
    std::vector<std::string_view> pieces;
    for (;;) {
        const size_t comma = FindOutsideQuotes(text, ",");
        pieces.push_back(Trimmed(text.substr(0, comma), " \t\r\n"));
        if (comma == std::string_view::npos)
            return pieces;
        text.remove_prefix(comma + 1);
    }
}

} // namespace veldran
