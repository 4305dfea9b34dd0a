// The screen's scale: twips per pixel along each axis.
#pragma once

namespace tovabel::win {

// Twips per screen pixel along x or y (1440 / dots per inch).
double TwipsPerPixelX();
double TwipsPerPixelY();

} // namespace tovabel::win
