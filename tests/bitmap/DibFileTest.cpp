// BMP files: byte-exact writing, the header forms the reader takes, and the files it refuses.

#include "print/bitmap/DibFile.h"
#include "print/bitmap/DibImage.h"
#include "print/bitmap/DibPixels.h"
#include "tests/bitmap/BmpBytes.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <climits>
#include <sys/stat.h>
#include <vector>

using namespace veldran;
using test::BmpLayout;
using test::BuildBmp;

Q_DECLARE_METATYPE(std::vector<uint8_t>)

namespace {

uint32_t U32At(const QByteArray& bytes, int offset)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | uint8_t(bytes[offset + i]);
    return v;
}

uint16_t U16At(const QByteArray& bytes, int offset)
{
    return static_cast<uint16_t>(uint8_t(bytes[offset]) | (uint8_t(bytes[offset + 1]) << 8));
}

uint32_t PatternValue(int bits, int x, int y)
{
    const uint32_t v = uint32_t(x) * 0x9E3779B1u + uint32_t(y) * 0x85EBCA77u + 0x1234u;
    return bits == 32 ? v : v & ((1u << bits) - 1);
}

// An 8-bit, 4 × 2 file with a full colour table: the base the refused files start from.
BmpLayout ValidEightBit()
{
    BmpLayout layout;
    layout.table.resize(256);
    layout.pixels.assign(8, 1);
    return layout;
}

QByteArray ToBytes(const std::vector<uint8_t>& v) { return QByteArray(reinterpret_cast<const char*>(v.data()), int(v.size())); }

} // namespace

class DibFileTest : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void readForms_data();
    void readForms();
    void refused_data();
    void refused();
    void missingFile();
    void namedPipeIsNotRead();
    void writeReplacesOnlyWhenComplete();

private:
    QTemporaryDir m_dir;
};

void DibFileTest::roundTrip_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<uint>("rowBytes");
    QTest::addColumn<uint>("tableBytes");

    QTest::newRow("1 bit") << 1 << 4u << 8u;
    QTest::newRow("4 bit") << 4 << 4u << 64u;
    QTest::newRow("8 bit") << 8 << 8u << 1024u;
    QTest::newRow("16 bit") << 16 << 12u << 0u;
    QTest::newRow("24 bit") << 24 << 16u << 0u;
    QTest::newRow("32 bit") << 32 << 20u << 0u;
}

void DibFileTest::roundTrip()
{
    QFETCH(int, bits);
    QFETCH(uint, rowBytes);
    QFETCH(uint, tableBytes);
    const int width = 5;
    const int height = 3;

    DibImagePtr image = DibCreate(width, height, bits, 0);
    QVERIFY(image);
    for (uint32_t i = 0; i < DibColorCount(image.get()); ++i)
        QVERIFY(DibSetColorEntry(image.get(), i, DibColor{uint8_t(i * 7), uint8_t(255 - i), uint8_t(i * 3), 0}));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            QVERIFY(DibSetPixel(image.get(), x, y, PatternValue(bits, x, y)));

    const QString path = m_dir.filePath(QStringLiteral("round%1.bmp").arg(bits));
    QVERIFY(DibWriteFile(image.get(), path.toStdString()));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const uint32_t pixelOffset = 14 + 40 + tableBytes;
    QCOMPARE(uint32_t(bytes.size()), pixelOffset + rowBytes * height);
    QCOMPARE(bytes.left(2), QByteArray("BM"));
    QCOMPARE(U32At(bytes, 2), uint32_t(bytes.size()));
    QCOMPARE(U32At(bytes, 6), 0u);
    QCOMPARE(U32At(bytes, 10), pixelOffset);
    QCOMPARE(U32At(bytes, 14), 40u);
    QCOMPARE(U32At(bytes, 18), uint32_t(width));
    QCOMPARE(U32At(bytes, 22), uint32_t(height));
    QCOMPARE(U16At(bytes, 26), uint16_t(1));
    QCOMPARE(U16At(bytes, 28), uint16_t(bits));
    QCOMPARE(U32At(bytes, 30), 0u);
    QCOMPARE(U32At(bytes, 34), rowBytes * height);
    QCOMPARE(U32At(bytes, 46), 0u);
    QCOMPARE(U32At(bytes, 50), 0u);
    if (tableBytes != 0) {
        // Entry 1 in blue, green, red, reserved order.
        QCOMPARE(U32At(bytes, 54 + 4), uint32_t(7) | (254u << 8) | (3u << 16));
    }
    // The first row in the file is the bottom row of the picture.
    QCOMPARE(bytes.mid(int(pixelOffset), int(rowBytes)),
             QByteArray(reinterpret_cast<const char*>(DibPixelAddress(image.get(), 0, height - 1)), int(rowBytes)));

    DibImagePtr back = DibReadFile(path.toStdString());
    QVERIFY(back);
    QCOMPARE(DibWidth(back.get()), width);
    QCOMPARE(DibHeight(back.get()), height);
    QCOMPARE(DibBitCount(back.get()), bits);
    QCOMPARE(back->m_colorTable.size(), image->m_colorTable.size());
    for (size_t i = 0; i < back->m_colorTable.size(); ++i)
        QCOMPARE(back->m_colorTable[i], image->m_colorTable[i]);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            QCOMPARE(DibGetPixel(back.get(), x, y), PatternValue(bits, x, y));
}

