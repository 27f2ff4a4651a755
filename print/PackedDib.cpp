#include "print/PackedDib.h"

#include "print/bitmap/DibBytes.h"
#include "print/bitmap/DibFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <new>
#include <unordered_map>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veldran {

namespace {

constexpr size_t kSignatureAndSizeBytes = 6;
constexpr size_t kIndexedTableEntries = 256;

// Colours of the stock default palette: the sixteen standard colours with four pale greys, greens
// and blues between them, as a 256-colour display reserves them.
const std::array<DibPaletteEntry, 20> kDefaultColors{{
    {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},   {0, 0, 128, 0},
    {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0}, {192, 220, 192, 0}, {166, 202, 240, 0},
    {255, 251, 240, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},
    {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0},
}};

uint64_t RowBytes(uint64_t bitCount, uint64_t width) { return (bitCount * width + 31) / 32 * 4; }

// Maps screen colours to the indexes of an 8-bit table, remembering each colour once looked up.
class NearestIndex {
public:
    NearestIndex(const DibPalette& palette, bool systemLayout)
        : m_palette(palette)
        , m_bSystemLayout(systemLayout)
    {
    }

    uint8_t operator()(QRgb rgb)
    {
        const auto it = m_cache.find(rgb);
        if (it != m_cache.end())
            return it->second;
        const uint8_t index = Search(rgb);
        m_cache.emplace(rgb, index);
        return index;
    }

private:
    // The closest colour by squared distance; the lower palette index wins a tie.
    uint8_t Search(QRgb rgb) const
    {
        int best = 0;
        long bestDistance = std::numeric_limits<long>::max();
        const size_t count = std::min(m_palette.entries.size(), kIndexedTableEntries);
        for (size_t i = 0; i < count; ++i) {
            const DibPaletteEntry& e = m_palette.entries[i];
            const long dr = qRed(rgb) - e.red;
            const long dg = qGreen(rgb) - e.green;
            const long db = qBlue(rgb) - e.blue;
            const long distance = dr * dr + dg * dg + db * db;
            if (distance < bestDistance) {
                bestDistance = distance;
                best = static_cast<int>(i);
            }
        }
        return static_cast<uint8_t>(m_bSystemLayout ? DefaultPaletteTableIndex(best) : best);
    }

    const DibPalette& m_palette;
    bool m_bSystemLayout = false;
    std::unordered_map<QRgb, uint8_t> m_cache;
};

void AppendColorTable(PackedDib& block, const DibPalette& palette, bool systemLayout)
{
    std::array<DibColor, kIndexedTableEntries> table{};
    const size_t count = std::min(palette.entries.size(), kIndexedTableEntries);
    for (size_t i = 0; i < count; ++i) {
        const DibPaletteEntry& e = palette.entries[i];
        const size_t slot = systemLayout ? size_t(DefaultPaletteTableIndex(int(i))) : i;
        table[slot] = DibColor{e.blue, e.green, e.red, 0};
    }
    for (const DibColor& c : table) {
        block.push_back(c.blue);
        block.push_back(c.green);
        block.push_back(c.red);
        block.push_back(c.reserved);
    }
}

void AppendPixel(uint8_t* out, QRgb rgb, int bitsPixel)
{
    switch (bitsPixel) {
    case 16:
        dibbytes::PutU16(out, static_cast<uint16_t>(((qRed(rgb) >> 3) << 10) | ((qGreen(rgb) >> 3) << 5) |
                                                    (qBlue(rgb) >> 3)));
        break;
    case 24:
    case 32:
        out[0] = static_cast<uint8_t>(qBlue(rgb));
        out[1] = static_cast<uint8_t>(qGreen(rgb));
        out[2] = static_cast<uint8_t>(qRed(rgb));
        if (bitsPixel == 32)
            out[3] = 0;
        break;
    default:
        break;
    }
}

bool IsInfoHeader(uint32_t headerSize) { return headerSize >= kDibInfoHeaderBytes; }

} // namespace

