#pragma once
// The snapshot on its way to the print bitmap file: the screen picture laid out as a packed DIB
// (info header, colour table, bottom-up rows), that block written as a BMP file, and the file read
// back whole for the page.

#include "print/bitmap/DibTypes.h"

#include <QImage>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace veldran {

// Info header, colour table and pixel rows in one block; empty when none could be made.
using PackedDib = std::vector<uint8_t>;

// Largest print bitmap file the page will read: the biggest picture the bitmap toolkit takes, plus
// room for the headers and a colour table.
constexpr size_t kMaxBitmapFileBytes = kDibMaxPixelBytes + (size_t(1) << 20);

// Bits per pixel of a bitmap made for a screen of this depth: 24 and 32 stay, 15 and 16 become 16
// (5-5-5), 8 and less become 8 (indexed), anything else 32.
[[nodiscard]] int CaptureBitCount(int screenDepth);

// The 20 colours of the stock default palette, in palette order.
[[nodiscard]] const DibPalette& DefaultPalette();
// Where the default palette's colours sit in a 256-entry colour table: the first ten at the bottom,
// the last ten at the top, as a realized system palette holds them. The entries between are black.
[[nodiscard]] int DefaultPaletteTableIndex(int paletteIndex);

// The bitmap's pixels at bitsPixel (16, 24 or 32, or 8 through the palette: the given one, or the
// default palette when palette is null) as a packed DIB with a 40-byte header. Indexed pixels take
// the nearest palette colour. Empty for a null bitmap, another depth, or any compression but plain
// rows.
[[nodiscard]] PackedDib BitmapToPackedDib(const QImage& bitmap, int bitsPixel, uint32_t compression,
                                          const DibPalette* palette);

// Colours in the block's table: the colours-used field of an info header when set, otherwise 2, 16
// or 256 for 1, 4 or 8 bits, and 0 above. 0 for a block too short to hold its header.
[[nodiscard]] uint16_t PackedDibColorCount(const uint8_t* block, size_t size);
// Bytes of that table: 4 per entry after an info header, 3 after a core header.
[[nodiscard]] uint32_t PackedDibColorTableBytes(const uint8_t* block, size_t size);

// Writes the block as a BMP file: the 14-byte file header, then the block with its image-size
// field filled in. The file is replaced only once the new one is complete, so a failed write keeps
// the previous picture. False when the block is empty or shorter than its header announces, or the
// file cannot be written.
[[nodiscard]] bool WritePackedDibFile(const std::string& fileName, const PackedDib& block);

// The whole BMP file, or none when it cannot be read, is shorter than the signature and size field,
// does not start with "BM", announces another size than it has, or exceeds kMaxBitmapFileBytes.
[[nodiscard]] std::optional<std::vector<uint8_t>> ReadBitmapFileImage(const std::string& fileName);

} // namespace veldran
