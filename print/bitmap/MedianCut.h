#pragma once
// The median-cut quantiser: a histogram of the image's colours at q bits per channel, cut into at
// most 256 boxes, each box giving one palette entry.

#include "print/bitmap/DibImage.h"
#include "print/bitmap/DibTypes.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace veldran {

// Inclusive cell limits per channel, in the order red, green, blue (see DibChannel).
struct MedianCutBox {
    std::array<int, 3> low{};
    std::array<int, 3> high{};
};

struct MedianCutHistogram {
    int bits = 0;                 // q, bits kept per channel
    std::vector<uint32_t> counts; // 2^(3q) cells, index (B << 2q) | (G << q) | R
    // The smallest box holding every occupied cell (low at the top cell, high at 0 for an image
    // without pixels) and the pixel count, noted while counting so that nobody has to scan all
    // 2^(3q) cells for them.
    MedianCutBox occupied;
    uint32_t total = 0;
    // The index of every occupied cell, when cellsListed (DibBuildHistogram lists them): a box
    // holding more cells than the image has colours is summed over this list instead of cell by
    // cell, which gives the same sums (a small image at 6 bits has a few colours in 262,144 cells).
    std::vector<uint32_t> cells;
    bool cellsListed = false;

    [[nodiscard]] uint32_t At(int red, int green, int blue) const
    {
        return counts[(size_t(blue) << (2 * bits)) | (size_t(green) << bits) | size_t(red)];
    }
};

struct MedianCutEntry {
    uint32_t count = 0;
    DibColor color; // blue, green, red
};

constexpr size_t kMedianCutMaxEntries = 256;

// Counts the image's pixels per cell; false (histogram left empty) for an invalid image, a depth
// below 16 bits, q outside 3..8, or when the counters cannot be allocated.
[[nodiscard]] bool DibBuildHistogram(const DibImage* image, int bitsPerChannel, MedianCutHistogram& histogram);

// Cuts the box (holding count pixels) at its median until depth 9 or a single cell, appending one
// entry per occupied final box.
void MedianCutSplit(const MedianCutHistogram& histogram, MedianCutBox box, uint32_t count, int depth,
                    std::vector<MedianCutEntry>& entries);

// The count-weighted mean cell of the box, scaled back to 8 bits (the cell's lower corner).
[[nodiscard]] DibColor MedianCutBoxColor(const MedianCutHistogram& histogram, const MedianCutBox& box);

// Orders entries by pixel count, least used first.
[[nodiscard]] bool CompareEntryCount(const MedianCutEntry& a, const MedianCutEntry& b);

// A palette of up to 256 colours for an image of 16 bits or more; none for shallower images, q
// outside 3..8, or when memory runs out.
[[nodiscard]] std::optional<DibPalette> DibCreateOptimalPalette(const DibImage* image, int bitsPerChannel);

} // namespace veldran
