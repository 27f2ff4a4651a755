#pragma once
// A generated 48-channel capture for the export tests: its own sample store, names and clock.

#include "export/ExportCapture.h"

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace veldran::test {

struct GeneratedCapture {
    std::vector<uint8_t> samples;
    ExportableCapture capture;

    // count samples; each channel toggles with its own probability, so slow and busy channels mix.
    GeneratedCapture(int count, unsigned seed, std::optional<double> clock = std::nullopt)
        : samples(static_cast<size_t>(count) * kExportChannelCount)
    {
        std::mt19937 random(seed);
        std::vector<uint8_t> level(kExportChannelCount);
        for (int ch = 0; ch < kExportChannelCount; ++ch)
            level[static_cast<size_t>(ch)] = random() & 1;
        for (int i = 0; i < count; ++i) {
            for (int ch = 0; ch < kExportChannelCount; ++ch) {
                auto& l = level[static_cast<size_t>(ch)];
                if (static_cast<int>(random() % 64) < ch + 1)
                    l ^= 1;
                samples[static_cast<size_t>(i) * kExportChannelCount + static_cast<size_t>(ch)] = l;
            }
        }
        for (int ch = 0; ch < kExportChannelCount; ++ch)
            capture.strNames[static_cast<size_t>(ch)] = "ch" + std::to_string(ch);
        Bind(count, clock);
    }

    // count samples of level(sample, channel), each 0 or 1; the names left empty.
    GeneratedCapture(int count, const std::function<int(int, int)>& level, std::optional<double> clock)
        : samples(static_cast<size_t>(count) * kExportChannelCount)
    {
        for (int i = 0; i < count; ++i)
            for (int ch = 0; ch < kExportChannelCount; ++ch)
                samples[static_cast<size_t>(i) * kExportChannelCount + static_cast<size_t>(ch)] =
                    static_cast<uint8_t>(level(i, ch));
        Bind(count, clock);
    }

    void Bind(int count, std::optional<double> clock)
    {
        capture.nSampleCount = count;
        capture.pSamples = samples.data();
        capture.dClockPeriod = clock;
    }

    // The samples packed as sigrok hands them out: 6 bytes per sample, channel ch at bit ch % 8 of
    // byte ch / 8.
    [[nodiscard]] std::string Packed() const
    {
        std::string packed(static_cast<size_t>(capture.nSampleCount) * 6, '\0');
        for (int i = 0; i < capture.nSampleCount; ++i)
            for (int ch = 0; ch < kExportChannelCount; ++ch)
                if (samples[static_cast<size_t>(i) * kExportChannelCount + static_cast<size_t>(ch)])
                    packed[static_cast<size_t>(i) * 6 + static_cast<size_t>(ch / 8)] |= static_cast<char>(1 << (ch % 8));
        return packed;
    }
};

} // namespace veldran::test
