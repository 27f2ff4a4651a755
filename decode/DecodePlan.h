#pragma once
// A request checked against the decoders it names, ready for the decoder library: each decoder's
// description, its options and its channels as bit positions of the capture. Private to decode/.

#include "decode/DecodeRequest.h"
#include "decode/DecoderLibrary.h"
#include "resources/Message.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace veldran::decoding {

struct PlannedDecoder {
    const DecoderInfo* pInfo = nullptr;
    const DecoderSetting* pSetting = nullptr;
    std::vector<std::pair<std::string, int>> channels; // decoder channel id, capture channel
};

struct DecodePlan {
    std::vector<std::vector<PlannedDecoder>> stacks;
    std::optional<uint64_t> nSampleRateHz;
};

// The plan, or why the request cannot run (the first thing found wrong).
[[nodiscard]] std::optional<Message> PlanDecode(CLibraryLock& library, const DecodeRequest& request, DecodePlan& plan);

// The samples per second of a clock period (nothing for the clock OFF, or a period so long that
// less than one sample falls in a second).
[[nodiscard]] std::optional<uint64_t> SampleRateOf(std::optional<uint64_t> clockFs);

} // namespace veldran::decoding
