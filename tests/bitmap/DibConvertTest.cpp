// Depth conversion and the palettes it uses: colours survive widening, indexes survive 1/4 → 8, and
// reductions pick the documented palettes and nearest entries.

#include "print/bitmap/DibConvert.h"
#include "print/bitmap/DibImage.h"
#include "print/bitmap/DibPixels.h"
#include "print/bitmap/MedianCut.h"
#include "tests/bitmap/BmpBytes.h"

#include <QTest>

#include <vector>

using namespace veldran;

namespace {

// Colours every depth holds exactly (multiples of 8).
const std::vector<DibColor> kColours = {
    {0, 0, 0, 0}, {0, 0, 248, 0}, {0, 248, 0, 0}, {248, 0, 0, 0},
    {248, 248, 248, 0}, {24, 16, 8, 0}, {32, 64, 128, 0}, {56, 104, 200, 0},
};

uint32_t Rgb(const DibColor& c) { return uint32_t(c.red) << 16 | uint32_t(c.green) << 8 | c.blue; }

DibImagePtr Make565(int32_t width, int32_t height)
{
    test::BmpLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bits = 16;
    layout.compression = kDibCompressionBitfields;
    layout.masks = {0xF800, 0x07E0, 0x001F};
    const std::vector<uint8_t> file = test::BuildBmp(layout);
    return DibCreateFromInfo(file.data() + 14, file.size() - 14);
}

// A 4 × 2 image whose pixel i shows colour i (of the colours its depth can index).
DibImagePtr MakeColourImage(int bits, bool bitfields)
{
    DibImagePtr image = bitfields ? Make565(4, 2) : DibCreate(4, 2, bits, 0);
    if (!image)
        return nullptr;
    const uint32_t tableSize = DibColorCount(image.get());
    for (uint32_t i = 0; i < tableSize; ++i)
        DibSetColorEntry(image.get(), i, kColours[i % kColours.size()]);
    for (int i = 0; i < 8; ++i) {
        if (bits <= 8)
            DibSetPixel(image.get(), i % 4, i / 4, i % tableSize);
        else
            DibSetPixelColor(image.get(), i % 4, i / 4, kColours[size_t(i)]);
    }
    return image;
}

DibImagePtr MakeRgb(const std::vector<DibColor>& pixels, int bits = 24)
{
    DibImagePtr image = DibCreate(int32_t(pixels.size()), 1, bits, 0);
    for (size_t x = 0; image && x < pixels.size(); ++x)
        DibSetPixelColor(image.get(), int32_t(x), 0, pixels[x]);
    return image;
}

} // namespace

class DibConvertTest : public QObject {
    Q_OBJECT

private slots:
    void toDirectColour_data();
    void toDirectColour();
    void sameDepthGivesNone();
    void widenKeepsIndexes_data();
    void widenKeepsIndexes();
    void toBlackAndWhite_data();
    void toBlackAndWhite();
    void medianCutTwoColours_data();
    void medianCutTwoColours();
    void medianCutSingleColour();
    void medianCutStaysWithin256();
    void medianCutSameOverListedCells_data();
    void medianCutSameOverListedCells();
    void standardSixteen();
};

void DibConvertTest::toDirectColour_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<bool>("bitfields");
    QTest::addColumn<int>("target");

    QTest::newRow("1 → 24") << 1 << false << 24;
    QTest::newRow("4 → 24") << 4 << false << 24;
    QTest::newRow("8 → 24") << 8 << false << 24;
    QTest::newRow("16 → 24") << 16 << false << 24;
    QTest::newRow("16 (565) → 24") << 16 << true << 24;
    QTest::newRow("32 → 24") << 32 << false << 24;
    QTest::newRow("24 → 32") << 24 << false << 32;
    QTest::newRow("8 → 16") << 8 << false << 16;
}

