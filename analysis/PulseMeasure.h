#pragma once
// The pulse a sample lies in, on one channel: e0 = the last edge ≤ x, e1 = the first edge > x,
// e2 = the first edge > e1. Width = e1 − e0, period = e2 − e0, duty = the high part of that period
// (e1 − e0 when the level at x is 1, else e2 − e1) over the period. A figure whose edges are
// missing is absent.

#include "analysis/SampleStore.h"

#include <cstdint>
#include <optional>

namespace veldran {

struct PulseMeasure {
    uint8_t nLevel = 0;              // the level at x
    std::optional<int64_t> width;    // samples
    std::optional<int64_t> period;   // samples
    std::optional<double> duty;      // 0 … 1
};

// x must be a sample of the capture (0 ≤ x < nCount).
[[nodiscard]] PulseMeasure MeasureAt(const SampleStore& store, int channel, int64_t x);

} // namespace veldran
