#pragma once
// Turns the bytes of a BMP file, as read for the page, into a picture the painter can stretch.

#include "print/bitmap/DibImage.h"

#include <QImage>

#include <cstdint>
#include <vector>

namespace veldran {

// The image's pixels top row first: 24-bit rows straight, other depths colour by colour.
// Null for an invalid image.
[[nodiscard]] QImage DibToQImage(const DibImage* image);

// The whole BMP file decoded; null when its headers describe no sound picture or its pixels are short.
[[nodiscard]] QImage DecodeBitmapFileImage(const std::vector<uint8_t>& file);

} // namespace veldran
