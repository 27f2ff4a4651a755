// Feeds arbitrary bytes from the serial line through the listing tokenizer into a document and
// parses them as a received listing, the way a reception ends. Checks: the tokens do not depend on
// where the bytes were split into batches; the kept tokens and the line count follow the byte
// rules; every stored level is 0 or 1 and is the bit its cell token holds (0 for a record whose
// tokens never arrived); the parsed count is the counted lines, one less when the tokens ran out;
// the parse reads nothing past the token list; a reader never reaches beyond the store.

#include "document/CaptureDocument.h"
#include "link/ListingTokenizer.h"
#include "tests/common/SilentMessages.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

// Tokens and lines of the bytes fed as two batches split at nCut.
bool Tokenize(const uint8_t* data, size_t size, size_t nCut, veldran::TokenList& tokens, int& nLines)
{
    veldran::CListingTokenizer tokenizer;
    tokenizer.Collect(data, nCut, tokens, nLines);
    return tokenizer.Collect(data + nCut, size - nCut, tokens, nLines);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const veldran::test::SilentMessages silent;
    using veldran::kChannelCount;
    using veldran::kChannelsPerCell;
    using veldran::kListingHeaderTokens;
    using veldran::kTokensPerSample;

    veldran::TokenList tokens;
    int nLines = 0;
    const bool bListing = Tokenize(data, size, size, tokens, nLines);
    // The same bytes in two batches, cut where the first byte says.
    veldran::TokenList split;
    int nSplitLines = 0;
    const size_t nCut = size == 0 ? 0 : data[0] % (size + 1);
    Require(Tokenize(data, size, nCut, split, nSplitLines) == bListing);
    Require(split == tokens && nSplitLines == nLines);
    if (!bListing) {
        Require(tokens.empty() && nLines == 0);
        return 0;
    }
    if (!tokens.empty())
        Require(tokens.front() == "STATE");
    int nFourCharacter = 0;
    for (const std::string_view token : tokens) {
        Require(!token.empty() && token.size() <= veldran::CListingTokenizer::kMaxTokenLength && token[0] != 'T');
        nFourCharacter += token.size() == veldran::CListingTokenizer::kLineNumberLength ? 1 : 0;
    }
    Require(nFourCharacter == nLines);

    // A document that holds what a reception collected, as the first byte of a listing leaves it.
    static veldran::CVELDRANDoc doc;
    doc.SetStatusTextHandler({});
    doc.ForgetCapture();
    doc.BeginListing();
    for (const std::string_view token : tokens)
        doc.AppendListingToken(token);
    doc.SetListingLines(nLines);
    Require(static_cast<size_t>(doc.ReadableSampleCount()) * kChannelCount <= doc.Samples().size());
    doc.FinishListing(nLines);

    // The parse keeps the counted lines, one less when the token list ran out first; a record
    // below the count whose tokens did not arrive holds zeros.
    const int count = doc.SampleCount();
    const size_t records = tokens.size() < kListingHeaderTokens
        ? 0
        : (tokens.size() - kListingHeaderTokens) / kTokensPerSample;
    const bool bShort = records < static_cast<size_t>(nLines);
    Require(count == (bShort ? nLines - 1 : nLines));
    Require(count >= 0 && doc.ReadableSampleCount() == count);
    Require(doc.Samples().size() >= static_cast<size_t>(count) * kChannelCount);
    for (int i = 0; i < count; ++i)
        for (int ch = 0; ch < kChannelCount; ++ch) {
            const uint8_t level = doc.Level(i, ch);
            Require(level <= 1);
            if (static_cast<size_t>(i) >= records) {
                Require(level == 0);
                continue;
            }
            const std::string_view cell = tokens[kListingHeaderTokens + static_cast<size_t>(i) * kTokensPerSample + 1
                                             + static_cast<size_t>(ch / kChannelsPerCell)];
            const size_t pos = static_cast<size_t>(15 - ch % kChannelsPerCell);
            Require(level == (pos < cell.size() && cell[pos] == '1' ? 1 : 0));
        }
    return 0;
}