void DibConvertTest::toDirectColour()
{
    QFETCH(int, bits);
    QFETCH(bool, bitfields);
    QFETCH(int, target);

    DibImagePtr source = MakeColourImage(bits, bitfields);
    QVERIFY(source);
    DibImagePtr result = DibConvertDepth(source.get(), target);
    QVERIFY(result);
    QCOMPARE(DibBitCount(result.get()), target);
    QCOMPARE(DibWidth(result.get()), 4);
    QCOMPARE(DibHeight(result.get()), 2);
    const size_t shown = bits == 1 ? 2 : kColours.size();
    for (int i = 0; i < 8; ++i) {
        DibColor c;
        QVERIFY(DibGetPixelColor(result.get(), i % 4, i / 4, c));
        QCOMPARE(Rgb(c), Rgb(kColours[size_t(i) % shown]));
    }
    QCOMPARE(DibBitCount(source.get()), bits);
}

void DibConvertTest::sameDepthGivesNone()
{
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        DibImagePtr image = DibCreate(2, 2, bits, 0);
        QVERIFY(!DibConvertDepth(image.get(), bits));
    }
    DibImagePtr image = DibCreate(2, 2, 8, 0);
    QVERIFY(!DibConvertDepth(image.get(), 2));
    QVERIFY(!DibConvertDepth(nullptr, 24));
}

void DibConvertTest::widenKeepsIndexes_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("target");

    QTest::newRow("4 → 8") << 4 << 8;
    QTest::newRow("1 → 8") << 1 << 8;
    QTest::newRow("1 → 4") << 1 << 4;
}

void DibConvertTest::widenKeepsIndexes()
{
    QFETCH(int, bits);
    QFETCH(int, target);

    const uint32_t colours = 1u << bits;
    DibImagePtr source = DibCreate(5, 4, bits, 0);
    QVERIFY(source);
    for (uint32_t i = 0; i < colours; ++i)
        DibSetColorEntry(source.get(), i, DibColor{uint8_t(i * 16), uint8_t(i), uint8_t(255 - i), 0});
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            DibSetPixel(source.get(), x, y, uint32_t(x * 3 + y) % colours);

    DibImagePtr result = DibConvertDepth(source.get(), target);
    QVERIFY(result);
    QCOMPARE(DibBitCount(result.get()), target);
    QCOMPARE(DibColorCount(result.get()), colours);
    for (uint32_t i = 0; i < colours; ++i) {
        DibColor a, b;
        QVERIFY(DibGetColorEntry(source.get(), i, a));
        QVERIFY(DibGetColorEntry(result.get(), i, b));
        QCOMPARE(a, b);
    }
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            QCOMPARE(DibGetPixel(result.get(), x, y), uint32_t(x * 3 + y) % colours);
}

void DibConvertTest::toBlackAndWhite_data()
{
    QTest::addColumn<int>("bits");
    for (int bits : {4, 8, 16, 24, 32})
        QTest::newRow(qPrintable(QString::number(bits))) << bits;
}

void DibConvertTest::toBlackAndWhite()
{
    QFETCH(int, bits);
    const DibColor dark{30, 20, 10, 0};
    const DibColor light{216, 232, 240, 0};
    const std::vector<DibColor> pattern = {dark, light, light, dark, light};

    DibImagePtr source = DibCreate(int32_t(pattern.size()), 1, bits, 2);
    QVERIFY(source);
    DibSetColorEntry(source.get(), 0, dark);
    DibSetColorEntry(source.get(), 1, light);
    for (size_t x = 0; x < pattern.size(); ++x) {
        if (bits <= 8)
            DibSetPixel(source.get(), int32_t(x), 0, pattern[x] == dark ? 0 : 1);
        else
            DibSetPixelColor(source.get(), int32_t(x), 0, pattern[x]);
    }

    DibImagePtr result = DibConvertDepth(source.get(), 1);
    QVERIFY(result);
    QCOMPARE(DibBitCount(result.get()), 1);
    QCOMPARE(DibColorCount(result.get()), 2u);
    DibColor black, white;
    QVERIFY(DibGetColorEntry(result.get(), 0, black));
    QVERIFY(DibGetColorEntry(result.get(), 1, white));
    QCOMPARE(black, (DibColor{0, 0, 0, 0}));
    QCOMPARE(white, (DibColor{255, 255, 255, 0}));
    for (size_t x = 0; x < pattern.size(); ++x)
        QCOMPARE(DibGetPixel(result.get(), int32_t(x), 0), pattern[x] == dark ? 0u : 1u);
}

