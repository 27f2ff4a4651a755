#include "i18n/MessageText.h"

#include "i18n/Translation.h"

#include <cstdio>

namespace veldran {

QString MessageText(const Message& message)
{
    return QString::fromStdString(
        ComposeMessageText(message, [](const char* source) { return Tr(source).toStdString(); }));
}

UserMessage ShownBox(const Message& message)
{
    const QString caption = message.caption ? Tr(message.caption) : QString();
    return {MessageText(message).toStdString(), caption.toStdString(), message.icon};
}

void ShowMessage(const Message& message)
{
    const UserMessage box = ShownBox(message);
    if (UserMessageHandler* handler = GetUserMessageHandler())
        handler->Show(box);
    else
        std::fprintf(stderr, "[%s] %s\n", box.caption.c_str(), box.text.c_str());
}

void ShowMessages(const std::vector<Message>& messages)
{
    for (const Message& message : messages)
        ShowMessage(message);
}

void ShowAppMessage(Message message)
{
    message.icon = MessageIcon::Exclamation;
    ShowMessage(message);
}

void ShowWindowMessage(Message message)
{
    message.icon = MessageIcon::None;
    ShowMessage(message);
}

} // namespace veldran
