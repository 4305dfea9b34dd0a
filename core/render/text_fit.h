// Stateless caption routines: the access-key marker and shortening with "...".
#pragma once

#include "control/types.h"

#include <cstdint>
#include <functional>

namespace tovabel {

// Removes the access-key marker '&' from `caption`. `pos` receives the 1-based
// position of the key character in the result (0 for none), `key` the
// character (empty for none). "&&" stands for one '&': only the first pair is
// reduced, and the second '&' of a pair can itself mark the key ("A&&B" gives
// "A&B" with key B).
Text ParseAccessKey(const Text& caption, std::int32_t& pos, Text& key);

// Measures a text in pixels along its direction of writing.
using MeasureText = std::function<std::int32_t(const Text&)>;

// Shortens `text` until it measures at most `width`: the first pass drops four
// characters and appends "...", each later pass drops one more; below five
// characters the dots shrink and finally the text vanishes. A negative width
// leaves the text as it is. `width` receives the last measured length (its low
// 16 bits, as a 16-bit integer).
void FitTextToWidth(const MeasureText& measure, Text& text, std::int32_t& width);

} // namespace tovabel
