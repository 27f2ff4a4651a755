#pragma once
// Builds BMP files byte by byte, with any header field set to what a test needs, including values
// a sound writer never produces.

#include "print/bitmap/DibTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace veldran::test {

struct BmpLayout {
    std::string signature = "BM";
    uint32_t headerSize = 40; // 12 writes the core header
    int32_t width = 4;
    int32_t height = 2;
    uint16_t planes = 1;
    uint16_t bits = 8;
    uint32_t compression = kDibCompressionRgb;
    uint32_t imageSize = 0;
    uint32_t colorsUsed = 0;
    std::vector<uint32_t> masks;  // after a 40-byte header, inside a larger one
    std::vector<DibColor> table;  // 3 bytes per entry for a core header, else 4
    std::vector<uint8_t> pixels;
    std::optional<uint32_t> fileSize;    // default: the real length
    std::optional<uint32_t> pixelOffset; // default: where the pixels start
};

inline void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

inline std::vector<uint8_t> BuildBmp(const BmpLayout& layout)
{
    std::vector<uint8_t> info;
    PutLe(info, layout.headerSize, 4);
    if (layout.headerSize == 12) {
        PutLe(info, static_cast<uint32_t>(layout.width), 2);
        PutLe(info, static_cast<uint32_t>(layout.height), 2);
        PutLe(info, layout.planes, 2);
        PutLe(info, layout.bits, 2);
    } else {
        PutLe(info, static_cast<uint32_t>(layout.width), 4);
        PutLe(info, static_cast<uint32_t>(layout.height), 4);
        PutLe(info, layout.planes, 2);
        PutLe(info, layout.bits, 2);
        PutLe(info, layout.compression, 4);
        PutLe(info, layout.imageSize, 4);
        PutLe(info, 2835, 4);
        PutLe(info, 2835, 4);
        PutLe(info, layout.colorsUsed, 4);
        PutLe(info, 0, 4);
        for (uint32_t mask : layout.masks)
            PutLe(info, mask, 4);
        if (layout.headerSize > 40)
            info.resize(layout.headerSize, 0);
    }
    for (const DibColor& c : layout.table) {
        info.insert(info.end(), {c.blue, c.green, c.red});
        if (layout.headerSize != 12)
            info.push_back(c.reserved);
    }
    std::vector<uint8_t> file(layout.signature.begin(), layout.signature.end());
    const uint32_t offset = static_cast<uint32_t>(14 + info.size());
    PutLe(file, layout.fileSize.value_or(static_cast<uint32_t>(offset + layout.pixels.size())), 4);
    PutLe(file, 0, 4);
    PutLe(file, layout.pixelOffset.value_or(offset), 4);
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), layout.pixels.begin(), layout.pixels.end());
    return file;
}

} // namespace veldran::test
