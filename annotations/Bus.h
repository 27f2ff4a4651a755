#pragma once
// A bus: a named, ordered group of 1 to 48 channels read together as one number, the first channel
// its most significant bit, and the radix its values are shown in.
//
// Radixes, for a bus of width w:
//   hex       upper-case digits, no prefix, zero-padded to ceil(w / 4) digits ("0A" for 8 bits)
//   unsigned  decimal
//   signed    decimal, the value read as a w-bit two's complement ("-1" for all ones)
//   ascii     one character per 8-bit byte, the most significant byte first; when w is not a
//             multiple of 8 the most significant byte is the partial one (its top bits zero), so
//             a 12-bit bus shows two characters, the first from its top 4 bits. A byte from 0x20 to
//             0x7E is shown as that character, any other as '.'.
//   binary    0s and 1s, zero-padded to w digits

#include "analysis/SampleStore.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veldran {

enum class ERadix { Hex, Unsigned, Signed, Ascii, Binary };

inline constexpr int kMaxBusWidth = 48;

struct Bus {
    std::string strName;
    std::vector<int> channels; // most significant first, each 0 … 47, none twice
    ERadix eRadix = ERadix::Hex;

    [[nodiscard]] int Width() const { return static_cast<int>(channels.size()); }
    bool operator==(const Bus& other) const
    {
        return strName == other.strName && channels == other.channels && eRadix == other.eRadix;
    }
    bool operator!=(const Bus& other) const { return !(*this == other); }
};

// The bus's value in a sample packed as SamplePacking.h packs it (bit c = channel c).
[[nodiscard]] uint64_t BusValueOfLevels(const Bus& bus, uint64_t levels);
// The bus's value at a sample of the store.
[[nodiscard]] uint64_t BusValue(const Bus& bus, const SampleStore& store, int64_t sample);

// A value of a bus `width` bits wide (1 … 48) in a radix, as described above.
[[nodiscard]] std::string FormatBusValue(uint64_t value, int width, ERadix radix);

// "hex", "unsigned", "signed", "ascii", "binary": the radix's word in files and command lines.
[[nodiscard]] const char* RadixName(ERadix radix);
[[nodiscard]] std::optional<ERadix> ParseRadix(std::string_view word);

} // namespace veldran
