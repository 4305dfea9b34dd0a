#include "render/geometry.h"

#include "control/style_traits.h"
#include "control/types.h"

#include <cmath>
#include <limits>

namespace tovabel {

namespace {

std::int32_t Clamped(double whole) {
    if (!(whole == whole)) { // NaN: nothing sensible to place
        return 0;
    }
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(whole < kMin ? kMin : whole > kMax ? kMax : whole);
}

} // namespace

std::int32_t RoundHalfEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5) {
        return Clamped(below + 1);
    }
    if (fraction < 0.5) {
        return Clamped(below);
    }
    return Clamped(std::fmod(below, 2.0) == 0 ? below : below + 1);
}

std::int32_t Floor(double value) {
    return Clamped(std::floor(value));
}

void ComputePicturePosition(std::int32_t state, std::int32_t style, std::int32_t borderStyle,
                            std::int32_t alignPicture, bool arrowPressed, bool isMenuItem,
                            std::int32_t surfaceWidth, std::int32_t surfaceHeight,
                            std::int32_t pictureWidth, std::int32_t pictureHeight,
                            std::int32_t ddWidth, std::int32_t& top, std::int32_t& left) {
    const bool fixedSingle = borderStyle == tvBorderStyle::FixedSingle;
    const std::int32_t frame = fixedSingle ? 2 : 0;
    const std::int32_t menuLift = isMenuItem ? 1 : 0;
    // Wide arithmetic: hostile sizes must not overflow.
    const double sw = surfaceWidth;
    const double sh = surfaceHeight;
    const double pw = pictureWidth;
    const double ph = pictureHeight;
    const std::int32_t centredLeft = Floor((sw - pw - ddWidth) / 2);
    const std::int32_t middleTop = Floor((sh - ph) / 2);
    switch (alignPicture) {
    case tvAlign::AlignTop:
        left = centredLeft;
        top = frame;
        break;
    case tvAlign::AlignBottom:
        left = centredLeft;
        top = Clamped(sh - ph - frame);
        break;
    case tvAlign::AlignLeft:
        left = frame;
        top = middleTop - menuLift;
        break;
    case tvAlign::AlignRight:
        left = Clamped(sw - pw - ddWidth - frame);
        top = middleTop - menuLift;
        break;
    case tvAlign::AlignMiddle:
        left = centredLeft;
        top = middleTop - menuLift;
        break;
    default:
        break;
    }
    // A pressed button shows its picture one pixel right and down, except where
    // the face does not sink: the arrow area, the drop-down without separator,
    // menu items and buttons without a frame.
    if (state == vsPressed && TraitsOf(style).sinksWhenPressed && !arrowPressed && fixedSingle) {
        ++left;
        ++top;
    }
}

bool IsInsideClient(double x, double y, std::int32_t width, std::int32_t height, bool enabled) {
    return enabled && x >= 0 && x <= width && y >= 0 && y <= height;
}

} // namespace tovabel
