#pragma once
// A named pipe for tests of code that must not block on opening it. Should that code block all
// the same, the rescuer opens the pipe's other end after a few seconds, so the test fails with
// WasNeeded() instead of hanging.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veldran::test {

class PipeRescuer {
public:
    explicit PipeRescuer(std::string path)
        : m_path(std::move(path))
    {
        ::unlink(m_path.c_str());
        m_bMade = ::mkfifo(m_path.c_str(), 0600) == 0;
        m_thread = std::thread([this] {
            std::unique_lock lock(m_mutex);
            if (m_done.wait_for(lock, std::chrono::seconds(5), [this] { return m_bFinished; }))
                return;
            // Still inside the open: a writer lets it return (and end of file follows at once).
            const int fd = ::open(m_path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0)
                ::close(fd);
            m_bNeeded = true;
        });
    }
    ~PipeRescuer()
    {
        Finish();
        ::unlink(m_path.c_str());
    }
    PipeRescuer(const PipeRescuer&) = delete;
    PipeRescuer& operator=(const PipeRescuer&) = delete;

    [[nodiscard]] bool IsMade() const { return m_bMade; }
    [[nodiscard]] const std::string& Path() const { return m_path; }
    // Call once the code under test has returned.
    void Finish()
    {
        {
            std::lock_guard lock(m_mutex);
            m_bFinished = true;
        }
        m_done.notify_all();
        if (m_thread.joinable())
            m_thread.join();
    }
    [[nodiscard]] bool WasNeeded() const { return m_bNeeded; }

private:
    std::string m_path;
    bool m_bMade = false;
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_bFinished = false;
    std::atomic<bool> m_bNeeded{false};
    std::thread m_thread;
};

} // namespace veldran::test
