#pragma once
// The texts of the form's readouts, and for each readout the widest texts it can be asked to
// show, so that its control can be made wide enough for all of them in whatever font it gets.

#include <QString>
#include <QStringList>

namespace veldran {

// "WINDOW : n"
[[nodiscard]] QString WindowText(int window);
// "(first/last)" of the position counters, four digits at least.
[[nodiscard]] QString PositionText(int index, int lastIndex);
// The labels under the cursor lines; the Y label reads "XY=" when both cursors stand together.
[[nodiscard]] QString XCursorText(int x);
[[nodiscard]] QString YCursorText(int x, int y);
// The X − Y readout: the difference of the two cursor values, truncated to whole samples, as a
// time when a clock period is chosen (clockPeriod 1.0 stands for OFF).
[[nodiscard]] QString DistanceText(double xMinusY, double clockPeriod);

// The candidates for the widest text of each readout while the cursors and counters range over
// 0..lastIndex (the capture shown) and the clock period is clockPeriod (the one chosen).
// Digits are whatever the texts hold; a measurement should try each digit in their place.
[[nodiscard]] QStringList CursorValueTextsToFit(int lastIndex);
[[nodiscard]] QStringList CursorLabelTextsToFit(int lastIndex);
[[nodiscard]] QStringList PositionTextsToFit(int lastIndex);
[[nodiscard]] QStringList DistanceTextsToFit(int lastIndex, double clockPeriod);
[[nodiscard]] QStringList WindowTextsToFit();
// Three cell words, and the status texts the value field shows instead.
[[nodiscard]] QStringList ValueTextsToFit();

} // namespace veldran
