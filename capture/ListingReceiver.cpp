#include "capture/ListingReceiver.h"

#include <cerrno>
#include <vector>

#include <poll.h>
#include <unistd.h>

namespace veldran {

namespace {

using Clock = std::chrono::steady_clock;

// One read takes what the driver holds; a pseudo-terminal hands over at most 4 KiB at a time and
// a serial driver less, so this is never the limit.
constexpr std::size_t kBatchBytes = 64 * 1024;

// Milliseconds to wait until deadline, rounded up so that the wake-up is never early.
int MillisecondsUntil(Clock::time_point deadline, Clock::time_point now)
{
    if (deadline <= now)
        return 0;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
    return wait.count() > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(wait.count());
}

} // namespace

SReceiveResult ReceiveListing(int fdPort, int fdStop, const SReceiveTiming& timing, ListingByteSink& sink)
{
    SReceiveResult result;
    std::vector<unsigned char> buffer(kBatchBytes);
    const bool bTimeout = timing.timeout.count() >= 0;
    const Clock::time_point giveUp = Clock::now() + (bTimeout ? timing.timeout : std::chrono::milliseconds(0));
    CQuietClock quiet;
    quiet.SetQuietTime(timing.quiet);

    for (;;) {
        const Clock::time_point now = Clock::now();
        int nWaitMs = -1;
        if (result.nBytes > 0) {
            nWaitMs = MillisecondsUntil(quiet.Deadline(), now);
            if (nWaitMs == 0) {
                result.end = EReceiveEnd::Quiet;
                return result;
            }
        } else if (bTimeout) {
            nWaitMs = MillisecondsUntil(giveUp, now);
            if (nWaitMs == 0) {
                result.end = EReceiveEnd::NothingArrived;
                return result;
            }
        }

        pollfd fds[2] = {{fdPort, POLLIN, 0}, {fdStop, POLLIN, 0}};
        const int nReady = poll(fds, fdStop >= 0 ? 2 : 1, nWaitMs);
        if (nReady < 0 && errno != EINTR) {
            result.end = EReceiveEnd::LineLost;
            result.nError = errno;
            return result;
        }
        if (nReady <= 0)
            continue; // a signal (the stop descriptor says whether to end) or the wait is over
        if (fdStop >= 0 && (fds[1].revents & POLLIN)) {
            result.end = EReceiveEnd::Stopped;
            return result;
        }
        if (fds[0].revents & POLLNVAL) {
            result.end = EReceiveEnd::LineLost;
            result.nError = EBADF;
            return result;
        }
        if ((fds[0].revents & (POLLIN | POLLHUP | POLLERR)) == 0)
            continue;

        // One read per wake-up, so a stop is seen between batches even while the line streams.
        const ssize_t nRead = read(fdPort, buffer.data(), buffer.size());
        if (nRead > 0) {
            result.nBytes += static_cast<uint64_t>(nRead);
            quiet.Noted(Clock::now());
            if (!sink.OnBytes(buffer.data(), static_cast<std::size_t>(nRead))) {
                result.end = EReceiveEnd::Refused;
                return result;
            }
            continue;
        }
        if (nRead < 0 && errno == EINTR)
            continue;
        if (nRead < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && (fds[0].revents & (POLLHUP | POLLERR)) == 0)
            continue;
        // End of file, a failed read, or a hang-up with nothing left to read: the line is gone.
        result.end = EReceiveEnd::LineLost;
        result.nError = nRead < 0 && errno != EAGAIN && errno != EWOULDBLOCK ? errno : 0;
        return result;
    }
}

} // namespace veldran
