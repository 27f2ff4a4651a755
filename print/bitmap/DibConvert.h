#pragma once
// Conversion of an image to another bit depth.

#include "print/bitmap/DibImage.h"

namespace veldran {

// A new image at the target depth; the source is unchanged. None for the same depth, a depth the
// toolkit cannot reach from the source, or when the new image cannot be made.
//   1 → 4, 1 → 8, 4 → 8: indexes and colour table kept;
//   any → 16, 24, 32:    colour by colour;
//   16/24/32 → 8:        median-cut palette of the image (6 bits per channel);
//   any → 1:             black and white;
//   8/16/24/32 → 4:      the 16 standard colours.
// Reduced pixels take the nearest palette colour.
[[nodiscard]] DibImagePtr DibConvertDepth(const DibImage* image, int targetBits);

} // namespace veldran
