#include "print/PageLayout.h"

namespace veldran {

PageLayout LayOutPage(int nPageWidth, int nPageHeight)
{
    const double w = nPageWidth;
    const double h = nPageHeight;
    PageLayout layout;
    layout.nX0 = static_cast<int>(w * 0.05);
    layout.nY0 = static_cast<int>(h * 0.05);
    layout.nWidth = static_cast<int>(w - w * 0.1);
    layout.nHeight = static_cast<int>(h - h * 0.1);
    layout.nHeaderY = static_cast<int>(h * 0.025);
    layout.nCentreX = nPageWidth / 2;
    layout.nCentreY = nPageHeight / 2;
    return layout;
}

} // namespace veldran
