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

void GdiPainter::SetSurfaceFont(SharedFont font) {
    mSurfaceFont = std::move(font);
    mCaptionSelected = false;
}

TextSize GdiPainter::TextExtent(const Text& text) {
    const SIZE size = MeasureText(ToAnsi(text), CurrentFont());
    return {size.cx, size.cy};
}

void GdiPainter::TextOut(std::int32_t x, std::int32_t y, const Text& text) {
    // A new surface font took the caption font's place; when the two match (a
    // turned caption may differ), the caption font was not made again and
    // comes back here.
    if (mCaptionFont.Get() != nullptr) {
        mCaptionSelected = true;
    }
    mCanvas.TextOut(x, y, ToAnsi(text), CurrentFont());
}

void GdiPainter::SetTextColor(OleColor color) {
    mCanvas.SetTextColor(Translate(color));
}

void GdiPainter::FillRect(std::int32_t left, std::int32_t top, std::int32_t right,
                          std::int32_t bottom, OleColor color) {
    mCanvas.FillRect({left, top, right, bottom}, Translate(color));
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

// The caption is drawn in a font that the thread keeps while a button asks for
// it: a repaint makes no font.
void GdiPainter::ReplaceCaptionFont(const CaptionLogFont& font) {
    mCaptionFont = SharedFont::Of(DescriptionOf(font));
    mCaptionSelected = mCaptionFont.Get() != nullptr;
}

// Text is measured and drawn in the surface's font again.
void GdiPainter::DeleteCaptionFont() {
    mCaptionSelected = false;
    mCaptionFont = SharedFont();
}

void GdiPainter::PaintTransparentPicture(const PicturePaint& paint) {
    mCanvas.PaintPicture(paint, false);
}

void GdiPainter::PaintDisabledPicture(const PicturePaint& paint) {
    mCanvas.PaintPicture(paint, true);
}

} // namespace tovabel::win
