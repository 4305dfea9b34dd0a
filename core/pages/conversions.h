// The texts of the General page's drop-down lists and the numbers behind them.
// Texts are read without regard to case; an unknown text reads as the first
// value of its list (the empty text for an unknown alignment or direction).
#pragma once

#include "control/types.h"

#include <cstdint>
#include <span>

namespace tovabel::pages {

// Alignments serve both the caption and the picture list: Top, Bottom, Left, Right, Middle.
Text AlignToText(std::int16_t value);
std::int16_t TextToAlign(const Text& text);
Text BorderStyleToText(std::int16_t value);
std::int16_t TextToBorderStyle(const Text& text);
Text StyleToText(std::int16_t value);
std::int16_t TextToStyle(const Text& text);
Text FontDirectionToText(std::int16_t value);
std::int16_t TextToFontDirection(const Text& text);

// The items of each list, in their order on the page.
std::span<const Text> AlignItems();
std::span<const Text> BorderStyleItems();
std::span<const Text> StyleItems();
std::span<const Text> FontDirectionItems();

} // namespace tovabel::pages
