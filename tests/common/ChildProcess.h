#pragma once
// Another program, run by a test or a benchmark: started with posix_spawn, its standard input on a
// pipe, its standard output and error collected on a thread of their own (so the test can read them
// while it runs, and a child that writes much never blocks), its end with a time limit. Run() is
// the whole run in one call. Plain C++ and POSIX, no Qt, so the benchmarks can time with it: both
// sides of a comparison are started, timed and reaped the same way.

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace veldran::test {

struct ChildOptions {
    // The child's whole environment, NAME=value each; none: this process's.
    std::optional<std::vector<std::string>> environment;
    // The processor the child runs on (-1: any), so that it does not compete with the measured side.
    int nCpu = -1;
};

class ChildProcess {
public:
    using Clock = std::chrono::steady_clock;

    // argv[0]: a path, or a name looked up in PATH. A program that cannot be run is not Started().
    explicit ChildProcess(std::vector<std::string> argv, const ChildOptions& options = {})
    {
        int input[2] = {-1, -1}, output[2] = {-1, -1}, errors[2] = {-1, -1};
        if (argv.empty() || pipe2(input, O_CLOEXEC) != 0 || pipe2(output, O_CLOEXEC) != 0
            || pipe2(errors, O_CLOEXEC) != 0 || pipe2(m_fdStop, O_CLOEXEC) != 0) {
            for (int fd : {input[0], input[1], output[0], output[1], errors[0], errors[1]})
                if (fd >= 0)
                    close(fd);
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, input[0], 0);
        posix_spawn_file_actions_adddup2(&actions, output[1], 1);
        posix_spawn_file_actions_adddup2(&actions, errors[1], 2);
        std::vector<char*> args;
        for (std::string& arg : argv)
            args.push_back(arg.data());
        args.push_back(nullptr);
        std::vector<std::string> environment = options.environment.value_or(std::vector<std::string>());
        std::vector<char*> variables;
        for (std::string& variable : environment)
            variables.push_back(variable.data());
        variables.push_back(nullptr);
        char** envp = options.environment ? variables.data() : environ;
        m_start = Clock::now();
        const bool bSearch = argv[0].find('/') == std::string::npos;
        const int nSpawned = bSearch ? posix_spawnp(&m_pid, args[0], &actions, nullptr, args.data(), envp)
                                     : posix_spawn(&m_pid, args[0], &actions, nullptr, args.data(), envp);
        posix_spawn_file_actions_destroy(&actions);
        close(input[0]);
        close(output[1]);
        close(errors[1]);
        m_fdInput = input[1];
        if (nSpawned != 0) {
            m_pid = -1;
            close(output[0]);
            close(errors[0]);
            return;
        }
        if (options.nCpu >= 0) {
            // The spawn has returned after the exec: only the first moments of the child run elsewhere.
            cpu_set_t cpus;
            CPU_ZERO(&cpus);
            CPU_SET(options.nCpu, &cpus);
            sched_setaffinity(m_pid, sizeof cpus, &cpus);
        }
        // Waiting on the process descriptor wakes at its end, where polling would add its interval
        // to every time measured.
        m_fdPid = static_cast<int>(syscall(SYS_pidfd_open, m_pid, 0));
        m_reader = std::thread([this, out = output[0], err = errors[0]] { Collect(out, err); });
    }
    ~ChildProcess()
    {
        CloseInput();
        if (m_pid > 0 && !m_bEnded) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
        if (m_reader.joinable()) {
            // A program the child started may still hold the pipes open.
            (void)!write(m_fdStop[1], "x", 1);
            m_reader.join();
        }
        for (int fd : {m_fdStop[0], m_fdStop[1], m_fdPid})
            if (fd >= 0)
                close(fd);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    [[nodiscard]] bool Started() const { return m_pid > 0; }
    [[nodiscard]] pid_t Pid() const { return m_pid; }

    [[nodiscard]] bool Type(const std::string& text)
    {
        return m_fdInput >= 0 && write(m_fdInput, text.data(), text.size()) == ssize_t(text.size());
    }
    void CloseInput()
    {
        if (m_fdInput >= 0)
            close(m_fdInput);
        m_fdInput = -1;
    }
    void Signal(int nSignal) const
    {
        if (m_pid > 0 && !m_bEnded) // once reaped, the number may be another process's
            kill(m_pid, nSignal);
    }

    // What the child has written so far.
    [[nodiscard]] std::string Output() const
    {
        std::lock_guard lock(m_mutex);
        return m_strOutput;
    }
    [[nodiscard]] std::string Errors() const
    {
        std::lock_guard lock(m_mutex);
        return m_strErrors;
    }

    // Waits (bounded) until the standard error (or output) holds text; false when it never did.
    [[nodiscard]] bool WaitForText(const std::string& text, bool bErrors = true, int nSeconds = 10) const
    {
        std::unique_lock lock(m_mutex);
        const std::string& written = bErrors ? m_strErrors : m_strOutput;
        return m_changed.wait_for(lock, std::chrono::seconds(nSeconds), [&] {
            return written.find(text) != std::string::npos || m_bCollected;
        }) && written.find(text) != std::string::npos;
    }

    // The first line of standard output (the simulator's device), waiting for it.
    [[nodiscard]] std::string FirstLine(int nSeconds = 10) const
    {
        if (!WaitForText("\n", false, nSeconds))
            return {};
        const std::string out = Output();
        return out.substr(0, out.find('\n'));
    }

    // Waits up to nSeconds for the end; false when it is still running. Afterwards the outputs are whole.
    [[nodiscard]] bool Wait(int nSeconds = 20)
    {
        const auto giveUp = Clock::now() + std::chrono::seconds(nSeconds);
        while (!m_bEnded && m_pid > 0) {
            rusage usage{};
            const pid_t nDone = wait4(m_pid, &m_nStatus, WNOHANG, &usage);
            if (nDone == m_pid) {
                m_bEnded = true;
                m_dSeconds = SecondsSinceStart();
                m_dCpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
                break;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(giveUp - Clock::now()).count();
            if (nDone < 0 || left < 0)
                return false;
            pollfd end = {m_fdPid, POLLIN, 0};
            if (m_fdPid < 0 || poll(&end, 1, static_cast<int>(std::max<long long>(left, 1))) < 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (!m_bEnded)
            return false;
        // What the child wrote just before its end may still be in the pipes.
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, std::chrono::seconds(5), [this] { return m_bCollected; });
        return true;
    }
    // After Wait: the exit status, or -1 when a signal ended the program.
    [[nodiscard]] int ExitCode() const { return m_bEnded && WIFEXITED(m_nStatus) ? WEXITSTATUS(m_nStatus) : -1; }
    [[nodiscard]] int EndSignal() const { return m_bEnded && WIFSIGNALED(m_nStatus) ? WTERMSIG(m_nStatus) : 0; }
    // After Wait: seconds from the spawn to the end, and the processor time the child used.
    [[nodiscard]] double Seconds() const { return m_dSeconds; }
    [[nodiscard]] double CpuSeconds() const { return m_dCpuSeconds; }

    [[nodiscard]] double SecondsSinceStart() const
    {
        return std::chrono::duration<double>(Clock::now() - m_start).count();
    }

private:
    static double Seconds(const timeval& time) { return double(time.tv_sec) + double(time.tv_usec) / 1e6; }

    void Collect(int fdOutput, int fdErrors)
    {
        pollfd fds[3] = {{fdOutput, POLLIN, 0}, {fdErrors, POLLIN, 0}, {m_fdStop[0], POLLIN, 0}};
        std::string* targets[2] = {&m_strOutput, &m_strErrors};
        while (fds[0].fd >= 0 || fds[1].fd >= 0) {
            if (poll(fds, 3, -1) < 0) {
                if (errno == EINTR)
                    continue;
                break;
            }
            if (fds[2].revents != 0)
                break;
            for (int k = 0; k < 2; ++k) {
                if (fds[k].fd < 0 || fds[k].revents == 0)
                    continue;
                char buffer[4096];
                const ssize_t n = read(fds[k].fd, buffer, sizeof buffer);
                if (n <= 0) {
                    close(fds[k].fd);
                    fds[k].fd = -1; // poll skips it from now on
                    continue;
                }
                std::lock_guard lock(m_mutex);
                targets[k]->append(buffer, static_cast<size_t>(n));
                m_changed.notify_all();
            }
        }
        for (int k = 0; k < 2; ++k)
            if (fds[k].fd >= 0)
                close(fds[k].fd);
        std::lock_guard lock(m_mutex);
        m_bCollected = true;
        m_changed.notify_all();
    }

    pid_t m_pid = -1;
    int m_fdInput = -1;
    int m_fdPid = -1;
    int m_fdStop[2] = {-1, -1};
    int m_nStatus = 0;
    bool m_bEnded = false;
    Clock::time_point m_start = Clock::now();
    double m_dSeconds = -1;
    double m_dCpuSeconds = -1;
    std::thread m_reader;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::string m_strOutput;
    std::string m_strErrors;
    bool m_bCollected = false; // both pipes at their end
};

// A whole run, for a test that needs only its end.
struct ChildRun {
    bool bStarted = false;
    int nExitCode = -1; // -1 also when it crashed or did not finish in time
    std::string output;
    std::string errors;
    double seconds = -1; // from the spawn to the end
};

inline ChildRun Run(const std::vector<std::string>& argv, const ChildOptions& options = {}, int nTimeoutSeconds = 120)
{
    ChildRun run;
    ChildProcess child(argv, options);
    run.bStarted = child.Started();
    if (!run.bStarted || !child.Wait(nTimeoutSeconds))
        return run;
    run.nExitCode = child.ExitCode();
    run.output = child.Output();
    run.errors = child.Errors();
    run.seconds = child.Seconds();
    return run;
}

} // namespace veldran::test
