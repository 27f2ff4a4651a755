#pragma once
// The program's one capture session, one main frame (with its one view), the instrument link and
// the commands. Built once at start-up; lives until exit.

#include "app/CommandLine.h"
#include "app/MessageBoxHandler.h"
#include "app/RecentFileList.h"
#include "print/PrintCapture.h"
#include "session/CaptureSession.h"

#include <QObject>

#include <memory>

namespace veldran {

class CCapturePrefetch;
class CChannelNameDlg;
class CInstrumentLink;
class CMainFrame;
class DocumentCommands;
class ExportCommand;
class ExportViewCommand;
class MarkerCommands;
class PrintCommands;
class CommandRouter;
class CVELDRANView;

class AppShell : public QObject {
    Q_OBJECT
public:
    AppShell();
    ~AppShell() override;

    // Processes the shell command of the command line: a new, empty capture or the named file.
    // False when that fails (the program then ends).
    // prefetch: where the command line's capture may have been opened ahead (may be null).
    [[nodiscard]] bool ProcessShellCommand(const CommandLineInfo& info, CCapturePrefetch* prefetch = nullptr);

    [[nodiscard]] CCaptureSession& Session() { return m_session; }
    [[nodiscard]] CVELDRANDoc& Document() { return m_session.Document(); }
    [[nodiscard]] CInstrumentLink& Link() { return *m_link; }
    // The channel-name dialog, made the first time it is asked for (not at start-up).
    [[nodiscard]] CChannelNameDlg& ChannelNames();
    // Capture Data's picture, which Print prints.
    [[nodiscard]] CPrintCapture& Snapshot() { return m_print; }
    [[nodiscard]] CMainFrame& Frame() { return *m_pMainFrame; }
    [[nodiscard]] CVELDRANView& View();
    [[nodiscard]] CommandRouter& Router() { return *m_router; }
    [[nodiscard]] RecentFileList& RecentFiles() { return m_recentFiles; }
    [[nodiscard]] MessageBoxHandler& Messages() { return m_messages; }
    [[nodiscard]] DocumentCommands& Files() { return *m_files; }
    [[nodiscard]] PrintCommands& Printing() { return *m_printing; }
    [[nodiscard]] ExportCommand& Export() { return *m_export; }
    [[nodiscard]] ExportViewCommand& ExportView() { return *m_exportView; }
    [[nodiscard]] MarkerCommands& Markers() { return *m_markers; }
    // The command line's print and print-to switches: print the opened capture without a dialog.
    bool PrintFromCommandLine(const CommandLineInfo& info);

private:
    // Every command of the program, each declared once.
    void RegisterCommands();
    void RegisterMarkerCommands();
    // After a file command: a received capture that was saved or dropped lets go of its journal.
    void LetGoOfSavedListing();
    void OnFrameClose(bool* allow);

    MessageBoxHandler m_messages;
    CCaptureSession m_session;
    RecentFileList m_recentFiles;
    CPrintCapture m_print;
    std::unique_ptr<CommandRouter> m_router;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    // After the frame: it follows the session after the view does, and goes first.
    std::unique_ptr<CInstrumentLink> m_link;
    std::unique_ptr<CChannelNameDlg> m_channelNames;
    std::unique_ptr<DocumentCommands> m_files;
    std::unique_ptr<PrintCommands> m_printing;
    std::unique_ptr<ExportCommand> m_export;
    std::unique_ptr<ExportViewCommand> m_exportView;
    std::unique_ptr<MarkerCommands> m_markers;
};

} // namespace veldran
