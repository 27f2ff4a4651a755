#pragma once
// A program the test runs beside itself: its standard input on a pipe, standard output and error
// in files the test reads while it runs, and its end (exit status or signal) with a time limit.

#include <chrono>
#include <csignal>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace veldran::test {

class ChildProcess {
public:
    // folder holds the output files; prefix names them.
    ChildProcess(const std::vector<std::string>& argv, const std::string& folder, const std::string& prefix)
        : m_strOut(folder + "/" + prefix + ".out")
        , m_strErr(folder + "/" + prefix + ".err")
    {
        int toChild[2] = {-1, -1};
        if (pipe2(toChild, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, toChild[0], 0);
        posix_spawn_file_actions_addopen(&actions, 1, m_strOut.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, m_strErr.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::vector<std::string> args = argv;
        std::vector<char*> pointers;
        for (std::string& arg : args)
            pointers.push_back(arg.data());
        pointers.push_back(nullptr);
        if (posix_spawn(&m_pid, pointers[0], &actions, nullptr, pointers.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(toChild[0]);
        m_fdInput = toChild[1];
    }
    ~ChildProcess()
    {
        CloseInput();
        if (m_pid > 0 && !m_bEnded) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    [[nodiscard]] bool Started() const { return m_pid > 0; }
    [[nodiscard]] pid_t Pid() const { return m_pid; }

    [[nodiscard]] bool Type(const std::string& text) { return write(m_fdInput, text.data(), text.size()) == ssize_t(text.size()); }
    void CloseInput()
    {
        if (m_fdInput >= 0)
            close(m_fdInput);
        m_fdInput = -1;
    }
    void Signal(int nSignal) const { kill(m_pid, nSignal); }

    [[nodiscard]] std::string Output() const { return ReadFile(m_strOut); }
    [[nodiscard]] std::string Errors() const { return ReadFile(m_strErr); }

    // Waits (bounded) until the standard output or error holds text; false when it never did.
    [[nodiscard]] bool WaitForText(const std::string& text, bool bErrors = true, int nSeconds = 10) const
    {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(nSeconds);
        while ((bErrors ? Errors() : Output()).find(text) == std::string::npos) {
            if (std::chrono::steady_clock::now() > giveUp || m_bEnded)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }

    // The first line of standard output (the simulator's device), waiting for it.
    [[nodiscard]] std::string FirstLine() const
    {
        if (!WaitForText("\n", false))
            return {};
        const std::string out = Output();
        return out.substr(0, out.find('\n'));
    }

    // Waits up to nSeconds for the end; false when it is still running.
    [[nodiscard]] bool Wait(int nSeconds = 20)
    {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(nSeconds);
        while (!m_bEnded) {
            const pid_t nDone = waitpid(m_pid, &m_nStatus, WNOHANG);
            if (nDone == m_pid) {
                m_bEnded = true;
                break;
            }
            if (nDone < 0 || std::chrono::steady_clock::now() > giveUp)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }
    // After Wait: the exit status, or -1 when a signal ended the program.
    [[nodiscard]] int ExitCode() const { return WIFEXITED(m_nStatus) ? WEXITSTATUS(m_nStatus) : -1; }
    [[nodiscard]] int EndSignal() const { return WIFSIGNALED(m_nStatus) ? WTERMSIG(m_nStatus) : 0; }

    static std::string ReadFile(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

private:
    std::string m_strOut;
    std::string m_strErr;
    pid_t m_pid = -1;
    int m_fdInput = -1;
    int m_nStatus = 0;
    bool m_bEnded = false;
};

} // namespace veldran::test
