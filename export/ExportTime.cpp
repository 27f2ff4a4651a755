#include "export/ExportTime.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

namespace veldran {
namespace {

struct TimeUnit {
    const char* name;
    uint64_t femtoseconds;
};

// Coarsest first.
constexpr std::array<TimeUnit, 6> kUnits{{
    {"s", 1'000'000'000'000'000ULL},
    {"ms", 1'000'000'000'000ULL},
    {"us", 1'000'000'000ULL},
    {"ns", 1'000'000ULL},
    {"ps", 1'000ULL},
    {"fs", 1ULL},
}};

constexpr uint64_t kFemtosecondsPerSecond = 1'000'000'000'000'000ULL;
constexpr double kLongestPeriodSeconds = 3600.0; // its femtoseconds fit in 64 bits

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::optional<uint64_t> UnitFemtoseconds(std::string_view unit)
{
    if (unit == "\xC2\xB5s" || unit == "\xCE\xBCs") // micro sign, Greek mu
        return kUnits[2].femtoseconds;
    for (const TimeUnit& u : kUnits)
        if (unit == u.name)
            return u.femtoseconds;
    return std::nullopt;
}

} // namespace

std::optional<uint64_t> PeriodFemtoseconds(double seconds)
{
    if (!std::isfinite(seconds) || seconds <= 0.0 || seconds > kLongestPeriodSeconds)
        return std::nullopt;
    const double fs = std::round(seconds * 1e15);
    if (fs < 1.0)
        return std::nullopt;
    return static_cast<uint64_t>(fs);
}

VcdTimescale ChooseTimescale(uint64_t periodFs)
{
    for (const TimeUnit& unit : kUnits) {
        for (const int multiplier : {100, 10, 1}) {
            const uint64_t scale = unit.femtoseconds * static_cast<uint64_t>(multiplier);
            if (scale <= periodFs && periodFs % scale == 0)
                return {multiplier, unit.name, periodFs / scale};
        }
    }
    return {1, "fs", periodFs};
}

uint64_t SampleRateHz(uint64_t periodFs)
{
    if (periodFs == 0)
        return 0;
    return (kFemtosecondsPerSecond + periodFs / 2) / periodFs;
}

void AppendSeconds(std::string& out, uint64_t nSample, uint64_t periodFs)
{
    unsigned __int128 fs = static_cast<unsigned __int128>(nSample) * periodFs;
    char digits[48];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + static_cast<int>(fs % 10));
        fs /= 10;
    } while (fs != 0);
    // digits holds the femtoseconds least significant first; the point goes 15 places in.
    constexpr int kFraction = 15;
    while (n <= kFraction)
        digits[n++] = '0';
    for (int i = n - 1; i >= kFraction; --i)
        out += digits[i];
    int last = 0;
    while (last < kFraction && digits[last] == '0')
        ++last;
    if (last == kFraction)
        return;
    out += '.';
    for (int i = kFraction - 1; i >= last; --i)
        out += digits[i];
}

std::optional<std::optional<uint64_t>> ParseClockPeriod(std::string_view text)
{
    text = Trim(text);
    if (EqualsIgnoringCase(text, "off"))
        return std::optional<uint64_t>();
    size_t numberEnd = 0;
    while (numberEnd < text.size() && (std::isdigit(static_cast<unsigned char>(text[numberEnd])) || text[numberEnd] == '.'))
        ++numberEnd;
    const std::string_view number = text.substr(0, numberEnd);
    const std::optional<uint64_t> unit = UnitFemtoseconds(Trim(text.substr(numberEnd)));
    const size_t point = number.find('.');
    if (!unit || number.empty() || number == "." || number.find('.', point + 1) != std::string_view::npos)
        return std::nullopt;
    // Whole part and fraction are read as integers so "0.1 s" is exactly 100 ms.
    const std::string_view whole = number.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : number.substr(point + 1);
    unsigned __int128 fs = 0;
    for (const char c : whole) {
        fs = fs * 10 + static_cast<unsigned>(c - '0');
        if (fs > kFemtosecondsPerSecond * 1'000'000ULL)
            return std::nullopt;
    }
    fs *= *unit;
    uint64_t scale = *unit;
    for (const char c : fraction) {
        if (scale % 10 != 0)
            return std::nullopt; // finer than a femtosecond
        scale /= 10;
        fs += static_cast<unsigned __int128>(c - '0') * scale;
    }
    if (fs == 0 || fs > static_cast<unsigned __int128>(kLongestPeriodSeconds) * kFemtosecondsPerSecond)
        return std::nullopt;
    return std::optional<uint64_t>(static_cast<uint64_t>(fs));
}

std::string PeriodText(uint64_t periodFs)
{
    for (const TimeUnit& unit : kUnits) {
        if (periodFs < unit.femtoseconds)
            continue;
        std::string text = std::to_string(periodFs / unit.femtoseconds);
        uint64_t rest = periodFs % unit.femtoseconds;
        if (rest != 0) {
            std::string fraction;
            for (uint64_t scale = unit.femtoseconds / 10; scale != 0 && rest != 0; scale /= 10) {
                fraction += static_cast<char>('0' + rest / scale);
                rest %= scale;
            }
            text += '.' + fraction;
        }
        return text + ' ' + unit.name;
    }
    return "0 fs";
}

} // namespace veldran
