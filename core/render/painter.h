// The drawing operations the control's face needs from the surface: text
// measured and drawn with the caption font, solid fills, the caption font
// itself, and the two ways of painting a picture. The Windows layer draws them
// with GDI into the control's persistent surface; tests record them.
#pragma once

#include "control/types.h"

#include <cstdint>

namespace tovabel {

struct TextSize {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    bool operator==(const TextSize&) const = default;
};

// The caption font as the surface creates it (a GDI LOGFONT): only these
// members are ever set; all others stay 0.
struct CaptionLogFont {
    std::int32_t lfHeight = 0;
    std::int32_t lfEscapement = 0; // tenths of a degree, counter-clockwise
    std::int32_t lfWeight = 0;
    std::uint8_t lfItalic = 0; // 255 when set, as the font's flags are stored
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    Text lfFaceName; // exactly 32 characters: the name, one NUL, spaces
    bool operator==(const CaptionLogFont&) const = default;
};

// One picture painted onto the surface at its own size (never stretched),
// with its mask colour transparent and, optionally, the check pattern first.
struct PicturePaint {
    Picture picture;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    OleColor maskColor = 0;
    OleColor backColor = 0; // the embossed look's background
    bool drawChecks = false;
    std::int32_t checkX = 0;
    std::int32_t checkY = 0;
    std::int32_t checkWidth = 0;
    std::int32_t checkHeight = 0;
    OleColor checkColor = 0;
};

class Painter {
public:
    virtual ~Painter() = default;

    // Text in the system's ANSI code page, with the caption font selected.
    virtual TextSize TextExtent(const Text& text) = 0;
    virtual void TextOut(std::int32_t x, std::int32_t y, const Text& text) = 0;
    virtual void SetTextColor(OleColor color) = 0;
    // Fills left..right-1, top..bottom-1.
    virtual void FillRect(std::int32_t left, std::int32_t top, std::int32_t right,
                          std::int32_t bottom, OleColor color) = 0;

    // Deletes the caption font (selecting the surface's previous font back
    // first), creates one from `font` and selects it.
    virtual void ReplaceCaptionFont(const CaptionLogFont& font) = 0;
    virtual void DeleteCaptionFont() = 0;

    // The picture with its mask colour transparent (bitmaps and icons only).
    virtual void PaintTransparentPicture(const PicturePaint& paint) = 0;
    // The picture in the system's disabled (embossed) look.
    virtual void PaintDisabledPicture(const PicturePaint& paint) = 0;
};

} // namespace tovabel
