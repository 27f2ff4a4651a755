// Feeds arbitrary bytes to the capture file reader. A file that loads must leave a consistent
// document, and written back and read again it must give the same count, tokens and samples.

#include "document/CaptureFile.h"
#include "tests/common/SilentMessages.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

// The checks below are the harness's, not code under test: they get no coverage instrumentation,
// and they look at the store eight levels at a time, so they cost less than the read they check.
#if defined(__clang__)
#define VELDRAN_HARNESS_CHECK __attribute__((no_sanitize("coverage")))
#else
#define VELDRAN_HARNESS_CHECK
#endif

VELDRAN_HARNESS_CHECK bool LevelsAreBits(const std::vector<uint8_t>& levels)
{
    uint64_t any = 0;
    size_t i = 0;
    for (; i + 8 <= levels.size(); i += 8) {
        uint64_t word;
        std::memcpy(&word, levels.data() + i, sizeof word);
        any |= word;
    }
    for (; i < levels.size(); ++i)
        any |= levels[i];
    return (any & ~0x0101010101010101ull) == 0;
}

VELDRAN_HARNESS_CHECK void CheckLoaded(const veldran::CVELDRANDoc& doc)
{
    const auto count = static_cast<size_t>(doc.SampleCount());
    Require(doc.SampleCount() > 0 && doc.SampleCount() <= veldran::kMaxCaptureSamples);
    Require(doc.ReadableSampleCount() == doc.SampleCount());
    Require(doc.Tokens().size() == count * veldran::kTokensPerSample);
    Require(doc.HeaderTokens().size() == veldran::kListingHeaderTokens);
    Require(doc.Samples().size() >= count * veldran::kChannelCount);
    Require(LevelsAreBits(doc.Samples()));
}

} // namespace

// Every input meets a document as the reader finds it after start-up (a fresh one: its list of
// 393,216 empty entries costs nothing), and no count is bounded: the reader's cost follows the
// bytes it is given, not the count their header claims.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const veldran::test::SilentMessages silent;

    veldran::CVELDRANDoc doc;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (veldran::ReadCapture(doc, bytes).result != veldran::LoadResult::Loaded)
        return 0;
    CheckLoaded(doc);

    const auto written = veldran::WriteCapture(doc, doc.ChannelNames());
    Require(written.has_value());
    veldran::CVELDRANDoc again;
    Require(veldran::ReadCapture(again, *written).result == veldran::LoadResult::Loaded);
    Require(again.SampleCount() == doc.SampleCount());
    Require(again.Tokens() == doc.Tokens());
    Require(again.HeaderTokens() == doc.HeaderTokens());
    const size_t levels = static_cast<size_t>(doc.SampleCount()) * veldran::kChannelCount;
    Require(std::memcmp(again.Samples().data(), doc.Samples().data(), levels) == 0);
    return 0;
}
