#include "analyze/AnalyzeReport.h"

#include "i18n/CliText.h"

#include <charconv>
#include <cstdio>

namespace veldran {
namespace {

std::string JsonOrNull(const std::optional<int64_t>& value)
{
    return value ? std::to_string(*value) : "null";
}

std::string JsonOrNull(const std::optional<double>& value)
{
    return value ? JsonNumber(*value) : "null";
}

std::string Line(const char* text, const std::string& value)
{
    return CliText(Message(text, {value})) + "\n";
}

// "%.6g" of value in the largest of the units (each a thousand times the next) that keeps it at
// least 1, the last one for anything smaller.
std::string Scaled(double value, const char* const units[], const double scales[], int count)
{
    int unit = 0;
    while (unit + 1 < count && value < scales[unit])
        ++unit;
    char text[64];
    std::snprintf(text, sizeof text, "%.6g %s", value / scales[unit], units[unit]);
    return text;
}

std::string SecondsText(double seconds)
{
    static const char* const units[] = {"s", "ms", "us", "ns", "ps"};
    static const double scales[] = {1, 1e-3, 1e-6, 1e-9, 1e-12};
    return Scaled(seconds, units, scales, 5);
}

std::string HertzText(double hertz)
{
    static const char* const units[] = {"GHz", "MHz", "kHz", "Hz"};
    static const double scales[] = {1e9, 1e6, 1e3, 1};
    return Scaled(hertz, units, scales, 4);
}

} // namespace

std::string JsonNumber(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string MatchReport(std::optional<int64_t> match, bool bJson)
{
    if (bJson)
        return "{\"match\": " + JsonOrNull(match) + "}\n";
    return match ? Line(text::kAnalyzeMatch, std::to_string(*match)) : CliText(text::kAnalyzeNoMatch) + "\n";
}

std::string CountReport(int64_t count, bool bJson)
{
    if (bJson)
        return "{\"count\": " + std::to_string(count) + "}\n";
    return Line(text::kAnalyzeMatchCount, std::to_string(count));
}

std::string AllMatchesReport(const std::vector<int64_t>& matches, bool bJson)
{
    std::string out;
    if (bJson) {
        out = "{\"matches\": [";
        for (size_t i = 0; i < matches.size(); ++i)
            out += (i ? ", " : "") + std::to_string(matches[i]);
        return out + "]}\n";
    }
    if (matches.empty())
        return MatchReport(std::nullopt, false);
    for (const int64_t match : matches)
        out += MatchReport(match, false);
    return out;
}

std::string MeasureReport(const PulseMeasure& pulse, std::optional<uint64_t> clockFs, bool bJson)
{
    const auto seconds = [&](const std::optional<int64_t>& samples) -> std::optional<double> {
        if (!samples || !clockFs)
            return std::nullopt;
        return static_cast<double>(*samples) * static_cast<double>(*clockFs) / 1e15;
    };
    const std::optional<double> widthS = seconds(pulse.width);
    const std::optional<double> periodS = seconds(pulse.period);
    const std::optional<double> frequency = periodS ? std::optional<double>(1.0 / *periodS) : std::nullopt;
    if (bJson)
        return "{\"level\": " + std::to_string(pulse.nLevel) + ", \"width\": " + JsonOrNull(pulse.width) +
               ", \"period\": " + JsonOrNull(pulse.period) + ", \"duty\": " + JsonOrNull(pulse.duty) +
               ", \"frequency_hz\": " + JsonOrNull(frequency) + ", \"width_s\": " + JsonOrNull(widthS) +
               ", \"period_s\": " + JsonOrNull(periodS) + "}\n";

    const std::string none = CliText(text::kAnalyzeAbsent);
    const auto length = [&](const std::optional<int64_t>& samples, const std::optional<double>& time) {
        if (!samples)
            return none;
        const std::string text = CliText(Message(text::kAnalyzeSamples, {std::to_string(*samples)}));
        return time ? text + " (" + SecondsText(*time) + ")" : text;
    };
    char duty[32] = {};
    if (pulse.duty)
        std::snprintf(duty, sizeof duty, "%.4g%%", *pulse.duty * 100);
    return Line(text::kAnalyzeLevel, std::to_string(pulse.nLevel)) + Line(text::kAnalyzeWidth, length(pulse.width, widthS)) +
           Line(text::kAnalyzePeriod, length(pulse.period, periodS)) +
           Line(text::kAnalyzeDuty, pulse.duty ? std::string(duty) : none) +
           Line(text::kAnalyzeFrequency, frequency ? HertzText(*frequency) : none);
}

std::string EdgesReport(const EdgeCounts& counts, bool bJson)
{
    if (bJson)
        return "{\"rising\": " + std::to_string(counts.nRising) + ", \"falling\": " + std::to_string(counts.nFalling) +
               ", \"total\": " + std::to_string(counts.nTotal) + "}\n";
    return Line(text::kAnalyzeRising, std::to_string(counts.nRising)) +
           Line(text::kAnalyzeFalling, std::to_string(counts.nFalling)) +
           Line(text::kAnalyzeTotalEdges, std::to_string(counts.nTotal));
}

} // namespace veldran
