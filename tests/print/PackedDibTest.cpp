// The snapshot as a packed DIB, that block as a BMP file, and the file read back for the page.

#include "print/PackedDib.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdint>
#include <vector>

#include <sys/stat.h>

using namespace veldran;

namespace {

uint32_t U32(const std::vector<uint8_t>& b, size_t at)
{
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}
uint16_t U16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }

QByteArray Bytes(const std::vector<uint8_t>& b, size_t at, int count)
{
    return QByteArray(reinterpret_cast<const char*>(b.data() + at), count);
}

// Three columns, two rows: red, green, blue over white, black, (200, 100, 50).
QImage SixColours()
{
    QImage image(3, 2, QImage::Format_RGB32);
    const QRgb colours[2][3] = {{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)},
                                {qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(200, 100, 50)}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            image.setPixel(x, y, colours[y][x]);
    return image;
}

// A 40-byte info header (or a 12-byte core header) with the given fields, then extra zero bytes.
std::vector<uint8_t> Header(uint32_t size, int32_t width, int32_t height, uint16_t bits, uint32_t colorsUsed,
                            size_t extra = 0)
{
    std::vector<uint8_t> h;
    const auto put = [&h](uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            h.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    put(size, 4);
    if (size == 12) {
        put(uint32_t(width), 2);
        put(uint32_t(height), 2);
        put(1, 2);
        put(bits, 2);
    } else {
        put(uint32_t(width), 4);
        put(uint32_t(height), 4);
        put(1, 2);
        put(bits, 2);
        for (int i = 0; i < 6; ++i)
            put(i == 4 ? colorsUsed : 0, 4);
        h.resize(size, 0);
    }
    h.resize(h.size() + extra, 0xAB);
    return h;
}

std::vector<uint8_t> ReadAll(const QString& name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    return std::vector<uint8_t>(data.begin(), data.end());
}

void WriteRaw(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray SizedBmp(uint32_t announced, int length)
{
    QByteArray bytes(length, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    for (int i = 0; i < 4; ++i)
        bytes[2 + i] = static_cast<char>(announced >> (8 * i));
    return bytes;
}

} // namespace

class PackedDibTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void layout_data();
    void layout();
    void indexedTable();
    void givenPalette();
    void refusals();
    void fileHeader_data();
    void fileHeader();
    void writeRefusals();
    void colorCount_data();
    void colorCount();
    void readBack();
    void readRefusals_data();
    void readRefusals();

private:
    QTemporaryDir m_dir;
};

void PackedDibTest::init()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir::setCurrent(m_dir.path()));
}

void PackedDibTest::layout_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("tableBytes");
    QTest::addColumn<int>("rowBytes");
    QTest::addColumn<QByteArray>("bottomLeft"); // first pixel of the block: the picture's lower left
    QTest::addColumn<QByteArray>("topRight");   // last pixel of the last row in the block

    QTest::newRow("32") << 32 << 0 << 12 << QByteArray("\xFF\xFF\xFF\x00", 4) << QByteArray("\xFF\x00\x00\x00", 4);
    QTest::newRow("24") << 24 << 0 << 12 << QByteArray("\xFF\xFF\xFF", 3) << QByteArray("\xFF\x00\x00", 3);
    QTest::newRow("16 (5-5-5)") << 16 << 0 << 8 << QByteArray("\xFF\x7F", 2) << QByteArray("\x1F\x00", 2);
    // White and pure blue are the default palette's last and fifth-last colours.
    QTest::newRow("8") << 8 << 1024 << 4 << QByteArray("\xFF", 1) << QByteArray("\xFC", 1);
}

void PackedDibTest::layout()
{
    QFETCH(int, bits);
    QFETCH(int, tableBytes);
    QFETCH(int, rowBytes);
    QFETCH(QByteArray, bottomLeft);
    QFETCH(QByteArray, topRight);

    const PackedDib block = BitmapToPackedDib(SixColours(), bits, kDibCompressionRgb, nullptr);
    QCOMPARE(block.size(), size_t(40 + tableBytes + 2 * rowBytes));
    QCOMPARE(U32(block, 0), 40u);
    QCOMPARE(U32(block, 4), 3u);
    QCOMPARE(U32(block, 8), 2u); // positive: bottom-up
    QCOMPARE(U16(block, 12), 1);
    QCOMPARE(U16(block, 14), bits);
    QCOMPARE(U32(block, 16), kDibCompressionRgb);
    QCOMPARE(U32(block, 20), uint32_t(2 * rowBytes));
    for (size_t at = 24; at < 40; at += 4)
        QCOMPARE(U32(block, at), 0u);

    const size_t pixels = 40 + size_t(tableBytes);
    const int pixelBytes = bottomLeft.size();
    QCOMPARE(Bytes(block, pixels, pixelBytes), bottomLeft);
    QCOMPARE(Bytes(block, pixels + size_t(rowBytes) + 2 * size_t(pixelBytes), pixelBytes), topRight);
}

