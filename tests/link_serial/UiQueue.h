#pragma once
// The test thread plays the user-interface thread: calls the engine posts wait in this queue
// until the test runs them, so a test decides exactly when the owner handles a message (or that
// it never does). One posted call may hand over several messages in a row when the worker has
// them ready. OwnerRecorder is the owner that writes down what it was handed.

#include "link/serial/SerialEngine.h"
#include "link/serial/SerialMessages.h"
#include "link/serial/SerialOwner.h"

#include <QByteArray>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <string>
#include <vector>

namespace veldran::test {

class UiQueue {
public:
    [[nodiscard]] UiPoster Poster()
    {
        return [this](std::function<void()> call) {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_calls.push_back(std::move(call));
            }
            m_posted.notify_all();
        };
    }

    // Waits (bounded) until at least nCalls are waiting.
    [[nodiscard]] bool WaitForCalls(std::size_t nCalls, std::chrono::milliseconds timeout = std::chrono::seconds(5))
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_posted.wait_for(lock, timeout, [&] { return m_calls.size() >= nCalls; });
    }

    // Runs the oldest waiting call, waiting (bounded) for one to arrive.
    bool RunOne(std::chrono::milliseconds timeout = std::chrono::seconds(5))
    {
        std::function<void()> call;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            if (!m_posted.wait_for(lock, timeout, [&] { return !m_calls.empty(); }))
                return false;
            call = std::move(m_calls.front());
            m_calls.pop_front();
        }
        call();
        return true;
    }

    // Runs what is waiting now, without waiting for more.
    void RunWaiting()
    {
        while (Pending() > 0)
            RunOne();
    }

    [[nodiscard]] std::size_t Pending()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_calls.size();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<std::function<void()>> m_calls;
};

struct SRecordedMessage {
    unsigned nMessage;
    unsigned wParam;
    int lParam;
};

class OwnerRecorder : public SerialOwner {
public:
    long OnSerialMessage(unsigned nMessage, unsigned wParam, int lParam) override
    {
        messages.push_back({nMessage, wParam, lParam});
        if (onMessage)
            onMessage(messages.back());
        return 0;
    }
    void OnSerialError(const std::string& text) override { errors.push_back(text); }

    // The bytes handed over, in order.
    [[nodiscard]] QByteArray ReceivedBytes() const
    {
        QByteArray bytes;
        for (const auto& m : messages)
            if (m.nMessage == WM_SERIAL_RXCHAR)
                bytes += char(m.wParam);
        return bytes;
    }

    // Optional: runs inside the handler, while the worker waits for it.
    std::function<void(const SRecordedMessage&)> onMessage;
    std::vector<SRecordedMessage> messages;
    std::vector<std::string> errors;
};

// The worker's start and end are seen through its running flag; bounded waits for either.
inline bool WaitUntilRunning(const CSerialEngine& engine, bool bRunning = true)
{
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (engine.IsRunning() != bRunning) {
        if (std::chrono::steady_clock::now() > giveUp)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Opens COM<nPort> at 9600 baud with the given events and starts the worker; false when that failed.
inline bool StartEngine(CSerialEngine& engine, SerialOwner& owner, int nPort, uint32_t nEvents)
{
    return engine.Open(&owner, nPort, 9600, 'N', 8, 1, nEvents) == 1 && engine.StartWorker() == 1
        && WaitUntilRunning(engine, true);
}

} // namespace veldran::test
