#pragma once
// Builds STATE listings for the tests and the benchmarks: the token list a reception collects, the
// bytes the instrument sends, and the cells they carry. One sample is a line number and three cell
// words of 16 characters; character k of a cell word is bit 15 - k of the cell, and bit b of cell c
// is channel 16 c + b.

#include "document/CaptureDocument.h"
#include "document/CaptureFile.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace veldran::test {

using Cells = std::array<unsigned, kCellCount>;

// The 12 header tokens a reception keeps before the first listing line.
inline TokenList ListingHeader()
{
    // None of four characters: the reception would count such a token as a listing line.
    return {"STATE", "LISTING", "00001", "RADIX", "BIN", "CELLS", "CELL13", "WIDTH", "17", "BITS16", "OFF", "END"};
}

inline std::string CellToken(unsigned bits)
{
    std::string token(16, '0');
    for (int bit = 0; bit < 16; ++bit)
        if (bits & (1u << bit))
            token[static_cast<size_t>(15 - bit)] = '1';
    return token;
}

// The instrument counts lines in four digits and starts again after 9999.
inline std::string LineNumber(int i)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d", i % 10000);
    return text;
}

// Per sample its line number and its three cell tokens, after what tokens already holds.
inline void AppendSamples(TokenList& tokens, const std::vector<Cells>& cells)
{
    for (size_t i = 0; i < cells.size(); ++i) {
        tokens.push_back(LineNumber(static_cast<int>(i)));
        for (unsigned cell : cells[i])
            tokens.push_back(CellToken(cell));
    }
}

// A received listing: the header, then the samples.
inline TokenList Listing(const std::vector<Cells>& cells)
{
    TokenList tokens = ListingHeader();
    AppendSamples(tokens, cells);
    return tokens;
}

// The bytes the instrument sends for the samples: its header line, then a line per sample.
inline std::string ListingText(const std::vector<Cells>& cells)
{
    std::string text = "STATE LISTING Label> CELL_1 CELL_2 CELL_3 Base> [BIN] [BIN] [BIN] LineNo Values\r\n";
    for (size_t i = 0; i < cells.size(); ++i)
        text += LineNumber(static_cast<int>(i)) + "  " + CellToken(cells[i][0]) + " " + CellToken(cells[i][1]) + " "
            + CellToken(cells[i][2]) + "\r\n";
    return text;
}

// level(sample, channel) → 0 or 1.
using LevelFunction = std::function<int(int, int)>;

inline Cells SampleCells(const LevelFunction& level, int sample)
{
    Cells cells{};
    for (int ch = 0; ch < kChannelCount; ++ch)
        if (level(sample, ch))
            cells[static_cast<size_t>(ch / 16)] |= 1u << (ch % 16);
    return cells;
}

inline std::vector<Cells> CellsOf(int count, const LevelFunction& level)
{
    std::vector<Cells> cells;
    cells.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        cells.push_back(SampleCells(level, i));
    return cells;
}

// Random levels on every channel, the same for the same seed.
inline std::vector<Cells> RandomCells(int count, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<Cells> cells(static_cast<size_t>(count));
    for (Cells& sample : cells)
        for (unsigned& cell : sample)
            cell = random() & 0xFFFFu;
    return cells;
}

// Puts the tokens into the document as a reception collects them, not finished: the listing begun,
// the tokens appended, the four-character ones counted as its lines. Returns the lines counted.
inline int Collect(CVELDRANDoc& doc, const TokenList& tokens)
{
    doc.BeginListing();
    int lines = 0;
    for (std::string_view token : tokens) {
        doc.AppendListingToken(token);
        lines += token.size() == 4 ? 1 : 0;
    }
    doc.SetListingLines(lines);
    return lines;
}

// Puts a received listing into the document as the reception leaves it: collected, then finished
// (parsed, and shown as the capture). Returns what the parse reported.
inline std::optional<Message> Receive(CVELDRANDoc& doc, const TokenList& tokens)
{
    return doc.FinishListing(Collect(doc, tokens));
}

// The samples as a capture file holds their tokens: per sample its line number and three cells,
// with no header in front.
inline TokenList DataTokens(const std::vector<Cells>& cells)
{
    TokenList tokens;
    AppendSamples(tokens, cells);
    return tokens;
}

// Puts a capture into the document as reading a capture file leaves it: the listing's header lines
// kept apart, the data tokens (four per sample), the names, all parsed and shown as the capture.
inline void Load(CVELDRANDoc& doc, TokenList dataTokens, ChannelNames names = {})
{
    doc.BeginLoad();
    doc.LoadCapture(ListingHeader(), std::move(dataTokens), std::move(names));
}

// A capture file of the samples, as saving a received listing writes it.
inline bool SaveListing(const std::vector<Cells>& cells, const ChannelNames& names, const std::string& path)
{
    CVELDRANDoc doc;
    Collect(doc, Listing(cells));
    return static_cast<bool>(SaveCaptureFile(doc, names, path));
}

} // namespace veldran::test
