#include "win/common/screen.h"

#include "win/common/gdi.h"

#include <windows.h>

namespace tovabel::win {

namespace {

double TwipsPerPixel(int axis) {
    const WindowDc screen(nullptr);
    const int dpi = screen.Get() != nullptr ? GetDeviceCaps(screen.Get(), axis) : 0;
    return 1440.0 / (dpi > 0 ? dpi : 96);
}

} // namespace

// The screen's resolution stays the system's for the life of the process (a
// new one takes a new sign-in), so it is read once: asking a screen DC costs
// calls to the window server, and a repaint needs the scale several times.
double TwipsPerPixelX() {
    static const double twips = TwipsPerPixel(LOGPIXELSX);
    return twips;
}

double TwipsPerPixelY() {
    static const double twips = TwipsPerPixel(LOGPIXELSY);
    return twips;
}

} // namespace tovabel::win
