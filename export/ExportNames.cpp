#include "export/ExportNames.h"

#include <cstdint>
#include <cstdio>
#include <set>

namespace veldran {
namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";

bool IsWordChar(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// The length of the well-formed UTF-8 sequence at text[i], or 0.
size_t Utf8SequenceLength(const std::string& text, size_t i)
{
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return 1;
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else
        return 0;
    if (i + length > text.size() || byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (size_t k = 2; k < length; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
            return 0;
    return length;
}

std::string ValidUtf8(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t length = Utf8SequenceLength(text, i);
        if (length == 0) {
            out += kReplacement;
            ++i;
        } else {
            out.append(text, i, length);
            i += length;
        }
    }
    return out;
}

// The code point of the well-formed sequence of length bytes at text[i].
uint32_t CodePoint(const std::string& text, size_t i, size_t length)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    uint32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
    for (size_t k = 1; k < length; ++k)
        code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
    return code;
}

void AppendEscape(std::string& out, const char* format, uint32_t value)
{
    char escape[16];
    std::snprintf(escape, sizeof escape, format, static_cast<unsigned>(value));
    out += escape;
}

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(" \t\r\n\v\f") == std::string::npos;
}

std::string WordOnly(const std::string& text)
{
    std::string word;
    bool pendingGap = false;
    for (const char c : text) {
        if (IsWordChar(static_cast<unsigned char>(c))) {
            if (pendingGap && !word.empty())
                word += '_';
            pendingGap = false;
            word += c;
        } else {
            pendingGap = true;
        }
    }
    return word;
}

// Gives each word that another before it (or one of `used`) already has a suffix "_2", "_3" … A
// suffix must not collide with a name some other word has as it is, so all plain names are taken
// first.
template <typename Iterator>
void MakeDistinct(Iterator begin, Iterator end, std::set<std::string> used)
{
    std::set<std::string> taken(begin, end);
    taken.insert(used.begin(), used.end());
    for (Iterator word = begin; word != end; ++word) {
        if (used.insert(*word).second)
            continue;
        for (int n = 2;; ++n) {
            std::string candidate = *word + '_' + std::to_string(n);
            if (!taken.count(candidate) && used.insert(candidate).second) {
                *word = candidate;
                break;
            }
        }
    }
}

} // namespace

std::string ChannelLabel(int channel)
{
    char label[16];
    std::snprintf(label, sizeof label, "CH %c%02d", 'A' + channel / 16, channel % 16);
    return label;
}

ExportNames TextNames(const ExportableCapture& capture)
{
    ExportNames names;
    for (int ch = 0; ch < kExportChannelCount; ++ch) {
        const std::string& given = capture.strNames[static_cast<size_t>(ch)];
        names[static_cast<size_t>(ch)] = IsBlank(given) ? ChannelLabel(ch) : ValidUtf8(given);
    }
    return names;
}

ExportNames VcdNames(const ExportNames& textNames)
{
    ExportNames words;
    for (int ch = 0; ch < kExportChannelCount; ++ch) {
        std::string word = WordOnly(textNames[static_cast<size_t>(ch)]);
        words[static_cast<size_t>(ch)] = word.empty() ? WordOnly(ChannelLabel(ch)) : word;
    }
    MakeDistinct(words.begin(), words.end(), {});
    return words;
}

std::vector<std::string> BusVcdNames(const std::vector<Bus>& buses, const ExportNames& vcdNames)
{
    std::vector<std::string> words;
    for (const Bus& bus : buses) {
        std::string word = WordOnly(bus.strName);
        words.push_back(word.empty() ? "bus" : word);
    }
    MakeDistinct(words.begin(), words.end(), std::set<std::string>(vcdNames.begin(), vcdNames.end()));
    return words;
}

std::string VcdCommentName(const std::string& name)
{
    std::string out = "\"";
    for (size_t i = 0; i < name.size();) {
        const auto byte = static_cast<unsigned char>(name[i]);
        const size_t length = Utf8SequenceLength(name, i);
        if (length > 1)
            AppendEscape(out, length == 4 ? "\\U%08X" : "\\u%04X", CodePoint(name, i, length));
        else if (byte == '"' || byte == '\\')
            out += {'\\', static_cast<char>(byte)};
        else if (length == 0 || byte == '$' || byte < 0x20 || byte == 0x7F)
            AppendEscape(out, "\\x%02X", byte);
        else
            out += static_cast<char>(byte);
        i += length == 0 ? 1 : length;
    }
    return out + '"';
}

std::string GtkwAlias(const std::string& textName)
{
    std::string alias;
    alias.reserve(textName.size());
    for (const char c : textName) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '}')
            alias += "\xEF\xBD\x9D"; // U+FF5D FULLWIDTH RIGHT CURLY BRACKET
        else if (byte < 0x20 || byte == 0x7F)
            alias += ' ';
        else
            alias += c;
    }
    return alias;
}

char VcdIdentifier(int channel)
{
    // '!' onwards, stepping over '#' (a timestamp) and '$' (a keyword) so no reader can mistake them.
    char c = static_cast<char>('!' + channel);
    if (c >= '#')
        ++c;
    if (c >= '$')
        ++c;
    return c;
}

std::string VcdBusIdentifier(size_t bus)
{
    return '~' + std::to_string(bus);
}

} // namespace veldran
