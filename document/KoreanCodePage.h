#pragma once
// Conversion between the program's UTF-8 text and the Korean code page (CP949), which the capture
// file and the settings file hold.

#include <string>

namespace veldran {

// Bytes that cannot be represented are replaced by '?'.
[[nodiscard]] std::string Utf8ToCp949(const std::string& utf8);
// Invalid byte sequences are replaced by U+FFFD.
[[nodiscard]] std::string Cp949ToUtf8(const std::string& cp949);

} // namespace veldran
