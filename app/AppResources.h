#pragma once
// The pictures built into the program: the splash bitmap (105) and the application icon (128).

#include <QIcon>
#include <QString>

namespace veldran {

// Makes the built-in pictures reachable under ":/". The program's library is static, so nothing
// would otherwise pull them into the executable; safe to call any number of times.
void InitAppResources();

// ":/splash.bmp": 450 x 322 pixels, 24 bits.
[[nodiscard]] QString SplashBitmapPath();

// The application icon in every size drawn for it.
[[nodiscard]] QIcon ApplicationIcon();

} // namespace veldran
