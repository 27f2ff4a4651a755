#pragma once
// The instrument's selectable clock periods: what the options list offers, what the option bar
// shows, and how many seconds one sample stands for. Row 0 is OFF, kept as exactly 1.0 s so the
// time readout can tell it apart from a real period.

#include <optional>
#include <string>

namespace veldran {

[[nodiscard]] int ClockPeriodCount();
// The text of the options list; empty outside 0 .. ClockPeriodCount() − 1.
[[nodiscard]] std::string ClockPeriodListText(int index);
// "Clock period : ..." for the option bar; empty outside the table.
inline constexpr const char* kClockPeriodLabelPrefix = "Clock period : ";
[[nodiscard]] std::string ClockPeriodLabel(int index);
// Seconds per sample; nothing outside the table (the caller keeps its current period).
[[nodiscard]] std::optional<double> ClockPeriodSeconds(int index);

} // namespace veldran
