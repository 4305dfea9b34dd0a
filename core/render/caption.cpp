// Drawing the caption: plain, as a highlighted menu item, or embossed when
// disabled, with the access-key character underlined.
#include "control/tovabel.h"

#include "render/caption_font.h"
#include "render/geometry.h"

namespace tovabel {

namespace {

struct Advance {
    std::int32_t dx = 0;
    std::int32_t dy = 0;
};

// How far a text of length `cx` moves the pen in a writing direction.
Advance AdvanceOf(std::int32_t direction, std::int32_t cx) {
    switch (direction) {
    case tvFontDirection::DownwardText:
        return {0, cx};
    case tvFontDirection::ReverseText:
        return {-cx, 0};
    case tvFontDirection::UpwardText:
        return {0, -cx};
    default:
        return {cx, 0};
    }
}

} // namespace

// `underlineKey` draws with the font underlined whatever the control's font says.
void Tovabel::SelectCaptionFont(bool force, bool underlineKey) {
    const Font font = mFont;
    if (!font) {
        return;
    }
    FontRequest request;
    request.direction = mFontDirection;
    request.faceName = font->Name();
    request.italic = font->Italic();
    request.underline = underlineKey || font->Underline();
    request.strikeOut = font->Strikethrough();
    request.weight = font->Weight();
    request.size = RoundHalfEven(static_cast<double>(font->Size()) / 10000.0);
    CreateRotatedFont(mHost.Paint(), mCaptionFont, mCaptionLogFont, request, mHost.TwipsPerPixelY(),
                      force);
}

void Tovabel::DrawCaption() {
    if (mCaption.empty() || Traits().separator != SeparatorKind::None) {
        return;
    }
    Painter& painter = mHost.Paint();
    CaptionSegments segments;
    const Text key = mAccessKeys;
    const std::size_t pos = static_cast<std::size_t>(mAccessKeyPos);
    // A key cut off by shortening (or replaced by a dot) is not underlined.
    if (mAccessKeyPos > 0 && mDisplayCaption.size() >= pos &&
        Text(1, mDisplayCaption[pos - 1]) == key) {
        segments.underline = true;
        segments.before = mDisplayCaption.substr(0, pos - 1);
        segments.key = key;
        segments.after = mDisplayCaption.substr(pos);
        SelectCaptionFont(false, false);
        const Advance a1 = AdvanceOf(mFontDirection, painter.TextExtent(segments.before).cx);
        const Advance a2 = AdvanceOf(mFontDirection, painter.TextExtent(key).cx);
        segments.keyDx = a1.dx;
        segments.keyDy = a1.dy;
        segments.afterDx = a1.dx + a2.dx;
        segments.afterDy = a1.dy + a2.dy;
    }

    std::int32_t x = mCaptionX;
    std::int32_t y = mCaptionY;
    if (mChecked && Traits().sinksWhenChecked) {
        ++x;
        ++y;
    }
    if (mState == vsPressed && Traits().sinksWhenPressed) {
        ++x;
        ++y;
    } else if ((mLeftButtonDown || mValue) && Traits().menuTitle) {
        ++x;
        ++y;
    }

    if (mEnabled) {
        OleColor text = mTextColor;
        if (Traits().menuItem && (mMouseOver || mLeftButtonDown || mDroppedDown)) {
            text = 0x8000000E; // highlighted text on the highlight bar
            painter.FillRect(x - 1, 0, RoundHalfEven(mHost.ScaleWidth()),
                             RoundHalfEven(lnBorder[Edge::Bottom].Y1 + 1), 0x8000000D);
        }
        painter.SetTextColor(text);
    } else {
        // Embossed: a light pass one pixel down and right under the dark one.
        painter.SetTextColor(mHighlightColor);
        DrawCaptionText(x + 1, y + 1, segments, false);
        painter.SetTextColor(mShadowColor);
    }
    DrawCaptionText(x, y, segments, true);
}

// The final pass re-creates the font before its first segment (`forceFont`).
void Tovabel::DrawCaptionText(std::int32_t x, std::int32_t y, const CaptionSegments& segments,
                              bool forceFont) {
    Painter& painter = mHost.Paint();
    SelectCaptionFont(forceFont, false);
    if (!segments.underline) {
        painter.TextOut(x, y, mDisplayCaption);
        return;
    }
    painter.TextOut(x, y, segments.before);
    SelectCaptionFont(false, true);
    painter.TextOut(x + segments.keyDx, y + segments.keyDy, segments.key);
    SelectCaptionFont(false, false);
    painter.TextOut(x + segments.afterDx, y + segments.afterDy, segments.after);
}

} // namespace tovabel
