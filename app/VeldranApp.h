#pragma once
// The application object: start-up from the command line and the main loop.

#include "app/AppShell.h"
#include "app/CommandLine.h"
#include "document/CapturePrefetch.h"

#include <QApplication>

#include <memory>

namespace veldran {

class CVELDRANApp : public QApplication {
    Q_OBJECT
public:
    CVELDRANApp(int& argc, char** argv);
    ~CVELDRANApp() override;

    // Starts reading the capture the command line names to open or print, if any, on a thread of
    // its own. main does this before the application object exists, so that the read overlaps
    // Qt's own start-up (the connection to the display above all).
    static void ReadAhead(const CommandLineInfo& commandLine, CCapturePrefetch& prefetch);

    // The start-up sequence for the parsed command line (main answers --help, --version and a
    // wrong argument before any of this); false ends the process with the returned exit code.
    // readAhead: the read started by ReadAhead (without one, the read starts here).
    [[nodiscard]] bool InitInstance(const CommandLineInfo& commandLine, int* exitCode,
                                    CCapturePrefetch* readAhead = nullptr);
    [[nodiscard]] AppShell* Shell() const { return m_shell.get(); }

    // Every event of the program passes here first (its pre-translation of messages): while the
    // splash is up, the first key or button press only takes it away.
    bool notify(QObject* pReceiver, QEvent* pEvent) override;

private:
    CommandLineInfo m_cmdInfo;
    // The capture named on the command line, opened while the windows are built.
    CCapturePrefetch m_prefetch;
    std::unique_ptr<AppShell> m_shell;
};

} // namespace veldran
