// VELDRAN: the desktop companion of the 48-channel logic analyzer.

#include "app/AppResources.h"
#include "app/CommandLine.h"
#include "app/VeldranApp.h"

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication::setApplicationVersion(QStringLiteral(VELDRAN_VERSION));
    // The command line is read once, here: --help, --version and a wrong argument answer without a
    // display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const veldran::CommandLineInfo info = veldran::ParseCommandLine(arguments);
    if (!info.m_unknown.isEmpty()) {
        std::fprintf(stderr, "veldran: unknown argument %s\n%sTry 'veldran --help' for more information.\n",
                     info.m_unknown.join(QLatin1Char(' ')).toLocal8Bit().constData(), veldran::CommandLineUsage().constData());
        return 2;
    }
    if (info.m_bShowVersion) {
        std::printf("VELDRAN %s\n", VELDRAN_VERSION);
        return 0;
    }
    if (info.m_bShowHelp) {
        std::fputs(veldran::CommandLineHelp().toLocal8Bit().constData(), stdout);
        return 0;
    }

    // The capture named on the command line is read while Qt starts up and the windows are built.
    veldran::CCapturePrefetch readAhead;
    veldran::CVELDRANApp::ReadAhead(info, readAhead);
    veldran::CVELDRANApp app(argc, argv);
    QApplication::setWindowIcon(veldran::ApplicationIcon());
    int exitCode = 0;
    if (!app.InitInstance(info, &exitCode, &readAhead))
        return exitCode;
    return app.exec();
}
