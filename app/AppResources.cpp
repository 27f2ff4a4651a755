#include "app/AppResources.h"

// The resource initialiser must be named outside any namespace.
static void InitResourcesOfProgram()
{
    Q_INIT_RESOURCE(resources);
}

namespace veldran {

void InitAppResources()
{
    static const bool bDone = (InitResourcesOfProgram(), true);
    (void)bDone;
}

QString SplashBitmapPath()
{
    InitAppResources();
    return QStringLiteral(":/splash.bmp");
}

QIcon ApplicationIcon()
{
    InitAppResources();
    QIcon icon;
    for (const char* file : {"veldran-16.png", "veldran-32.png", "veldran-48.png", "veldran-64.png",
                             "veldran-128.png", "veldran.png"})
        icon.addFile(QStringLiteral(":/") + QLatin1String(file));
    return icon;
}

} // namespace veldran
