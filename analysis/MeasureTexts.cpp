#include "analysis/MeasureTexts.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace veldran {
namespace {

struct Unit {
    double scale;
    const char* name;
};

// value in the largest of units (largest first) that shows it as 1 or more, rounded to four
// significant digits; a value that rounds up to 1000 of one unit is shown in the next.
template <size_t N>
std::string Scaled(double value, const std::array<Unit, N>& units)
{
    if (value == 0.0) {
        for (const Unit& unit : units)
            if (unit.scale == 1.0)
                return std::string("0 ") + unit.name;
    }
    const double magnitude = std::fabs(value);
    size_t chosen = N - 1;
    for (size_t i = 0; i < N; ++i) {
        if (magnitude / units[i].scale >= 0.99995) {
            chosen = i;
            break;
        }
    }
    char buffer[64];
    const double shown = value / units[chosen].scale;
    // Large numbers of the largest unit keep their whole digits rather than an exponent.
    if (std::fabs(shown) >= 10000.0)
        std::snprintf(buffer, sizeof buffer, "%.0f %s", shown, units[chosen].name);
    else
        std::snprintf(buffer, sizeof buffer, "%.4g %s", shown, units[chosen].name);
    return buffer;
}

constexpr std::array<Unit, 4> kTimeUnits{{{1.0, "s"}, {1e-3, "ms"}, {1e-6, "µs"}, {1e-9, "ns"}}};
constexpr std::array<Unit, 4> kFrequencyUnits{{{1e9, "GHz"}, {1e6, "MHz"}, {1e3, "kHz"}, {1.0, "Hz"}}};

} // namespace

bool IsClockOff(double clockPeriod)
{
    return clockPeriod == 1.0;
}

std::string TimeText(double seconds)
{
    return Scaled(seconds, kTimeUnits);
}

std::string FrequencyText(double hertz)
{
    return Scaled(hertz, kFrequencyUnits);
}

SpanText SpanOf(std::optional<int64_t> samples, double clockPeriod)
{
    if (!samples)
        return {kMissingFigure, kMissingFigure};
    const std::string time = IsClockOff(clockPeriod) ? std::string() : TimeText(static_cast<double>(*samples) * clockPeriod);
    return {time, std::to_string(*samples)};
}

PulseTexts FormatPulse(const PulseMeasure& pulse, double clockPeriod)
{
    PulseTexts texts;
    texts.level = std::to_string(pulse.nLevel);
    texts.width = SpanOf(pulse.width, clockPeriod);
    texts.period = SpanOf(pulse.period, clockPeriod);
    texts.frequency = pulse.period && *pulse.period > 0 && !IsClockOff(clockPeriod)
                          ? FrequencyText(1.0 / (static_cast<double>(*pulse.period) * clockPeriod))
                          : kMissingFigure;
    if (pulse.duty) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.1f %%", *pulse.duty * 100.0);
        texts.duty = buffer;
    } else {
        texts.duty = kMissingFigure;
    }
    return texts;
}

CursorSpanTexts FormatCursorSpan(int64_t x, int64_t y, const EdgeCounts& edges, double clockPeriod)
{
    CursorSpanTexts texts;
    const int64_t delta = x - y;
    texts.delta = SpanOf(delta, clockPeriod);
    texts.inverse = delta != 0 && !IsClockOff(clockPeriod)
                        ? FrequencyText(1.0 / (static_cast<double>(std::llabs(delta)) * clockPeriod))
                        : kMissingFigure;
    texts.rising = std::to_string(edges.nRising);
    texts.falling = std::to_string(edges.nFalling);
    texts.total = std::to_string(edges.nTotal);
    return texts;
}

} // namespace veldran
