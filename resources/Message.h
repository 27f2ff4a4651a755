#pragma once
// What a lower layer tells the user, as a value: which text of the program (a screen text of
// resources/Strings.h, which is also its catalogue key), the values that complete it, and the
// icon and caption of its box. The layer that owns the windows shows it in the user's language
// (i18n/MessageText.h); a command-line program prints it the same way without Qt (i18n/CliText.h).
//
// The shown text is the screen text with its "%d" and "%s" filled in from args, in order ("%%"
// is a percent sign); args the text has no place for follow it, each on a line of its own; then
// the texts of more, each on a line of its own.

#include "resources/Strings.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace veldran {

enum class MessageIcon { None, Exclamation, Stop, Information };

struct Message {
    // A screen text; nullptr for words that are not the program's own (a device's report), which
    // are then the args, one per line, shown as they are in either language.
    const char* id = nullptr;
    std::vector<std::string> args;
    std::vector<Message> more;
    MessageIcon icon = MessageIcon::Exclamation;
    const char* caption = text::kAppTitle;

    Message() = default;
    // A screen text on its own is a message: ShowAppMessage(text::kNoConnection).
    Message(const char* textId) : id(textId) {} // NOLINT(google-explicit-constructor)
    Message(const char* textId, std::vector<std::string> values, MessageIcon boxIcon = MessageIcon::Exclamation)
        : id(textId), args(std::move(values)), icon(boxIcon)
    {
    }

    // Words that are not the program's, shown as they are.
    [[nodiscard]] static Message AsIs(std::string words, MessageIcon boxIcon, const char* boxCaption = text::kAppTitle)
    {
        Message message(nullptr, {std::move(words)}, boxIcon);
        message.caption = boxCaption;
        return message;
    }

    // Adds a text that follows on a line of its own.
    Message& Then(Message next)
    {
        more.push_back(std::move(next));
        return *this;
    }

    bool operator==(const Message& other) const
    {
        const bool sameText = id == other.id || (id && other.id && std::string_view(id) == other.id);
        const bool sameCaption = caption == other.caption || (caption && other.caption && std::string_view(caption) == other.caption);
        return sameText && sameCaption && args == other.args && more == other.more && icon == other.icon;
    }
    bool operator!=(const Message& other) const { return !(*this == other); }
};

// A number as an arg fills "%d" as printf would.
[[nodiscard]] inline std::string MessageNumber(long long value)
{
    return std::to_string(value);
}

// form (a screen text or its translation, UTF-8) with args filled in and the rest appended.
[[nodiscard]] inline std::string FillMessageText(std::string_view form, const std::vector<std::string>& args)
{
    std::string out;
    out.reserve(form.size() + 32);
    size_t next = 0;
    for (size_t i = 0; i < form.size(); ++i) {
        if (form[i] == '%' && i + 1 < form.size()) {
            const char kind = form[i + 1];
            if (kind == '%') {
                out += '%';
                ++i;
                continue;
            }
            if ((kind == 'd' || kind == 's') && next < args.size()) {
                out += args[next++];
                ++i;
                continue;
            }
        }
        out += form[i];
    }
    for (; next < args.size(); ++next)
        out += "\n" + args[next];
    return out;
}

// The message in one language: translate gives the form of a screen text (its source, or its
// translation), whose values are then filled in; words that are not the program's stay as they
// are; the texts of more follow, each on a line of its own. The window and the command-line
// programs both show a message through this.
template <typename Translate>
[[nodiscard]] std::string ComposeMessageText(const Message& message, const Translate& translate)
{
    std::string out;
    if (message.id) {
        out = FillMessageText(translate(message.id), message.args);
    } else {
        for (size_t i = 0; i < message.args.size(); ++i)
            out += (i ? "\n" : "") + message.args[i];
    }
    for (const Message& next : message.more)
        out += "\n" + ComposeMessageText(next, translate);
    return out;
}

// The message as the program's source texts say it (the Korean face).
[[nodiscard]] inline std::string SourceText(const Message& message)
{
    return ComposeMessageText(message, [](const char* source) { return std::string_view(source); });
}

} // namespace veldran
