#pragma once
// Builds BMP files byte by byte, with any header field set to what a test needs, including values
// a sound writer never produces.

#include "print/bitmap/DibTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace veldran::test {

struct BmpSpec {
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

inline std::vector<uint8_t> BuildBmp(const BmpSpec& spec)
{
    std::vector<uint8_t> info;
    PutLe(info, spec.headerSize, 4);
    if (spec.headerSize == 12) {
        PutLe(info, static_cast<uint32_t>(spec.width), 2);
        PutLe(info, static_cast<uint32_t>(spec.height), 2);
        PutLe(info, spec.planes, 2);
        PutLe(info, spec.bits, 2);
    } else {
        PutLe(info, static_cast<uint32_t>(spec.width), 4);
        PutLe(info, static_cast<uint32_t>(spec.height), 4);
        PutLe(info, spec.planes, 2);
        PutLe(info, spec.bits, 2);
        PutLe(info, spec.compression, 4);
        PutLe(info, spec.imageSize, 4);
        PutLe(info, 2835, 4);
        PutLe(info, 2835, 4);
        PutLe(info, spec.colorsUsed, 4);
        PutLe(info, 0, 4);
        for (uint32_t mask : spec.masks)
            PutLe(info, mask, 4);
        if (spec.headerSize > 40)
            info.resize(spec.headerSize, 0);
    }
    for (const DibColor& c : spec.table) {
        info.insert(info.end(), {c.blue, c.green, c.red});
        if (spec.headerSize != 12)
            info.push_back(c.reserved);
    }
    std::vector<uint8_t> file(spec.signature.begin(), spec.signature.end());
    const uint32_t offset = static_cast<uint32_t>(14 + info.size());
    PutLe(file, spec.fileSize.value_or(static_cast<uint32_t>(offset + spec.pixels.size())), 4);
    PutLe(file, 0, 4);
    PutLe(file, spec.pixelOffset.value_or(offset), 4);
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), spec.pixels.begin(), spec.pixels.end());
    return file;
}

} // namespace veldran::test
