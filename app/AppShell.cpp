#include "app/AppShell.h"

#include "app/AboutDialog.h"
#include "app/CommandRouter.h"
#include "app/DocumentCommands.h"
#include "app/ExportCommand.h"
#include "app/MainFrame.h"
#include "print/PrintCommands.h"
#include "resources/Ids.h"
#include "view/VeldranView.h"

namespace veldran {

AppShell::AppShell()
    : m_router(std::make_unique<CommandRouter>())
{
    m_recentFiles.ReadList();
    m_pMainFrame = std::make_unique<CMainFrame>(m_document, *m_router, m_recentFiles);
    m_messages.SetOwner(m_pMainFrame.get());
    m_files = std::make_unique<DocumentCommands>(m_document, *m_pMainFrame, m_recentFiles);
    m_printing = std::make_unique<PrintCommands>(View().m_print, [this] { return m_document.GetTitle(); });
    m_export = std::make_unique<ExportCommand>(m_document, *m_pMainFrame);
    RegisterCommands();
    m_router->UpdateEnabledState();
    connect(m_pMainFrame.get(), &CMainFrame::closeRequested, this, &AppShell::OnFrameClose);
    connect(m_pMainFrame.get(), &CMainFrame::fileDropped, this, [this](const QString& path) {
        if (m_files->SaveModified())
            m_files->OpenDocumentFile(path);
    });
    connect(m_pMainFrame.get(), &CMainFrame::recentFileChosen, m_files.get(), &DocumentCommands::OnRecentFile);
}

void AppShell::OnFrameClose(bool* allow)
{
    if (!m_files->SaveModified())
        *allow = false;
    if (!*allow)
        return;
    // The view goes with the main window: it stops the link and keeps the settings.
    View().OnDestroy();
}

AppShell::~AppShell() = default;

CVELDRANView& AppShell::View()
{
    return *m_pMainFrame->GetActiveView();
}

bool AppShell::ProcessShellCommand(const CommandLineInfo& info, CCapturePrefetch* prefetch)
{
    using Command = CommandLineInfo::ShellCommand;
    if (info.m_nShellCommand == Command::FileOpen || info.m_nShellCommand == Command::FilePrint ||
        info.m_nShellCommand == Command::FilePrintTo) {
        if (info.m_strFileName.isEmpty() || !m_files->OpenDocumentFile(info.m_strFileName, prefetch))
            return false;
        return true;
    }
    View().OnInitialUpdate();
    return true;
}

bool AppShell::PrintFromCommandLine(const CommandLineInfo& info)
{
    if (info.m_nShellCommand == CommandLineInfo::ShellCommand::FilePrintTo && !info.m_strPrinterName.isEmpty())
        return m_printing->PrintTo(info.m_strPrinterName);
    return m_printing->Print(m_pMainFrame.get(), false);
}

void AppShell::RegisterCommands()
{
    CommandRouter& commands = *m_router;
    CMainFrame* frame = m_pMainFrame.get();
    CVELDRANView* view = &View();
    // File. New File offers to save a modified capture before the view clears it.
    commands.Register(ids::kFileNew, [this] { m_files->OnFileNew(); });
    commands.Register(ids::kFileOpen, [this] { m_files->OnFileOpen(); });
    commands.Register(ids::kFileSave, [this] { m_files->OnFileSave(); });
    commands.Register(ids::kFileSaveAs, [this] { m_files->OnFileSaveAs(); });
    commands.Register(ids::kFileExport, [this] { m_export->OnFileExport(); }, [this] { return m_export->CanExport(); });
    commands.Register(ids::kFilePrint, [this, frame] { m_printing->Print(frame, true); });
    commands.Register(ids::kFilePrintDirect, [this, frame] { m_printing->Print(frame, false); });
    commands.Register(ids::kFilePrintPreview, [this, frame] { m_printing->PrintPreview(frame); });
    commands.Register(ids::kFilePrintSetup, [this, frame] { m_printing->PrinterSetup(frame); });
    commands.Register(ids::kAppExit, [frame] { frame->close(); });
    // The instrument and the diagram.
    commands.Register(ids::kExpand, [view] { view->OnExpand(); });
    commands.Register(ids::kContract, [view] { view->OnContract(); });
    commands.Register(ids::kSelectCell, [view] { view->OnSelectCell(); });
    commands.Register(ids::kLoad, [view] { view->OnLoad(); });
    commands.Register(ids::kCaptureData, [view] { view->OnCaptureData(); });
    commands.Register(ids::kOptions, [view] { view->OnOptions(); });
    commands.Register(ids::kChangeChannelName, [view] { view->OnChangeChName(); });
    // Window and help.
    commands.Register(ids::kToggleOptionBar, [frame] { frame->OnToggleOptionBar(); });
    commands.Register(ids::kAppAbout, [frame] { ShowAboutBox(frame); });
}

} // namespace veldran
