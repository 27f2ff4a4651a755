#pragma once
// The text of the "Application Error" box that reports a failed serial call.

#include <cstddef>
#include <string>

namespace veldran {

// Longest box text, in bytes. A long system text is cut to fit; the port line always survives.
inline constexpr std::size_t kMaxErrorText = 512;

// "WARNING:  <call> Failed with the following error: \n<system text>\nPort: <n>\n", at most
// kMaxErrorText bytes; the system text is cut on a character boundary (it may be UTF-8).
[[nodiscard]] std::string ComposeErrorText(const std::string& callName, const std::string& systemText, int nPort);

// The system's own description of an errno value (thread-safe).
[[nodiscard]] std::string SystemErrorText(int nError);

} // namespace veldran
