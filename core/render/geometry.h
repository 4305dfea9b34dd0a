// Stateless geometry of the face: rounding as the layout does it, the picture
// position and the hit test.
#pragma once

#include <cstdint>

namespace tovabel {

// Nearest whole number, a value exactly halfway going to the even neighbour
// (round(10.5) = 10, round(11.5) = 12): every conversion of a fractional
// pixel value to a whole one uses it.
std::int32_t RoundHalfEven(double value);

// Largest whole number not above `value`: every explicit halving uses it.
std::int32_t Floor(double value);

// Where the picture goes for a visual state; `left` and `top` keep their
// values for an alignment outside the five known ones.
void ComputePicturePosition(std::int32_t state, std::int32_t style, std::int32_t borderStyle,
                            std::int32_t alignPicture, bool arrowPressed, bool isMenuItem,
                            std::int32_t surfaceWidth, std::int32_t surfaceHeight,
                            std::int32_t pictureWidth, std::int32_t pictureHeight,
                            std::int32_t ddWidth, std::int32_t& top, std::int32_t& left);

// Whether (x, y) lies on the client area, both edges included; never for a
// disabled control.
bool IsInsideClient(double x, double y, std::int32_t width, std::int32_t height, bool enabled);

} // namespace tovabel
