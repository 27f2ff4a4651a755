#include "app/AppShell.h"

#include "app/CommandRouter.h"
#include "app/MainFrame.h"
#include "resources/Ids.h"
#include "view/VeldranView.h"

namespace veldran {

AppShell::AppShell()
    : m_router(std::make_unique<CommandRouter>())
{
    m_recentFiles.ReadList();
    m_pMainFrame = std::make_unique<CMainFrame>(m_document, *m_router, m_recentFiles);
    m_messages.SetOwner(m_pMainFrame.get());
    // Commands go to the view first, then to the application.
    CVELDRANView* view = &View();
    m_router->AddTarget({[view](int id) { return view->HandlesCommand(id); }, [view](int id) { view->OnCommand(id); }});
    m_router->AddTarget({[this](int id) { return HandlesCommand(id); }, [this](int id) { OnCommand(id); }});
    m_router->UpdateEnabledState();
    connect(m_pMainFrame.get(), &CMainFrame::closeRequested, this, &AppShell::OnFrameClose);
}

void AppShell::OnFrameClose(bool* allow)
{
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

bool AppShell::ProcessShellCommand(const CommandLineInfo& /*info*/)
{
    View().OnInitialUpdate();
    return true;
}

bool AppShell::HandlesCommand(int id) const
{
    switch (id) {
    case ids::kToggleOptionBar:
    case ids::kAppExit:
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
    default: break;
    }
}

} // namespace veldran
