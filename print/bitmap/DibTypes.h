#pragma once
// Plain values of the bitmap toolkit: colours in colour-table order, the fields of the BMP headers,
// the description an image carries, and logical palettes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace veldran {

// Compression codes of the info header.
constexpr uint32_t kDibCompressionRgb = 0;       // plain pixels
constexpr uint32_t kDibCompressionRle8 = 1;
constexpr uint32_t kDibCompressionRle4 = 2;
constexpr uint32_t kDibCompressionBitfields = 3; // pixels laid out by three colour masks

constexpr size_t kDibFileHeaderBytes = 14;
constexpr size_t kDibInfoHeaderBytes = 40;
constexpr size_t kDibCoreHeaderBytes = 12;
constexpr size_t kDibMaskBytes = 12;

// Largest pixel buffer an image may own; anything bigger is refused before allocating.
constexpr size_t kDibMaxPixelBytes = size_t(256) << 20;

// One colour in colour-table order: blue, green, red, reserved.
struct DibColor {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
    uint8_t reserved = 0;
};

inline bool operator==(const DibColor& a, const DibColor& b)
{
    return a.blue == b.blue && a.green == b.green && a.red == b.red && a.reserved == b.reserved;
}
inline bool operator!=(const DibColor& a, const DibColor& b) { return !(a == b); }

// The fields of the 40-byte info header, in file order.
struct DibInfoHeader {
    uint32_t size = kDibInfoHeaderBytes;
    int32_t width = 0;
    int32_t height = 0; // positive: rows stored bottom-up; negative: top-down
    uint16_t planes = 1;
    uint16_t bitCount = 0;
    uint32_t compression = kDibCompressionRgb;
    uint32_t imageSize = 0;
    int32_t xPelsPerMeter = 0;
    int32_t yPelsPerMeter = 0;
    uint32_t colorsUsed = 0;
    uint32_t colorsImportant = 0;
};

// The bitmap as a whole, whatever the row order.
struct DibBitmapSummary {
    int32_t type = 0;
    int32_t width = 0;
    int32_t height = 0; // number of rows, always positive
    int32_t widthBytes = 0;
    uint16_t planes = 1;
    uint16_t bitsPixel = 0;
};

enum DibChannel { kDibRed = 0, kDibGreen = 1, kDibBlue = 2 };

struct DibDescription {
    DibBitmapSummary bitmap;
    DibInfoHeader header;
    std::array<uint32_t, 3> masks{}; // red, green, blue
};

// A logical palette: what the nearest-colour search and the colour-reducing conversions work with.
struct DibPaletteEntry {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t flags = 0;
};

inline bool operator==(const DibPaletteEntry& a, const DibPaletteEntry& b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue && a.flags == b.flags;
}

struct DibPalette {
    uint16_t version = 0x300;
    std::vector<DibPaletteEntry> entries;
};

} // namespace veldran
