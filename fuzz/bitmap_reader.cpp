// Feeds arbitrary bytes to the BMP reader. Whatever it accepts must be safe to read pixel by pixel,
// to convert, and must come back byte for byte the same after being written and read again.

#include "print/bitmap/DibConvert.h"
#include "print/bitmap/DibFile.h"
#include "print/bitmap/DibImage.h"
#include "print/bitmap/DibPixels.h"
#include "print/bitmap/MedianCut.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

using namespace veldran;

namespace {

// Conversions visit every pixel; beyond this many the input only slows the run down.
constexpr int64_t kMaxConvertedPixels = 4096;

void Fail(const char* what)
{
    std::fprintf(stderr, "bitmap_reader: %s\n", what);
    std::abort();
}

void VisitPixels(DibImage* image)
{
    const int32_t width = DibWidth(image);
    const int32_t height = DibHeight(image);
    const int32_t xs[] = {0, width / 2, width - 1};
    const int32_t ys[] = {0, height / 2, height - 1};
    for (int32_t y : ys) {
        for (int32_t x : xs) {
            DibColor color;
            (void)DibGetPixelColor(image, x, y, color);
            if (!DibSetPixel(image, x, y, DibGetPixel(image, x, y)))
                Fail("a pixel inside the image has no address");
        }
    }
    DibColor color;
    if (DibGetPixelColor(image, width, 0, color) || DibGetPixelColor(image, 0, height, color))
        Fail("a pixel outside the image has a colour");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DibImagePtr image = DibReadMemory(data, size);
    if (!image)
        return 0;
    if (DibTotalBytes(image.get()) != DibInfoBytes(image.get()) + image->m_pixels.size())
        Fail("sizes disagree with the pixel buffer");
    VisitPixels(image.get());

    const std::vector<uint8_t> file = DibEncodeFile(image.get());
    DibImagePtr again = DibReadMemory(file.data(), file.size());
    if (!again || DibEncodeFile(again.get()) != file)
        Fail("a written file does not read back the same");

    if (int64_t(DibWidth(image.get())) * DibHeight(image.get()) <= kMaxConvertedPixels) {
        // A coarse median cut is cheap and runs every time. The conversion to 8 bits cuts at 6 bits
        // per channel and scans 262,144 cells whatever the image, so only one input length in 32
        // takes that road.
        const std::optional<DibPalette> palette = DibCreateOptimalPalette(image.get(), 3 + int(size % 2));
        if (palette && (palette->entries.empty() || palette->entries.size() > kMedianCutMaxEntries))
            Fail("median cut gave no colour or too many");
        const bool withMedianCut = size % 32 == 0;
        for (int target : {1, 4, 8, 24}) {
            if (target == 8 && !withMedianCut)
                continue;
            DibImagePtr converted = DibConvertDepth(image.get(), target);
            if (converted && DibBitCount(converted.get()) != target)
                Fail("conversion gave the wrong depth");
        }
    }
    return 0;
}
