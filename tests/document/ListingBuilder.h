#pragma once
// Builds token lists shaped like the instrument's state listing, for the document tests.

#include "document/CaptureDocument.h"

#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace veldran::test {

// The 12 header tokens a reception keeps before the first listing line.
inline TokenList ListingHeader()
{
    // None of four characters: the reception would count such a token as a listing line.
    return {"STATE", "LISTING", "00001", "RADIX", "BIN", "CELLS", "CELL13", "WIDTH", "17", "BITS16", "OFF", "END"};
}

// A cell token: character k is bit 15 - k.
inline std::string CellToken(unsigned bits)
{
    std::string token(16, '0');
    for (int bit = 0; bit < 16; ++bit)
        if (bits & (1u << bit))
            token[static_cast<size_t>(15 - bit)] = '1';
    return token;
}

inline std::string LineNumber(int i)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d", i % 10000);
    return text;
}

// A received listing: the header, then per sample its line number and its three cell tokens, the
// cells of sample i being cells[i][0..2].
inline TokenList Listing(const std::vector<std::array<unsigned, 3>>& cells)
{
    TokenList tokens = ListingHeader();
    for (size_t i = 0; i < cells.size(); ++i) {
        tokens.push_back(LineNumber(static_cast<int>(i)));
        for (unsigned cell : cells[i])
            tokens.push_back(CellToken(cell));
    }
    return tokens;
}

// Puts a received listing into the document as the reception leaves it: the list, the count of
// four-character tokens, a parse, the data-ready flag.
inline void Receive(CVELDRANDoc& doc, const TokenList& tokens)
{
    doc.m_bDataReady = false;
    *doc.m_pTokenList = tokens;
    int lines = 0;
    for (std::string_view token : tokens)
        lines += token.size() == 4 ? 1 : 0;
    doc.m_nSampleCount = lines;
    doc.ParseTokens(true);
    doc.m_bDataReady = true;
}

} // namespace veldran::test
