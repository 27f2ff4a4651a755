#pragma once
// A Message (resources/Message.h) in the language chosen at start-up, and the boxes that show it.

#include "resources/UserMessages.h"

#include <QString>

#include <vector>

namespace veldran {

// The text of the message: its screen text translated, the values filled in, the values and
// texts that follow it on lines of their own. The Korean face gives SourceText(message).
[[nodiscard]] QString MessageText(const Message& message);
// The box the message makes: translated text and caption, and its icon.
[[nodiscard]] UserMessage ShownBox(const Message& message);

// Shows the message through the program's handler (standard error when none is installed).
void ShowMessage(const Message& message);
// Shows each message in turn, in order.
void ShowMessages(const std::vector<Message>& messages);
// The application-level box: application title, OK button, exclamation icon.
void ShowAppMessage(Message message);
// A box owned by a window of the program: application title, OK button, no icon.
void ShowWindowMessage(Message message);

} // namespace veldran

namespace veldran {

// Shows the messages a lower layer's result carries (anything with messages and a bool that says
// whether the work was done) and returns that bool.
template <typename Result>
bool ShowReported(const Result& result)
{
    ShowMessages(result.messages);
    return static_cast<bool>(result);
}

} // namespace veldran
