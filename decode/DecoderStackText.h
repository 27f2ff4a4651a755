#pragma once
// A decoder stack as one line of text, in sigrok-cli's -P form: the decoders bottom first, apart by
// ",", each its id then ":key=value" for its channels and options ("uart:rx=D0:baudrate=115200,midi").
// The capture's sidecar keeps the window's decoder set-ups in this form. No Qt.

#include "decode/DecodeRequest.h"
#include "resources/Message.h"

#include <optional>
#include <string>
#include <vector>

namespace veldran {

[[nodiscard]] std::string DecoderStackText(const std::vector<DecoderSetting>& stack);

// Reads a stack: a key the decoder has as an option sets the option, any other names one of its
// channels. Fails, naming the part, on an empty part or a key without "=".
[[nodiscard]] std::optional<Message> ParseDecoderStackText(const std::string& text, std::vector<DecoderSetting>& stack);

} // namespace veldran
