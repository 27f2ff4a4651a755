#include "print/bitmap/DibInfoBlock.h"

#include "print/bitmap/DibBytes.h"

#include <algorithm>
#include <new>

namespace veldran {

namespace {

using dibbytes::ReadI32;
using dibbytes::ReadU16;
using dibbytes::ReadU32;

constexpr uint32_t kMaxColors = 256;
// Each row costs a table entry on top of its pixels; a few million rows is far beyond any picture
// this program takes, and keeps the row table small.
constexpr int64_t kMaxRows = int64_t(1) << 22;

bool IsSupportedBitCount(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Header sizes whose first 40 bytes are the 40-byte header: plain, the two Adobe extensions with
// masks, version 4 and version 5.
bool IsInfoHeaderSize(uint32_t size)
{
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// Row bytes × rows, or 0 when the sizes are absurd or the buffer would be too large.
size_t PixelBytesFor(int64_t width, int64_t rows, int bits)
{
    if (width <= 0 || rows <= 0 || rows > kMaxRows)
        return 0;
    const uint64_t rowBytes = (uint64_t(bits) * uint64_t(width) + 31) / 32 * 4;
    if (rowBytes > kDibMaxPixelBytes)
        return 0;
    const uint64_t total = rowBytes * uint64_t(rows);
    return total > kDibMaxPixelBytes ? 0 : static_cast<size_t>(total);
}

std::array<uint32_t, 3> DefaultMasks(int bits)
{
    if (bits == 16)
        return {0x7C00u, 0x03E0u, 0x001Fu};
    if (bits == 24 || bits == 32)
        return {0xFF0000u, 0x00FF00u, 0x0000FFu};
    return {0, 0, 0};
}

// The 12-byte core header: 16-bit sizes, always bottom-up, colour entries of three bytes.
std::optional<DibInfoLayout> ParseCoreBlock(const uint8_t* info, size_t size)
{
    if (size < kDibCoreHeaderBytes)
        return std::nullopt;
    DibInfoLayout layout;
    DibInfoHeader& header = layout.description.header;
    header.width = ReadU16(info + 4);
    header.height = ReadU16(info + 6);
    header.planes = ReadU16(info + 8);
    header.bitCount = ReadU16(info + 10);
    const int bits = header.bitCount;
    if (header.planes != 1 || !(bits == 1 || bits == 4 || bits == 8 || bits == 24))
        return std::nullopt;
    const size_t colors = bits <= 8 ? size_t(1) << bits : 0;
    if (size < kDibCoreHeaderBytes + colors * 3)
        return std::nullopt;
    for (size_t i = 0; i < colors; ++i) {
        const uint8_t* entry = info + kDibCoreHeaderBytes + i * 3;
        layout.colorTable.push_back(DibColor{entry[0], entry[1], entry[2], 0});
    }
    return layout;
}

std::optional<DibInfoLayout> ParseInfoHeaderBlock(const uint8_t* info, size_t size, uint32_t headerSize)
{
    if (size < headerSize)
        return std::nullopt;
    DibInfoLayout layout;
    DibInfoHeader& header = layout.description.header;
    header.width = ReadI32(info + 4);
    header.height = ReadI32(info + 8);
    header.planes = ReadU16(info + 12);
    header.bitCount = ReadU16(info + 14);
    header.compression = ReadU32(info + 16);
    header.imageSize = ReadU32(info + 20);
    header.xPelsPerMeter = ReadI32(info + 24);
    header.yPelsPerMeter = ReadI32(info + 28);
    header.colorsUsed = ReadU32(info + 32);
    header.colorsImportant = ReadU32(info + 36);

    const int bits = header.bitCount;
    if (header.planes != 1 || !IsSupportedBitCount(bits) || header.colorsUsed > kMaxColors)
        return std::nullopt;

    size_t tableOffset = headerSize;
    if (header.compression == kDibCompressionBitfields) {
        if (bits != 16 && bits != 32)
            return std::nullopt;
        // After a 40-byte header the masks follow it; larger headers hold them at the same offset.
        if (size < kDibInfoHeaderBytes + kDibMaskBytes)
            return std::nullopt;
        for (int i = 0; i < 3; ++i)
            layout.description.masks[i] = ReadU32(info + kDibInfoHeaderBytes + 4 * i);
        if (headerSize == kDibInfoHeaderBytes)
            tableOffset += kDibMaskBytes;
    } else if (header.compression != kDibCompressionRgb) {
        return std::nullopt;
    }

    size_t colors = header.colorsUsed;
    if (colors == 0 && bits <= 8)
        colors = size_t(1) << bits;
    if (size < tableOffset + colors * 4)
        return std::nullopt;
    for (size_t i = 0; i < colors; ++i) {
        const uint8_t* entry = info + tableOffset + i * 4;
        layout.colorTable.push_back(DibColor{entry[0], entry[1], entry[2], entry[3]});
    }
    return layout;
}

} // namespace

std::optional<DibInfoLayout> DibParseInfoBlock(const uint8_t* info, size_t size)
{
    if (!info || size < 4)
        return std::nullopt;
    const uint32_t headerSize = ReadU32(info);
    std::optional<DibInfoLayout> layout;
    if (headerSize == kDibCoreHeaderBytes)
        layout = ParseCoreBlock(info, size);
    else if (IsInfoHeaderSize(headerSize))
        layout = ParseInfoHeaderBlock(info, size, headerSize);
    if (!layout)
        return std::nullopt;

    DibDescription& description = layout->description;
    DibInfoHeader& header = description.header;
    const int bits = header.bitCount;
    const int64_t rows = header.height < 0 ? -int64_t(header.height) : int64_t(header.height);
    layout->imageBytes = PixelBytesFor(header.width, rows, bits);
    if (layout->imageBytes == 0)
        return std::nullopt;

    // The image keeps the 40-byte form of whatever header it came from, and an image size that
    // matches its own buffer, so that writing it back gives a consistent file.
    header.size = kDibInfoHeaderBytes;
    header.imageSize = static_cast<uint32_t>(layout->imageBytes);
    if (header.compression != kDibCompressionBitfields)
        description.masks = DefaultMasks(bits);

    DibBitmapSummary& bitmap = description.bitmap;
    bitmap.width = header.width;
    bitmap.height = static_cast<int32_t>(rows);
    bitmap.widthBytes = static_cast<int32_t>(layout->imageBytes / static_cast<size_t>(rows));
    bitmap.planes = 1;
    bitmap.bitsPixel = header.bitCount;
    return layout;
}

DibImagePtr DibCreateFromLayout(const DibInfoLayout& layout)
{
    try {
        auto image = std::make_unique<DibImage>();
        image->m_description = layout.description;
        image->m_colorTable = layout.colorTable;
        image->m_pixels.assign(layout.imageBytes, 0);
        for (int i = 0; i < 3; ++i) {
            image->m_nRightShift[i] = CountTrailingZeros(layout.description.masks[i]);
            image->m_nLeftShift[i] = MaskLeftShift(layout.description.masks[i]);
        }
        const size_t rows = static_cast<size_t>(layout.description.bitmap.height);
        const size_t rowBytes = layout.imageBytes / rows;
        const bool bottomUp = layout.description.header.height > 0;
        image->m_rows.resize(rows);
        for (size_t i = 0; i < rows; ++i)
            image->m_rows[i] = image->m_pixels.data() + (bottomUp ? rows - 1 - i : i) * rowBytes;
        image->m_nMagic = kDibMagic;
        return image;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void DibAppendInfoHeader(std::vector<uint8_t>& out, const DibInfoHeader& header)
{
    using namespace dibbytes;
    AppendU32(out, header.size);
    AppendI32(out, header.width);
    AppendI32(out, header.height);
    AppendU16(out, header.planes);
    AppendU16(out, header.bitCount);
    AppendU32(out, header.compression);
    AppendU32(out, header.imageSize);
    AppendI32(out, header.xPelsPerMeter);
    AppendI32(out, header.yPelsPerMeter);
    AppendU32(out, header.colorsUsed);
    AppendU32(out, header.colorsImportant);
}

std::vector<uint8_t> DibCopyToPackedDib(const DibImage* image, bool /*inGlobalMemory*/)
{
    if (!DibIsValid(image))
        return {};
    try {
        std::vector<uint8_t> block;
        block.reserve(DibTotalBytes(image));
        DibAppendInfoHeader(block, image->m_description.header);
        if (DibCompression(image) == kDibCompressionBitfields)
            for (uint32_t mask : image->m_description.masks)
                dibbytes::AppendU32(block, mask);
        const uint32_t colors = DibColorCount(image);
        for (uint32_t i = 0; i < colors; ++i) {
            DibColor color;
            (void)DibGetColorEntry(image, i, color); // an entry the table lacks is written as zero
            block.insert(block.end(), {color.blue, color.green, color.red, color.reserved});
        }
        const size_t pixelBytes = std::min<size_t>(DibImageBytes(image), image->m_pixels.size());
        block.insert(block.end(), image->m_pixels.begin(), image->m_pixels.begin() + pixelBytes);
        return block;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

} // namespace veldran
