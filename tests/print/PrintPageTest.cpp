// The printed page, read back from a PDF file: the header line with the document title, the
// snapshot stretched into the margins, the one-time conversion to 24 bits, and the pages printed
// when there is nothing or no file to print.

#include "print/PrintCommands.h"

#include "PrintTestTools.h"
#include "print/PageLayout.h"
#include "print/PrintCapture.h"
#include "print/bitmap/DibFile.h"
#include "resources/Strings.h"
#include "tests/common/MessageRecorder.h"

#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <utime.h>

using namespace veldran;
using veldran::test::MessageRecorder;
using veldran::test::PdfImages;
using veldran::test::PdfPageCount;
using veldran::test::PdfText;
using veldran::test::QuadrantWidget;
using veldran::test::Solid;
using veldran::test::Squeezed;

namespace {

const std::array<QColor, 4> kQuadrants{QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue), QColor(Qt::yellow)};

// Puts the file's modification time far in the past, so that any rewrite shows.
void Age(const char* name)
{
    const utimbuf times{1000000000, 1000000000};
    QCOMPARE(::utime(name, &times), 0);
}

bool Aged(const char* name) { return QFileInfo(name).lastModified().toSecsSinceEpoch() == 1000000000; }

// A snapshot of a trace's kind: eight one-pixel red levels and eight one-pixel black edges on
// white, seven pixels apart.
class HairlineWidget : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        for (int i = 0; i < 8; ++i) {
            painter.fillRect(20, 40 + 7 * i, 360, 1, Qt::red);
            painter.fillRect(100 + 7 * i, 120, 1, 150, Qt::black);
        }
    }
};

// How many rows (or columns) of the area hold at least least pixels of the colour.
int LinesHolding(const QImage& image, const QRect& area, bool rows, QRgb colour, double least)
{
    int lines = 0;
    for (int i = 0; i < (rows ? area.height() : area.width()); ++i) {
        int pixels = 0;
        for (int j = 0; j < (rows ? area.width() : area.height()); ++j)
            pixels += image.pixel(area.x() + (rows ? j : i), area.y() + (rows ? i : j)) == colour;
        lines += pixels >= least;
    }
    return lines;
}

bool Near(QColor a, QColor b)
{
    return qAbs(a.red() - b.red()) < 40 && qAbs(a.green() - b.green()) < 40 && qAbs(a.blue() - b.blue()) < 40;
}

} // namespace

class PrintPageTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void printBeforeCapture();
    void printAfterCapture_data();
    void printAfterCapture();
    void convertedOnce_data();
    void convertedOnce();
    void bitmapFileMissing();
    void preview();
    void previewKeepsHairlines_data();
    void previewKeepsHairlines();
    void previewWidgetShowsEveryLevel();
    void printDialogCancelled();
    void jobCannotStart();

private:
    void Capture(int depth, const QSize& size = QSize(160, 120));
    void CaptureHairlines();
    [[nodiscard]] QString Pdf() const { return m_dir.filePath("page.pdf"); }
    bool PrintPage();

    QTemporaryDir m_dir;
    std::string m_strTitle = filetext::kUntitled;
    std::unique_ptr<CPrintCapture> m_capture;
    std::unique_ptr<PrintCommands> m_commands;
};

void PrintPageTest::init()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir::setCurrent(m_dir.path()));
    QFile::remove("tmp.bmp");
    QFile::remove(Pdf());
    m_strTitle = filetext::kUntitled;
    m_capture = std::make_unique<CPrintCapture>(24);
    m_commands = std::make_unique<PrintCommands>(*m_capture, [this] { return m_strTitle; });
    m_commands->Printer().setOutputFormat(QPrinter::PdfFormat);
    m_commands->Printer().setOutputFileName(Pdf());
}

void PrintPageTest::cleanup()
{
    m_commands.reset();
    m_capture.reset();
}

void PrintPageTest::Capture(int depth, const QSize& size)
{
    MessageRecorder recorder;
    m_capture = std::make_unique<CPrintCapture>(depth);
    m_commands = std::make_unique<PrintCommands>(*m_capture, [this] { return m_strTitle; });
    m_commands->Printer().setOutputFormat(QPrinter::PdfFormat);
    m_commands->Printer().setOutputFileName(Pdf());
    QuadrantWidget widget(kQuadrants);
    widget.resize(size);
    m_capture->OnCaptureData(&widget, false, true);
    QVERIFY(m_capture->m_bPrintReady);
}

