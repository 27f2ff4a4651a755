#include "link/ClockPeriods.h"

#include <array>

namespace veldran {
namespace {

struct ClockPeriodRow {
    const char* listText;
    double seconds;
};

// The periods are written as decimals so each is the nearest double to the value shown.
constexpr std::array<ClockPeriodRow, 22> kRows{{
    {"OFF", 1.0},
    {"100 millisec", 0.1},
    {"50 millisec", 0.05},
    {"20 millisec", 0.02},
    {"10 millisec", 0.01},
    {"5 millisec", 0.005},
    {"2 millisec", 0.002},
    {"1 millisec", 0.001},
    {"500 microsec", 0.0005},
    {"200 microsec", 0.0002},
    {"100 microsec", 0.0001},
    {"50 microsec", 0.00005},
    {"20 microsec", 0.00002},
    {"10 microsec", 0.00001},
    {"5 microsec", 0.000005},
    {"2 microsec", 0.000002},
    {"1 microsec", 0.000001},
    {"500 nanosec", 0.0000005},
    {"200 nanosec", 0.0000002},
    {"100 nanosec", 0.0000001},
    {"50 nanosec", 0.00000005},
    {"40 nanosec", 0.00000004},
}};

const ClockPeriodRow* Row(int index)
{
    if (index < 0 || index >= static_cast<int>(kRows.size()))
        return nullptr;
    return &kRows[static_cast<size_t>(index)];
}

} // namespace

int ClockPeriodCount()
{
    return static_cast<int>(kRows.size());
}

std::string ClockPeriodListText(int index)
{
    const ClockPeriodRow* row = Row(index);
    return row ? std::string(row->listText) : std::string();
}

std::string ClockPeriodLabel(int index)
{
    const ClockPeriodRow* row = Row(index);
    return row ? std::string(kClockPeriodLabelPrefix) + row->listText : std::string();
}

std::optional<double> ClockPeriodSeconds(int index)
{
    const ClockPeriodRow* row = Row(index);
    if (!row)
        return std::nullopt;
    return row->seconds;
}

} // namespace veldran
