#include "app/AppShell.h"

#include "app/AboutDialog.h"
#include "app/CommandRouter.h"
#include "app/DocumentCommands.h"
#include "app/ExportCommand.h"
#include "app/ExportViewCommand.h"
#include "app/MarkerCommands.h"
#include "app/MainFrame.h"
#include "i18n/MessageText.h"
#include "i18n/Translation.h"
#include "link/InstrumentLink.h"
#include "link/ListingRecovery.h"
#include "print/PrintCommands.h"
#include "resources/Ids.h"
#include "resources/Strings.h"
#include "view/BusDialog.h"
#include "view/BusValuesPanel.h"
#include "view/ChannelNameDialog.h"
#include "view/MarkerPanel.h"
#include "view/SearchBar.h"
#include "view/StateListingPanel.h"
#include "view/VeldranView.h"

#include <QMessageBox>
#include <QTableView>

namespace veldran {

AppShell::AppShell()
    : m_router(std::make_unique<CommandRouter>())
{
    m_recentFiles.ReadList();
    m_pMainFrame = std::make_unique<CMainFrame>(m_session, *m_router, m_recentFiles);
    m_link = std::make_unique<CInstrumentLink>(m_session, m_pMainFrame.get());
    m_messages.SetOwner(m_pMainFrame.get());
    m_files = std::make_unique<DocumentCommands>(m_session, *m_pMainFrame, m_recentFiles);
    m_printing = std::make_unique<PrintCommands>(m_print, [this] { return Document().GetTitle(); });
    m_export = std::make_unique<ExportCommand>(m_session, m_pMainFrame.get());
    m_exportView = std::make_unique<ExportViewCommand>(m_session, View(), m_pMainFrame.get());
    m_markers = std::make_unique<MarkerCommands>(m_session, m_pMainFrame.get());
    RegisterCommands();
    m_router->UpdateEnabledState();
    connect(m_pMainFrame.get(), &CMainFrame::closeRequested, this, &AppShell::OnFrameClose);
    connect(m_pMainFrame.get(), &CMainFrame::fileDropped, this, [this](const QString& path) {
        if (m_files->SaveModified())
            m_files->OpenDocumentFile(path);
        LetGoOfSavedListing();
    });
    connect(m_pMainFrame.get(), &CMainFrame::recentFileChosen, this, [this](int index) {
        m_files->OnRecentFile(index);
        LetGoOfSavedListing();
    });
}

void AppShell::OnFrameClose(bool* allow)
{
    if (!m_files->SaveModified())
        *allow = false;
    if (!*allow)
        return;
    // The link goes with the main window: it stops the port and keeps the settings.
    m_link->Shutdown();
    // Saved, or the user chose not to: the received capture's journal goes with it.
    m_link->Reception().LetGoOfJournal();
}

// The journal of a received (or recovered) capture stays while the capture is shown unsaved; once
// it was saved, or New File or Open replaced it, the journal goes.
void AppShell::LetGoOfSavedListing()
{
    if (!(m_session.IsLiveData() && Document().IsModified()))
        m_link->Reception().LetGoOfJournal();
}

AppShell::~AppShell() = default;

CChannelNameDlg& AppShell::ChannelNames()
{
    if (!m_channelNames)
        m_channelNames = std::make_unique<CChannelNameDlg>(m_pMainFrame.get());
    return *m_channelNames;
}

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
        // A file refused as no capture opened nothing: the window starts empty.
        if (!m_session.HasCapture())
            m_session.OpenCapture();
        return true;
    }
    m_session.OpenCapture();
    // Started without a file: a listing an interrupted reception left is offered.
    CMainFrame* frame = m_pMainFrame.get();
    OfferInterruptedListing(
        m_session, m_link->Reception().Journal().Path(),
        [frame] {
            return QMessageBox::question(frame, Tr(text::kAppTitle), Tr(text::kRecoverListing),
                                         QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
        },
        [](const Message& message) { ShowMessage(message); });
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
    CCaptureSession* session = &m_session;
    CInstrumentLink* link = m_link.get();
    // File. New File offers to save a modified capture before the view clears it.
    // A file command, after which a received capture it saved or dropped lets go of its journal.
    const auto fileCommand = [this](auto command) {
        return [this, command] {
            command();
            LetGoOfSavedListing();
        };
    };
    commands.Register(ids::kFileNew, fileCommand([this] { m_files->OnFileNew(); }));
    commands.Register(ids::kFileOpen, fileCommand([this] { m_files->OnFileOpen(); }));
    commands.Register(ids::kFileSave, fileCommand([this] { m_files->OnFileSave(); }));
    commands.Register(ids::kFileSaveAs, fileCommand([this] { m_files->OnFileSaveAs(); }));
    commands.Register(ids::kFileExport, [this] { m_export->OnFileExport(); }, [this] { return m_export->CanExport(); });
    commands.Register(ids::kFileExportView, [this] { m_exportView->OnExportView(); },
                      [this] { return m_exportView->CanExport(); });
    commands.Register(ids::kFilePrint, [this, frame] { m_printing->Print(frame, true); });
    commands.Register(ids::kFilePrintDirect, [this, frame] { m_printing->Print(frame, false); });
    commands.Register(ids::kFilePrintPreview, [this, frame] { m_printing->PrintPreview(frame); });
    commands.Register(ids::kFilePrintSetup, [this, frame] { m_printing->PrinterSetup(frame); });
    commands.Register(ids::kAppExit, [frame] { frame->close(); });
    // The instrument and the diagram.
    commands.Register(ids::kExpand, [session] { session->Expand(); });
    commands.Register(ids::kContract, [session] { session->Contract(); });
    commands.Register(ids::kSelectCell, [session] { session->SelectNextCell(); });
    commands.Register(ids::kLoad, [link] { link->OnLoad(); });
    commands.Register(ids::kCaptureData, [this] { View().OnCaptureData(m_print); });
    commands.Register(ids::kOptions, [link] { link->OnOptions(); });
    commands.Register(ids::kChangeChannelName, [this, session] { ChangeChannelNames(*session, ChannelNames()); });
    // The measurements panel and the pattern search.
    const auto hasCapture = [session] { return session->HasCapture(); };
    commands.Register(ids::kToggleMeasurePanel, [frame] { frame->OnToggleMeasurePanel(); });
    commands.Register(ids::kToggleSearchBar, [frame] { frame->OnToggleSearchBar(); });
    commands.Register(ids::kToggleDecodePanel, [frame] { frame->OnToggleDecodePanel(); });
    commands.Register(ids::kFindPattern, [frame] { frame->GetSearchBar()->FocusPattern(); });
    commands.Register(ids::kFindNext, [frame] { frame->GetSearchBar()->Find(PatternSearch::EDirection::Next); }, hasCapture);
    commands.Register(ids::kFindPrevious, [frame] { frame->GetSearchBar()->Find(PatternSearch::EDirection::Previous); },
                      hasCapture);
    // The buses: Ctrl+C copies the listing's rows while the listing has the focus.
    commands.Register(ids::kBusDefinitions, [session, frame] { BusDialog(*session, frame).exec(); });
    commands.Register(ids::kToggleBusValues, [frame] { CMainFrame::OnTogglePanel(frame->GetBusValuesPanel()); });
    commands.Register(ids::kToggleStateListing, [frame] { CMainFrame::OnTogglePanel(frame->GetStateListing()); });
    commands.Register(ids::kEditCopy, [frame] { frame->GetStateListing()->CopySelection(); },
                      [frame] { return frame->GetStateListing()->Table()->hasFocus(); });
    // The steps' keys work as soon as a capture is shown, not only after a menu was opened.
    for (const auto signal : {&CCaptureSession::captureOpened, &CCaptureSession::captureCleared,
                              &CCaptureSession::captureReplaced})
        connect(session, signal, &commands, &CommandRouter::UpdateEnabledState);
    RegisterMarkerCommands();
    // Window and help.
    commands.Register(ids::kToggleOptionBar, [frame] { frame->OnToggleOptionBar(); });
    commands.Register(ids::kAppAbout, [frame] { ShowAboutBox(frame); });
}