void PrintPageTest::CaptureHairlines()
{
    HairlineWidget widget;
    widget.resize(400, 300);
    MessageRecorder recorder;
    m_capture->OnCaptureData(&widget, false, true);
    QVERIFY(m_capture->m_bPrintReady);
}

bool PrintPageTest::PrintPage()
{
    QFile::remove(Pdf());
    return m_commands->Print(nullptr, false);
}

void PrintPageTest::printBeforeCapture()
{
    MessageRecorder recorder;
    QVERIFY(PrintPage());
    QCOMPARE(recorder.Last(), std::string(text::kNothingToPrint));
    QCOMPARE(m_commands->Printer().fromPage(), 1);
    QCOMPARE(m_commands->Printer().toPage(), 1);
    // The job still gives its one, blank page.
    QCOMPARE(PdfPageCount(Pdf()), 1);
    QCOMPARE(PdfText(Pdf()), QString());
    QVERIFY(PdfImages(Pdf()).isEmpty());
}

void PrintPageTest::printAfterCapture_data()
{
    QTest::addColumn<QString>("title");
    QTest::newRow("new capture") << QString::fromUtf8(filetext::kUntitled);
    QTest::newRow("opened file") << QStringLiteral("bus-trace");
}

void PrintPageTest::printAfterCapture()
{
    QFETCH(QString, title);
    Capture(24);
    m_strTitle = title.toStdString();
    MessageRecorder recorder;
    QVERIFY(PrintPage());
    QVERIFY(recorder.messages.empty());

    QCOMPARE(PdfPageCount(Pdf()), 1);
    const QString text = PdfText(Pdf());
    QVERIFY2(text.contains(Squeezed(QString::fromUtf8(filetext::kPrintHeader) + title)), qPrintable(text));
    const QList<QSize> images = PdfImages(Pdf());
    QCOMPARE(images.size(), 1);
    QCOMPARE(images.first(), QSize(160, 120));

    // The picture fills 90 % of the printable area, upright and unmirrored.
    constexpr int dpi = 50;
    const QImage page = veldran::test::RenderPdfPage(Pdf(), dpi, m_dir.filePath("page"));
    QVERIFY(!page.isNull());
    QPrinter& printer = m_commands->Printer();
    const QRect printable = printer.pageLayout().paintRectPixels(printer.resolution());
    const PageLayout layout = LayOutPage(printable.width(), printable.height());
    const double scale = double(dpi) / printer.resolution();
    const auto at = [&](double fx, double fy) {
        const double x = printable.x() + layout.nX0 + fx * layout.nWidth;
        const double y = printable.y() + layout.nY0 + fy * layout.nHeight;
        return page.pixelColor(int(x * scale), int(y * scale));
    };
    QVERIFY(Near(at(0.25, 0.25), kQuadrants[0]));
    QVERIFY(Near(at(0.75, 0.25), kQuadrants[1]));
    QVERIFY(Near(at(0.25, 0.75), kQuadrants[2]));
    QVERIFY(Near(at(0.75, 0.75), kQuadrants[3]));
    QVERIFY(Near(at(0.5, -0.02), Qt::white));
    QVERIFY(Near(at(1.02, 0.5), Qt::white));
}

void PrintPageTest::convertedOnce_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<bool>("converted");
    QTest::newRow("32-bit screen") << 32 << true;
    QTest::newRow("16-bit screen") << 16 << true;
    QTest::newRow("8-bit screen") << 8 << true;
    QTest::newRow("24-bit screen") << 24 << false;
}

void PrintPageTest::convertedOnce()
{
    QFETCH(int, depth);
    QFETCH(bool, converted);
    Capture(depth, QSize(64, 48));
    Age("tmp.bmp");
    const QString processing = Squeezed(QString::fromUtf8(filetext::kProcessing));
    const QString header = Squeezed(QString::fromUtf8(filetext::kPrintHeader) + QString::fromUtf8(filetext::kUntitled));

    QVERIFY(PrintPage());
    QString text = PdfText(Pdf());
    QCOMPARE(text.contains(processing), converted);
    QVERIFY(text.contains(header));
    QCOMPARE(Aged("tmp.bmp"), !converted);
    QCOMPARE(DibBitCount(DibReadFile("tmp.bmp").get()), 24);

    // The next page finds 24 bits: no processing text, no rewrite.
    Age("tmp.bmp");
    QVERIFY(PrintPage());
    text = PdfText(Pdf());
    QVERIFY(!text.contains(processing));
    QVERIFY(text.contains(header));
    QVERIFY(Aged("tmp.bmp"));
    QCOMPARE(PdfImages(Pdf()).size(), 1);
}