void DibConvertTest::medianCutTwoColours_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("blacks");
    QTest::addColumn<int>("whites");
    QTest::addColumn<int>("whiteLevel");

    QTest::newRow("24 bit, fewer blacks") << 24 << 3 << 5 << 252;
    QTest::newRow("24 bit, fewer whites") << 24 << 5 << 3 << 252;
    QTest::newRow("24 bit, as many of each") << 24 << 4 << 4 << 252;
    QTest::newRow("32 bit, fewer whites") << 32 << 6 << 1 << 252;
    QTest::newRow("16 bit keeps its own white") << 16 << 2 << 3 << 248;
}

void DibConvertTest::medianCutTwoColours()
{
    QFETCH(int, bits);
    QFETCH(int, blacks);
    QFETCH(int, whites);
    QFETCH(int, whiteLevel);

    const DibColor black{0, 0, 0, 0};
    const DibColor white{255, 255, 255, 0};
    std::vector<DibColor> pixels(size_t(whites), white);
    pixels.insert(pixels.begin() + whites / 2, size_t(blacks), black);

    DibImagePtr source = MakeRgb(pixels, bits);
    DibImagePtr result = DibConvertDepth(source.get(), 8);
    QVERIFY(result);
    QCOMPARE(DibColorCount(result.get()), 2u);
    const auto level = static_cast<uint8_t>(whiteLevel);
    const DibColor whiteEntry{level, level, level, 0};
    DibColor first, second;
    QVERIFY(DibGetColorEntry(result.get(), 0, first));
    QVERIFY(DibGetColorEntry(result.get(), 1, second));
    if (blacks != whites) {
        // The less frequent colour comes first.
        QCOMPARE(first, blacks < whites ? black : whiteEntry);
        QCOMPARE(second, blacks < whites ? whiteEntry : black);
    } else {
        QVERIFY((first == black && second == whiteEntry) || (first == whiteEntry && second == black));
    }
    const uint32_t whiteIndex = first == whiteEntry ? 0 : 1;
    for (size_t x = 0; x < pixels.size(); ++x)
        QCOMPARE(DibGetPixel(result.get(), int32_t(x), 0), pixels[x] == white ? whiteIndex : 1 - whiteIndex);
}

void DibConvertTest::medianCutSingleColour()
{
    const DibColor colour{50, 100, 200, 0};
    DibImagePtr source = MakeRgb(std::vector<DibColor>(6, colour));
    DibImagePtr result = DibConvertDepth(source.get(), 8);
    QVERIFY(result);
    QCOMPARE(DibColorCount(result.get()), 1u);
    DibColor entry;
    QVERIFY(DibGetColorEntry(result.get(), 0, entry));
    QCOMPARE(entry, (DibColor{48, 100, 200, 0}));
    for (int x = 0; x < 6; ++x)
        QCOMPARE(DibGetPixel(result.get(), x, 0), 0u);
}

void DibConvertTest::medianCutStaysWithin256()
{
    DibImagePtr source = DibCreate(64, 64, 24, 0);
    QVERIFY(source);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            DibSetPixelColor(source.get(), x, y, DibColor{uint8_t((x + y) * 2), uint8_t(y * 4), uint8_t(x * 4), 0});
    const std::optional<DibPalette> palette = DibCreateOptimalPalette(source.get(), 6);
    QVERIFY(palette);
    QCOMPARE(palette->version, uint16_t(0x300));
    QVERIFY(palette->entries.size() <= 256);
    QVERIFY(palette->entries.size() >= 128);
    DibImagePtr result = DibConvertDepth(source.get(), 8);
    QVERIFY(result);
    QCOMPARE(DibColorCount(result.get()), uint32_t(palette->entries.size()));
}

void DibConvertTest::medianCutSameOverListedCells_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("bitsPerChannel");
    QTest::addColumn<int>("colourSteps");
    QTest::newRow("few colours far apart, 6 bits") << 16 << 6 << 2;
    QTest::newRow("many colours, 5 bits") << 64 << 5 << 9;
    QTest::newRow("more colours than an eighth of the cells, 3 bits") << 200 << 3 << 64;
}

