#include "decode/DecoderStackText.h"

#include "analysis/ChannelRef.h"
#include "decode/DecoderCatalogue.h"
#include "resources/Strings.h"

namespace veldran {
namespace {

std::optional<Message> ParseDecoder(const std::string& text, DecoderSetting& setting)
{
    const std::vector<std::string> parts = SplitOutsideQuotes(text, ':');
    setting.strDecoder = std::string(TrimBlanks(parts[0]));
    const DecoderInfo* decoder = FindInstalledDecoder(setting.strDecoder);
    if (!decoder)
        return Message(text::kDecodeUnknownDecoder, {setting.strDecoder});
    for (size_t i = 1; i < parts.size(); ++i) {
        const size_t equals = parts[i].find('=');
        if (equals == std::string::npos || equals == 0)
            return Message(text::kCliBadDecoderPart, {parts[i]});
        std::string key = parts[i].substr(0, equals);
        std::string value = parts[i].substr(equals + 1);
        // As sigrok-cli reads it: a key that is no option names a channel; one that is neither is
        // told as an unknown option.
        const bool channel = !decoder->FindOption(key) && decoder->FindChannel(key);
        auto& list = channel ? setting.channels : setting.options;
        list.emplace_back(std::move(key), std::move(value));
    }
    return std::nullopt;
}

} // namespace

std::vector<std::string> SplitOutsideQuotes(std::string_view text, char separator)
{
    std::vector<std::string> parts;
    const std::string_view wanted(&separator, 1);
    for (size_t cut = FindOutsideQuotes(text, wanted); cut != std::string_view::npos; cut = FindOutsideQuotes(text, wanted)) {
        parts.emplace_back(text.substr(0, cut));
        text.remove_prefix(cut + 1);
    }
    parts.emplace_back(text);
    return parts;
}

std::string DecoderStackText(const DecoderStack& stack)
{
    std::string text;
    for (const DecoderSetting& setting : stack) {
        if (!text.empty())
            text += ',';
        text += setting.strDecoder;
        for (const auto& [channel, capture] : setting.channels)
            text += ':' + channel + '=' + capture;
        for (const auto& [option, value] : setting.options)
            text += ':' + option + '=' + value;
    }
    return text;
}

std::optional<Message> ParseDecoderStackText(std::string_view text, DecoderStack& stack)
{
    stack.clear();
    for (const std::string& decoder : SplitOutsideQuotes(text, ','))
        if (auto wrong = ParseDecoder(decoder, stack.emplace_back()))
            return wrong;
    return std::nullopt;
}

} // namespace veldran
