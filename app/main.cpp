// VELDRAN: the desktop companion of the 48-channel logic analyzer.

#include "app/AppResources.h"
#include "app/VeldranApp.h"

int main(int argc, char** argv)
{
    QCoreApplication::setApplicationVersion(QStringLiteral(VELDRAN_VERSION));
    veldran::CVELDRANApp app(argc, argv);
    QApplication::setWindowIcon(veldran::ApplicationIcon());
    int exitCode = 0;
    if (!app.InitInstance(&exitCode))
        return exitCode;
    return app.exec();
}
