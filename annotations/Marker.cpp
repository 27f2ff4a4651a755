#include "annotations/Marker.h"

namespace veldran {
namespace {

bool ContinuesSequence(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<Message> SetMarkerLabel(Marker& marker, std::string label)
{
    if (CodePointCount(label) > kMaxLabelCodePoints)
        return Message(text::kMarkerLabelTooLong, {MessageNumber(kMaxLabelCodePoints)});
    marker.strLabel = std::move(label);
    return std::nullopt;
}

std::optional<Message> SetMarkerNote(Marker& marker, std::string note)
{
    if (note.size() > kMaxNoteBytes)
        return Message(text::kMarkerNoteTooLong, {MessageNumber(kMaxNoteBytes)});
    marker.strNote = std::move(note);
    return std::nullopt;
}

size_t CodePointCount(std::string_view text)
{
    size_t count = 0;
    for (const char c : text)
        count += !ContinuesSequence(c);
    return count;
}

std::string_view FirstCodePoints(std::string_view text, size_t count)
{
    size_t seen = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if (!ContinuesSequence(text[i]) && seen++ == count)
            return text.substr(0, i);
    return text;
}

std::string ColourText(uint32_t colour)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out = "#";
    for (int shift = 20; shift >= 0; shift -= 4)
        out += kDigits[(colour >> shift) & 0xF];
    return out;
}

std::optional<uint32_t> ParseColour(std::string_view text)
{
    if (text.size() != 7 || text[0] != '#')
        return std::nullopt;
    uint32_t colour = 0;
    for (const char c : text.substr(1)) {
        const int digit = HexDigit(c);
        if (digit < 0)
            return std::nullopt;
        colour = colour << 4 | static_cast<uint32_t>(digit);
    }
    return colour;
}

} // namespace veldran
