#include "annotations/Bus.h"

#include "analysis/SamplePacking.h"

namespace veldran {
namespace {

constexpr const char* kRadixNames[] = {"hex", "unsigned", "signed", "ascii", "binary"};

void AppendDigits(std::string& out, uint64_t value, unsigned bitsPerDigit, int digits)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const uint64_t mask = (uint64_t{1} << bitsPerDigit) - 1;
    for (int i = digits - 1; i >= 0; --i)
        out += kDigits[(value >> (static_cast<unsigned>(i) * bitsPerDigit)) & mask];
}

std::string AsciiText(uint64_t value, int width)
{
    std::string out;
    for (int byte = (width + 7) / 8 - 1; byte >= 0; --byte) {
        const auto c = static_cast<unsigned>((value >> (byte * 8)) & 0xFF);
        out += c >= 0x20 && c <= 0x7E ? static_cast<char>(c) : '.';
    }
    return out;
}

} // namespace

uint64_t BusValueOfLevels(const Bus& bus, uint64_t levels)
{
    uint64_t value = 0;
    for (const int channel : bus.channels)
        value = value << 1 | ((levels >> channel) & 1);
    return value;
}

uint64_t BusValue(const Bus& bus, const SampleStore& store, int64_t sample)
{
    return BusValueOfLevels(bus, PackSample(store, sample));
}

std::string FormatBusValue(uint64_t value, int width, ERadix radix)
{
    const uint64_t mask = width >= 64 ? ~uint64_t{0} : (uint64_t{1} << width) - 1;
    value &= mask;
    std::string out;
    switch (radix) {
    case ERadix::Hex:
        AppendDigits(out, value, 4, (width + 3) / 4);
        break;
    case ERadix::Binary:
        AppendDigits(out, value, 1, width);
        break;
    case ERadix::Unsigned:
        out = std::to_string(value);
        break;
    case ERadix::Signed: {
        const uint64_t sign = uint64_t{1} << (width - 1);
        // The magnitude of a negative value is its two's complement within the width.
        out = (value & sign) ? "-" + std::to_string(((~value) & mask) + 1) : std::to_string(value);
        break;
    }
    case ERadix::Ascii:
        out = AsciiText(value, width);
        break;
    }
    return out;
}

const char* RadixName(ERadix radix)
{
    return kRadixNames[static_cast<int>(radix)];
}

std::optional<ERadix> ParseRadix(std::string_view word)
{
    for (int i = 0; i < static_cast<int>(std::size(kRadixNames)); ++i)
        if (word == kRadixNames[i])
            return static_cast<ERadix>(i);
    return std::nullopt;
}

} // namespace veldran
