#include "print/PrintCommands.h"

#include "print/PrintCapture.h"
#include "resources/Ids.h"
#include "resources/Strings.h"
#include "i18n/MessageText.h"

#include <QGuiApplication>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>

namespace veldran {


PrintCommands::PrintCommands(CPrintCapture& capture, std::function<std::string()> documentTitle)
    : m_capture(capture)
    , m_documentTitle(std::move(documentTitle))
{
}

QPrinter& PrintCommands::Printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

PrintCommands::~PrintCommands() = default;

bool PrintCommands::Print(QWidget* parent, bool withDialog)
{
    if (!withDialog) {
        m_capture.OnPreparePrinting(Printer(), nullptr);
        return RunJob(Printer());
    }
    QPrintDialog dialog(&Printer(), parent);
    m_capture.OnPreparePrinting(Printer(), &dialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return RunJob(Printer());
}

bool PrintCommands::PrintTo(const QString& printerName)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(printerName);
    m_capture.OnPreparePrinting(printer, nullptr);
    return RunJob(printer);
}

void PrintCommands::PrintPreview(QWidget* parent)
{
    m_capture.OnPreparePrinting(Printer(), nullptr);
    QPrintPreviewDialog dialog(&Printer(), parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [this](QPrinter* printer) { RenderPage(*printer); });
    // Large enough to read the page: two thirds of the screen at least, within its free area.
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QSize wanted((screen->size().width() * 2 + 2) / 3, (screen->size().height() * 2 + 2) / 3);
        const QSize room = screen->availableGeometry().size();
        dialog.resize(dialog.sizeHint().expandedTo(wanted).boundedTo(room));
    }
    dialog.exec();
}

void PrintCommands::PrinterSetup(QWidget* parent)
{
    QPageSetupDialog dialog(&Printer(), parent);
    dialog.exec();
}

bool PrintCommands::RunJob(QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer)) {
        // The printer refused to start the job (no printer installed, no output file, ...).
        ShowAppMessage(text::kCannotStartPrint);
        return false;
    }
    m_capture.OnPrint(painter, printer, m_documentTitle ? m_documentTitle() : std::string());
    return painter.end();
}

void PrintCommands::RenderPage(QPrinter& printer)
{
    QPainter painter(&printer);
    m_capture.OnPrint(painter, printer, m_documentTitle ? m_documentTitle() : std::string());
}

} // namespace veldran
