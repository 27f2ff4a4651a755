#pragma once
// The one capture the application holds: the tokens of a state listing as they arrived (or as they
// were read from a capture file), the sample count, the samples as 48 channel levels each, and the
// channel names that came with a loaded capture file.

#include "document/DocumentBase.h"
#include "document/TokenList.h"
#include "resources/Message.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veldran {

constexpr int kChannelCount = 48;
constexpr int kCellCount = 3;
constexpr int kChannelsPerCell = 16;
constexpr int kListingHeaderTokens = 12;
constexpr int kTokensPerSample = 4;

using TokenList = CTokenList;

// The name a channel has until the user renames it: " CH  A00" … " CH  C15" (cell letter, bit).
[[nodiscard]] std::string DefaultChannelName(int channel);

// The 48 channel names of a capture (UTF-8), channel order.
using ChannelNames = std::array<std::string, kChannelCount>;

// The capture's state is written only through the named operations below (a listing as it arrives,
// a capture file read, a capture taken over from another document, the capture forgotten), so the
// count, the store and the token list agree in the ways the readers rely on.
class CVELDRANDoc : public DocumentBase {
public:
    // A fresh document's token list holds this many empty entries (stored as a count, so they cost
    // nothing until the list is written).
    static constexpr int kFreshTokenCount = 0x60000;

    CVELDRANDoc();

    // The channel names that came with a loaded capture file (empty until one is loaded).
    [[nodiscard]] const veldran::ChannelNames& ChannelNames() const { return m_strChannelNames; }
    // The name of channel ch; empty for a channel that does not exist.
    [[nodiscard]] const std::string& ChannelName(int channel) const;
    // True while the document holds a capture to show: a listing that ended, or a file read.
    [[nodiscard]] bool IsDataReady() const { return m_bDataReady; }
    // The count the position counters show: while a listing arrives, its lines counted so far. It
    // can run ahead of the store (a listing still arriving, a cancelled one); whoever reads samples
    // takes ReadableSampleCount() instead.
    [[nodiscard]] int SampleCount() const { return m_nSampleCount; }
    // The samples a reader may take: those the count names that the store holds.
    [[nodiscard]] int ReadableSampleCount() const
    {
        return m_nSampleCount > 0 ? std::min(m_nSampleCount, StoredSampleCount()) : 0;
    }
    // The store, 48 levels (0 or 1) per sample; the first ReadableSampleCount() records are the
    // capture's.
    [[nodiscard]] const std::vector<uint8_t>& Samples() const { return m_pSamples; }
    // The token list: a listing as received (its 12 header tokens first), or the data tokens of a
    // loaded capture file (first line number at index 0).
    [[nodiscard]] const TokenList& Tokens() const { return *m_pTokenList; }
    // The 12 header lines of the capture file the token list was loaded from; empty otherwise.
    [[nodiscard]] const TokenList& HeaderTokens() const { return m_strHeaderTokens; }

    // The level of channel ch in sample i; 0 for a sample a reader may not take.
    [[nodiscard]] uint8_t Level(int sample, int channel) const;

    // The 48 levels of one sample from its three cell tokens (what a parse does per sample).
    void ParseSample(const std::string_view* cells, uint8_t* record);

    // The level of bit nBit (0..15) of a cell token: character 15 − nBit, "0" or "1"; anything
    // else reads as 0 and, while no capture is shown, puts the invalid-data text in the view.
    [[nodiscard]] uint8_t GetCellBit(std::string_view strCell, int nBit);

    // A listing as it arrives, in three steps, for the window and veldran-capture alike: begin
    // (the token list and any kept header lines emptied; the window begins at the first byte, so
    // that a cancel before it leaves the capture whole), the tokens and the lines counted so far, and the end, which parses the listing
    // into the sample store and makes it the capture (the parse's message, if any, is the caller's
    // to show). A list that ends inside a sample stops the parse one sample short.
    void BeginListing() { EmptyTokenList(); }
    void AppendListingToken(std::string_view token) { m_pTokenList->push_back(token); }
    void SetListingLines(int nLines) { m_nSampleCount = nLines; }
    // Before the end: the tokens from nKeep on are replaced by tail (the lines of a listing kept
    // in step after one came damaged).
    void ReplaceListingTail(size_t nKeep, const TokenList& tail);
    std::optional<Message> FinishListing(int nLines);

    // A capture file as its reader takes it, in two steps. First the tokens held go, and their
    // storage with them, so that the list read from the file is never held beside them. Then
    // either the file's capture replaces the document's (the header lines kept apart, the data
    // tokens, four per sample, a last sample cut short completed with empty tokens, the names; the
    // count is the samples the tokens hold, whatever the file claimed), or the file is refused: no
    // tokens and no count, while the store, the names and the data-ready flag stay as they were.
    // A capture of no token at all is refused.
    void BeginLoad();
    void LoadCapture(TokenList&& header, TokenList&& tokens, veldran::ChannelNames&& names);
    void RefuseLoad();

    // No capture any more (New File, and the first byte of a listing): an empty token list, the
    // untitled title, no file; the samples stay stored but are no longer shown as a capture.
    void ForgetCapture();
    // True when the token list holds the data tokens of a loaded capture file (its 12 header lines
    // kept apart), false when it holds a listing as received (or nothing).
    [[nodiscard]] bool HoldsLoadedTokens() const;

    // The value field's text is reached through this (the document never includes a widget). The
    // handler gets one of the program's texts (resources/Strings.h), never a composed sentence.
    void SetStatusTextHandler(std::function<void(const char*)> handler) { m_onStatusText = std::move(handler); }
    // Passes a status text to the handler, as a parse of this document does.
    void ShowStatusText(const char* text) const
    {
        if (m_onStatusText)
            m_onStatusText(text);
    }
    // Takes over the capture held by another document (tokens, samples, names and counts); the
    // title, path, modified flag and status text handler stay this document's.
    void AdoptCapture(CVELDRANDoc&& other);

private:
    // Number of whole sample records the store holds.
    [[nodiscard]] int StoredSampleCount() const { return static_cast<int>(m_pSamples.size() / kChannelCount); }
    // Replaces the store with count zeroed records (nothing for count <= 0).
    void AllocateSamples(int count);
    // Empties the token list and forgets the header lines kept from a loaded file.
    void EmptyTokenList();
    // Turns the token list into a new store of m_nSampleCount records. bLive: the list starts
    // with the listing's 12 header tokens. A list that ends inside a sample stops the parse one
    // sample short and gives the transmission-error message; the records it did not reach are 0.
    std::optional<Message> ParseTokens(bool bLive);

    std::array<std::string, kChannelCount> m_strChannelNames;
    bool m_bDataReady = false;
    int32_t m_nSampleCount = 0;
    std::vector<uint8_t> m_pSamples;
    std::unique_ptr<TokenList> m_pTokenList;
    // The 12 header lines of the capture file the token list was loaded from, kept apart so that the
    // list holds data tokens only (first line number at index 0) and a save can write them back.
    // Empty when the list was not loaded from a file.
    TokenList m_strHeaderTokens;
    std::function<void(const char*)> m_onStatusText;
};

} // namespace veldran