void PrintPageTest::bitmapFileMissing()
{
    Capture(24);
    QVERIFY(QFile::remove("tmp.bmp"));
    MessageRecorder recorder;
    QVERIFY(PrintPage());
    QCOMPARE(recorder.messages.size(), size_t(1));
    QCOMPARE(recorder.Last(), std::string(text::kCannotOpenBitmap));
    QCOMPARE(recorder.messages.back().icon, MessageIcon::Exclamation);
    // The page keeps only the processing text.
    const QString text = PdfText(Pdf());
    QVERIFY(text.contains(Squeezed(QString::fromUtf8(filetext::kProcessing))));
    QVERIFY(!text.contains(Squeezed(QString::fromUtf8(filetext::kPrintHeader))));
    QVERIFY(PdfImages(Pdf()).isEmpty());
}

void PrintPageTest::preview()
{
    MessageRecorder recorder;
    veldran::test::CloseDialogWhenShown<QPrintPreviewDialog>();
    m_commands->PrintPreview(nullptr);
    QVERIFY(recorder.Saw(text::kNothingToPrint));

    // The preview runs the same page hook, conversion included.
    Capture(32, QSize(64, 48));
    veldran::test::CloseDialogWhenShown<QPrintPreviewDialog>();
    m_commands->PrintPreview(nullptr);
    QCOMPARE(DibBitCount(DibReadFile("tmp.bmp").get()), 24);
    QVERIFY(!QFile::exists(Pdf()));
}

void PrintPageTest::previewKeepsHairlines_data()
{
    QTest::addColumn<double>("zoom");
    QTest::newRow("a quarter") << 0.25;
    QTest::newRow("a third") << 1.0 / 3.0;
    QTest::newRow("half") << 0.5;
    QTest::newRow("three quarters") << 0.75;
}

// The preview draws the page smaller than the snapshot's pixels. Drawn at such a scale, the page
// still shows every one-pixel level and edge: eight rows holding red along most of a level's
// length, eight columns holding black along most of an edge's.
void PrintPageTest::previewKeepsHairlines()
{
    QFETCH(double, zoom);
    CaptureHairlines();
    QImage page(QSize(int(400 * zoom / 0.9), int(300 * zoom / 0.9)), QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        m_capture->OnPrint(painter, m_commands->Printer(), m_strTitle);
    }
    const PageLayout layout = LayOutPage(page.width(), page.height());
    const QRect picture(layout.nX0, layout.nY0, layout.nWidth, layout.nHeight);
    QCOMPARE(LinesHolding(page, picture, true, qRgb(255, 0, 0), 360 * zoom * 0.8), 8);
    QCOMPARE(LinesHolding(page, picture, false, qRgb(0, 0, 0), 150 * zoom * 0.8), 8);
}

// The preview itself, zoomed out: each of the eight red levels shows on a row of its own.
void PrintPageTest::previewWidgetShowsEveryLevel()
{
    CaptureHairlines();
    QPrintPreviewWidget preview(&m_commands->Printer());
    connect(&preview, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        QPainter painter(printer);
        m_capture->OnPrint(painter, *printer, m_strTitle);
    });
    preview.resize(800, 800);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    for (const double zoom : {0.15, 0.25}) {
        preview.setZoomFactor(zoom);
        preview.updatePreview();
        QCoreApplication::processEvents();
        const QImage shown = preview.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(LinesHolding(shown, shown.rect(), true, qRgb(255, 0, 0), 20), 8);
    }
}

void PrintPageTest::printDialogCancelled()
{
    Capture(24);
    veldran::test::CloseDialogWhenShown<QPrintDialog>();
    QVERIFY(!m_commands->Print(nullptr, true));
    QVERIFY(!QFile::exists(Pdf()));
}

void PrintPageTest::jobCannotStart()
{
    Capture(24);
    m_commands->Printer().setOutputFileName(QString());
    MessageRecorder recorder;
    QVERIFY(!PrintPage());
    QCOMPARE(recorder.messages.size(), size_t(1));
    QVERIFY(recorder.Last() != text::kNothingToPrint);
    QCOMPARE(recorder.messages.back().icon, MessageIcon::Exclamation);
}

QTEST_MAIN(PrintPageTest)
#include "PrintPageTest.moc"
