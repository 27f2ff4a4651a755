#include "print/PrintCapture.h"

#include "print/BitmapFilePicture.h"
#include "print/PackedDib.h"
#include "print/PageHairlines.h"
#include "print/PageLayout.h"
#include "print/bitmap/DibConvert.h"
#include "print/bitmap/DibFile.h"
#include "resources/Strings.h"
#include "i18n/MessageText.h"

#include <QAbstractPrintDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QWidget>

namespace veldran {

namespace {

int PrimaryScreenDepth()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 32;
}

QString PrinterLabel(const QPrinter& printer)
{
    if (!printer.printerName().isEmpty())
        return printer.printerName();
    return printer.outputFileName();
}

// Text aligned as TA_CENTER | TA_BASELINE: centred on x, standing on the baseline y.
void DrawCentredOnBaseline(QPainter& painter, int x, int y, const QString& text)
{
    const QFontMetrics metrics(painter.font(), painter.device());
    painter.drawText(QPoint(x - metrics.horizontalAdvance(text) / 2, y), text);
}

// Text with its top-left corner at (x, y).
void DrawFromTopLeft(QPainter& painter, int x, int y, const QString& text)
{
    const QFontMetrics metrics(painter.font(), painter.device());
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
}

} // namespace

CPrintCapture::CPrintCapture(int screenDepth)
    : m_nScreenDepth(screenDepth)
{
}

void CPrintCapture::OnCaptureData(QWidget* client, bool liveData, bool dataReady)
{
    if (!liveData && !dataReady) {
        ShowWindowMessage(text::kNothingToCapture);
        return;
    }
    if (!client)
        return;

    m_rcCapture = QRect(client->mapToGlobal(QPoint(0, 0)), client->size());
    QImage shown = client->grab().toImage();
    shown.setDevicePixelRatio(1.0); // pixel for pixel, as the screen holds them

    if (m_bFirstCapture) {
        m_bmpCapture = QImage(shown.size(), QImage::Format_RGB32);
        m_bmpCapture.fill(Qt::black);
        m_nCaptureBits = CaptureBitCount(m_nScreenDepth != 0 ? m_nScreenDepth : PrimaryScreenDepth());
        m_bFirstCapture = false;
    }
    {
        QPainter painter(&m_bmpCapture);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QPoint(0, 0), shown);
    }

    if (!StoreCapture()) {
        // Said instead of claiming the snapshot is ready to print.
        ShowWindowMessage(Message(text::kCannotStoreCapture, {m_szBitmapFile}));
        return;
    }
    m_bPrintReady = true;
    ShowWindowMessage(text::kReadyToPrint);
}

bool CPrintCapture::StoreCapture()
{
    const PackedDib block = BitmapToPackedDib(m_bmpCapture, m_nCaptureBits, kDibCompressionRgb, nullptr);
    return WritePackedDibFile(m_szBitmapFile, block);
}

void CPrintCapture::OnPreparePrinting(QPrinter& printer, QAbstractPrintDialog* dialog) const
{
    printer.setFromTo(1, 1);
    if (dialog)
        dialog->setMinMax(1, 1);
}

bool CPrintCapture::CanPrintBitmap(const QPainter& painter)
{
    const QPaintEngine* engine = painter.paintEngine();
    return engine && engine->hasFeature(QPaintEngine::PixmapTransform);
}

void CPrintCapture::OnPrint(QPainter& painter, const QPrinter& printer, const std::string& documentTitle)
{
    if (!m_bPrintReady) {
        ShowWindowMessage(text::kNothingToPrint);
        return;
    }
    if (!painter.isActive() || !CanPrintBitmap(painter)) {
        ShowWindowMessage(Message(text::kPrinterCannotPrint, {PrinterLabel(printer).toStdString()}));
        return;
    }
    const PageLayout page = LayOutPage(painter.device()->width(), painter.device()->height());

    // The page takes 24-bit pictures; a snapshot of another depth is converted once and written
    // back, so later pages and preview repaints find it ready.
    DibImagePtr image = DibReadFile(m_szBitmapFile);
    if (DibBitCount(image.get()) != 24) {
        DrawCentredOnBaseline(painter, page.nCentreX, page.nCentreY, QString::fromUtf8(filetext::kProcessing));
        const DibImagePtr converted = DibConvertDepth(image.get(), 24);
        if (converted)
            (void)DibWriteFile(converted.get(), m_szBitmapFile);
    }
    image.reset();

    const std::optional<std::vector<uint8_t>> file = ReadBitmapFileImage(m_szBitmapFile);
    const QImage picture = file ? DecodeBitmapFileImage(*file) : QImage();
    if (picture.isNull()) {
        ShowAppMessage(text::kCannotOpenBitmap);
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QRect target(page.nX0, page.nY0, page.nWidth, page.nHeight);
    painter.drawImage(target, picture);
    painter.restore();
    // The preview shows the page smaller than the picture's pixels: its one-pixel strokes are
    // drawn again as hairlines, which show at every zoom.
    DrawHairlines(painter, picture, target);

    DrawFromTopLeft(painter, page.nX0, page.nHeaderY,
                    QString::fromUtf8(filetext::kPrintHeader) + QString::fromStdString(documentTitle));
}

} // namespace veldran
