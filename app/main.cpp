// VELDRAN: the desktop companion of the 48-channel logic analyzer.

#include "app/VeldranApp.h"

int main(int argc, char** argv)
{
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0.0.1"));
    veldran::CVELDRANApp app(argc, argv);
    int exitCode = 0;
    if (!app.InitInstance(&exitCode))
        return exitCode;
    return app.exec();
}
