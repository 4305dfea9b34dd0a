// The caption font: created for one of the four writing directions, cached by
// its description and replaced only when something in it changes.
#pragma once

#include "render/painter.h"

#include <cstdint>

namespace tovabel {

struct FontRequest {
    std::int32_t direction = 0; // tvFontDirection
    Text faceName;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::int32_t weight = 400;
    std::int32_t size = 8; // points
};

// Escapement of a writing direction in tenths of a degree (0 for an unknown one).
std::int32_t EscapementOf(std::int32_t direction);

// The face name as the font description holds it: the name, one NUL, then
// spaces, cut or padded to 32 characters.
Text FaceField(const Text& faceName);

// Creates and selects the caption font unless the cached description `logFont`
// already matches the request (or `force`). The height is compared before
// rounding, so a size whose pixel height is not whole is re-created every time.
// `created` tells whether the surface holds a caption font.
void CreateRotatedFont(Painter& painter, bool& created, CaptionLogFont& logFont,
                       const FontRequest& request, double twipsPerPixelY, bool force);

} // namespace tovabel
