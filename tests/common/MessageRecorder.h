#pragma once
// Records the message boxes a test provokes instead of showing them.

#include "resources/UserMessages.h"

#include <string>
#include <vector>

namespace veldran::test {

class MessageRecorder : public UserMessageHandler {
public:
    MessageRecorder() : m_previous(GetUserMessageHandler()) { SetUserMessageHandler(this); }
    ~MessageRecorder() override { SetUserMessageHandler(m_previous); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void Show(const UserMessage& message) override { messages.push_back(message); }

    [[nodiscard]] bool Saw(const std::string& text) const
    {
        for (const auto& m : messages)
            if (m.text == text)
                return true;
        return false;
    }
    // A box whose text begins with this text (the port-open box adds a line with the reason).
    [[nodiscard]] bool SawStart(const std::string& text) const
    {
        for (const auto& m : messages)
            if (m.text.compare(0, text.size(), text) == 0)
                return true;
        return false;
    }
    // How many boxes had this caption.
    [[nodiscard]] int CountCaption(const std::string& caption) const
    {
        int count = 0;
        for (const auto& m : messages)
            count += m.caption == caption ? 1 : 0;
        return count;
    }
    [[nodiscard]] std::string Last() const { return messages.empty() ? std::string() : messages.back().text; }
    void Clear() { messages.clear(); }

    std::vector<UserMessage> messages;

private:
    UserMessageHandler* m_previous = nullptr;
};

} // namespace veldran::test
