#include "print/bitmap/DibImage.h"

#include "print/bitmap/DibInfoBlock.h"

#include <new>

namespace veldran {

namespace {

const DibInfoHeader& HeaderOf(const DibImage* image) { return image->m_description.header; }

} // namespace

int32_t CountTrailingZeros(uint32_t mask)
{
    if (mask == 0)
        return 0;
    int32_t n = 0;
    while ((mask & 1u) == 0) {
        mask >>= 1;
        ++n;
    }
    return n;
}

int32_t MaskLeftShift(uint32_t mask)
{
    if (mask == 0)
        return 0;
    mask >>= CountTrailingZeros(mask);
    int32_t run = 0;
    while (mask & 1u) {
        mask >>= 1;
        ++run;
    }
    return 8 - run;
}

DibImagePtr DibCreateFromInfo(const uint8_t* info, size_t size)
{
    const std::optional<DibInfoLayout> layout = DibParseInfoBlock(info, size);
    return layout ? DibCreateFromLayout(*layout) : nullptr;
}

DibImagePtr DibCreate(int32_t width, int32_t height, int bits, uint32_t colors)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return nullptr;
    if (colors > 256)
        return nullptr;
    DibInfoHeader header;
    header.width = width;
    header.height = height;
    header.bitCount = static_cast<uint16_t>(bits);
    header.colorsUsed = colors;
    const size_t entries = colors != 0 ? colors : (bits <= 8 ? size_t(1) << bits : 0);
    try {
        std::vector<uint8_t> info;
        DibAppendInfoHeader(info, header);
        info.resize(info.size() + entries * 4, 0);
        return DibCreateFromInfo(info.data(), info.size());
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

bool DibFree(DibImagePtr& image)
{
    if (!DibIsValid(image.get()))
        return false;
    image.reset();
    return true;
}

bool DibIsValid(const DibImage* image) { return image && image->m_nMagic == kDibMagic; }

int32_t DibWidth(const DibImage* image) { return DibIsValid(image) ? image->m_description.bitmap.width : 0; }

int32_t DibHeight(const DibImage* image) { return DibIsValid(image) ? image->m_description.bitmap.height : 0; }

int DibBitCount(const DibImage* image) { return DibIsValid(image) ? image->m_description.bitmap.bitsPixel : 0; }

uint32_t DibRowBytes(const DibImage* image)
{
    if (!DibIsValid(image))
        return 0;
    const uint64_t bits = uint64_t(DibBitCount(image)) * uint64_t(DibWidth(image));
    return static_cast<uint32_t>((bits + 31) / 32 * 4);
}

uint32_t DibColorCount(const DibImage* image)
{
    if (!DibIsValid(image))
        return 0;
    if (HeaderOf(image).colorsUsed != 0)
        return HeaderOf(image).colorsUsed;
    const int bits = DibBitCount(image);
    return bits <= 8 ? 1u << bits : 0;
}

uint32_t DibCompression(const DibImage* image) { return DibIsValid(image) ? HeaderOf(image).compression : 0; }

bool DibIsUncompressed(const DibImage* image)
{
    if (!DibIsValid(image))
        return false;
    const uint32_t compression = DibCompression(image);
    return compression == kDibCompressionRgb || compression == kDibCompressionBitfields;
}

uint32_t DibHeaderSize(const DibImage* image) { return DibIsValid(image) ? HeaderOf(image).size : 0; }

uint32_t DibMaskBytes(const DibImage* image)
{
    return DibCompression(image) == kDibCompressionBitfields ? uint32_t(kDibMaskBytes) : 0;
}

uint32_t DibColorTableBytes(const DibImage* image) { return DibColorCount(image) * 4; }

uint32_t DibInfoBytes(const DibImage* image)
{
    return DibHeaderSize(image) + DibMaskBytes(image) + DibColorTableBytes(image);
}

uint32_t DibImageBytes(const DibImage* image)
{
    if (!DibIsValid(image))
        return 0;
    if (HeaderOf(image).imageSize != 0)
        return HeaderOf(image).imageSize;
    return DibRowBytes(image) * static_cast<uint32_t>(DibHeight(image));
}

uint32_t DibTotalBytes(const DibImage* image) { return DibInfoBytes(image) + DibImageBytes(image); }

bool DibGetColorEntry(const DibImage* image, uint32_t index, DibColor& color)
{
    if (!DibIsValid(image) || index >= image->m_colorTable.size())
        return false;
    color = image->m_colorTable[index];
    return true;
}

bool DibSetColorEntry(DibImage* image, uint32_t index, const DibColor& color)
{
    if (!DibIsValid(image) || index >= image->m_colorTable.size())
        return false;
    image->m_colorTable[index] = color;
    return true;
}

} // namespace veldran
