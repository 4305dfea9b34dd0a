// The core's Painter on GDI: text, fills, the caption font and pictures drawn
// on the control's canvas, text measured in the font the canvas would draw it.
#pragma once

// The platform's headers first: they rename the painter's TextOut by macro,
// which must happen alike for the core's declaration and this one.
#include <windows.h>

#include "canvas.h"
#include "render/painter.h"
#include "shared_fonts.h"

namespace tovabel::win {

// The colour GDI draws for an OLE colour (system colours resolved, the
// thread's shared palette applied when there is one).
COLORREF Translate(OleColor color);

class GdiPainter final : public tovabel::Painter {
public:
    // Draws on `canvas`, which outlives the painter.
    explicit GdiPainter(Canvas& canvas) : mCanvas(canvas) {}
    GdiPainter(const GdiPainter&) = delete;
    GdiPainter& operator=(const GdiPainter&) = delete;

    TextSize TextExtent(const Text& text) override;
    void TextOut(std::int32_t x, std::int32_t y, const Text& text) override;
    void SetTextColor(OleColor color) override;
    void FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                  OleColor color) override;
    // The surface's own font, selected at once: text is measured with it (a
    // font change lays the caption out in the new font) until a caption is
    // drawn, which is always in the caption font when there is one.
    void SetSurfaceFont(SharedFont font);
    void ReplaceCaptionFont(const CaptionLogFont& font) override;
    void DeleteCaptionFont() override;
    void PaintTransparentPicture(const PicturePaint& paint) override;
    void PaintDisabledPicture(const PicturePaint& paint) override;

private:
    // The font text is measured and drawn in: the caption font once selected,
    // else the surface's font (null: the surface's own).
    const SharedFont& CurrentFont() const { return mCaptionSelected ? mCaptionFont : mSurfaceFont; }

    Canvas& mCanvas;
    SharedFont mSurfaceFont;
    SharedFont mCaptionFont;       // shared with the thread's buttons that show the same
    bool mCaptionSelected = false; // the caption font is the current font
};

} // namespace tovabel::win
