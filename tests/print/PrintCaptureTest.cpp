// Capture Data: the data check, the depth of the print bitmap file, the bitmap size kept from the
// first snapshot, and a snapshot that cannot be stored.

#include "print/PrintCapture.h"

#include "PrintTestTools.h"
#include "print/bitmap/DibFile.h"
#include "print/bitmap/DibPixels.h"
#include "resources/Strings.h"
#include "tests/common/MessageRecorder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace veldran;
using veldran::test::MessageRecorder;
using veldran::test::QuadrantWidget;
using veldran::test::Solid;

namespace {

QColor FileColour(const DibImage* image, int x, int y)
{
    DibColor colour;
    if (!DibGetPixelColor(image, x, y, colour))
        return {};
    return QColor(colour.red, colour.green, colour.blue);
}

} // namespace

class PrintCaptureTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void nothingToCapture();
    void ready_data();
    void ready();
    void screenDepth_data();
    void screenDepth();
    void keepsFirstSize();
    void storeFailure();

private:
    QTemporaryDir m_dir;
};

void PrintCaptureTest::init()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir::setCurrent(m_dir.path()));
    QFile::remove("tmp.bmp");
}

void PrintCaptureTest::nothingToCapture()
{
    MessageRecorder recorder;
    QuadrantWidget widget(Solid(Qt::red));
    widget.resize(40, 30);
    CPrintCapture capture(24);
    capture.OnCaptureData(&widget, false, false);
    QCOMPARE(recorder.messages.size(), size_t(1));
    QCOMPARE(recorder.Last(), std::string(text::kNothingToCapture));
    QVERIFY(!capture.m_bPrintReady);
    QVERIFY(capture.m_bmpCapture.isNull());
    QVERIFY(!QFile::exists("tmp.bmp"));
}

void PrintCaptureTest::ready_data()
{
    QTest::addColumn<bool>("liveData");
    QTest::addColumn<bool>("dataReady");
    QTest::newRow("listing arriving") << true << false;
    QTest::newRow("capture shown") << false << true;
    QTest::newRow("both") << true << true;
}

void PrintCaptureTest::ready()
{
    QFETCH(bool, liveData);
    QFETCH(bool, dataReady);
    MessageRecorder recorder;
    QuadrantWidget widget(Solid(Qt::red));
    widget.resize(40, 30);
    CPrintCapture capture(24);
    capture.OnCaptureData(&widget, liveData, dataReady);
    QCOMPARE(recorder.messages.size(), size_t(1));
    QCOMPARE(recorder.Last(), std::string(text::kReadyToPrint));
    QVERIFY(capture.m_bPrintReady);
    QCOMPARE(capture.m_rcCapture.size(), QSize(40, 30));
    const DibImagePtr file = DibReadFile("tmp.bmp");
    QCOMPARE(DibWidth(file.get()), 40);
    QCOMPARE(DibHeight(file.get()), 30);
}

void PrintCaptureTest::screenDepth_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("fileBits");
    QTest::addColumn<QColor>("stored");
    QTest::addColumn<QColor>("white");
    const QColor exact(200, 100, 50);
    const QColor white(Qt::white);
    const QColor white555(248, 248, 248);
    QTest::newRow("32") << 32 << 32 << exact << white;
    QTest::newRow("24") << 24 << 24 << exact << white;
    QTest::newRow("16: five bits a channel") << 16 << 16 << QColor(200, 96, 48) << white555;
    QTest::newRow("15") << 15 << 16 << QColor(200, 96, 48) << white555;
    QTest::newRow("8: nearest default colour") << 8 << 8 << QColor(128, 128, 0) << white;
    QTest::newRow("4") << 4 << 8 << QColor(128, 128, 0) << white;
}

void PrintCaptureTest::screenDepth()
{
    QFETCH(int, depth);
    QFETCH(int, fileBits);
    QFETCH(QColor, stored);
    QFETCH(QColor, white);
    MessageRecorder recorder;
    QuadrantWidget widget({QColor(200, 100, 50), Qt::white, Qt::white, Qt::white});
    widget.resize(20, 10);
    CPrintCapture capture(depth);
    capture.OnCaptureData(&widget, true, true);
    const DibImagePtr file = DibReadFile("tmp.bmp");
    QCOMPARE(DibBitCount(file.get()), fileBits);
    QCOMPARE(FileColour(file.get(), 2, 2), stored);
    QCOMPARE(FileColour(file.get(), 17, 8), white);
}

void PrintCaptureTest::keepsFirstSize()
{
    MessageRecorder recorder;
    QuadrantWidget widget(Solid(Qt::red));
    widget.resize(40, 30);
    CPrintCapture capture(24);
    capture.OnCaptureData(&widget, true, false);

    // A larger view is cut to the first size.
    widget.SetColours(Solid(Qt::blue));
    widget.resize(80, 60);
    capture.OnCaptureData(&widget, true, false);
    DibImagePtr file = DibReadFile("tmp.bmp");
    QCOMPARE(DibWidth(file.get()), 40);
    QCOMPARE(DibHeight(file.get()), 30);
    QCOMPARE(FileColour(file.get(), 39, 29), QColor(Qt::blue));
    QCOMPARE(capture.m_rcCapture.size(), QSize(80, 60));

    // A smaller view leaves the earlier pixels outside it.
    widget.SetColours(Solid(Qt::green));
    widget.resize(20, 10);
    capture.OnCaptureData(&widget, true, false);
    file = DibReadFile("tmp.bmp");
    QCOMPARE(DibWidth(file.get()), 40);
    QCOMPARE(FileColour(file.get(), 19, 9), QColor(Qt::green));
    QCOMPARE(FileColour(file.get(), 20, 9), QColor(Qt::blue));
    QCOMPARE(FileColour(file.get(), 5, 10), QColor(Qt::blue));
    QCOMPARE(recorder.messages.size(), size_t(3));
}

void PrintCaptureTest::storeFailure()
{
    MessageRecorder recorder;
    QuadrantWidget widget(Solid(Qt::red));
    widget.resize(40, 30);
    CPrintCapture capture(24);
    capture.m_szBitmapFile = "no-such-folder/tmp.bmp";
    capture.OnCaptureData(&widget, true, true);
    QCOMPARE(recorder.messages.size(), size_t(1));
    QVERIFY(recorder.Last() != text::kReadyToPrint);
    QVERIFY(recorder.Last().find("no-such-folder/tmp.bmp") != std::string::npos);
    QVERIFY(!capture.m_bPrintReady);

    // The next snapshot that can be stored is ready to print as usual.
    capture.m_szBitmapFile = "tmp.bmp";
    capture.OnCaptureData(&widget, true, true);
    QCOMPARE(recorder.Last(), std::string(text::kReadyToPrint));
    QVERIFY(capture.m_bPrintReady);
}

QTEST_MAIN(PrintCaptureTest)
#include "PrintCaptureTest.moc"