void AppShell::RegisterMarkerCommands()
{
    CommandRouter& commands = *m_router;
    MarkerCommands* markers = m_markers.get();
    CMainFrame* frame = m_pMainFrame.get();
    const auto markerAtX = [markers] { return markers->MarkerAtX().has_value(); };
    const auto canStep = [markers] { return markers->CanStep(); };
    commands.Register(ids::kToggleMarkerPanel, [frame] { frame->OnToggleMarkerPanel(); });
    commands.Register(ids::kAddMarker, [markers] { markers->OnAddMarker(); }, [markers] { return markers->CanAdd(); });
    commands.Register(ids::kEditMarker, [markers] { markers->OnEditMarker(); }, markerAtX);
    commands.Register(ids::kDeleteMarker, [markers] { markers->OnDeleteMarker(); }, markerAtX);
    commands.Register(ids::kNextMarker, [markers] { markers->OnNextMarker(); }, canStep);
    commands.Register(ids::kPreviousMarker, [markers] { markers->OnPreviousMarker(); }, canStep);
    connect(frame->GetMarkerPanel(), &MarkerPanel::editRequested, this, [markers](int index) { markers->Edit(index); });
    // The steps' keys work from the first marker on.
    connect(&m_session, &CCaptureSession::markersChanged, &commands, &CommandRouter::UpdateEnabledState);
}

} // namespace veldran
