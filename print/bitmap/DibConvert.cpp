#include "print/bitmap/DibConvert.h"

#include "print/bitmap/DibPalette.h"
#include "print/bitmap/DibPixels.h"
#include "print/bitmap/MedianCut.h"

namespace veldran {

namespace {

DibImagePtr WidenIndexed(const DibImage* source, int targetBits)
{
    const uint32_t colors = DibColorCount(source);
    DibImagePtr result = DibCreate(DibWidth(source), DibHeight(source), targetBits, colors);
    if (!result)
        return nullptr;
    for (uint32_t i = 0; i < colors; ++i) {
        DibColor color;
        if (DibGetColorEntry(source, i, color))
            DibSetColorEntry(result.get(), i, color);
    }
    for (int32_t y = 0; y < DibHeight(source); ++y)
        for (int32_t x = 0; x < DibWidth(source); ++x)
            DibSetPixel(result.get(), x, y, DibGetPixel(source, x, y));
    return result;
}

DibImagePtr ToDirectColor(const DibImage* source, int targetBits)
{
    DibImagePtr result = DibCreate(DibWidth(source), DibHeight(source), targetBits, 0);
    if (!result)
        return nullptr;
    for (int32_t y = 0; y < DibHeight(source); ++y) {
        for (int32_t x = 0; x < DibWidth(source); ++x) {
            DibColor color;
            (void)DibGetPixelColor(source, x, y, color); // an index without an entry becomes black
            DibSetPixelColor(result.get(), x, y, color);
        }
    }
    return result;
}

// Fills the result's colour table from the palette and gives every pixel its nearest entry.
void MapToPalette(const DibImage* source, DibImage* result, const DibPalette& palette)
{
    for (size_t i = 0; i < palette.entries.size(); ++i) {
        const DibPaletteEntry& entry = palette.entries[i];
        DibSetColorEntry(result, static_cast<uint32_t>(i), DibColor{entry.blue, entry.green, entry.red, 0});
    }
    // Neighbouring pixels mostly share a colour, so the last answer is kept.
    DibColor last;
    uint32_t lastIndex = DibNearestPaletteIndex(palette, last);
    for (int32_t y = 0; y < DibHeight(source); ++y) {
        for (int32_t x = 0; x < DibWidth(source); ++x) {
            DibColor color;
            (void)DibGetPixelColor(source, x, y, color);
            color.reserved = 0;
            if (color != last) {
                last = color;
                lastIndex = DibNearestPaletteIndex(palette, color);
            }
            DibSetPixel(result, x, y, lastIndex);
        }
    }
}

DibImagePtr ReduceToPalette(const DibImage* source, int targetBits, uint32_t colors, const DibPalette& palette)
{
    DibImagePtr result = DibCreate(DibWidth(source), DibHeight(source), targetBits, colors);
    if (!result)
        return nullptr;
    MapToPalette(source, result.get(), palette);
    return result;
}

} // namespace

DibImagePtr DibConvertDepth(const DibImage* image, int targetBits)
{
    if (!DibIsValid(image))
        return nullptr;
    const int bits = DibBitCount(image);
    if (targetBits == bits)
        return nullptr;
    if (bits < targetBits && targetBits <= 8)
        return WidenIndexed(image, targetBits);
    if (targetBits >= 16)
        return ToDirectColor(image, targetBits);
    if (bits >= 16 && targetBits == 8) {
        const std::optional<DibPalette> palette = DibCreateOptimalPalette(image, 6);
        if (!palette)
            return nullptr;
        return ReduceToPalette(image, 8, static_cast<uint32_t>(palette->entries.size()), *palette);
    }
    if (targetBits == 1) {
        const std::optional<DibPalette> palette = CreateGrayPalette(2);
        return palette ? ReduceToPalette(image, 1, 0, *palette) : nullptr;
    }
    if (bits >= 8 && targetBits == 4)
        return ReduceToPalette(image, 4, 0, CreateStandard16Palette());
    return nullptr;
}

} // namespace veldran
