#pragma once
// File > Export: writes the capture on screen to a VCD, CSV or sigrok session file for other tools.
// It exports the document's samples under the view's working channel names and clock period, and
// leaves the document itself alone: its file, title and modified flag stay as they were.

#include "export/ExportCapture.h"

#include <QString>

#include <functional>

class QWidget;

namespace veldran {

class CCaptureSession;
class CVELDRANDoc;

class ExportCommand {
public:
    // What the command asks the user; tests replace it. Given a proposed path, returns the chosen
    // path and format, or an empty path when the user cancelled.
    struct Choice {
        QString path;
        ExportFormat format = ExportFormat::Vcd;
    };
    using PathPrompt = std::function<Choice(const QString& proposed)>;

    // dialogParent: the window the save dialog belongs to.
    ExportCommand(const CCaptureSession& session, QWidget* dialogParent);

    void SetPrompt(PathPrompt prompt) { m_prompt = std::move(prompt); }

    // True while a capture is shown.
    [[nodiscard]] bool CanExport() const;
    void OnFileExport();
    // The capture as exported: the document's store, the session's names and clock period.
    [[nodiscard]] ExportableCapture CurrentCapture() const;

private:
    static PathPrompt DefaultPrompt(QWidget* parent);

    const CCaptureSession& m_session;
    const CVELDRANDoc& m_document;
    PathPrompt m_prompt;
};

} // namespace veldran
