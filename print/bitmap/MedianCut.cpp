#include "print/bitmap/MedianCut.h"

#include "print/bitmap/DibPixels.h"

#include <algorithm>
#include <new>

namespace veldran {

namespace {

constexpr int kMaxDepth = 9;

// Calls visit(r, g, b, count) for every occupied cell of the box (and maybe for some empty ones):
// from the list of occupied cells when that is shorter than the box, else cell by cell.
template <typename Visit>
void ForEachCell(const MedianCutHistogram& histogram, const MedianCutBox& box, Visit&& visit)
{
    uint64_t volume = 1;
    for (int c = 0; c < 3; ++c)
        volume *= uint64_t(std::max(0, box.high[c] - box.low[c] + 1));
    if (histogram.cellsListed && histogram.cells.size() < volume) {
        const uint32_t mask = (1u << histogram.bits) - 1;
        for (const uint32_t index : histogram.cells) {
            const int r = int(index & mask);
            const int g = int((index >> histogram.bits) & mask);
            const int b = int(index >> (2 * histogram.bits));
            if (r >= box.low[kDibRed] && r <= box.high[kDibRed] && g >= box.low[kDibGreen] &&
                g <= box.high[kDibGreen] && b >= box.low[kDibBlue] && b <= box.high[kDibBlue])
                visit(r, g, b, histogram.counts[index]);
        }
        return;
    }
    for (int b = box.low[kDibBlue]; b <= box.high[kDibBlue]; ++b)
        for (int g = box.low[kDibGreen]; g <= box.high[kDibGreen]; ++g)
            for (int r = box.low[kDibRed]; r <= box.high[kDibRed]; ++r)
                visit(r, g, b, histogram.At(r, g, b));
}

// Sum of the cells of the box; 64 bits because a box may hold every pixel.
uint64_t BoxCount(const MedianCutHistogram& histogram, const MedianCutBox& box)
{
    uint64_t sum = 0;
    ForEachCell(histogram, box, [&sum](int, int, int, uint32_t n) { sum += n; });
    return sum;
}

bool IsSingleCell(const MedianCutBox& box)
{
    return box.low == box.high;
}

int ChooseAxis(const MedianCutBox& box)
{
    const int red = box.high[kDibRed] - box.low[kDibRed];
    const int green = box.high[kDibGreen] - box.low[kDibGreen];
    const int blue = box.high[kDibBlue] - box.low[kDibBlue];
    if (blue > red && blue > green)
        return kDibBlue;
    return red > green ? kDibRed : kDibGreen;
}

} // namespace

bool DibBuildHistogram(const DibImage* image, int bitsPerChannel, MedianCutHistogram& histogram)
{
    histogram = MedianCutHistogram();
    if (DibBitCount(image) < 16 || bitsPerChannel < 3 || bitsPerChannel > 8)
        return false;
    try {
        histogram.counts.assign(size_t(1) << (3 * bitsPerChannel), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    histogram.bits = bitsPerChannel;
    histogram.cellsListed = true;
    const int top = (1 << bitsPerChannel) - 1;
    histogram.occupied.low = {top, top, top};
    const int drop = 8 - bitsPerChannel;
    const int32_t width = DibWidth(image);
    const int32_t height = DibHeight(image);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            DibColor color;
            (void)DibGetPixelColor(image, x, y, color);
            const int r = color.red >> drop;
            const int g = color.green >> drop;
            const int b = color.blue >> drop;
            const size_t index = (size_t(b) << (2 * bitsPerChannel)) | (size_t(g) << bitsPerChannel) | size_t(r);
            if (histogram.counts[index]++ == 0 && histogram.cellsListed) {
                // A list longer than an eighth of the cells saves little; it is dropped.
                if (histogram.cells.size() < histogram.counts.size() / 8) {
                    histogram.cells.push_back(uint32_t(index));
                } else {
                    histogram.cellsListed = false;
                    std::vector<uint32_t>().swap(histogram.cells);
                }
            }
            ++histogram.total;
            const std::array<int, 3> cell = {r, g, b};
            for (int c = 0; c < 3; ++c) {
                histogram.occupied.low[c] = std::min(histogram.occupied.low[c], cell[c]);
                histogram.occupied.high[c] = std::max(histogram.occupied.high[c], cell[c]);
            }
        }
    }
    return true;
}

void MedianCutSplit(const MedianCutHistogram& histogram, MedianCutBox box, uint32_t count, int depth,
                    std::vector<MedianCutEntry>& entries)
{
    ++depth;
    while (count != 0) {
        if (depth == kMaxDepth || IsSingleCell(box))
            break;
        const int axis = ChooseAxis(box);
        uint32_t sum = 0;
        int cut = box.low[axis];
        for (;; ++cut) {
            MedianCutBox slice = box;
            slice.low[axis] = slice.high[axis] = cut;
            sum += static_cast<uint32_t>(BoxCount(histogram, slice));
            if (sum >= count / 2 || cut == box.high[axis] - 1)
                break;
        }
        MedianCutBox lower = box;
        lower.high[axis] = cut;
        MedianCutSplit(histogram, lower, sum, depth, entries);
        box.low[axis] = cut + 1;
        count -= sum;
        ++depth;
    }
    if (count != 0 && entries.size() < kMedianCutMaxEntries)
        entries.push_back(MedianCutEntry{count, MedianCutBoxColor(histogram, box)});
}

DibColor MedianCutBoxColor(const MedianCutHistogram& histogram, const MedianCutBox& box)
{
    uint64_t total = 0;
    std::array<uint64_t, 3> sums{};
    ForEachCell(histogram, box, [&total, &sums](int r, int g, int b, uint32_t count) {
        const uint64_t n = count;
        total += n;
        sums[kDibRed] += n * uint64_t(r);
        sums[kDibGreen] += n * uint64_t(g);
        sums[kDibBlue] += n * uint64_t(b);
    });
    DibColor color;
    if (total == 0)
        return color;
    const int up = 8 - histogram.bits;
    color.red = static_cast<uint8_t>((sums[kDibRed] / total) << up);
    color.green = static_cast<uint8_t>((sums[kDibGreen] / total) << up);
    color.blue = static_cast<uint8_t>((sums[kDibBlue] / total) << up);
    return color;
}

bool CompareEntryCount(const MedianCutEntry& a, const MedianCutEntry& b) { return a.count < b.count; }

std::optional<DibPalette> DibCreateOptimalPalette(const DibImage* image, int bitsPerChannel)
{
    MedianCutHistogram histogram;
    if (!DibBuildHistogram(image, bitsPerChannel, histogram))
        return std::nullopt;

    try {
        std::vector<MedianCutEntry> entries;
        entries.reserve(kMedianCutMaxEntries);
        MedianCutSplit(histogram, histogram.occupied, histogram.total, 0, entries);
        histogram = MedianCutHistogram();
        std::stable_sort(entries.begin(), entries.end(), CompareEntryCount);
        DibPalette palette;
        palette.entries.reserve(entries.size());
        for (const MedianCutEntry& entry : entries)
            palette.entries.push_back(DibPaletteEntry{entry.color.red, entry.color.green, entry.color.blue, 0});
        return palette;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace veldran