void DibFileTest::readForms_data()
{
    QTest::addColumn<std::vector<uint8_t>>("file");
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("height");
    QTest::addColumn<uint>("topLeft");     // 0xRRGGBB
    QTest::addColumn<uint>("bottomRight"); // 0xRRGGBB

    {
        BmpLayout s;
        s.headerSize = 12;
        s.width = 2;
        s.height = 2;
        s.bits = 24;
        s.pixels = {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, /* top */ 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0};
        QTest::newRow("core header, 24 bit") << BuildBmp(s) << 24 << 2 << 0xFF0000u << 0x00FF00u;
    }
    {
        BmpLayout s;
        s.headerSize = 12;
        s.width = 2;
        s.height = 1;
        s.table.resize(256);
        s.table[5] = DibColor{30, 20, 10, 0};
        s.pixels = {5, 0, 0, 0};
        QTest::newRow("core header, 3-byte colours") << BuildBmp(s) << 8 << 1 << 0x0A141Eu << 0u;
    }
    {
        BmpLayout s;
        s.width = 2;
        s.height = 1;
        s.bits = 16;
        s.compression = kDibCompressionBitfields;
        s.masks = {0xF800, 0x07E0, 0x001F};
        s.pixels = {0x00, 0xF8, 0x1F, 0x00};
        QTest::newRow("bit fields after 40-byte header") << BuildBmp(s) << 16 << 1 << 0xF80000u << 0x0000F8u;
    }
    {
        BmpLayout s;
        s.headerSize = 124;
        s.width = 1;
        s.height = 1;
        s.bits = 32;
        s.compression = kDibCompressionBitfields;
        s.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
        s.pixels = {0x10, 0x20, 0x30, 0};
        QTest::newRow("version 5 header with masks inside") << BuildBmp(s) << 32 << 1 << 0x102030u << 0x102030u;
    }
    {
        BmpLayout s;
        s.headerSize = 108;
        s.width = 1;
        s.height = 1;
        s.bits = 24;
        s.pixels = {0x03, 0x02, 0x01, 0};
        QTest::newRow("version 4 header, plain") << BuildBmp(s) << 24 << 1 << 0x010203u << 0x010203u;
    }
    {
        BmpLayout s;
        s.width = 2;
        s.height = -2;
        s.colorsUsed = 2;
        s.table = {DibColor{0, 0, 0, 0}, DibColor{255, 255, 255, 0}};
        s.pixels = {1, 0, 0, 0, /* bottom */ 0, 1, 0, 0};
        QTest::newRow("top-down, short colour table") << BuildBmp(s) << 8 << 2 << 0xFFFFFFu << 0xFFFFFFu;
    }
    {
        // Bytes after the announced pixel data are not part of the picture.
        BmpLayout s = ValidEightBit();
        s.table[1] = DibColor{3, 2, 1, 0};
        s.pixels.resize(12, 9);
        s.fileSize = uint32_t(14 + 40 + 1024 + 8);
        QTest::newRow("trailing bytes") << BuildBmp(s) << 8 << 2 << 0x010203u << 0x010203u;
    }
}

void DibFileTest::readForms()
{
    QFETCH(std::vector<uint8_t>, file);
    QFETCH(int, bits);
    QFETCH(int, height);
    QFETCH(uint, topLeft);
    QFETCH(uint, bottomRight);

    DibImagePtr image = DibReadMemory(file.data(), file.size());
    QVERIFY(image);
    QCOMPARE(DibBitCount(image.get()), bits);
    QCOMPARE(DibHeight(image.get()), height);
    QCOMPARE(DibHeaderSize(image.get()), 40u);
    const auto rgb = [&](int x, int y) {
        DibColor c;
        return DibGetPixelColor(image.get(), x, y, c) ? (uint(c.red) << 16 | uint(c.green) << 8 | c.blue) : 0xDEADu;
    };
    QCOMPARE(rgb(0, 0), topLeft);
    QCOMPARE(rgb(DibWidth(image.get()) - 1, height - 1), bottomRight);

    // What was read is written back as a consistent 40-byte-header file that reads the same.
    const std::vector<uint8_t> again = DibEncodeFile(image.get());
    DibImagePtr reread = DibReadMemory(again.data(), again.size());
    QVERIFY(reread);
    QCOMPARE(again, DibEncodeFile(reread.get()));
}

