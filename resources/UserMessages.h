#pragma once
// Every message box of the program goes through here. The application installs a handler that shows
// a real box; tests install a recorder, so they see what a user would have seen without blocking.
// A handler receives the box as the user reads it: text and caption in the user's language (UTF-8).
// Code that has something to say reports a Message (resources/Message.h); i18n/MessageText.h turns
// it into a box and shows it.

#include "resources/Message.h"

#include <string>

namespace veldran {

struct UserMessage {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::None;
};

class UserMessageHandler {
public:
    virtual ~UserMessageHandler() = default;
    // Shows the message with an OK button and returns when the user has closed it.
    virtual void Show(const UserMessage& message) = 0;
};

inline const char* const kAppTitle = "VELDRAN";

namespace detail {
inline UserMessageHandler* g_messageHandler = nullptr;
}

// The handler is not owned; nullptr restores the fallback, which writes to standard error.
inline void SetUserMessageHandler(UserMessageHandler* handler) { detail::g_messageHandler = handler; }
inline UserMessageHandler* GetUserMessageHandler() { return detail::g_messageHandler; }

} // namespace veldran
