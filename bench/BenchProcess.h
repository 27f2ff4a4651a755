#pragma once
// Whole processes for the benchmarks: started with posix_spawn, timed from the spawn, reaped.
// Both sides of a comparison go through here, so they are started and timed the same way.

#include <chrono>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace veldran::bench {

struct ProcessRun {
    double seconds = -1; // -1: it could not be started or did not exit with 0
    std::string output;  // its standard output (the first 255 bytes)
};

// Runs args[0] (searched in PATH) to its end. With untilFirstLine the time stops at the first line
// the process writes, and the process is reaped afterwards.
// quietErrors: the child's standard error goes nowhere (the platform's start-up chatter).
inline ProcessRun RunProcess(const std::vector<std::string>& args, bool untilFirstLine = false,
                             bool quietErrors = false)
{
    ProcessRun run;
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    if (quietErrors)
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const auto start = std::chrono::steady_clock::now();
    const int spawned = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    ::close(pipeFds[1]);
    char buffer[256];
    ssize_t n = 0;
    while (!(untilFirstLine && run.output.find('\n') != std::string::npos) &&
           (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0)
        if (run.output.size() < 255)
            run.output.append(buffer, static_cast<size_t>(n));
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    int status = 0;
    const bool ok = spawned == 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    ::close(pipeFds[0]);
    posix_spawn_file_actions_destroy(&actions);
    if (ok)
        run.seconds = seconds;
    return run;
}

} // namespace veldran::bench
