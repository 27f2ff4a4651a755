#pragma once
// Reading and writing numbers the way the C library does in the "C" locale, whatever locale the
// user runs: the numeric boxes always show and accept a decimal point, never a decimal comma.

#include <string>

namespace veldran {

struct ScannedNumber {
    int nItems = 0;     // what a "%f%s" scan assigns: 0 (or less) no number, 1 a lone number, 2 more words
    float fValue = 0.0f; // meaningful when nItems >= 1
};

// Scans text with the "%f%s" rule: a number with optional white space around it reads as one item,
// a number followed by anything else as two. A text holding a NUL character is not a number.
[[nodiscard]] ScannedNumber ScanNumberText(const std::string& text);

// printf-style formatting of one double in the "C" locale. The format is built by the program,
// never taken from the user.
[[nodiscard]] std::string FormatNumber(const char* format, double value);

// Characters after the first '.' of the "%G" rendering of value (an exponent part counts too);
// 0 when the rendering has no '.'.
[[nodiscard]] int CountDecimalsG(double value);

} // namespace veldran
