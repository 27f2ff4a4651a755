#pragma once
// File > Export View: a picture (SVG, PNG or PDF, by the file's suffix) of what the window shows:
// the cell and the window of samples, the names, the X and Y cursors, the clock period, the
// markers and the buses' values at X. What it asks the user (the file, then the size) is
// replaceable, so that tests answer it.

#include "picture/ViewPicture.h"

#include <QSize>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace veldran {

class CCaptureSession;
class CVELDRANView;

class ExportViewCommand {
public:
    // Given a proposed path, the chosen one, or an empty path when the user cancelled.
    using PathPrompt = std::function<QString(const QString& proposed)>;
    // Given the proposed size, the chosen one, or nothing when the user cancelled.
    using SizePrompt = std::function<std::optional<QSize>(QSize proposed)>;

    static constexpr QSize kDefaultSize{1600, 900};

    ExportViewCommand(const CCaptureSession& session, const CVELDRANView& view, QWidget* dialogParent);

    void SetPrompts(PathPrompt path, SizePrompt size);

    [[nodiscard]] bool CanExport() const;
    void OnExportView();
    // The picture of what the window shows now.
    [[nodiscard]] ViewPictureModel CurrentPicture() const;

private:
    const CCaptureSession& m_session;
    const CVELDRANView& m_view;
    PathPrompt m_pathPrompt;
    SizePrompt m_sizePrompt;
    // The size asked last is proposed next time.
    QSize m_size = kDefaultSize;
};

} // namespace veldran
