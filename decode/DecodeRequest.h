#pragma once
// What a decoding run is asked to do: one or more stacks of decoders that decode side by side (in
// a stack the first decoder reads the capture's channels, each further one takes the output of the
// one below it), and the capture they read. No Qt.
//
//   veldran::DecodeRequest request;
//   request.stacks.push_back({{"uart", {{"baudrate", "115200"}}, {{"rx", "D0"}}}});
//   request.capture.store = {doc.Samples().data(), doc.ReadableSampleCount()};
//   request.capture.names = doc.ChannelNames();
//   request.capture.nClockFs = veldran::DecodeClockFs(session.ClockPeriod());  // nothing: clock OFF

#include "analysis/SampleStore.h"
#include "document/CaptureDocument.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace veldran {

struct DecoderSetting {
    std::string strDecoder; // the decoder's id: "uart"
    // Option id and value as text ("baudrate", "115200"); options not named keep their defaults.
    std::vector<std::pair<std::string, std::string>> options;
    // Decoder channel id and the capture's channel: "D0" … "D47" or a channel's user name (see
    // analysis/ChannelRef.h). Only the first decoder of a stack reads channels.
    std::vector<std::pair<std::string, std::string>> channels;
};

struct DecodeCapture {
    SampleStore store;   // not owned; must stay valid and unchanged during the run
    ChannelNames names;  // for channels named by their user names
    // The clock period in femtoseconds: one sample per period, which gives the decoders their
    // sample rate. Nothing: the clock is OFF, and the decoders get no sample rate.
    std::optional<uint64_t> nClockFs;
};

// Bottom first.
using DecoderStack = std::vector<DecoderSetting>;

struct DecodeRequest {
    std::vector<DecoderStack> stacks;
    DecodeCapture capture;
};

// The clock of a session's period in seconds; 1.0 s (and anything not above zero) is the clock OFF.
[[nodiscard]] std::optional<uint64_t> DecodeClockFs(double periodSeconds);

} // namespace veldran
