// Feeds arbitrary bytes from the serial line through the listing tokenizer into a document and
// parses them as a received listing, the way a reception ends. Checks: the tokens do not depend on
// where the bytes were split into batches; the kept tokens and the line count follow the byte
// rules; every stored level is 0 or 1 and is the bit its cell token holds (0 for a record whose
// tokens never arrived); the parsed count is the counted lines, one less when the tokens ran out;
// the parse reads nothing past the token list; a reader never reaches beyond the store.
//
// Then the lines kept in step, on the same bytes and on a clean listing made from them with a few
// bytes damaged on some lines: the tokens a reception ends with do not depend on the batches; after
// the 12 header tokens they are one sample per line (a line number of four characters and three
// words of sixteen, each received or the invalid word), a last line cut short apart; a listing
// damaged away from its line ends keeps its line count, and every line without damage is exactly
// the line sent.

#include "document/CaptureDocument.h"
#include "link/ListingReceiver.h"
#include "link/ListingTokenizer.h"
#include "tests/common/ListingBuilder.h"
#include "tests/common/SilentMessages.h"

#include <cstdint>
#include <algorithm>
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

// What a reception ends with: the tokens passed on with the end's repair applied, and the lines.
struct SEnded {
    veldran::TokenList tokens;
    veldran::TokenList raw; // the tokens as the byte rules made them
    int nLines = 0;
    int nListingLines = 0;
};

SEnded ReceiveInTwo(const uint8_t* data, size_t size, size_t nCut)
{
    veldran::CListingReceiver receiver;
    receiver.Begin();
    SEnded ended;
    const auto keep = [&ended](std::string_view token) { ended.tokens.push_back(token); };
    (void)receiver.Feed(data, nCut, veldran::CListingReceiver::Clock::now(), keep);
    (void)receiver.Feed(data + nCut, size - nCut, veldran::CListingReceiver::Clock::now(), keep);
    ended.nLines = receiver.Lines();
    if (const auto repair = receiver.Finish()) {
        Require(repair->nKeep <= ended.tokens.size());
        ended.tokens.resize(repair->nKeep);
        for (size_t i = 0; i < repair->tail.size(); ++i)
            ended.tokens.push_back(repair->tail[i]);
        ended.nLines = repair->nLines;
    }
    ended.nListingLines = receiver.ListingLines();
    veldran::CListingTokenizer tokenizer;
    int nRawLines = 0;
    (void)tokenizer.Collect(data, size, ended.raw, nRawLines);
    return ended;
}

// One sample per line after the header: whole groups of four made of a line number and three words
// that were received or read as invalid; a last group cut short only with the count one over.
void CheckInStep(const SEnded& ended)
{
    using veldran::kListingHeaderTokens;
    if (ended.tokens.size() <= static_cast<size_t>(kListingHeaderTokens))
        return;
    const size_t data = ended.tokens.size() - kListingHeaderTokens;
    const size_t whole = data / veldran::kTokensPerSample;
    const bool bCut = data % veldran::kTokensPerSample != 0;
    Require(static_cast<int>(whole) + (bCut ? 1 : 0) == ended.nListingLines);
    std::vector<std::string_view> received;
    for (size_t i = 0; i < ended.raw.size(); ++i)
        received.push_back(ended.raw[i]);
    std::sort(received.begin(), received.end());
    for (size_t i = 0; i < whole; ++i) {
        const size_t first = kListingHeaderTokens + i * veldran::kTokensPerSample;
        Require(ended.tokens[first].size() == 4);
        for (size_t cell = 1; cell < static_cast<size_t>(veldran::kTokensPerSample); ++cell) {
            const std::string_view word = ended.tokens[first + cell];
            Require(word.size() == 16);
            Require(word == veldran::CListingLines::kInvalidWord || std::binary_search(received.begin(), received.end(), word));
        }
    }
}

// A clean listing of the cells the bytes give, then up to three damaged bytes on some of its lines
// (never a line end, never the header or the last line): the line count stays, and every undamaged
// line arrives as it was sent.
void CheckDamagedListing(const uint8_t* data, size_t size)
{
    if (size < 3)
        return;
    const int nLines = 2 + data[0] % 16;
    std::vector<veldran::test::Cells> cells = veldran::test::RandomCells(nLines, data[1]);
    std::string text = veldran::test::ListingText(cells);
    std::vector<size_t> starts; // where each data line begins
    for (size_t at = text.find('\n'); at != std::string::npos && at + 1 < text.size(); at = text.find('\n', at + 1))
        starts.push_back(at + 1);
    std::vector<int> edits(static_cast<size_t>(nLines), 0);
    std::string damaged;
    size_t copied = 0;
    // Each edit: a line, a byte of it, and what happens there (replaced, removed, a byte added).
    std::vector<std::pair<size_t, int>> plan; // (position in text, edit code)
    for (size_t i = 2; i + 2 < size && plan.size() < 16; i += 3) {
        const size_t line = data[i] % static_cast<size_t>(nLines - 1);
        if (edits[line] == 3)
            continue;
        ++edits[line];
        const size_t length = text.find('\r', starts[line]) - starts[line];
        plan.emplace_back(starts[line] + data[i + 1] % length, data[i + 2]);
    }
    std::sort(plan.begin(), plan.end());
    size_t lastAt = std::string::npos;
    for (const auto& [at, code] : plan) {
        if (at == lastAt)
            continue; // one edit a byte
        lastAt = at;
        damaged.append(text, copied, at - copied);
        copied = at;
        const char byte = code == '\r' || code == '\n' ? ' ' : static_cast<char>(code);
        switch (code % 3) {
        case 0: damaged += byte; ++copied; break; // replaced
        case 1: ++copied; break;                  // removed
        default: damaged += byte; break;          // added before it
        }
    }
    damaged.append(text, copied, std::string::npos);
    const auto* bytes = reinterpret_cast<const uint8_t*>(damaged.data());
    const SEnded ended = ReceiveInTwo(bytes, damaged.size(), damaged.size() / 2);
    CheckInStep(ended);
    Require(ended.nLines == nLines && ended.nListingLines == nLines);
    Require(ended.tokens.size() == static_cast<size_t>(veldran::kListingHeaderTokens + nLines * veldran::kTokensPerSample));
    const veldran::TokenList sent = veldran::test::Listing(cells);
    for (size_t line = 0; line < static_cast<size_t>(nLines); ++line) {
        if (edits[line] > 0)
            continue;
        for (size_t t = 0; t < static_cast<size_t>(veldran::kTokensPerSample); ++t) {
            const size_t index = veldran::kListingHeaderTokens + line * veldran::kTokensPerSample + t;
            Require(ended.tokens[index] == sent[index]);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const veldran::test::SilentMessages silent;
    CheckDamagedListing(data, size);
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

    // The same bytes with their lines kept in step.
    const SEnded ended = ReceiveInTwo(data, size, size);
    const SEnded inTwo = ReceiveInTwo(data, size, nCut);
    Require(inTwo.tokens == ended.tokens && inTwo.nLines == ended.nLines && inTwo.nListingLines == ended.nListingLines);
    CheckInStep(ended);
    return 0;
}