// The boxes are summed over the list of occupied cells when it is shorter; the palette must be the
// one the cell-by-cell sums give.
void DibConvertTest::medianCutSameOverListedCells()
{
    QFETCH(int, width);
    QFETCH(int, bitsPerChannel);
    QFETCH(int, colourSteps);
    DibImagePtr image = DibCreate(width, 3, 24, 0);
    uint32_t seed = 99;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < width; ++x) {
            seed = seed * 1103515245u + 12345u;
            const auto channel = [&](int shift) { return uint8_t(((seed >> shift) % uint32_t(colourSteps)) * 255 / (colourSteps - 1)); };
            DibSetPixelColor(image.get(), x, y, DibColor{channel(8), channel(14), channel(20), 0});
        }
    MedianCutHistogram listed;
    QVERIFY(DibBuildHistogram(image.get(), bitsPerChannel, listed));
    QCOMPARE(listed.total, uint32_t(width * 3));
    MedianCutHistogram scanned = listed;
    scanned.cellsListed = false;
    scanned.cells.clear();

    std::vector<MedianCutEntry> fromList, fromScan;
    MedianCutSplit(listed, listed.occupied, listed.total, 0, fromList);
    MedianCutSplit(scanned, scanned.occupied, scanned.total, 0, fromScan);
    QVERIFY(!fromScan.empty());
    QCOMPARE(fromList.size(), fromScan.size());
    for (size_t i = 0; i < fromScan.size(); ++i) {
        QCOMPARE(fromList[i].count, fromScan[i].count);
        QCOMPARE(Rgb(fromList[i].color), Rgb(fromScan[i].color));
    }
    // The occupied box is the smallest holding every pixel's cell.
    const int drop = 8 - bitsPerChannel;
    std::array<int, 3> low = {255, 255, 255}, high = {0, 0, 0};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < width; ++x) {
            DibColor c;
            QVERIFY(DibGetPixelColor(image.get(), x, y, c));
            const std::array<int, 3> cell = {c.red >> drop, c.green >> drop, c.blue >> drop};
            for (int k = 0; k < 3; ++k) {
                low[size_t(k)] = std::min(low[size_t(k)], cell[size_t(k)]);
                high[size_t(k)] = std::max(high[size_t(k)], cell[size_t(k)]);
            }
        }
    QCOMPARE(listed.occupied.low[kDibRed], low[0]);
    QCOMPARE(listed.occupied.high[kDibRed], high[0]);
    QCOMPARE(listed.occupied.low[kDibBlue], low[2]);
    QCOMPARE(listed.occupied.high[kDibBlue], high[2]);
}

void DibConvertTest::standardSixteen()
{
    // Expected index for each colour; (64, 0, 0) is as far from black as from dark red.
    const std::vector<std::pair<DibColor, uint32_t>> cases = {
        {{10, 10, 250, 0}, 9},  {{128, 128, 128, 0}, 7}, {{200, 200, 200, 0}, 8},
        {{0, 0, 100, 0}, 1},    {{0, 0, 64, 0}, 0},      {{250, 250, 5, 0}, 14},
    };
    std::vector<DibColor> pixels;
    for (const auto& c : cases)
        pixels.push_back(c.first);
    DibImagePtr result = DibConvertDepth(MakeRgb(pixels).get(), 4);
    QVERIFY(result);
    QCOMPARE(DibColorCount(result.get()), 16u);
    DibColor entry;
    QVERIFY(DibGetColorEntry(result.get(), 8, entry));
    QCOMPARE(entry, (DibColor{192, 192, 192, 0}));
    QVERIFY(DibGetColorEntry(result.get(), 9, entry));
    QCOMPARE(entry, (DibColor{0, 0, 255, 0}));
    for (size_t x = 0; x < cases.size(); ++x)
        QCOMPARE(DibGetPixel(result.get(), int32_t(x), 0), cases[x].second);
}

QTEST_APPLESS_MAIN(DibConvertTest)
#include "DibConvertTest.moc"
