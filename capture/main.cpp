// veldran-capture: receives one STATE listing from the instrument without a window and writes it
// to a file, for scripts, remote sessions and machines without a desktop.

#include "capture/CaptureOptions.h"
#include "capture/CaptureRun.h"
#include "i18n/CliText.h"

#include <csignal>
#include <cstdio>
#include <cstdint>

#include <sys/eventfd.h>
#include <unistd.h>

namespace {

int g_fdStop = -1;
volatile std::sig_atomic_t g_nSignal = 0;

// Only wakes the receiving loop; the run ends and cleans up on its own thread.
void OnStopSignal(int nSignal)
{
    g_nSignal = nSignal;
    const uint64_t nOne = 1;
    (void)!write(g_fdStop, &nOne, sizeof nOne);
}

void CatchStopSignals()
{
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    for (const int nSignal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(nSignal, &action, nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    veldran::SCaptureOptions options;
    std::string error;
    if (!veldran::ParseCaptureArguments(argc, argv, options, error)) {
        std::fputs(veldran::CliUsageError("veldran-capture", error).c_str(), stderr);
        return veldran::kExitUsage;
    }
    if (options.bHelp) {
        std::fputs(veldran::kCaptureHelp, stdout);
        return 0;
    }
    if (options.bVersion) {
        std::printf("veldran-capture %s\n", VELDRAN_VERSION);
        return 0;
    }
    if (options.bListPorts) {
        veldran::PrintPortList(stdout);
        return 0;
    }

    if (options.bRecover)
        return veldran::RecoverCapture(options, stderr);

    g_fdStop = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (g_fdStop < 0) {
        std::perror("veldran-capture: eventfd");
        return veldran::kExitPortOrFile;
    }
    CatchStopSignals();
    const int nExit = veldran::RunCapture(options, g_fdStop, stderr, &g_nSignal);
    if (nExit == veldran::kExitStopped) {
        // End by the signal itself, so a calling shell or script sees the interruption as such.
        const int nSignal = g_nSignal ? static_cast<int>(g_nSignal) : SIGINT;
        std::signal(nSignal, SIG_DFL);
        std::raise(nSignal);
        return 128 + nSignal;
    }
    return nExit;
}
