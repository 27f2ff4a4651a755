#include "decode/OptionValue.h"

#include <charconv>
#include <cstdint>

namespace veldran::decoding {
namespace {

std::optional<int64_t> ParseInteger(const std::string& text)
{
    // A sign in front is taken as a user writes it ("+7"); from_chars takes only "-".
    const char* begin = text.data() + (text.size() > 1 && text[0] == '+' && text[1] != '-' ? 1 : 0);
    const char* end = text.data() + text.size();
    int64_t value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

std::optional<double> ParseNumber(const std::string& text)
{
    if (text.empty() || text.find_first_of(" \t\n") != std::string::npos)
        return std::nullopt;
    char* stop = nullptr;
    const double value = g_ascii_strtod(text.c_str(), &stop);
    if (stop != text.c_str() + text.size())
        return std::nullopt;
    return value;
}

// The text in the kind's own spelling ("+9600" as "9600"), to compare with the allowed values.
std::optional<std::string> Canonical(DecoderOptionKind kind, const std::string& text)
{
    switch (kind) {
    case DecoderOptionKind::Integer:
        if (const auto value = ParseInteger(text))
            return std::to_string(*value);
        return std::nullopt;
    case DecoderOptionKind::Number:
        if (const auto value = ParseNumber(text)) {
            char buffer[G_ASCII_DTOSTR_BUF_SIZE];
            return std::string(g_ascii_dtostr(buffer, sizeof buffer, *value));
        }
        return std::nullopt;
    case DecoderOptionKind::Text:
        break;
    }
    return text;
}

} // namespace

std::string JoinedWords(const std::vector<std::string>& words)
{
    std::string joined;
    for (const std::string& word : words)
        joined += (joined.empty() ? "" : ", ") + word;
    return joined;
}

DecoderOptionKind OptionKindOf(GVariant* value)
{
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_INT64))
        return DecoderOptionKind::Integer;
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_DOUBLE))
        return DecoderOptionKind::Number;
    return DecoderOptionKind::Text;
}

std::string OptionValueText(GVariant* value)
{
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_INT64))
        return std::to_string(g_variant_get_int64(value));
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_DOUBLE)) {
        char buffer[G_ASCII_DTOSTR_BUF_SIZE];
        return g_ascii_dtostr(buffer, sizeof buffer, g_variant_get_double(value));
    }
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING))
        return g_variant_get_string(value, nullptr);
    gchar* printed = g_variant_print(value, FALSE);
    std::string text(printed);
    g_free(printed);
    return text;
}

std::optional<Message> CheckOptionValue(const DecoderInfo& decoder, const DecoderOptionInfo& option, const std::string& text)
{
    const std::optional<std::string> canonical = Canonical(option.kind, text);
    if (!canonical) {
        const char* form = option.kind == DecoderOptionKind::Integer ? text::kDecodeOptionNotInteger : text::kDecodeOptionNotNumber;
        return Message(form, {decoder.strId, option.strId, text});
    }
    if (option.allowed.empty())
        return std::nullopt;
    for (const std::string& allowed : option.allowed)
        if (Canonical(option.kind, allowed) == canonical)
            return std::nullopt;
    return Message(text::kDecodeOptionNotAllowed, {decoder.strId, option.strId, text, JoinedWords(option.allowed)});
}

GVariant* OptionValue(const DecoderOptionInfo& option, const std::string& text)
{
    switch (option.kind) {
    case DecoderOptionKind::Integer:
        return g_variant_ref_sink(g_variant_new_int64(ParseInteger(text).value_or(0)));
    case DecoderOptionKind::Number:
        return g_variant_ref_sink(g_variant_new_double(ParseNumber(text).value_or(0.0)));
    case DecoderOptionKind::Text:
        break;
    }
    return g_variant_ref_sink(g_variant_new_string(text.c_str()));
}

} // namespace veldran::decoding
