#include "win/common/screen.h"

#include "win/common/gdi.h"

#include <windows.h>

namespace tovabel::win {

namespace {

int ReadScreenDpi(int axis) {
    const WindowDc screen(nullptr);
    const int dpi = screen.Get() != nullptr ? GetDeviceCaps(screen.Get(), axis) : 0;
    return dpi > 0 ? dpi : 96;
}

} // namespace

// The screen's resolution stays the system's for the life of the process (a
// new one takes a new sign-in), so it is read once: asking a screen DC costs
// calls to the window server, and every button of a form needs the scale when
// it is placed and when its picture is measured.
int ScreenDpiX() {
    static const int dpi = ReadScreenDpi(LOGPIXELSX);
    return dpi;
}

int ScreenDpiY() {
    static const int dpi = ReadScreenDpi(LOGPIXELSY);
    return dpi;
}

double TwipsPerPixelX() {
    return 1440.0 / ScreenDpiX();
}

double TwipsPerPixelY() {
    return 1440.0 / ScreenDpiY();
}

} // namespace tovabel::win
