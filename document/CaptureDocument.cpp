#include "document/CaptureDocument.h"

#include "files/LargeBuffer.h"
#include "resources/Strings.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace veldran {

CVELDRANDoc::CVELDRANDoc()
    : m_pTokenList(std::make_unique<TokenList>(kFreshTokenCount))
{
    SetTitle(filetext::kUntitled);
}

void CVELDRANDoc::AllocateSamples(int count)
{
    const size_t bytes = count > 0 ? static_cast<size_t>(count) * kChannelCount : 0;
    m_pSamples.clear();
    m_pSamples.reserve(bytes);
    AdviseLargePages(m_pSamples.data(), m_pSamples.capacity());
    m_pSamples.resize(bytes, 0);
}

std::optional<Message> CVELDRANDoc::ParseTokens(bool bLive)
{
    const size_t base = bLive ? kListingHeaderTokens : 0;
    // Every record below the count holds levels, also when the parse stops early.
    AllocateSamples(m_nSampleCount);

    const TokenList& tokens = *m_pTokenList;
    for (int i = 0; i < m_nSampleCount; ++i) {
        const size_t first = base + static_cast<size_t>(i) * kTokensPerSample;
        if (tokens.size() < first + kTokensPerSample) {
            if (m_nSampleCount != 0)
                --m_nSampleCount;
            return Message(text::kTransmissionError);
        }
        const std::string_view cells[kCellCount] = {tokens[first + 1], tokens[first + 2], tokens[first + 3]};
        ParseSample(cells, &m_pSamples[static_cast<size_t>(i) * kChannelCount]);
    }
    return std::nullopt;
}

namespace {

constexpr uint64_t kEveryByte(uint8_t b)
{
    return 0x0101010101010101ull * b;
}

uint64_t LoadBytes(const char* p)
{
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

uint64_t ByteSwap(uint64_t v)
{
    return __builtin_bswap64(v);
}

} // namespace

void CVELDRANDoc::ParseSample(const std::string_view* cells, uint8_t* record)
{
    static_assert(kChannelsPerCell == 16, "a cell word is two 8-byte halves");
    for (int c = 0; c < kCellCount; ++c, record += kChannelsPerCell) {
        const std::string_view cell = cells[c];
        if (cell.size() >= kChannelsPerCell) {
            // Character 15 − b is channel b: "0" and "1" less '0' are the levels, in reverse order.
            // Eight characters at a time; a byte other than 0 or 1 left after the subtraction means
            // the word holds another character, and that word takes the character-by-character road.
            const uint64_t first = LoadBytes(cell.data()) ^ kEveryByte('0');
            const uint64_t second = LoadBytes(cell.data() + 8) ^ kEveryByte('0');
            if (((first | second) & ~kEveryByte(1)) == 0) {
                const uint64_t low = ByteSwap(second);
                const uint64_t high = ByteSwap(first);
                std::memcpy(record, &low, sizeof low);
                std::memcpy(record + 8, &high, sizeof high);
                continue;
            }
        }
        for (int b = 0; b < kChannelsPerCell; ++b)
            record[b] = GetCellBit(cell, b);
    }
}

uint8_t CVELDRANDoc::GetCellBit(std::string_view strCell, int nBit)
{
    const size_t pos = static_cast<size_t>(15 - nBit);
    const char c = pos < strCell.size() ? strCell[pos] : '\0';
    if (c == '0')
        return 0;
    if (c == '1')
        return 1;
    if (!m_bDataReady && m_onStatusText)
        m_onStatusText(text::kInvalidData);
    return 0;
}

void CVELDRANDoc::AdoptCapture(CVELDRANDoc&& other)
{
    m_strChannelNames = std::move(other.m_strChannelNames);
    m_bDataReady = other.m_bDataReady;
    m_nSampleCount = other.m_nSampleCount;
    m_pSamples = std::move(other.m_pSamples);
    m_pTokenList = std::move(other.m_pTokenList);
    m_strHeaderTokens = std::move(other.m_strHeaderTokens);
    other.m_pTokenList = std::make_unique<TokenList>();
    other.m_bDataReady = false;
    other.m_nSampleCount = 0;
}

void CVELDRANDoc::EmptyTokenList()
{
    m_pTokenList->clear();
    m_strHeaderTokens.clear();
}

void CVELDRANDoc::ReplaceListingTail(size_t nKeep, const TokenList& tail)
{
    m_pTokenList->resize(std::min(nKeep, m_pTokenList->size()));
    for (size_t i = 0; i < tail.size(); ++i)
        m_pTokenList->push_back(tail[i]);
}

std::optional<Message> CVELDRANDoc::FinishListing(int nLines)
{
    m_nSampleCount = nLines;
    std::optional<Message> message = ParseTokens(true);
    m_bDataReady = true;
    return message;
}

void CVELDRANDoc::ForgetCapture()
{
    EmptyTokenList();
    SetTitle(filetext::kUntitled);
    ClearPathName();
    m_bDataReady = false;
}

void CVELDRANDoc::BeginLoad()
{
    EmptyTokenList();
    m_pTokenList->shrink_to_fit();
}

void CVELDRANDoc::LoadCapture(TokenList&& header, TokenList&& tokens, veldran::ChannelNames&& names)
{
    const size_t samples = (tokens.size() + kTokensPerSample - 1) / kTokensPerSample;
    if (samples == 0) {
        RefuseLoad();
        return;
    }
    tokens.resize(samples * kTokensPerSample);
    *m_pTokenList = std::move(tokens);
    m_strHeaderTokens = std::move(header);
    m_strChannelNames = std::move(names);
    m_nSampleCount = static_cast<int32_t>(samples);
    // Every sample is whole now, so the parse has nothing to report.
    (void)ParseTokens(false);
    m_bDataReady = true;
}

void CVELDRANDoc::RefuseLoad()
{
    EmptyTokenList();
    m_nSampleCount = 0;
}

bool CVELDRANDoc::HoldsLoadedTokens() const
{
    // A load leaves exactly four tokens per sample. A list emptied or refilled by a reception
    // without EmptyTokenList never has that size (a reception's list carries its 12 header tokens
    // on top of its samples), so the kept header lines are not put in front of a new listing.
    return !m_strHeaderTokens.empty() && m_nSampleCount > 0 &&
           m_pTokenList->size() == static_cast<size_t>(m_nSampleCount) * kTokensPerSample;
}

uint8_t CVELDRANDoc::Level(int sample, int channel) const
{
    if (sample < 0 || channel < 0 || channel >= kChannelCount)
        return 0;
    if (sample >= ReadableSampleCount())
        return 0;
    return m_pSamples[static_cast<size_t>(sample) * kChannelCount + static_cast<size_t>(channel)];
}

const std::string& CVELDRANDoc::ChannelName(int channel) const
{
    static const std::string kNoName;
    return channel >= 0 && channel < kChannelCount ? m_strChannelNames[static_cast<size_t>(channel)] : kNoName;
}

std::string DefaultChannelName(int channel)
{
    char szName[16];
    std::snprintf(szName, sizeof szName, " CH  %c%02d", 'A' + channel / kChannelsPerCell, channel % kChannelsPerCell);
    return szName;
}

} // namespace veldran
