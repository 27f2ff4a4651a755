#pragma once
// The File commands around the one capture: New, Open, Save, Save As, the recent-file list, files
// dropped on the window or named on the command line, and the offer to save a modified capture.

#include <QObject>
#include <QString>

#include "resources/Message.h"

#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace veldran {

class CCapturePrefetch;
class CMainFrame;
class CCaptureSession;
class CVELDRANDoc;
class RecentFileList;

class DocumentCommands : public QObject {
    Q_OBJECT
public:
    // What the commands ask the user; tests replace these.
    struct Prompts {
        std::function<QString()> openPath;                 // empty: cancelled
        std::function<QString(const QString&)> savePath;   // proposed name → chosen path, empty: cancelled
        enum class Answer { Yes, No, Cancel };
        std::function<Answer(const QString& title)> saveChanges;
    };

    DocumentCommands(CCaptureSession& session, CMainFrame& frame, RecentFileList& recentFiles);

    void SetPrompts(Prompts prompts) { m_prompts = std::move(prompts); }

    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnRecentFile(int index);
    // Opens a capture file and shows it; false when the file could not be read. A file read but
    // refused as no capture (its message shown) changes nothing: true, with the capture as it was.
    // prefetch: where this file may have been opened ahead (may be null).
    bool OpenDocumentFile(const QString& path, CCapturePrefetch* prefetch = nullptr);
    // Offers to save a modified capture; false when the user cancelled (or the save failed).
    bool SaveModified();

private:
    bool DoSave(const QString& path);
    // Writes the capture's buses and markers beside the file just saved; why not, when it failed.
    std::optional<Message> SaveSidecar();
    void RememberFile(const QString& path);
    static Prompts DefaultPrompts(QWidget* parent);

    CCaptureSession& m_session;
    CVELDRANDoc& m_document;
    CMainFrame& m_frame;
    RecentFileList& m_recentFiles;
    Prompts m_prompts;
    // The sidecar that could not be read when its capture was opened (empty: none): it is not
    // replaced by an empty one.
    std::string m_unreadSidecar;
};

} // namespace veldran
