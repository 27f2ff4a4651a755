#pragma once
// Reading an info block (header, masks, colour table) into a checked layout, and writing the
// 40-byte header back. Shared by image creation and the file reader, which must know the pixel
// buffer's size before it allocates anything.

#include "print/bitmap/DibImage.h"
#include "print/bitmap/DibTypes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace veldran {

struct DibInfoLayout {
    DibDescription description; // header brought to the 40-byte form, masks settled
    std::vector<DibColor> colorTable;
    size_t imageBytes = 0;      // bytes of the pixel buffer: row bytes × rows
};

// None for a short block, an unknown header size, a compressed layout, absurd sizes or an image
// larger than kDibMaxPixelBytes.
[[nodiscard]] std::optional<DibInfoLayout> DibParseInfoBlock(const uint8_t* info, size_t size);

// Allocates the image a checked layout describes; none when memory runs out.
[[nodiscard]] DibImagePtr DibCreateFromLayout(const DibInfoLayout& layout);

void DibAppendInfoHeader(std::vector<uint8_t>& out, const DibInfoHeader& header);

} // namespace veldran
