#pragma once
// The application object: start-up from the command line and the main loop.

#include "app/AppShell.h"
#include "app/CommandLine.h"

#include <QApplication>

#include <memory>

namespace veldran {

class CVELDRANApp : public QApplication {
    Q_OBJECT
public:
    CVELDRANApp(int& argc, char** argv);
    ~CVELDRANApp() override;

    // The start-up sequence; false ends the process with the returned exit code.
    [[nodiscard]] bool InitInstance(int* exitCode);
    [[nodiscard]] AppShell* Shell() const { return m_shell.get(); }

private:
    CommandLineInfo m_cmdInfo;
    std::unique_ptr<AppShell> m_shell;
};

} // namespace veldran
