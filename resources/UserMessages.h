#pragma once
// Every message box of the program goes through here. The application installs a handler that shows
// a real box; tests install a recorder, so they see what a user would have seen without blocking.
// Texts are UTF-8.

#include <cstdio>
#include <string>

namespace veldran {

enum class MessageIcon { None, Exclamation, Stop, Information };

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
inline thread_local UserMessageHandler* t_threadMessageHandler = nullptr;
}

// The handler is not owned; nullptr restores the fallback, which writes to standard error.
inline void SetUserMessageHandler(UserMessageHandler* handler) { detail::g_messageHandler = handler; }
inline UserMessageHandler* GetUserMessageHandler() { return detail::g_messageHandler; }

// A thread that works ahead for the user-interface thread cannot show a box: its messages go to
// this handler instead, for that thread only (nullptr: the program's handler again).
inline void SetThreadMessageHandler(UserMessageHandler* handler) { detail::t_threadMessageHandler = handler; }

inline void ShowMessage(const std::string& text, MessageIcon icon, const std::string& caption = kAppTitle)
{
    UserMessage message{text, caption, icon};
    if (UserMessageHandler* handler =
            detail::t_threadMessageHandler ? detail::t_threadMessageHandler : detail::g_messageHandler)
        handler->Show(message);
    else
        std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
}

// The application-level box: application title, OK button, exclamation icon.
inline void ShowAppMessage(const std::string& text) { ShowMessage(text, MessageIcon::Exclamation); }

// A box owned by a window of the program: application title, OK button, no icon.
inline void ShowWindowMessage(const std::string& text) { ShowMessage(text, MessageIcon::None); }

} // namespace veldran