int CaptureBitCount(int screenDepth)
{
    if (screenDepth == 24 || screenDepth == 32)
        return screenDepth;
    if (screenDepth == 15 || screenDepth == 16)
        return 16;
    if (screenDepth >= 1 && screenDepth <= 8)
        return 8;
    return 32;
}

const DibPalette& DefaultPalette()
{
    static const DibPalette palette{0x300, {kDefaultColors.begin(), kDefaultColors.end()}};
    return palette;
}

int DefaultPaletteTableIndex(int paletteIndex)
{
    return paletteIndex < 10 ? paletteIndex : paletteIndex + int(kIndexedTableEntries) - 20;
}

PackedDib BitmapToPackedDib(const QImage& bitmap, int bitsPixel, uint32_t compression, const DibPalette* palette)
{
    if (bitmap.isNull() || compression != kDibCompressionRgb)
        return {};
    if (bitsPixel != 8 && bitsPixel != 16 && bitsPixel != 24 && bitsPixel != 32)
        return {};
    const QImage rgb = bitmap.convertToFormat(QImage::Format_RGB32);
    const uint64_t width = uint64_t(rgb.width());
    const uint64_t height = uint64_t(rgb.height());
    const uint64_t rowBytes = RowBytes(uint64_t(bitsPixel), width);
    const uint64_t imageBytes = rowBytes * height;
    if (imageBytes > kDibMaxPixelBytes)
        return {};

    DibInfoHeader header;
    header.width = rgb.width();
    header.height = rgb.height();
    header.bitCount = static_cast<uint16_t>(bitsPixel);
    header.compression = compression;
    header.imageSize = static_cast<uint32_t>(imageBytes);
    try {
        PackedDib block;
        block.reserve(kDibInfoHeaderBytes + kIndexedTableEntries * 4 + imageBytes);
        dibbytes::AppendU32(block, header.size);
        dibbytes::AppendI32(block, header.width);
        dibbytes::AppendI32(block, header.height);
        dibbytes::AppendU16(block, header.planes);
        dibbytes::AppendU16(block, header.bitCount);
        dibbytes::AppendU32(block, header.compression);
        dibbytes::AppendU32(block, header.imageSize);
        for (int i = 0; i < 4; ++i)
            dibbytes::AppendU32(block, 0); // resolutions, colours used, colours important

        const bool systemLayout = palette == nullptr;
        const DibPalette& colors = palette ? *palette : DefaultPalette();
        if (bitsPixel == 8)
            AppendColorTable(block, colors, systemLayout);
        const size_t pixelStart = block.size();
        block.resize(pixelStart + imageBytes, 0);

        NearestIndex nearest(colors, systemLayout);
        const size_t bytesPerPixel = size_t(bitsPixel) / 8;
        for (uint64_t row = 0; row < height; ++row) {
            // Rows are stored bottom-up: the first row in the block is the picture's last.
            const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(int(height - 1 - row)));
            uint8_t* out = block.data() + pixelStart + row * rowBytes;
            for (uint64_t x = 0; x < width; ++x, out += bytesPerPixel) {
                if (bitsPixel == 8)
                    *out = nearest(line[x]);
                else
                    AppendPixel(out, line[x], bitsPixel);
            }
        }
        return block;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

uint16_t PackedDibColorCount(const uint8_t* block, size_t size)
{
    if (!block || size < kDibCoreHeaderBytes)
        return 0;
    const uint32_t headerSize = dibbytes::ReadU32(block);
    uint16_t bitCount = 0;
    if (IsInfoHeader(headerSize)) {
        if (size < kDibInfoHeaderBytes)
            return 0;
        const uint32_t colorsUsed = dibbytes::ReadU32(block + 32);
        if (colorsUsed != 0)
            return static_cast<uint16_t>(colorsUsed);
        bitCount = dibbytes::ReadU16(block + 14);
    } else {
        bitCount = dibbytes::ReadU16(block + 10);
    }
    switch (bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

uint32_t PackedDibColorTableBytes(const uint8_t* block, size_t size)
{
    const uint32_t count = PackedDibColorCount(block, size);
    if (count == 0)
        return 0;
    return count * (IsInfoHeader(dibbytes::ReadU32(block)) ? 4u : 3u);
}

bool WritePackedDibFile(const std::string& fileName, const PackedDib& block)
{
    if (fileName.empty() || block.size() < kDibCoreHeaderBytes)
        return false;
    const uint32_t headerSize = dibbytes::ReadU32(block.data());
    const bool info = IsInfoHeader(headerSize);
    if ((!info && headerSize != kDibCoreHeaderBytes) || block.size() < headerSize)
        return false;

    const uint64_t width = info ? uint64_t(std::abs(int64_t(dibbytes::ReadI32(block.data() + 4))))
                                : dibbytes::ReadU16(block.data() + 4);
    const uint64_t height = info ? uint64_t(std::abs(int64_t(dibbytes::ReadI32(block.data() + 8))))
                                 : dibbytes::ReadU16(block.data() + 6);
    const uint64_t bitCount = dibbytes::ReadU16(block.data() + (info ? 14 : 10));
    const uint32_t compression = info ? dibbytes::ReadU32(block.data() + 16) : kDibCompressionRgb;
    const uint32_t tableBytes = static_cast<uint16_t>(PackedDibColorTableBytes(block.data(), block.size()));
    // Masks of a bit-field layout sit between a 40-byte header and the table.
    const uint32_t maskBytes =
        (headerSize == kDibInfoHeaderBytes && compression == kDibCompressionBitfields) ? kDibMaskBytes : 0;

    const bool runLength = compression == kDibCompressionRle8 || compression == kDibCompressionRle4;
    const uint64_t imageBytes = runLength ? dibbytes::ReadU32(block.data() + 20) : RowBytes(bitCount, width) * height;
    const uint64_t s = uint64_t(headerSize) + maskBytes + tableBytes + imageBytes;
    if (s > block.size() || s + kDibFileHeaderBytes > std::numeric_limits<uint32_t>::max())
        return false;

    try {
        std::vector<uint8_t> file;
        file.reserve(kDibFileHeaderBytes + s);
        file.push_back('B');
        file.push_back('M');
        dibbytes::AppendU32(file, static_cast<uint32_t>(s + kDibFileHeaderBytes));
        dibbytes::AppendU16(file, 0);
        dibbytes::AppendU16(file, 0);
        dibbytes::AppendU32(file, uint32_t(kDibFileHeaderBytes) + headerSize + maskBytes + tableBytes);
        file.insert(file.end(), block.begin(), block.begin() + static_cast<ptrdiff_t>(s));
        if (info && !runLength)
            dibbytes::PutU32(file.data() + kDibFileHeaderBytes + 20, static_cast<uint32_t>(imageBytes));

        return DibReplaceFile(fileName, file);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

std::optional<std::vector<uint8_t>> ReadBitmapFileImage(const std::string& fileName)
{
    // Non-blocking, so that a pipe left under the name cannot hold the open forever.
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    std::optional<std::vector<uint8_t>> result;
    struct stat info {};
    // Only a regular file has a size to check against; a pipe or a device could block or never end.
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size >= 0 &&
        uint64_t(info.st_size) <= kMaxBitmapFileBytes) {
        (void)::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
        try {
            std::vector<uint8_t> buffer(static_cast<size_t>(info.st_size));
            size_t done = 0;
            while (done < buffer.size()) {
                const ssize_t n = ::read(fd, buffer.data() + done, buffer.size() - done);
                if (n < 0 && errno == EINTR)
                    continue;
                if (n <= 0)
                    break;
                done += static_cast<size_t>(n);
            }
            if (done == buffer.size() && buffer.size() >= kSignatureAndSizeBytes && buffer[0] == 'B' &&
                buffer[1] == 'M' && dibbytes::ReadU32(buffer.data() + 2) == buffer.size())
                result = std::move(buffer);
        } catch (const std::bad_alloc&) {
            result.reset();
        }
    }
    ::close(fd);
    return result;
}

} // namespace veldran
