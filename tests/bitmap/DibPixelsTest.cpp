// Where each pixel lives in memory and how values turn into colours at every depth.

#include "print/bitmap/DibImage.h"
#include "print/bitmap/DibPixels.h"
#include "tests/bitmap/BmpBytes.h"

#include <QPoint>
#include <QTest>

#include <vector>

using namespace veldran;

namespace {

// An image made from a 40-byte info block, so that the height sign and masks can be chosen.
DibImagePtr MakeFromInfo(int32_t width, int32_t height, int bits, uint32_t compression = kDibCompressionRgb,
                         std::vector<uint32_t> masks = {})
{
    test::BmpLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bits = static_cast<uint16_t>(bits);
    layout.compression = compression;
    layout.masks = std::move(masks);
    if (bits <= 8)
        layout.table.resize(size_t(1) << bits);
    const std::vector<uint8_t> file = test::BuildBmp(layout);
    return DibCreateFromInfo(file.data() + 14, file.size() - 14);
}

} // namespace

class DibPixelsTest : public QObject {
    Q_OBJECT

private slots:
    void rowBytes_data();
    void rowBytes();
    void packedPixelOrder_data();
    void packedPixelOrder();
    void topRowForBothOrders_data();
    void topRowForBothOrders();
    void directColour_data();
    void directColour();
    void outsideAndInvalid();
    void indexedColour();
};

void DibPixelsTest::rowBytes_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("width");
    QTest::addColumn<uint>("rowBytes");

    QTest::newRow("24 bit, 1 wide") << 24 << 1 << 4u;
    QTest::newRow("1 bit, 3 wide") << 1 << 3 << 4u;
    QTest::newRow("1 bit, 33 wide") << 1 << 33 << 8u;
    QTest::newRow("4 bit, 9 wide") << 4 << 9 << 8u;
    QTest::newRow("8 bit, 5 wide") << 8 << 5 << 8u;
    QTest::newRow("16 bit, 3 wide") << 16 << 3 << 8u;
    QTest::newRow("24 bit, 5 wide") << 24 << 5 << 16u;
    QTest::newRow("32 bit, 3 wide") << 32 << 3 << 12u;
}

void DibPixelsTest::rowBytes()
{
    QFETCH(int, bits);
    QFETCH(int, width);
    QFETCH(uint, rowBytes);

    DibImagePtr image = DibCreate(width, 3, bits, 0);
    QVERIFY(image);
    QCOMPARE(DibRowBytes(image.get()), rowBytes);
    QCOMPARE(DibImageBytes(image.get()), rowBytes * 3);
    // Consecutive rows really are that far apart.
    QCOMPARE(DibPixelAddress(image.get(), 0, 1) - DibPixelAddress(image.get(), 0, 0), -ptrdiff_t(rowBytes));
}

void DibPixelsTest::packedPixelOrder_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("x");
    QTest::addColumn<uint>("value");
    QTest::addColumn<int>("byteIndex");
    QTest::addColumn<int>("byteValue");

    QTest::newRow("1 bit, x 0 is bit 7") << 1 << 0 << 1u << 0 << 0x80;
    QTest::newRow("1 bit, x 7 is bit 0") << 1 << 7 << 1u << 0 << 0x01;
    QTest::newRow("1 bit, x 9 in second byte") << 1 << 9 << 1u << 1 << 0x40;
    QTest::newRow("4 bit, x 0 high nibble") << 4 << 0 << 0xAu << 0 << 0xA0;
    QTest::newRow("4 bit, x 1 low nibble") << 4 << 1 << 0x5u << 0 << 0x05;
    QTest::newRow("4 bit, x 3") << 4 << 3 << 0xCu << 1 << 0x0C;
    QTest::newRow("1 bit, too wide value keeps its low bit") << 1 << 2 << 3u << 0 << 0x20;
    QTest::newRow("4 bit, too wide value keeps its low nibble") << 4 << 0 << 0x1Fu << 0 << 0xF0;
}

