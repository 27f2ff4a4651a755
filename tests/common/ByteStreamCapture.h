#pragma once
// A capture for the bus tests: D7 is high for 3 of every 10 samples (0…2, 10…12, …) and D6 … D0
// carry the bytes of kByteStream in turn, one a sample, D0 the least significant bit; the other
// channels stay low. The tests work out what bus D7..D0 reads at chosen samples by hand.

#include "tests/common/ListingBuilder.h"

#include <string>

namespace veldran::test {

inline constexpr char kByteStream[] = "VELDRAN 0~\x7F\x01z";
inline constexpr int kByteStreamLength = sizeof kByteStream - 1; // 13

inline int ByteStreamLevel(int sample, int channel)
{
    if (channel == 7)
        return sample % 10 < 3;
    if (channel > 7)
        return 0;
    return (static_cast<unsigned char>(kByteStream[sample % kByteStreamLength]) >> channel) & 1;
}

// Saves the capture of `count` samples at path, D7 named "strobe".
inline bool SaveByteStreamCapture(int count, const std::string& path)
{
    ChannelNames names;
    names[7] = "strobe";
    return SaveListing(CellsOf(count, ByteStreamLevel), names, path);
}

} // namespace veldran::test
