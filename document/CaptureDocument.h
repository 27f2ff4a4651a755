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

class CVELDRANDoc : public DocumentBase {
public:
    // A fresh document's token list holds this many empty entries (stored as a count, so they cost
    // nothing until the list is written).
    static constexpr int kFreshTokenCount = 0x60000;

    CVELDRANDoc();

    // Turns the token list into the sample store. bLive: the list starts with the listing's 12
    // header tokens and the store is reallocated here; otherwise the loader has allocated it.
    // A list that ends inside a sample stops the parse one sample short and gives the
    // transmission-error message for the caller to show.
    std::optional<Message> ParseTokens(bool bLive);
    // The 48 levels of one sample from its three cell tokens (what ParseTokens does per sample).
    void ParseSample(const std::string_view* cells, uint8_t* record);

    // The level of bit nBit (0..15) of a cell token: character 15 − nBit, "0" or "1"; anything
    // else reads as 0 and, while no capture is shown, puts the invalid-data text in the view.
    [[nodiscard]] uint8_t GetCellBit(std::string_view strCell, int nBit);

    // The level of channel ch in sample i; 0 for a sample the store does not hold.
    [[nodiscard]] uint8_t Level(int sample, int channel) const;
    // Number of whole sample records the store holds (may differ from m_nSampleCount while a
    // reception counts lines, or after a cancelled one).
    [[nodiscard]] int StoredSampleCount() const { return static_cast<int>(m_pSamples.size() / kChannelCount); }
    // The samples a reader may take: those the count names that the store holds (the count runs
    // ahead of the store while a listing arrives and after a cancelled one).
    [[nodiscard]] int ReadableSampleCount() const
    {
        return m_nSampleCount > 0 ? std::min(m_nSampleCount, StoredSampleCount()) : 0;
    }
    // Replaces the store with count zeroed records (nothing for count <= 0).
    void AllocateSamples(int count);

    // Empties the token list and forgets the header lines kept from a loaded file. A New or a
    // reception that starts over should use this rather than clearing the list alone.
    void EmptyTokenList();

    // A listing as it arrives, in three steps, for the window and veldran-capture alike: begin
    // (the token list emptied; the capture shown so far stays until the first line), the tokens and
    // the lines counted so far, and the end, which parses the listing into the sample store and
    // makes it the capture (the parse's message, if any, is the caller's to show).
    void BeginListing() { EmptyTokenList(); }
    void AppendListingToken(std::string_view token) { m_pTokenList->push_back(token); }
    void SetListingLines(int nLines) { m_nSampleCount = nLines; }
    std::optional<Message> FinishListing(int nLines);
    // No capture any more (New File, and the first byte of a listing): an empty token list, the
    // untitled title, no file; the samples stay stored but are no longer shown as a capture.
    void ForgetCapture();
    // True when the token list holds the data tokens of a loaded capture file (its 12 header lines
    // kept in m_strHeaderTokens), false when it holds a listing as received (or nothing).
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

    std::array<std::string, kChannelCount> m_strChannelNames;
    bool m_bDataReady = false;
    int32_t m_nSampleCount = 0;
    std::vector<uint8_t> m_pSamples;
    std::unique_ptr<TokenList> m_pTokenList;
    // The 12 header lines of the capture file the token list was loaded from, kept apart so that the
    // list holds data tokens only (first line number at index 0) and a save can write them back.
    // Empty when the list was not loaded from a file.
    TokenList m_strHeaderTokens;

private:
    std::function<void(const char*)> m_onStatusText;
};

} // namespace veldran
