#pragma once
// A small capture for the annotation tests: sample n holds kBytes[n] on D7..D0 (D0 its least
// significant bit), its complement on D15..D8, and D47 high on odd samples.

#include "analysis/SampleStore.h"

#include <cstdint>
#include <vector>

namespace veldran::test {

inline const uint8_t kBytes[] = {0x41, 0x00, 0xFF, 0x7F, 0x80, 0x0A, 0x7E, 0x20};
constexpr int64_t kSamples = sizeof kBytes;

class AnnotationsFixture {
public:
    AnnotationsFixture() : m_levels(kSamples * 48, 0)
    {
        for (int64_t n = 0; n < kSamples; ++n) {
            uint8_t* sample = &m_levels[n * 48];
            for (int bit = 0; bit < 8; ++bit) {
                sample[bit] = (kBytes[n] >> bit) & 1;
                sample[8 + bit] = !sample[bit];
            }
            sample[47] = n % 2;
        }
    }

    [[nodiscard]] SampleStore Store() const { return {m_levels.data(), kSamples}; }

private:
    std::vector<uint8_t> m_levels;
};

} // namespace veldran::test
