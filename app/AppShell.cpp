#include "app/AppShell.h"

#include "app/AboutDialog.h"
#include "app/CommandRouter.h"
#include "app/DocumentCommands.h"
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
    // New File offers to save a modified capture before the view clears it; every other command
    // goes to the view first, then to the application.
    m_router->AddTarget({[](int id) { return id == ids::kFileNew; }, [this](int) { m_files->OnFileNew(); }});
    CVELDRANView* view = &View();
    m_router->AddTarget({[view](int id) { return view->HandlesCommand(id); }, [view](int id) { view->OnCommand(id); }});
    m_printing = std::make_unique<PrintCommands>(view->m_print, [this] { return m_document.GetTitle(); });
    m_router->AddTarget({[](int id) { return PrintCommands::HandlesCommand(id); },
                         [this](int id) { m_printing->OnCommand(id, m_pMainFrame.get()); }});
    m_router->AddTarget({[this](int id) { return HandlesCommand(id); }, [this](int id) { OnCommand(id); }});
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

bool AppShell::ProcessShellCommand(const CommandLineInfo& info)
{
    using Command = CommandLineInfo::ShellCommand;
    if (info.m_nShellCommand == Command::FileOpen || info.m_nShellCommand == Command::FilePrint ||
        info.m_nShellCommand == Command::FilePrintTo) {
        if (info.m_strFileName.isEmpty() || !m_files->OpenDocumentFile(info.m_strFileName))
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

bool AppShell::HandlesCommand(int id) const
{
    switch (id) {
    case ids::kToggleOptionBar:
    case ids::kAppExit:
    case ids::kFileOpen:
    case ids::kFileSave:
    case ids::kFileSaveAs:
    case ids::kAppAbout:
        return true;
    default:
        return false;
    }
}

void AppShell::OnCommand(int id)
{
    switch (id) {
    case ids::kToggleOptionBar: m_pMainFrame->OnToggleOptionBar(); break;
    case ids::kAppExit: m_pMainFrame->close(); break;
    case ids::kFileOpen: m_files->OnFileOpen(); break;
    case ids::kFileSave: m_files->OnFileSave(); break;
    case ids::kFileSaveAs: m_files->OnFileSaveAs(); break;
    case ids::kAppAbout: ShowAboutBox(m_pMainFrame.get()); break;
    default: break;
    }
}

} // namespace veldran
