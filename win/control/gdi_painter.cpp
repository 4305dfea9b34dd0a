#include "gdi_painter.h"

#include "shared_painting.h"
#include "win/common/text.h"

#include <olectl.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

namespace tovabel::win {

COLORREF Translate(OleColor color) {
    COLORREF out = 0;
    if (FAILED(OleTranslateColor(color, SharedPalette(), &out))) {
        return 0;
    }
    return out;
}

GdiPainter::GdiPainter(HDC dc) : dc_(dc), originalFont_(GetCurrentObject(dc, OBJ_FONT)) {
    SetBkMode(dc_, TRANSPARENT);
}

GdiPainter::~GdiPainter() {
    DeleteCaptionFont();
    SelectObject(dc_, originalFont_); // the surface font is deleted next
}

HGDIOBJ GdiPainter::BaseFont() const {
    return surfaceFont_.Get() != nullptr ? surfaceFont_.Get() : originalFont_;
}

void GdiPainter::SetSurfaceFont(SharedFont font) {
    SharedFont previous = std::move(surfaceFont_);
    surfaceFont_ = std::move(font);
    SelectObject(dc_, BaseFont());
    captionSelected_ = false;
    // `previous` is no longer selected when it is deleted here.
}

TextSize GdiPainter::TextExtent(const Text& text) {
    const std::string ansi = ToAnsi(text);
    SIZE size{};
    GetTextExtentPoint32A(dc_, ansi.c_str(), static_cast<int>(ansi.size()), &size);
    return {size.cx, size.cy};
}

void GdiPainter::TextOut(std::int32_t x, std::int32_t y, const Text& text) {
    // A new surface font took the caption font's place in the DC; when the
    // two match (a turned caption may differ), the caption font was not made
    // again and goes back here.
    if (captionFont_.Get() != nullptr && !captionSelected_) {
        SelectObject(dc_, captionFont_.Get());
        captionSelected_ = true;
    }
    const std::string ansi = ToAnsi(text);
    ::TextOutA(dc_, x, y, ansi.c_str(), static_cast<int>(ansi.size()));
}

void GdiPainter::SetTextColor(OleColor color) {
    ::SetTextColor(dc_, Translate(color));
}

// The DC's own brush in the colour: no brush is made for a fill.
void GdiPainter::FillRect(std::int32_t left, std::int32_t top, std::int32_t right,
                          std::int32_t bottom, OleColor color) {
    SetDCBrushColor(dc_, Translate(color));
    const RECT area{left, top, right, bottom};
    ::FillRect(dc_, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

namespace {

// The font as the platform's ANSI font call would make it: the face name
// goes through the ANSI code page.
LOGFONTW DescriptionOf(const CaptionLogFont& font) {
    LOGFONTW log{};
    log.lfHeight = font.lfHeight;
    log.lfEscapement = font.lfEscapement;
    log.lfWeight = font.lfWeight;
    log.lfItalic = font.lfItalic;
    log.lfUnderline = font.lfUnderline;
    log.lfStrikeOut = font.lfStrikeOut;
    std::string face = ToAnsi(font.lfFaceName);
    face.resize(std::min(std::strlen(face.c_str()), std::size(log.lfFaceName) - 1));
    MultiByteToWideChar(CP_ACP, 0, face.c_str(), static_cast<int>(face.size()), log.lfFaceName,
                        static_cast<int>(std::size(log.lfFaceName)) - 1);
    return log;
}

} // namespace

// The caption is drawn in a font that the painter keeps while the font asked
// for stays the same: a repaint makes no font.
void GdiPainter::ReplaceCaptionFont(const CaptionLogFont& font) {
    SharedFont next = SharedFont::Of(DescriptionOf(font));
    if (next.Get() == nullptr) {
        DeleteCaptionFont();
        return;
    }
    if (next.Get() != captionFont_.Get() || !captionSelected_) {
        SelectObject(dc_, next.Get());
        captionSelected_ = true;
    }
    captionFont_ = std::move(next); // the font before, no longer selected, may go
}

void GdiPainter::DeleteCaptionFont() {
    if (captionFont_.Get() == nullptr) {
        return;
    }
    // A selected font must not be deleted: the surface's font goes back first.
    SelectObject(dc_, BaseFont());
    captionSelected_ = false;
    captionFont_ = SharedFont();
}

void GdiPainter::PaintTransparentPicture(const PicturePaint& paint) {
    PaintPicture(dc_, paint, false);
}

void GdiPainter::PaintDisabledPicture(const PicturePaint& paint) {
    PaintPicture(dc_, paint, true);
}

} // namespace tovabel::win
