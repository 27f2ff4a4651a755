#include "files/StopSignals.h"

#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <iterator>

#include <unistd.h>

namespace veldran {
namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Named temporary files the handler removes: a slot is filled first and marked used after, so the
// handler never reads a half-written name.
struct STemporarySlot {
    volatile std::sig_atomic_t bUsed = 0;
    char szPath[PATH_MAX] = {};
};
STemporarySlot g_slots[4];

const char* g_pszFarewell = nullptr;
size_t g_nFarewellLength = 0;
volatile std::sig_atomic_t g_bInstalled = 0;
bool g_bHeld = false; // a file has replaced its target: the signals wait for the end

sigset_t StopSet()
{
    sigset_t set;
    sigemptyset(&set);
    for (const int nSignal : kStopSignals)
        sigaddset(&set, nSignal);
    return set;
}

// Only async-signal-safe calls: unlink, write, sigaction, sigprocmask, raise.
void OnStopSignal(int nSignal)
{
    for (const STemporarySlot& slot : g_slots)
        if (slot.bUsed)
            ::unlink(slot.szPath);
    if (g_pszFarewell)
        (void)!::write(STDERR_FILENO, g_pszFarewell, g_nFarewellLength);
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    ::sigaction(nSignal, &fallback, nullptr);
    sigset_t self;
    sigemptyset(&self);
    sigaddset(&self, nSignal);
    ::raise(nSignal);
    ::sigprocmask(SIG_UNBLOCK, &self, nullptr);
    ::_exit(128 + nSignal); // not reached: the default action of these signals ends the program
}

} // namespace

void EndOnStopSignals(const char* farewell)
{
    g_pszFarewell = farewell;
    g_nFarewellLength = farewell ? std::strlen(farewell) : 0;
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    action.sa_mask = StopSet(); // one handler at a time
    for (const int nSignal : kStopSignals) {
        // A hang-up ignored from the start (nohup) stays ignored. An ignored SIGINT is caught all
        // the same, as the receiving loop of veldran-capture does: a shell starts a script's
        // background jobs with it ignored, and an explicit kill -INT must still end them cleanly.
        struct sigaction before {};
        if (nSignal == SIGHUP && ::sigaction(nSignal, nullptr, &before) == 0 && before.sa_handler == SIG_IGN)
            continue;
        ::sigaction(nSignal, &action, nullptr);
    }
    g_bInstalled = 1;
}

bool EndingOnStopSignals()
{
    return g_bInstalled != 0;
}

namespace detail {

int RememberTemporary(const char* path)
{
    if (!g_bInstalled || std::strlen(path) >= PATH_MAX)
        return -1;
    for (int n = 0; n < static_cast<int>(std::size(g_slots)); ++n) {
        STemporarySlot& slot = g_slots[n];
        if (slot.bUsed)
            continue;
        std::strcpy(slot.szPath, path);
        std::atomic_signal_fence(std::memory_order_seq_cst);
        slot.bUsed = 1;
        return n;
    }
    return -1;
}

void ForgetTemporary(int slot)
{
    if (slot >= 0 && slot < static_cast<int>(std::size(g_slots)))
        g_slots[slot].bUsed = 0;
}

void BeginReplacing()
{
    if (!g_bInstalled || g_bHeld)
        return;
    const sigset_t stop = StopSet();
    ::sigprocmask(SIG_BLOCK, &stop, nullptr);
    g_bHeld = true;
    sigset_t pending;
    if (::sigpending(&pending) != 0)
        return;
    for (const int nSignal : kStopSignals)
        if (sigismember(&pending, nSignal) == 1)
            ::sigprocmask(SIG_UNBLOCK, &stop, nullptr); // the handler ends the program here
}

} // namespace detail
} // namespace veldran
