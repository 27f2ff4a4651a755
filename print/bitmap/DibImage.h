#pragma once
// The image record of the bitmap toolkit and the operations that make, describe and release it.
//
// An image owns its pixel buffer, a table of row addresses (entry 0 is always the top row, whatever
// the row order in memory), a description with the header fields, the colour masks with their
// shifts, and its colour table. Every operation takes a pointer and first checks that it points at
// a live image; a null pointer or a record that was not made here gives 0, false or none.

#include "print/bitmap/DibTypes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace veldran {

// "Dib " read as a little-endian 32-bit value.
constexpr uint32_t kDibMagic = 0x20626944u;

struct DibImage {
    DibImage() = default;
    DibImage(const DibImage&) = delete;
    DibImage& operator=(const DibImage&) = delete;

    std::vector<uint8_t*> m_rows;           // one address per row, top row first
    uint32_t m_nMagic = 0;                  // kDibMagic once the image is complete
    std::vector<uint8_t> m_pixels;          // rows in memory order, each padded to 4 bytes
    DibDescription m_description;
    std::array<int32_t, 3> m_nRightShift{}; // red, green, blue
    std::array<int32_t, 3> m_nLeftShift{};  // negative for channels wider than 8 bits
    std::vector<DibColor> m_colorTable;
};

// Images are handed out owned; dropping the pointer releases the image as DibFree does.
using DibImagePtr = std::unique_ptr<DibImage>;

// Makes an image from an info block in file layout: a 40-byte (or 12-byte core, or larger
// version 4/5) info header, the three masks after a 40-byte header with bit fields, then the colour
// table. The caller keeps the block. None when the block is short or describes no sound image.
[[nodiscard]] DibImagePtr DibCreateFromInfo(const uint8_t* info, size_t size);
// A blank, bottom-up image whose colour-table entries are all zero.
[[nodiscard]] DibImagePtr DibCreate(int32_t width, int32_t height, int bits, uint32_t colors);
// Releases the image and empties the pointer; false (and nothing released) for an invalid image.
bool DibFree(DibImagePtr& image);

[[nodiscard]] bool DibIsValid(const DibImage* image);
[[nodiscard]] int32_t DibWidth(const DibImage* image);
[[nodiscard]] int32_t DibHeight(const DibImage* image);
[[nodiscard]] int DibBitCount(const DibImage* image);
[[nodiscard]] uint32_t DibRowBytes(const DibImage* image);
[[nodiscard]] uint32_t DibColorCount(const DibImage* image);
[[nodiscard]] uint32_t DibCompression(const DibImage* image);
[[nodiscard]] bool DibIsUncompressed(const DibImage* image);
[[nodiscard]] uint32_t DibHeaderSize(const DibImage* image);
[[nodiscard]] uint32_t DibMaskBytes(const DibImage* image);
[[nodiscard]] uint32_t DibColorTableBytes(const DibImage* image);
[[nodiscard]] uint32_t DibInfoBytes(const DibImage* image);
[[nodiscard]] uint32_t DibImageBytes(const DibImage* image);
[[nodiscard]] uint32_t DibTotalBytes(const DibImage* image);

// One colour-table entry; false when the image is invalid or has no entry at that index.
[[nodiscard]] bool DibGetColorEntry(const DibImage* image, uint32_t index, DibColor& color);
bool DibSetColorEntry(DibImage* image, uint32_t index, const DibColor& color);

// The image as one packed block: 40-byte info header, masks (bit fields only), colour table, pixels
// in memory order. Empty when the image is invalid or the block cannot be allocated. There is no
// separate shared global memory here, so both values of inGlobalMemory give the same heap block
// (zero-initialised before it is filled).
[[nodiscard]] std::vector<uint8_t> DibCopyToPackedDib(const DibImage* image, bool inGlobalMemory);

// Number of zero bits below the lowest one bit; 0 for a zero mask.
[[nodiscard]] int32_t CountTrailingZeros(uint32_t mask);
// 8 minus the length of the lowest run of one bits; 0 for a zero mask.
[[nodiscard]] int32_t MaskLeftShift(uint32_t mask);

} // namespace veldran