void DibPixelsTest::packedPixelOrder()
{
    QFETCH(int, bits);
    QFETCH(int, x);
    QFETCH(uint, value);
    QFETCH(int, byteIndex);
    QFETCH(int, byteValue);

    DibImagePtr image = DibCreate(16, 2, bits, 0);
    QVERIFY(image);
    QVERIFY(DibSetPixel(image.get(), x, 0, value));
    const uint8_t* row = DibPixelAddress(image.get(), 0, 0);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(int(row[i]), i == byteIndex ? byteValue : 0);
    QCOMPARE(DibGetPixel(image.get(), x, 0), value & ((1u << bits) - 1));

    // Neighbours sharing the byte keep their values when the pixel is set again.
    const int neighbour = x ^ 1;
    const uint32_t mark = bits == 1 ? 1u : 0x6u;
    QVERIFY(DibSetPixel(image.get(), neighbour, 0, mark));
    QVERIFY(DibSetPixel(image.get(), x, 0, 0));
    QCOMPARE(DibGetPixel(image.get(), neighbour, 0), mark);
    QCOMPARE(DibGetPixel(image.get(), x, 0), 0u);
}

void DibPixelsTest::topRowForBothOrders_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("memoryRowOfTop");
    QTest::addColumn<int>("memoryRowOfSecond");

    QTest::newRow("bottom-up") << 4 << 3 << 2;
    QTest::newRow("top-down") << -4 << 0 << 1;
}

void DibPixelsTest::topRowForBothOrders()
{
    QFETCH(int, height);
    QFETCH(int, memoryRowOfTop);
    QFETCH(int, memoryRowOfSecond);

    DibImagePtr image = MakeFromInfo(2, height, 8);
    QVERIFY(image);
    QCOMPARE(DibHeight(image.get()), 4);
    QVERIFY(DibSetPixel(image.get(), 1, 0, 0x42));
    QCOMPARE(int(image->m_pixels[size_t(memoryRowOfTop) * 4 + 1]), 0x42);
    QVERIFY(DibSetPixel(image.get(), 0, 1, 0x17));
    QCOMPARE(int(image->m_pixels[size_t(memoryRowOfSecond) * 4]), 0x17);
}

void DibPixelsTest::directColour_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<uint>("compression");
    QTest::addColumn<QVector<uint>>("masks");
    QTest::addColumn<uint>("rawValue");
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::addColumn<uint>("whiteValue");

    const uint rgb = kDibCompressionRgb;
    const uint fields = kDibCompressionBitfields;
    QTest::newRow("16 bit 555 full") << 16 << rgb << QVector<uint>() << 0x7FFFu << 248 << 248 << 248 << 0x7FFFu;
    QTest::newRow("16 bit 555 red") << 16 << rgb << QVector<uint>() << 0x7C00u << 248 << 0 << 0 << 0x7FFFu;
    QTest::newRow("16 bit 565 green") << 16 << fields << QVector<uint>{0xF800, 0x07E0, 0x001F} << 0x07E0u << 0 << 252 << 0
                                      << 0xFFFFu;
    QTest::newRow("24 bit bytes blue first") << 24 << rgb << QVector<uint>() << 0x0A141Eu << 10 << 20 << 30 << 0xFFFFFFu;
    QTest::newRow("32 bit plain") << 32 << rgb << QVector<uint>() << 0x00102030u << 0x10 << 0x20 << 0x30 << 0x00FFFFFFu;
    QTest::newRow("32 bit fields, blue on top") << 32 << fields << QVector<uint>{0x0000FF00, 0x00FF0000, 0xFF000000}
                                                << 0x11223300u << 0x33 << 0x22 << 0x11 << 0xFFFFFF00u;
    // Channels wider than 8 bits keep their top 8 bits.
    QTest::newRow("32 bit 10-10-10") << 32 << fields << QVector<uint>{0x3FF00000, 0x000FFC00, 0x000003FF}
                                     << 0x3FF00000u << 255 << 0 << 0 << 0x3FCFF3FCu;
}

