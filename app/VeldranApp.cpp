#include "app/VeldranApp.h"

#include "app/MainFrame.h"
#include "app/SplashWindow.h"
#include "i18n/Translation.h"
#include "resources/Strings.h"
#include "resources/UserMessages.h"

#include <QFile>

namespace veldran {

CVELDRANApp::CVELDRANApp(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

CVELDRANApp::~CVELDRANApp()
{
    // The frame and its view go before the application object.
    SetUserMessageHandler(nullptr);
    m_shell.reset();
}

bool CVELDRANApp::notify(QObject* pReceiver, QEvent* pEvent)
{
    if (CSplashWindow::FilterAppMessage(pReceiver, pEvent))
        return true;
    return QApplication::notify(pReceiver, pEvent);
}

void CVELDRANApp::ReadAhead(const CommandLineInfo& commandLine, CCapturePrefetch& prefetch)
{
    using Command = CommandLineInfo::ShellCommand;
    if ((commandLine.m_nShellCommand == Command::FileOpen || commandLine.m_nShellCommand == Command::FilePrint ||
         commandLine.m_nShellCommand == Command::FilePrintTo) &&
        !commandLine.m_strFileName.isEmpty())
        prefetch.Start(QFile::encodeName(commandLine.m_strFileName).toStdString());
}

bool CVELDRANApp::InitInstance(const CommandLineInfo& commandLine, int* exitCode, CCapturePrefetch* readAhead)
{
    *exitCode = 0;
    m_cmdInfo = commandLine;
    CSplashWindow::EnableSplash(m_cmdInfo.m_bShowSplash);

    // A capture to open or print is read on another thread while the windows are built.
    using Command = CommandLineInfo::ShellCommand;
    if (!readAhead) {
        ReadAhead(m_cmdInfo, m_prefetch);
        readAhead = &m_prefetch;
    }

    // Korean, unless the desktop or VELDRAN_LANG asks for English. Every window is built after this.
    UseUiLanguage(ChooseUiLanguage(ProcessLanguageEnvironment()));

    // Per-user settings (the recent-file list) live under this organisation and the title.
    QCoreApplication::setOrganizationName(QString::fromUtf8(text::kSettingsOrganisation));
    QCoreApplication::setApplicationName(QString::fromUtf8(text::kAppTitle));

    m_shell = std::make_unique<AppShell>();
    SetUserMessageHandler(&m_shell->Messages());
    if (!m_shell->ProcessShellCommand(m_cmdInfo, readAhead)) {
        *exitCode = 1;
        return false;
    }
    // Printing from the file manager prints the opened capture and ends without a window.
    if (m_cmdInfo.m_nShellCommand == Command::FilePrint || m_cmdInfo.m_nShellCommand == Command::FilePrintTo) {
        *exitCode = m_shell->PrintFromCommandLine(m_cmdInfo) ? 0 : 1;
        return false;
    }
    CMainFrame& frame = m_shell->Frame();
    frame.showMaximized();
    frame.OnTrackSizeQuery();
    return true;
}

} // namespace veldran