void DibFileTest::refused_data()
{
    QTest::addColumn<std::vector<uint8_t>>("file");

    const auto row = [](const char* name, BmpLayout s) { QTest::newRow(name) << BuildBmp(s); };
    const std::vector<uint8_t> valid = BuildBmp(ValidEightBit());

    QTest::newRow("empty") << std::vector<uint8_t>();
    QTest::newRow("short file header") << std::vector<uint8_t>(valid.begin(), valid.begin() + 10);
    QTest::newRow("pixel data shorter than announced") << std::vector<uint8_t>(valid.begin(), valid.end() - 3);
    QTest::newRow("info block cut short") << std::vector<uint8_t>(valid.begin(), valid.begin() + 60);

    BmpLayout s = ValidEightBit();
    s.signature = "BA";
    row("bad signature", s);
    s = ValidEightBit();
    s.pixels.resize(12, 1);
    row("announces more pixels than the image holds", s);
    s = ValidEightBit();
    s.pixels.resize(7);
    row("announces fewer pixels than the image holds", s);
    s = ValidEightBit();
    s.table.resize(16);
    row("colour table shorter than the header says", s);
    s = ValidEightBit();
    s.pixelOffset = 10;
    row("pixel offset inside file header", s);
    s = ValidEightBit();
    s.fileSize = 20;
    row("file size before pixel offset", s);

    const std::vector<std::pair<const char*, std::pair<int32_t, int32_t>>> sizes = {
        {"zero width", {0, 2}},
        {"negative width", {-4, 2}},
        {"zero height", {4, 0}},
        {"most negative height", {4, INT32_MIN}},
        {"size arithmetic overflows", {INT32_MAX, INT32_MAX}},
        {"pixel buffer too large", {20000, 20000}},
        {"too many rows", {1, 8 << 20}},
    };
    for (const auto& [name, size] : sizes) {
        s = ValidEightBit();
        s.width = size.first;
        s.height = size.second;
        row(name, s);
    }
    for (int bits : {0, 2, 3, 64}) {
        s = ValidEightBit();
        s.bits = static_cast<uint16_t>(bits);
        QTest::newRow(qPrintable(QStringLiteral("bit count %1").arg(bits))) << BuildBmp(s);
    }
    s = ValidEightBit();
    s.colorsUsed = 300;
    s.table.resize(300);
    row("more than 256 colours", s);
    s = ValidEightBit();
    s.planes = 2;
    row("two planes", s);
    s = ValidEightBit();
    s.compression = kDibCompressionRle8;
    row("run-length compression", s);
    s = ValidEightBit();
    s.compression = 4;
    row("JPEG compression", s);
    s = ValidEightBit();
    s.headerSize = 64;
    row("unknown header size", s);
    s = BmpLayout();
    s.bits = 24;
    s.compression = kDibCompressionBitfields;
    s.masks = {0xFF0000, 0xFF00, 0xFF};
    s.pixels.resize(24);
    row("bit fields at 24 bits", s);
    s = BmpLayout();
    s.bits = 16;
    s.compression = kDibCompressionBitfields;
    s.pixels.resize(16);
    row("bit fields without masks", s);
    s = BmpLayout();
    s.headerSize = 12;
    s.bits = 16;
    s.pixels.resize(16);
    row("core header at 16 bits", s);
}

void DibFileTest::refused()
{
    QFETCH(std::vector<uint8_t>, file);

    QVERIFY(!DibReadMemory(file.data(), file.size()));

    const QString path = m_dir.filePath(QStringLiteral("refused.bmp"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(ToBytes(file));
    out.close();
    QVERIFY(!DibReadFile(path.toStdString()));
}

void DibFileTest::missingFile()
{
    QVERIFY(!DibReadFile(m_dir.filePath(QStringLiteral("no such file.bmp")).toStdString()));
    QVERIFY(!DibReadFile(m_dir.path().toStdString()));
}

void DibFileTest::namedPipeIsNotRead()
{
    // A pipe left under the picture's name has no writer: reading it would block for ever.
    const QString path = m_dir.filePath(QStringLiteral("pipe.bmp"));
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    QVERIFY(!DibReadFile(QFile::encodeName(path).toStdString()));
}

void DibFileTest::writeReplacesOnlyWhenComplete()
{
    const QString path = m_dir.filePath(QStringLiteral("replace.bmp"));
    DibImagePtr large = DibCreate(64, 64, 32, 0);
    DibImagePtr small = DibCreate(2, 2, 24, 0);
    QVERIFY(DibWriteFile(large.get(), path.toStdString()));
    QVERIFY(DibWriteFile(small.get(), path.toStdString()));
    QCOMPARE(QFile(path).size(), qint64(14 + 40 + 16));
    QVERIFY(!QFile::exists(path + QStringLiteral(".part")));

    // A failed write leaves the old file as it was and no side file behind.
    DibImage stray;
    QVERIFY(!DibWriteFile(&stray, path.toStdString()));
    QCOMPARE(QFile(path).size(), qint64(14 + 40 + 16));
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder")));
    const QString folder = m_dir.filePath(QStringLiteral("folder"));
    QVERIFY(!DibWriteFile(small.get(), folder.toStdString()));
    QVERIFY(QDir(folder).exists());
    QVERIFY(!QFile::exists(folder + QStringLiteral(".part")));
    QVERIFY(!DibWriteFile(small.get(), m_dir.filePath(QStringLiteral("missing/x.bmp")).toStdString()));
}

QTEST_APPLESS_MAIN(DibFileTest)
#include "DibFileTest.moc"
