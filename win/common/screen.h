// The screen's scale: dots per inch and twips per pixel along each axis.
#pragma once

namespace tovabel::win {

// Screen pixels per logical inch along x or y (96 when the screen cannot tell).
int ScreenDpiX();
int ScreenDpiY();

// Twips per screen pixel along x or y (1440 / dots per inch).
double TwipsPerPixelX();
double TwipsPerPixelY();

} // namespace tovabel::win
