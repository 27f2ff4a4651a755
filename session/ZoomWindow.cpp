#include "session/ZoomWindow.h"

namespace veldran {

SampleWindow PlaceWindow(int x, int w, int heldSamples, int sampleCount)
{
    const int half = w / 2;
    SampleWindow window{x - half, x + half};
    if (window.start < 0)
        window = {0, w};
    if (window.end > heldSamples) {
        window = {sampleCount - w, sampleCount};
        if (window.start < 0)
            window = {0, w};
    }
    return window;
}

int ExpandedWindow(int window)
{
    switch (window) {
    case 64: return 16;
    case 256: return 64;
    case 1023: return 256;
    default: return 0;
    }
}

int ContractedWindow(int window)
{
    switch (window) {
    case 16: return 64;
    case 64: return 256;
    case 256: return 1023;
    default: return 0;
    }
}

} // namespace veldran
