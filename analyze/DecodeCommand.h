#pragma once
// veldran-analyze decode: sigrok-cli's decoder options read into a decoding run and a choice of
// annotations, the run, and its annotations printed.
//
//   -P uart:rx=D0:baudrate=115200,midi   one stack, "," stacking midi on uart; each -P one more
//                                         stack, decoded side by side with the others
//   -A uart=rx-data:tx-data,midi          the annotations shown: of uart the rows or classes named,
//                                         of midi all; without -A, every annotation

#include "analysis/SampleStore.h"
#include "analyze/AnalyzeRun.h"
#include "decode/AnnotationStore.h"
#include "decode/DecodeRequest.h"
#include "resources/Message.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace veldran {

// The stacks of -P values, in order. A key the decoder has as an option sets the option; any other
// key names one of its channels, as in sigrok-cli.
[[nodiscard]] std::optional<Message> ParseDecoderStacks(const std::vector<std::string>& values, std::vector<DecoderStack>& stacks);

// The annotations -A shows: by decoder id, the classes shown (empty: all of them).
struct AnnotationChoice {
    bool bAll = true;
    std::map<std::string, std::set<int>> classes;

    [[nodiscard]] bool Shows(const CAnnotationStore& store, const DecodedAnnotation& annotation) const;
};

// The choice of -A values for the decoders of the stacks (a name is a class id first, else a row
// id standing for its classes).
[[nodiscard]] std::optional<Message> ParseAnnotationChoice(const std::vector<std::string>& values,
                                                           const std::vector<DecoderStack>& stacks, AnnotationChoice& choice);

// decode: runs the stacks over the capture and prints what the choice shows.
[[nodiscard]] AnalyzeOutcome RunDecodeCommand(const AnalyzeArguments& args, const SampleStore& store, const ChannelNames& names);

} // namespace veldran