void PackedDibTest::indexedTable()
{
    const PackedDib block = BitmapToPackedDib(SixColours(), 8, kDibCompressionRgb, nullptr);
    const DibPalette& palette = DefaultPalette();
    QCOMPARE(palette.entries.size(), size_t(20));
    // The 20 colours sit at 0..9 and 246..255; the entries between are black.
    for (int i = 0; i < 20; ++i) {
        const size_t at = 40 + size_t(DefaultPaletteTableIndex(i)) * 4;
        const DibPaletteEntry& e = palette.entries[size_t(i)];
        const char entry[4] = {char(e.blue), char(e.green), char(e.red), 0};
        QCOMPARE(Bytes(block, at, 4), QByteArray(entry, 4));
    }
    QCOMPARE(Bytes(block, 40 + 10 * 4, 236 * 4), QByteArray(236 * 4, '\0'));
    // Red is the 14th colour (table 249); (200, 100, 50) is nearest to dark yellow (128, 128, 0).
    const size_t pixels = 40 + 1024;
    QCOMPARE(int(block[pixels + 4 + 0]), 249);
    QCOMPARE(int(block[pixels + 2]), 3);
    QCOMPARE(int(block[pixels + 1]), 0);
}

void PackedDibTest::givenPalette()
{
    DibPalette grey;
    grey.entries = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    const PackedDib block = BitmapToPackedDib(SixColours(), 8, kDibCompressionRgb, &grey);
    QCOMPARE(Bytes(block, 40, 8), QByteArray("\x00\x00\x00\x00\xFF\xFF\xFF\x00", 8));
    const size_t pixels = 40 + 1024;
    // Bottom row: white, black, (200, 100, 50) → darker than mid-grey → black.
    QCOMPARE(Bytes(block, pixels, 3), QByteArray("\x01\x00\x00", 3));
}

void PackedDibTest::refusals()
{
    QVERIFY(BitmapToPackedDib(SixColours(), 32, kDibCompressionBitfields, nullptr).empty());
    QVERIFY(BitmapToPackedDib(SixColours(), 8, kDibCompressionRle8, nullptr).empty());
    QVERIFY(BitmapToPackedDib(QImage(), 24, kDibCompressionRgb, nullptr).empty());
    QVERIFY(BitmapToPackedDib(SixColours(), 12, kDibCompressionRgb, nullptr).empty());
}

void PackedDibTest::fileHeader_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<uint32_t>("fileSize");
    QTest::addColumn<uint32_t>("pixelOffset");

    // The image-size field left at 0 is filled in by the writer.
    std::vector<uint8_t> rgb = Header(40, 3, 2, 24, 0, 24);
    QTest::newRow("24 bits") << QByteArray(reinterpret_cast<const char*>(rgb.data()), int(rgb.size())) << 78u << 54u;
    std::vector<uint8_t> indexed = Header(40, 5, 3, 8, 0, 1024 + 24);
    QTest::newRow("8 bits, full table")
        << QByteArray(reinterpret_cast<const char*>(indexed.data()), int(indexed.size())) << 1102u << 1078u;
    std::vector<uint8_t> used = Header(40, 4, 1, 8, 3, 12 + 4);
    QTest::newRow("8 bits, 3 colours used")
        << QByteArray(reinterpret_cast<const char*>(used.data()), int(used.size())) << 70u << 66u;
    // Core header: 3-byte table entries; one-bit rows of 33 pixels take 8 bytes.
    std::vector<uint8_t> core = Header(12, 33, 2, 1, 0, 6 + 16);
    QTest::newRow("core, 1 bit") << QByteArray(reinterpret_cast<const char*>(core.data()), int(core.size())) << 48u
                                 << 32u;
    // Bytes past what the header announces are not written.
    std::vector<uint8_t> longer = Header(40, 1, 1, 32, 0, 4 + 100);
    QTest::newRow("trailing bytes") << QByteArray(reinterpret_cast<const char*>(longer.data()), int(longer.size()))
                                    << 58u << 54u;
}

void PackedDibTest::fileHeader()
{
    QFETCH(QByteArray, block);
    QFETCH(uint32_t, fileSize);
    QFETCH(uint32_t, pixelOffset);

    const PackedDib packed(block.begin(), block.end());
    QVERIFY(WritePackedDibFile("tmp.bmp", packed));
    const std::vector<uint8_t> file = ReadAll("tmp.bmp");
    QCOMPARE(file.size(), size_t(fileSize));
    QCOMPARE(Bytes(file, 0, 2), QByteArray("BM"));
    QCOMPARE(U32(file, 2), fileSize);
    QCOMPARE(U32(file, 6), 0u);
    QCOMPARE(U32(file, 10), pixelOffset);
    const bool info = U32(packed, 0) == 40;
    for (size_t i = 14; i < file.size(); ++i) {
        if (info && i >= 14 + 20 && i < 14 + 24)
            continue;
        QCOMPARE(file[i], packed[i - 14]);
    }
    if (info)
        QCOMPARE(U32(file, 14 + 20), fileSize - pixelOffset);
    QVERIFY(!QFile::exists("tmp.bmp.part"));
}