void DibPixelsTest::directColour()
{
    QFETCH(int, bits);
    QFETCH(uint, compression);
    QFETCH(QVector<uint>, masks);
    QFETCH(uint, rawValue);
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    QFETCH(uint, whiteValue);

    DibImagePtr image = MakeFromInfo(3, 2, bits, compression, std::vector<uint32_t>(masks.begin(), masks.end()));
    QVERIFY(image);
    QVERIFY(DibSetPixel(image.get(), 2, 1, rawValue));
    DibColor color;
    QVERIFY(DibGetPixelColor(image.get(), 2, 1, color));
    QCOMPARE(int(color.red), red);
    QCOMPARE(int(color.green), green);
    QCOMPARE(int(color.blue), blue);

    QVERIFY(DibSetPixelColor(image.get(), 2, 1, DibColor{255, 255, 255, 0}));
    QCOMPARE(DibGetPixel(image.get(), 2, 1), whiteValue);
    // The pixel's bytes are little-endian in memory.
    const uint8_t* p = DibPixelAddress(image.get(), 2, 1);
    QCOMPARE(uint(p[0]), whiteValue & 0xFF);
    QCOMPARE(uint(p[1]), (whiteValue >> 8) & 0xFF);
}

void DibPixelsTest::outsideAndInvalid()
{
    DibImagePtr image = DibCreate(4, 3, 24, 0);
    QVERIFY(image);
    const QVector<QPoint> outside = {{-1, 0}, {0, -1}, {4, 0}, {0, 3}};
    for (const QPoint& pt : outside) {
        DibColor color;
        QVERIFY(!DibPixelAddress(image.get(), pt.x(), pt.y()));
        QVERIFY(!DibSetPixel(image.get(), pt.x(), pt.y(), 1));
        QVERIFY(!DibSetPixelColor(image.get(), pt.x(), pt.y(), color));
        QVERIFY(!DibGetPixelColor(image.get(), pt.x(), pt.y(), color));
    }

    // A record that was not made by the toolkit is refused everywhere.
    DibImage stray;
    DibColor color;
    QVERIFY(!DibIsValid(&stray) && !DibIsValid(nullptr));
    QCOMPARE(DibWidth(&stray), 0);
    QCOMPARE(DibTotalBytes(&stray), 0u);
    QVERIFY(!DibGetPixelColor(&stray, 0, 0, color));
    QVERIFY(DibCopyToPackedDib(&stray, false).empty());
    DibImagePtr none;
    QVERIFY(!DibFree(none));
    QVERIFY(DibFree(image));
    QVERIFY(!image);
}

void DibPixelsTest::indexedColour()
{
    DibImagePtr image = DibCreate(3, 1, 4, 3);
    QVERIFY(image);
    QCOMPARE(DibColorCount(image.get()), 3u);
    QVERIFY(DibSetColorEntry(image.get(), 2, DibColor{1, 2, 3, 0}));
    QVERIFY(!DibSetColorEntry(image.get(), 3, DibColor{}));
    QVERIFY(DibSetPixel(image.get(), 1, 0, 2));
    QVERIFY(DibSetPixel(image.get(), 2, 0, 7)); // an index past the table

    DibColor color;
    QVERIFY(DibGetPixelColor(image.get(), 1, 0, color));
    QCOMPARE(color, (DibColor{1, 2, 3, 0}));
    QVERIFY(!DibGetPixelColor(image.get(), 2, 0, color));
    QVERIFY(!DibSetPixelColor(image.get(), 0, 0, color));
    QCOMPARE(DibGetPixel(image.get(), 0, 0), 0u);
}

QTEST_APPLESS_MAIN(DibPixelsTest)
#include "DibPixelsTest.moc"
