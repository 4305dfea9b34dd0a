// The constituent elements of the button's face that the layout places and the
// painter draws: frame lines, the current picture and the two timers.
#pragma once

#include "control/types.h"

#include <array>
#include <cstdint>

namespace tovabel {

// A line of the face, painted from its start point up to (not including) its end point.
// Coordinates are pixels of the surface (fractional where the surface size is).
struct Line {
    double X1 = 0;
    double Y1 = 0;
    double X2 = 0;
    double Y2 = 0;
    std::int32_t BorderWidth = 1;
    OleColor BorderColor = 0;
    bool Visible = false;
    std::int32_t ZOrder = 0;

    friend bool operator==(const Line&, const Line&) = default;
};

// Index of a frame line: top, bottom, left, right.
namespace Edge {
inline constexpr int Top = 0;
inline constexpr int Bottom = 1;
inline constexpr int Left = 2;
inline constexpr int Right = 3;
} // namespace Edge

using FrameLines = std::array<Line, 4>;

// A timer of the control: it ticks only while enabled with an interval above 0.
struct TimerState {
    bool Enabled = false;
    std::int32_t Interval = 0;
    bool Running() const { return Enabled && Interval > 0; }
};

} // namespace tovabel
