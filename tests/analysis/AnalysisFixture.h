#pragma once
// A capture worked out by hand for the analysis tests (100 000 samples):
//  - D7 is high for samples n with n % 10 < 3;
//  - D0 carries a UART stream, 10 samples a bit, 8N1, idle high: the bytes 0x55 0x00 0xFF 0xA5 in
//    frames back to back from sample 100 (frame k starts at 100 + 100 k);
//  - D15..D8 hold (n / 100) mod 256, D8 its least significant bit;
//  - D46 is high at sample 0 only, D47 at the last sample only.

#include "analysis/SampleStore.h"

#include <cstdint>
#include <vector>

namespace veldran::test {

constexpr int64_t kFixtureSamples = 100000;
constexpr int64_t kUartStart = 100;
constexpr int kUartBit = 10;
inline const uint8_t kUartBytes[] = {0x55, 0x00, 0xFF, 0xA5};

// The level of the UART line at a sample.
inline uint8_t UartLevel(int64_t n)
{
    const int64_t frame = (n - kUartStart) / (10 * kUartBit);
    if (n < kUartStart || frame >= static_cast<int64_t>(sizeof kUartBytes))
        return 1;
    const int64_t bit = (n - kUartStart) / kUartBit % 10;
    if (bit == 0)
        return 0;
    if (bit == 9)
        return 1;
    return (kUartBytes[frame] >> (bit - 1)) & 1;
}

class AnalysisFixture {
public:
    AnalysisFixture() : m_levels(kFixtureSamples * 48, 0)
    {
        for (int64_t n = 0; n < kFixtureSamples; ++n) {
            uint8_t* sample = &m_levels[n * 48];
            sample[0] = UartLevel(n);
            sample[7] = n % 10 < 3;
            for (int bit = 0; bit < 8; ++bit)
                sample[8 + bit] = (n / 100 % 256 >> bit) & 1;
            sample[46] = n == 0;
            sample[47] = n == kFixtureSamples - 1;
        }
    }

    [[nodiscard]] SampleStore Store() const { return {m_levels.data(), kFixtureSamples}; }

private:
    std::vector<uint8_t> m_levels;
};

} // namespace veldran::test
