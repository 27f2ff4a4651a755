#pragma once
// Pixel and colour access at 1, 4, 8, 16, 24 and 32 bits per pixel. x is the column, y the row from
// the top, whatever the row order in memory.

#include "print/bitmap/DibImage.h"

#include <cstdint>

namespace veldran {

// The byte that holds the pixel, or null outside the image.
[[nodiscard]] const uint8_t* DibPixelAddress(const DibImage* image, int32_t x, int32_t y);
[[nodiscard]] uint8_t* DibPixelAddress(DibImage* image, int32_t x, int32_t y);

// The raw value: a colour-table index up to 8 bits, the little-endian word above. 0 outside.
[[nodiscard]] uint32_t DibGetPixel(const DibImage* image, int32_t x, int32_t y);
// Stores the value, keeping the neighbours that share its byte. A value wider than the depth is
// cut to the depth's low bits. False outside the image.
bool DibSetPixel(DibImage* image, int32_t x, int32_t y, uint32_t value);

// The pixel's colour; false outside the image or for an index with no colour-table entry. For 16-bit
// and bit-field pixels the reserved byte is left as it was.
[[nodiscard]] bool DibGetPixelColor(const DibImage* image, int32_t x, int32_t y, DibColor& color);
// False for indexed images (up to 8 bits) and outside the image.
bool DibSetPixelColor(DibImage* image, int32_t x, int32_t y, const DibColor& color);

} // namespace veldran
