// Feeds arbitrary bytes to the capture file reader. A file that loads must leave a consistent
// document, and written back and read again it must give the same count, tokens and samples.

#include "document/CaptureFile.h"
#include "resources/UserMessages.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

class CSilentMessages : public veldran::UserMessageHandler {
public:
    void Show(const veldran::UserMessage&) override {}
};

// Writing and re-reading a capture claiming up to the largest count takes seconds; the reader alone
// still sees such inputs.
constexpr int kLargestRoundTrip = 20000;

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckLoaded(const veldran::CVELDRANDoc& doc)
{
    const auto count = static_cast<size_t>(doc.m_nSampleCount);
    Require(doc.m_nSampleCount > 0 && doc.m_nSampleCount <= veldran::kMaxCaptureSamples);
    Require(doc.m_pTokenList->size() == count * veldran::kTokensPerSample);
    Require(doc.m_strHeaderTokens.size() == veldran::kListingHeaderTokens);
    Require(doc.m_pSamples.size() >= count * veldran::kChannelCount);
    for (uint8_t level : doc.m_pSamples)
        Require(level <= 1);
}

// A document as the reader finds it after start-up. Constructing one per input would spend most of
// the run filling and freeing the 393,216 empty entries of a fresh token list, which the reader
// discards before anything else; so two documents are set back to that state instead.
veldran::CVELDRANDoc& FreshDocument(veldran::CVELDRANDoc& doc)
{
    *doc.m_pTokenList = veldran::TokenList();
    doc.m_strHeaderTokens.clear();
    doc.m_nSampleCount = 0;
    doc.m_pSamples.clear();
    doc.m_pSamples.shrink_to_fit();
    doc.m_bDataReady = false;
    doc.m_strChannelNames = {};
    return doc;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CSilentMessages silent;
    veldran::SetUserMessageHandler(&silent);

    static veldran::CVELDRANDoc first;
    static veldran::CVELDRANDoc second;
    veldran::CVELDRANDoc& doc = FreshDocument(first);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (veldran::ReadCapture(doc, bytes) != veldran::LoadResult::Loaded)
        return 0;
    CheckLoaded(doc);
    if (doc.m_nSampleCount > kLargestRoundTrip)
        return 0;

    const auto written = veldran::WriteCapture(doc, doc.m_strChannelNames);
    Require(written.has_value());
    veldran::CVELDRANDoc& again = FreshDocument(second);
    Require(veldran::ReadCapture(again, *written) == veldran::LoadResult::Loaded);
    Require(again.m_nSampleCount == doc.m_nSampleCount);
    Require(*again.m_pTokenList == *doc.m_pTokenList);
    Require(again.m_strHeaderTokens == doc.m_strHeaderTokens);
    const size_t levels = static_cast<size_t>(doc.m_nSampleCount) * veldran::kChannelCount;
    for (size_t i = 0; i < levels; ++i)
        Require(again.m_pSamples[i] == doc.m_pSamples[i]);
    return 0;
}
