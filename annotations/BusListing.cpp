#include "annotations/BusListing.h"

#include "analysis/SamplePacking.h"

namespace veldran {
namespace {

constexpr size_t kPieceBytes = 65536;
constexpr uint64_t kFemtosecondsPerSecond = 1000000000000000ULL;

} // namespace

std::optional<Message> ListingRangeProblem(const SampleStore& store, int64_t from, int64_t to)
{
    if (store.nCount <= 0)
        return Message(text::kCliEmptyCapture);
    const std::string last = std::to_string(store.nCount - 1);
    for (const int64_t sample : {from, to})
        if (sample < 0 || sample >= store.nCount)
            return Message(text::kCliSampleOutside, {std::to_string(sample), last});
    if (from > to)
        return Message(text::kListingRangeReversed, {std::to_string(from), std::to_string(to)});
    return std::nullopt;
}

std::string CsvQuoted(std::string_view text)
{
    const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote)
        return std::string(text);
    std::string out = "\"";
    for (const char c : text)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + '"';
}

void AppendFemtoseconds(std::string& out, uint64_t count, uint64_t periodFs)
{
    const unsigned __int128 total = static_cast<unsigned __int128>(count) * periodFs;
    const auto whole = static_cast<unsigned __int128>(total / kFemtosecondsPerSecond);
    uint64_t fraction = static_cast<uint64_t>(total % kFemtosecondsPerSecond);
    // The whole seconds may not fit 64 bits (up to 2^128 / 10^15): written digit by digit.
    std::string digits;
    for (unsigned __int128 rest = whole; rest != 0 || digits.empty(); rest /= 10)
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(rest % 10)));
    out += digits;
    if (fraction == 0)
        return;
    int places = 15;
    while (fraction % 10 == 0) {
        fraction /= 10;
        --places;
    }
    const std::string fractionDigits = std::to_string(fraction);
    out += '.';
    out.append(static_cast<size_t>(places) - fractionDigits.size(), '0');
    out += fractionDigits;
}

std::optional<Message> WriteBusListing(const SampleStore& store, int64_t from, int64_t to,
                                       std::optional<uint64_t> periodFs, const std::vector<Bus>& buses,
                                       const ListingSink& sink)
{
    if (std::optional<Message> problem = ListingRangeProblem(store, from, to))
        return problem;
    std::string piece = "sample";
    if (periodFs)
        piece += ",time_s";
    for (const Bus& bus : buses)
        piece += ',' + CsvQuoted(bus.strName);
    piece += "\r\n";
    for (int64_t sample = from; sample <= to; ++sample) {
        piece += std::to_string(sample);
        if (periodFs) {
            piece += ',';
            AppendFemtoseconds(piece, static_cast<uint64_t>(sample), *periodFs);
        }
        const uint64_t levels = PackSample(store, sample);
        for (const Bus& bus : buses) {
            piece += ',';
            const std::string value = FormatBusValue(BusValueOfLevels(bus, levels), bus.Width(), bus.eRadix);
            piece += bus.eRadix == ERadix::Ascii ? CsvQuoted(value) : value;
        }
        piece += "\r\n";
        if (piece.size() >= kPieceBytes) {
            sink(piece);
            piece.clear();
        }
    }
    sink(piece);
    return std::nullopt;
}

} // namespace veldran
