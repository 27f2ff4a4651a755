#pragma once
// The figures of the measurements panel as text, without Qt: times in s, ms, µs or ns, frequencies
// in Hz … GHz, sample counts always, and "—" for a figure whose edges the capture does not hold.
// A clock period of 1.0 s stands for the clock OFF, as in the form's X − Y readout: then only
// samples are shown and the figures that need a time stay "—".

#include "analysis/Edges.h"
#include "analysis/PulseMeasure.h"

#include <cstdint>
#include <optional>
#include <string>

namespace veldran {

inline constexpr const char* kMissingFigure = "—";

[[nodiscard]] bool IsClockOff(double clockPeriod);
// Four significant digits in the largest unit that keeps the number at 1 or more: "12.5 µs".
[[nodiscard]] std::string TimeText(double seconds);
[[nodiscard]] std::string FrequencyText(double hertz);

// A span of samples: its time ("" with the clock OFF) and its samples.
struct SpanText {
    std::string time;
    std::string samples;
};
[[nodiscard]] SpanText SpanOf(std::optional<int64_t> samples, double clockPeriod);

// The pulse at the X cursor on the selected channel.
struct PulseTexts {
    std::string level;
    SpanText width;
    SpanText period;
    std::string frequency;
    std::string duty;
};
[[nodiscard]] PulseTexts FormatPulse(const PulseMeasure& pulse, double clockPeriod);

// Between the cursors: X − Y as a time and in samples, its inverse, and the selected channel's
// edges in between.
struct CursorSpanTexts {
    SpanText delta;
    std::string inverse;
    std::string rising;
    std::string falling;
    std::string total;
};
[[nodiscard]] CursorSpanTexts FormatCursorSpan(int64_t x, int64_t y, const EdgeCounts& edges, double clockPeriod);

} // namespace veldran
