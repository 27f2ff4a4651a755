#pragma once
// Keeps message boxes off the screen while it lives, for code that runs without anyone to close
// them: benchmarks, fuzz targets, tests that look at what a box said. Each box may go to a
// callback (a log, the standard error); the handler before it is back afterwards.

#include "resources/UserMessages.h"

#include <cstdio>
#include <functional>
#include <utility>

namespace veldran::test {

class SilentMessages : public UserMessageHandler {
public:
    using Callback = std::function<void(const UserMessage&)>;

    explicit SilentMessages(Callback seen = {})
        : m_seen(std::move(seen))
        , m_previous(GetUserMessageHandler())
    {
        SetUserMessageHandler(this);
    }
    ~SilentMessages() override { SetUserMessageHandler(m_previous); }
    SilentMessages(const SilentMessages&) = delete;
    SilentMessages& operator=(const SilentMessages&) = delete;

    void Show(const UserMessage& message) override
    {
        if (m_seen)
            m_seen(message);
    }

    // For programs whose figures would mean nothing after an unseen failure.
    static void ToStandardError(const UserMessage& message)
    {
        std::fprintf(stderr, "message: %s\n", message.text.c_str());
    }

private:
    Callback m_seen;
    UserMessageHandler* m_previous = nullptr;
};

} // namespace veldran::test
