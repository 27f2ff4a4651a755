#include "print/bitmap/DibPalette.h"

#include <array>

namespace veldran {

std::optional<DibPalette> CreateGrayPalette(int n)
{
    if (n < 2 || n > 256)
        return std::nullopt;
    DibPalette palette;
    palette.entries.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const auto level = static_cast<uint8_t>(i * 255 / (n - 1));
        palette.entries.push_back(DibPaletteEntry{level, level, level, 0});
    }
    return palette;
}

DibPalette CreateStandard16Palette()
{
    static constexpr std::array<std::array<uint8_t, 3>, 16> kColors = {{
        {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0},
        {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, {128, 128, 128},
        {192, 192, 192}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
        {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
    }};
    DibPalette palette;
    for (const auto& rgb : kColors)
        palette.entries.push_back(DibPaletteEntry{rgb[0], rgb[1], rgb[2], 0});
    return palette;
}

uint32_t DibNearestPaletteIndex(const DibPalette& palette, const DibColor& color)
{
    uint32_t best = 0;
    int64_t bestDistance = -1;
    for (size_t i = 0; i < palette.entries.size(); ++i) {
        const DibPaletteEntry& entry = palette.entries[i];
        const int64_t dr = int64_t(entry.red) - color.red;
        const int64_t dg = int64_t(entry.green) - color.green;
        const int64_t db = int64_t(entry.blue) - color.blue;
        const int64_t distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<uint32_t>(i);
        }
    }
    return best;
}

} // namespace veldran
