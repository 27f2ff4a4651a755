#pragma once
// Logical palettes: the grey ramp, the 16 standard colours, and the nearest-colour search the
// colour-reducing conversions use. The median-cut palette is in MedianCut.h.

#include "print/bitmap/DibTypes.h"

#include <cstdint>
#include <optional>

namespace veldran {

// n levels from black to white, n from 2 to 256; none otherwise.
[[nodiscard]] std::optional<DibPalette> CreateGrayPalette(int n);
[[nodiscard]] DibPalette CreateStandard16Palette();

// The entry with the least squared distance in red, green and blue; the lowest index on a tie.
// 0 for an empty palette.
[[nodiscard]] uint32_t DibNearestPaletteIndex(const DibPalette& palette, const DibColor& color);

} // namespace veldran
