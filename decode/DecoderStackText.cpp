#include "decode/DecoderStackText.h"

#include "decode/DecoderCatalogue.h"
#include "resources/Strings.h"

#include <sstream>

namespace veldran {
namespace {

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        parts.push_back(part);
    if (!text.empty() && text.back() == separator)
        parts.emplace_back();
    return parts;
}

} // namespace

std::string DecoderStackText(const std::vector<DecoderSetting>& stack)
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

std::optional<Message> ParseDecoderStackText(const std::string& text, std::vector<DecoderSetting>& stack)
{
    stack.clear();
    for (const std::string& part : Split(text, ',')) {
        const std::vector<std::string> fields = Split(part, ':');
        if (fields.empty() || fields.front().empty())
            return Message(text::kDecodeEmptyPart, {text});
        DecoderSetting setting{fields.front(), {}, {}};
        const DecoderInfo* decoder = InstalledDecoders().Find(setting.strDecoder);
        for (size_t i = 1; i < fields.size(); ++i) {
            const size_t equals = fields[i].find('=');
            if (equals == std::string::npos || equals == 0)
                return Message(text::kDecodeBadKey, {fields[i]});
            std::string key = fields[i].substr(0, equals);
            std::string value = fields[i].substr(equals + 1);
            if (decoder && decoder->FindOption(key))
                setting.options.emplace_back(std::move(key), std::move(value));
            else
                setting.channels.emplace_back(std::move(key), std::move(value));
        }
        stack.push_back(std::move(setting));
    }
    if (stack.empty())
        return Message(text::kDecodeEmptyPart, {text});
    return std::nullopt;
}

} // namespace veldran
