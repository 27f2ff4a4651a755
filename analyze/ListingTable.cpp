#include "analyze/ListingTable.h"

#include "analysis/SamplePacking.h"

#include <algorithm>

namespace veldran {
namespace {

constexpr size_t kPieceBytes = 65536;
constexpr uint64_t kFemtosecondsPerSecond = 1000000000000000ULL;

// The decimals a multiple of the period needs to be exact in seconds.
int SecondDecimals(uint64_t periodFs)
{
    int places = 15;
    for (uint64_t rest = periodFs; places > 0 && rest % 10 == 0; rest /= 10)
        --places;
    return places;
}

// count × periodFs femtoseconds in seconds with exactly `places` decimals.
std::string FixedSeconds(uint64_t count, uint64_t periodFs, int places)
{
    const unsigned __int128 total = static_cast<unsigned __int128>(count) * periodFs;
    std::string digits;
    for (unsigned __int128 rest = total / kFemtosecondsPerSecond; rest != 0 || digits.empty(); rest /= 10)
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(rest % 10)));
    if (places == 0)
        return digits;
    uint64_t fraction = static_cast<uint64_t>(total % kFemtosecondsPerSecond);
    for (int i = places; i < 15; ++i)
        fraction /= 10;
    std::string decimals = std::to_string(fraction);
    return digits + '.' + std::string(static_cast<size_t>(places) - decimals.size(), '0') + decimals;
}

// The widest text a bus's values take in its radix: all ones, or the most negative signed value.
size_t ValueWidth(const Bus& bus)
{
    const uint64_t top = uint64_t{1} << (bus.Width() - 1);
    return std::max(FormatBusValue(top | (top - 1), bus.Width(), bus.eRadix).size(),
                    FormatBusValue(top, bus.Width(), bus.eRadix).size());
}

void AppendCell(std::string& line, std::string_view text, size_t width, bool bFirst)
{
    if (!bFirst)
        line += "  ";
    const size_t taken = TerminalWidth(text);
    if (taken < width)
        line.append(width - taken, ' ');
    line += text;
}

} // namespace

size_t TerminalWidth(std::string_view text)
{
    size_t width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if ((lead & 0xC0) == 0x80)
            continue; // a byte that continues a sequence
        if (lead < 0xE0 || lead >= 0xF0 || i + 2 >= text.size()) {
            ++width;
            continue;
        }
        const uint32_t code = (lead & 0x0Fu) << 12 | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 6 |
                              (static_cast<unsigned char>(text[i + 2]) & 0x3Fu);
        const bool wide = (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF) ||
                          (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
                          (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60) ||
                          (code >= 0xFFE0 && code <= 0xFFE6);
        width += wide ? 2 : 1;
    }
    return width;
}

void WriteListingTable(const SampleStore& store, int64_t from, int64_t to, std::optional<uint64_t> periodFs,
                       const std::vector<Bus>& buses, const ListingHeads& heads, const ListingSink& sink)
{
    const int places = periodFs ? SecondDecimals(*periodFs) : 0;
    std::vector<size_t> widths{std::max(TerminalWidth(heads.strSample), std::to_string(to).size())};
    if (periodFs)
        widths.push_back(std::max(TerminalWidth(heads.strTime),
                                  FixedSeconds(static_cast<uint64_t>(to), *periodFs, places).size()));
    for (const Bus& bus : buses)
        widths.push_back(std::max(TerminalWidth(bus.strName), ValueWidth(bus)));

    std::string piece;
    size_t column = 0;
    AppendCell(piece, heads.strSample, widths[column++], true);
    if (periodFs)
        AppendCell(piece, heads.strTime, widths[column++], false);
    for (const Bus& bus : buses)
        AppendCell(piece, bus.strName, widths[column++], false);
    piece += '\n';
    for (int64_t sample = from; sample <= to; ++sample) {
        column = 0;
        AppendCell(piece, std::to_string(sample), widths[column++], true);
        if (periodFs)
            AppendCell(piece, FixedSeconds(static_cast<uint64_t>(sample), *periodFs, places), widths[column++], false);
        const uint64_t levels = PackSample(store, sample);
        for (const Bus& bus : buses)
            AppendCell(piece, FormatBusValue(BusValueOfLevels(bus, levels), bus.Width(), bus.eRadix), widths[column++], false);
        piece += '\n';
        if (piece.size() >= kPieceBytes) {
            sink(piece);
            piece.clear();
        }
    }
    sink(piece);
}

} // namespace veldran
