#include "decode/DecodeRun.h"

#include "analysis/SamplePacking.h"
#include "decode/DecodePlan.h"
#include "decode/DecodeSession.h"

#include <algorithm>

namespace veldran {
namespace {

// Samples [start, end) as the decoder library takes them: 6 bytes a sample, channel c at bit c % 8
// of byte c / 8.
void PackChunk(const SampleStore& store, int64_t start, int64_t end, std::vector<uint8_t>& packed)
{
    packed.resize(static_cast<size_t>(end - start) * 6);
    uint8_t* out = packed.data();
    for (int64_t sample = start; sample < end; ++sample) {
        const uint64_t word = PackSample(store, sample);
        for (int byte = 0; byte < 6; ++byte)
            *out++ = static_cast<uint8_t>(word >> (8 * byte));
    }
}

bool Cancelled(const DecodeControl& control)
{
    return control.pCancel && control.pCancel->load(std::memory_order_relaxed);
}

void Feed(decoding::CDecodeSession& session, const SampleStore& store, const DecodeControl& control, DecodeOutcome& outcome)
{
    const int64_t chunk = std::max<int64_t>(control.nChunkSamples, 1);
    std::vector<uint8_t> packed;
    for (int64_t start = 0; start < store.nCount; start += chunk) {
        if (Cancelled(control)) {
            outcome.bCancelled = true;
            return;
        }
        const int64_t end = std::min(store.nCount, start + chunk);
        PackChunk(store, start, end, packed);
        if (!session.Send(start, end, packed)) {
            outcome.error = Message(text::kDecodeDecoderFailed, {std::string(), MessageNumber(start)});
            return;
        }
        outcome.nSamplesSent = end;
        if (control.onProgress)
            control.onProgress(end, store.nCount);
    }
}

// The decoder that failed, as the library's log names it (the first decoder when it does not),
// and the log's words after the message.
void NameFailure(Message& failure, const CAnnotationStore& store, std::vector<std::string> log)
{
    const auto& decoders = store.Decoders();
    failure.args[0] = decoders.empty() ? std::string() : decoders.front().strInstance;
    for (const auto& decoder : decoders)
        if (std::any_of(log.begin(), log.end(), [&](const std::string& line) { return line.find(decoder.strInstance + ":") != std::string::npos; })) {
            failure.args[0] = decoder.strInstance;
            break;
        }
    for (std::string& line : log)
        failure.Then(Message::AsIs(std::move(line), MessageIcon::Exclamation));
}

} // namespace

std::optional<Message> CheckDecodeRequest(const DecodeRequest& request)
{
    decoding::CLibraryLock library;
    decoding::DecodePlan plan;
    return decoding::PlanDecode(library, request, plan);
}

DecodeOutcome RunDecode(const DecodeRequest& request, const DecodeControl& control)
{
    DecodeOutcome outcome;
    decoding::CLibraryLock library;
    decoding::DecodePlan plan;
    if ((outcome.error = decoding::PlanDecode(library, request, plan)))
        return outcome;
    {
        decoding::CDecodeSession session(library, outcome.annotations);
        if ((outcome.error = session.Start(plan)))
            return outcome;
        Feed(session, request.capture.store, control, outcome);
    } // the session ends here, so that its decoders' last annotations and words are in
    if (outcome.error)
        NameFailure(*outcome.error, outcome.annotations, library.TakeErrorLog());
    outcome.annotations.ShrinkToFit();
    return outcome;
}

} // namespace veldran
