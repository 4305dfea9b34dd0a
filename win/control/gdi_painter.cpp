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

GdiPainter::GdiPainter(HDC dc) : mDc(dc), mOriginalFont(GetCurrentObject(dc, OBJ_FONT)) {
    SetBkMode(mDc, TRANSPARENT);
}

GdiPainter::~GdiPainter() {
    DeleteCaptionFont();
    SelectObject(mDc, mOriginalFont); // the surface font is deleted next
}

HGDIOBJ GdiPainter::BaseFont() const {
    return mSurfaceFont.Get() != nullptr ? mSurfaceFont.Get() : mOriginalFont;
}

void GdiPainter::SetSurfaceFont(SharedFont font) {
    SharedFont previous = std::move(mSurfaceFont);
    mSurfaceFont = std::move(font);
    SelectObject(mDc, BaseFont());
    mCaptionSelected = false;
    // `previous` is no longer selected when it is deleted here.
}

TextSize GdiPainter::TextExtent(const Text& text) {
    const std::string ansi = ToAnsi(text);
    SIZE size{};
    GetTextExtentPoint32A(mDc, ansi.c_str(), static_cast<int>(ansi.size()), &size);
    return {size.cx, size.cy};
}

void GdiPainter::TextOut(std::int32_t x, std::int32_t y, const Text& text) {
    // A new surface font took the caption font's place in the DC; when the
    // two match (a turned caption may differ), the caption font was not made
    // again and goes back here.
    if (mCaptionFont.Get() != nullptr && !mCaptionSelected) {
        SelectObject(mDc, mCaptionFont.Get());
        mCaptionSelected = true;
    }
    const std::string ansi = ToAnsi(text);
    ::TextOutA(mDc, x, y, ansi.c_str(), static_cast<int>(ansi.size()));
}

void GdiPainter::SetTextColor(OleColor color) {
    ::SetTextColor(mDc, Translate(color));
}

// The DC's own brush in the colour: no brush is made for a fill.
void GdiPainter::FillRect(std::int32_t left, std::int32_t top, std::int32_t right,
                          std::int32_t bottom, OleColor color) {
    SetDCBrushColor(mDc, Translate(color));
    const RECT area{left, top, right, bottom};
    ::FillRect(mDc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
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
    if (next.Get() != mCaptionFont.Get() || !mCaptionSelected) {
        SelectObject(mDc, next.Get());
        mCaptionSelected = true;
    }
    mCaptionFont = std::move(next); // the font before, no longer selected, may go
}

void GdiPainter::DeleteCaptionFont() {
    if (mCaptionFont.Get() == nullptr) {
        return;
    }
    // A selected font must not be deleted: the surface's font goes back first.
    SelectObject(mDc, BaseFont());
    mCaptionSelected = false;
    mCaptionFont = SharedFont();
}

void GdiPainter::PaintTransparentPicture(const PicturePaint& paint) {
    PaintPicture(mDc, paint, false);
}

void GdiPainter::PaintDisabledPicture(const PicturePaint& paint) {
    PaintPicture(mDc, paint, true);
}

} // namespace tovabel::win
