#pragma once
// Time in the exported files. A clock period is held as a whole number of femtoseconds, the finest
// unit a value change dump knows, so every timestamp and every time column is exact.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veldran {

// A VCD timescale: 1, 10 or 100 of a unit from s down to fs, and how many of it one sample lasts.
struct VcdTimescale {
    int nMultiplier = 1;       // 1, 10 or 100
    const char* unit = "s";    // "s", "ms", "us", "ns", "ps" or "fs"
    uint64_t nStep = 1;        // timescale units per sample
};

// The period in femtoseconds, rounded; nothing when it is not positive and finite, rounds to zero,
// or is longer than an hour.
[[nodiscard]] std::optional<uint64_t> PeriodFemtoseconds(double seconds);

// The coarsest standard timescale that divides the period, so timestamps stay small integers
// (40 ns → 10 ns, step 4; 100 ms → 100 ms, step 1).
[[nodiscard]] VcdTimescale ChooseTimescale(uint64_t periodFs);

// The samples per second of the period, rounded to the nearest whole number (0 below 0.5 Hz).
[[nodiscard]] uint64_t SampleRateHz(uint64_t periodFs);

// nSample × periodFs written in seconds as a plain decimal without a trailing zero: "0",
// "0.00000004", "12.5".
void AppendSeconds(std::string& out, uint64_t nSample, uint64_t periodFs);

// Reads a clock period as a command line gives it: a decimal number and a unit ("40ns", "2.5 us",
// "1ms", "0.1s"; "µs" and "us" alike), or "OFF". In the result, nothing (inner) stands for OFF;
// nothing (outer) means the text is not a period.
[[nodiscard]] std::optional<std::optional<uint64_t>> ParseClockPeriod(std::string_view text);

// "40 ns", "100 ms", "2.5 us": the period in the largest unit that keeps it at least 1.
[[nodiscard]] std::string PeriodText(uint64_t periodFs);

} // namespace veldran
