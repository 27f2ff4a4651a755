#pragma once
// Receives one listing from an open port without a window: waits in poll on the port and on a
// stop descriptor (so a quiet line costs nothing), reads what has arrived in batches and hands the
// bytes on. The listing ends when the line has been quiet for the quiet interval after a byte.

#include "link/ListingReceiver.h"

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace veldran {

// Takes the received bytes in arrival order. False refuses the listing and ends the reception.
class ListingByteSink {
public:
    virtual ~ListingByteSink() = default;
    [[nodiscard]] virtual bool OnBytes(const unsigned char* pBytes, std::size_t nBytes) = 0;
};

enum class EReceiveEnd {
    Quiet,          // bytes arrived and then the line was quiet for the quiet interval
    NothingArrived, // the timeout passed without a byte
    Stopped,        // the stop descriptor became readable
    LineLost,       // hang-up or read failure (nError: errno, 0 for end of file)
    Refused,        // the sink refused the listing
};

struct SReceiveResult {
    EReceiveEnd end = EReceiveEnd::Quiet;
    int nError = 0;
    uint64_t nBytes = 0;
};

struct SReceiveTiming {
    std::chrono::milliseconds quiet = CQuietClock::kQuietTime;
    std::chrono::milliseconds timeout{-1}; // for the first byte; negative: wait for ever
};

// fdPort must be non-blocking. fdStop may be -1.
[[nodiscard]] SReceiveResult ReceiveListing(int fdPort, int fdStop, const SReceiveTiming& timing,
                                            ListingByteSink& sink);

} // namespace veldran
