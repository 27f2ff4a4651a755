#pragma once
// A decoder stack as one line of text, in sigrok-cli's -P form: the decoders bottom first, apart by
// ",", each its id then ":key=value" for its channels and options ("uart:rx=D0:baudrate=115200,midi").
// veldran-analyze reads its -P values so, and the capture's sidecar keeps the window's decoder
// set-up so. No Qt.

#include "decode/DecodeRequest.h"
#include "resources/Message.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veldran {

[[nodiscard]] std::string DecoderStackText(const DecoderStack& stack);

// Reads a stack, as sigrok-cli does: a key the decoder has as an option sets the option, one that
// names one of its channels maps the channel, and any other is kept as an option (which the
// request's check then refuses by name). Fails on an unknown decoder or a part without "=".
[[nodiscard]] std::optional<Message> ParseDecoderStackText(std::string_view text, DecoderStack& stack);

// text cut at each `separator` outside double quotes.
[[nodiscard]] std::vector<std::string> SplitOutsideQuotes(std::string_view text, char separator);

} // namespace veldran
