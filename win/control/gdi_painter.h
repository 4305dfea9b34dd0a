// The core's Painter on GDI: text, fills, the caption font and pictures drawn
// into the control's canvas (a memory DC that lives as long as the control).
#pragma once

#include "gdi.h"
#include "render/painter.h"

#include <windows.h>

namespace tovabel::win {

// The colour GDI draws for an OLE colour (system colours resolved, the
// thread's shared palette applied when there is one).
COLORREF Translate(OleColor color);

class GdiPainter final : public tovabel::Painter {
public:
    // Draws into `dc`, which outlives the painter.
    explicit GdiPainter(HDC dc);
    GdiPainter(const GdiPainter&) = delete;
    GdiPainter& operator=(const GdiPainter&) = delete;
    ~GdiPainter() override;

    TextSize TextExtent(const Text& text) override;
    void TextOut(std::int32_t x, std::int32_t y, const Text& text) override;
    void SetTextColor(OleColor color) override;
    void FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                  OleColor color) override;
    void ReplaceCaptionFont(const CaptionLogFont& font) override;
    void DeleteCaptionFont() override;
    void PaintTransparentPicture(const PicturePaint& paint) override;
    void PaintDisabledPicture(const PicturePaint& paint) override;

private:
    HDC dc_;
    GdiObject<HFONT> captionFont_;
    // The font the DC had before the first caption font; null until then.
    HGDIOBJ previousFont_ = nullptr;
};

} // namespace tovabel::win
