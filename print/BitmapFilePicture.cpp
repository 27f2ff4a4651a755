#include "print/BitmapFilePicture.h"

#include "print/bitmap/DibFile.h"
#include "print/bitmap/DibPixels.h"

#include <cstring>

namespace veldran {

QImage DibToQImage(const DibImage* image)
{
    if (!DibIsValid(image) || !DibIsUncompressed(image))
        return {};
    const int width = DibWidth(image);
    const int height = DibHeight(image);
    if (DibBitCount(image) == 24 && DibCompression(image) == kDibCompressionRgb) {
        // Blue, green, red in memory order is exactly what the BGR format holds.
        QImage picture(width, height, QImage::Format_BGR888);
        if (picture.isNull())
            return {};
        for (int y = 0; y < height; ++y)
            std::memcpy(picture.scanLine(y), DibPixelAddress(image, 0, y), size_t(width) * 3);
        return picture;
    }
    QImage picture(width, height, QImage::Format_RGB32);
    if (picture.isNull())
        return {};
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            DibColor color;
            line[x] = DibGetPixelColor(image, x, y, color) ? qRgb(color.red, color.green, color.blue) : qRgb(0, 0, 0);
        }
    }
    return picture;
}

QImage DecodeBitmapFileImage(const std::vector<uint8_t>& file)
{
    const DibImagePtr image = DibReadMemory(file.data(), file.size());
    return DibToQImage(image.get());
}

} // namespace veldran
