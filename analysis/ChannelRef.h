#pragma once
// Naming a channel the way the analyses and their users do: "D0" … "D47" (16 × cell + channel in
// the cell, the order the exports write them), or the channel's user name, case-insensitive, in
// double quotes when it holds blanks or commas.

#include "document/CaptureDocument.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veldran {

// The channel a text names, if it names one. "D7" and "d7" are channel 7; a user name matches
// when it equals the text ignoring case (quotes around the text are taken off first). The D-form
// wins over a user name that happens to read "D…".
[[nodiscard]] std::optional<int> ParseChannel(std::string_view text, const ChannelNames& names);

// "D0" … "D47".
[[nodiscard]] std::string ChannelId(int channel);

// The text without blanks and tabs at either end.
[[nodiscard]] std::string_view TrimBlanks(std::string_view text);

// Where `wanted` first occurs in text outside double quotes, or npos: a quoted user name may hold
// the commas, dots and equals signs that separate the parts of a pattern or a bus.
[[nodiscard]] size_t FindOutsideQuotes(std::string_view text, std::string_view wanted);

// The text cut at its commas outside double quotes, each piece without blanks at either end.
[[nodiscard]] std::vector<std::string_view> SplitOutsideQuotes(std::string_view text);

} // namespace veldran
