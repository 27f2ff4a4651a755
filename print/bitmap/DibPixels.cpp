#include "print/bitmap/DibPixels.h"

#include "print/bitmap/DibBytes.h"

namespace veldran {

namespace {

uint8_t* AddressOf(const DibImage* image, int32_t x, int32_t y)
{
    if (!DibIsUncompressed(image))
        return nullptr;
    if (x < 0 || y < 0 || x >= DibWidth(image) || y >= DibHeight(image))
        return nullptr;
    return image->m_rows[static_cast<size_t>(y)] + (uint64_t(x) * uint64_t(DibBitCount(image))) / 8;
}

// Shifts up for a positive count and down for a negative one (channels wider than 8 bits).
uint32_t ShiftUp(uint32_t value, int32_t count)
{
    return count >= 0 ? value << count : value >> -count;
}

uint8_t ChannelFromValue(const DibImage* image, uint32_t value, int channel)
{
    const uint32_t masked = value & image->m_description.masks[channel];
    return static_cast<uint8_t>(ShiftUp(masked >> image->m_nRightShift[channel], image->m_nLeftShift[channel]));
}

uint32_t ChannelToValue(const DibImage* image, uint8_t level, int channel)
{
    return ShiftUp(level, -image->m_nLeftShift[channel]) << image->m_nRightShift[channel];
}

bool IsPlainThirtyTwo(const DibImage* image)
{
    return DibBitCount(image) == 32 && DibCompression(image) == kDibCompressionRgb;
}

} // namespace

const uint8_t* DibPixelAddress(const DibImage* image, int32_t x, int32_t y) { return AddressOf(image, x, y); }

uint8_t* DibPixelAddress(DibImage* image, int32_t x, int32_t y) { return AddressOf(image, x, y); }

uint32_t DibGetPixel(const DibImage* image, int32_t x, int32_t y)
{
    const uint8_t* p = AddressOf(image, x, y);
    if (!p)
        return 0;
    switch (DibBitCount(image)) {
    case 1:
        return (*p >> (7 - x % 8)) & 1u;
    case 4:
        return x % 2 == 0 ? uint32_t(*p >> 4) : uint32_t(*p & 0x0F);
    case 8:
        return *p;
    case 16:
        return dibbytes::ReadU16(p);
    case 24:
        return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
    case 32:
        return dibbytes::ReadU32(p);
    default:
        return 0;
    }
}

bool DibSetPixel(DibImage* image, int32_t x, int32_t y, uint32_t value)
{
    uint8_t* p = AddressOf(image, x, y);
    if (!p)
        return false;
    switch (DibBitCount(image)) {
    case 1: {
        const uint8_t bit = static_cast<uint8_t>(0x80u >> (x % 8));
        *p = static_cast<uint8_t>((value & 1u) ? (*p | bit) : (*p & ~bit));
        return true;
    }
    case 4:
        if (x % 2 == 0)
            *p = static_cast<uint8_t>((*p & 0x0F) | ((value & 0x0F) << 4));
        else
            *p = static_cast<uint8_t>((*p & 0xF0) | (value & 0x0F));
        return true;
    case 8:
        *p = static_cast<uint8_t>(value);
        return true;
    case 16:
        dibbytes::PutU16(p, static_cast<uint16_t>(value));
        return true;
    case 24:
        p[0] = static_cast<uint8_t>(value);
        p[1] = static_cast<uint8_t>(value >> 8);
        p[2] = static_cast<uint8_t>(value >> 16);
        return true;
    case 32:
        dibbytes::PutU32(p, value);
        return true;
    default:
        return false;
    }
}

bool DibGetPixelColor(const DibImage* image, int32_t x, int32_t y, DibColor& color)
{
    const int bits = DibBitCount(image);
    if (bits == 0 || !AddressOf(image, x, y))
        return false;
    const uint32_t value = DibGetPixel(image, x, y);
    if (bits <= 8)
        return DibGetColorEntry(image, value, color);
    if (bits == 24) {
        color.blue = static_cast<uint8_t>(value);
        color.green = static_cast<uint8_t>(value >> 8);
        color.red = static_cast<uint8_t>(value >> 16);
        color.reserved = 0;
        return true;
    }
    if (IsPlainThirtyTwo(image)) {
        color.blue = static_cast<uint8_t>(value);
        color.green = static_cast<uint8_t>(value >> 8);
        color.red = static_cast<uint8_t>(value >> 16);
        color.reserved = static_cast<uint8_t>(value >> 24);
        return true;
    }
    color.red = ChannelFromValue(image, value, kDibRed);
    color.green = ChannelFromValue(image, value, kDibGreen);
    color.blue = ChannelFromValue(image, value, kDibBlue);
    return true;
}

bool DibSetPixelColor(DibImage* image, int32_t x, int32_t y, const DibColor& color)
{
    const int bits = DibBitCount(image);
    if (bits <= 8)
        return false;
    uint32_t value = 0;
    if (bits == 24) {
        value = uint32_t(color.red) * 65536u + uint32_t(color.green) * 256u + color.blue;
    } else if (IsPlainThirtyTwo(image)) {
        value = uint32_t(color.blue) | (uint32_t(color.green) << 8) | (uint32_t(color.red) << 16)
              | (uint32_t(color.reserved) << 24);
    } else {
        value = ChannelToValue(image, color.red, kDibRed) | ChannelToValue(image, color.green, kDibGreen)
              | ChannelToValue(image, color.blue, kDibBlue);
    }
    return DibSetPixel(image, x, y, value);
}

} // namespace veldran
