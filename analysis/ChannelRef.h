#pragma once
// Naming a channel the way the analyses and their users do: "D0" … "D47" (16 × cell + channel in
// the cell, the order the exports write them), or the channel's user name, case-insensitive, in
// double quotes when it holds blanks or commas.

#include "document/CaptureDocument.h"

#include <optional>
#include <string>
#include <string_view>

namespace veldran {

// The channel a text names, if it names one. "D7" and "d7" are channel 7; a user name matches
// when it equals the text ignoring case (quotes around the text are taken off first). The D-form
// wins over a user name that happens to read "D…".
[[nodiscard]] std::optional<int> ParseChannel(std::string_view text, const ChannelNames& names);

// "D0" … "D47".
[[nodiscard]] std::string ChannelId(int channel);

} // namespace veldran