void PackedDibTest::writeRefusals()
{
    const PackedDib good = BitmapToPackedDib(SixColours(), 24, kDibCompressionRgb, nullptr);
    QVERIFY(WritePackedDibFile("tmp.bmp", good));
    const std::vector<uint8_t> before = ReadAll("tmp.bmp");

    QVERIFY(!WritePackedDibFile("tmp.bmp", PackedDib()));
    PackedDib shortBlock(good.begin(), good.end() - 1);
    QVERIFY(!WritePackedDibFile("tmp.bmp", shortBlock));
    // A failed write keeps the picture that was there.
    QCOMPARE(ReadAll("tmp.bmp"), before);

    QVERIFY(!WritePackedDibFile("no-such-folder/tmp.bmp", good));
    QVERIFY(QDir().mkdir("occupied"));
    QVERIFY(!WritePackedDibFile("occupied", good));
    QVERIFY(!QFile::exists("occupied.part"));
}

void PackedDibTest::colorCount_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("tableBytes");

    const auto row = [](const char* name, const std::vector<uint8_t>& h, int count, int bytes) {
        QTest::newRow(name) << QByteArray(reinterpret_cast<const char*>(h.data()), int(h.size())) << count << bytes;
    };
    row("1 bit", Header(40, 1, 1, 1, 0), 2, 8);
    row("4 bits", Header(40, 1, 1, 4, 0), 16, 64);
    row("8 bits", Header(40, 1, 1, 8, 0), 256, 1024);
    row("16 bits", Header(40, 1, 1, 16, 0), 0, 0);
    row("24 bits", Header(40, 1, 1, 24, 0), 0, 0);
    row("colours used", Header(40, 1, 1, 8, 12), 12, 48);
    row("colours used above 8 bits", Header(40, 1, 1, 24, 5), 5, 20);
    row("core 8 bits", Header(12, 1, 1, 8, 0), 256, 768);
    row("core 4 bits", Header(12, 1, 1, 4, 0), 16, 48);
    row("core 24 bits", Header(12, 1, 1, 24, 0), 0, 0);
    row("version 4 header", Header(108, 1, 1, 8, 0), 256, 1024);
    std::vector<uint8_t> truncated = Header(40, 1, 1, 8, 0);
    truncated.resize(20);
    row("truncated", truncated, 0, 0);
}

void PackedDibTest::colorCount()
{
    QFETCH(QByteArray, header);
    QFETCH(int, count);
    QFETCH(int, tableBytes);
    const auto* data = reinterpret_cast<const uint8_t*>(header.constData());
    QCOMPARE(int(PackedDibColorCount(data, size_t(header.size()))), count);
    QCOMPARE(int(PackedDibColorTableBytes(data, size_t(header.size()))), tableBytes);
}

void PackedDibTest::readBack()
{
    const PackedDib block = BitmapToPackedDib(SixColours(), 16, kDibCompressionRgb, nullptr);
    QVERIFY(WritePackedDibFile("tmp.bmp", block));
    const std::optional<std::vector<uint8_t>> file = ReadBitmapFileImage("tmp.bmp");
    QVERIFY(file.has_value());
    QCOMPARE(*file, ReadAll("tmp.bmp"));

    // The smallest file the reader accepts: signature and a size field that matches.
    WriteRaw("tiny.bmp", SizedBmp(6, 6));
    QVERIFY(ReadBitmapFileImage("tiny.bmp").has_value());

    QVERIFY(!ReadBitmapFileImage("missing.bmp").has_value());
    QVERIFY(!ReadBitmapFileImage(m_dir.path().toStdString()).has_value());
    // A pipe under the name neither blocks the reader nor passes as a picture.
    QCOMPARE(::mkfifo("pipe.bmp", 0600), 0);
    QVERIFY(!ReadBitmapFileImage("pipe.bmp").has_value());
}

void PackedDibTest::readRefusals_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("shorter than the size field") << QByteArray("BM\x05\x00\x00", 5);
    QTest::newRow("other signature") << QByteArray("MB\x06\x00\x00\x00", 6);
    QTest::newRow("announces more") << SizedBmp(101, 100);
    QTest::newRow("announces less") << SizedBmp(99, 100);
    QTest::newRow("absurd size field") << SizedBmp(0xFFFFFFFFu, 64);
}

void PackedDibTest::readRefusals()
{
    QFETCH(QByteArray, content);
    WriteRaw("bad.bmp", content);
    QVERIFY(!ReadBitmapFileImage("bad.bmp").has_value());
}

QTEST_GUILESS_MAIN(PackedDibTest)
#include "PackedDibTest.moc"
