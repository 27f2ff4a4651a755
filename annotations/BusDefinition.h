#pragma once
// Reading a bus from the text a user types: "NAME=CHANNELS", CHANNELS a comma-separated list of
// channels and ranges, the first the most significant bit:
//   DATA=D15..D8        eight channels, D15 the most significant
//   LOW=D0..D3          a range may run upwards: D0 is then the most significant
//   MIX=D3,D1,clk       channels named as ChannelRef.h reads them ("Data Bus" in double quotes)
// The name is the text before the first '=' outside quotes, without blanks at either end. The bus
// is shown in hex; a channel may appear only once.

#include "annotations/Bus.h"
#include "document/CaptureDocument.h"
#include "resources/Message.h"

#include <string_view>
#include <variant>

namespace veldran {

// The bus, or why it was refused (the message quotes the piece of the text at fault).
[[nodiscard]] std::variant<Bus, Message> ParseBusDefinition(std::string_view text, const ChannelNames& names);

} // namespace veldran
