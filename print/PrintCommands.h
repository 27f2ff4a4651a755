#pragma once
// Print, direct print, print preview and printer setup on one printer kept for the whole session,
// so that what the setup dialog or a print dialog chose carries over to the next command. Every job
// has exactly one page, drawn by the view's page hook.

#include <QString>

#include <functional>
#include <memory>
#include <string>

class QPrinter;
class QWidget;

namespace veldran {

class CPrintCapture;

class PrintCommands {
public:
    // documentTitle is asked for at each job, so the header carries the title of that moment.
    PrintCommands(CPrintCapture& capture, std::function<std::string()> documentTitle);
    ~PrintCommands();
    PrintCommands(const PrintCommands&) = delete;
    PrintCommands& operator=(const PrintCommands&) = delete;

    // Print with the print dialog, or straight to the session's printer without it. False when the
    // user cancelled or the job could not start.
    bool Print(QWidget* parent, bool withDialog);
    // Print to the named printer without a dialog; the session's printer is left as it was.
    bool PrintTo(const QString& printerName);
    void PrintPreview(QWidget* parent);
    void PrinterSetup(QWidget* parent);

    // The session's printer (a test may point it at a PDF file). Made the first time a command
    // needs it: finding the system's printers loads the print system, which start-up need not wait for.
    [[nodiscard]] QPrinter& Printer();

private:
    bool RunJob(QPrinter& printer);
    void RenderPage(QPrinter& printer);

    CPrintCapture& m_capture;
    std::function<std::string()> m_documentTitle;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace veldran
