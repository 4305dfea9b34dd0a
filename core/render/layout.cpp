// Placing the face: frame, drop-down frame, separators, arrow, picture and
// caption, and sizing the control to its content.
#include "control/tovabel.h"

#include "render/geometry.h"
#include "render/text_fit.h"

#include <algorithm>

namespace tovabel {

namespace {

bool IsVertical(std::int32_t direction) {
    return direction == tvFontDirection::DownwardText || direction == tvFontDirection::UpwardText;
}

void Place(Line& line, double x1, double y1, double x2, double y2) {
    line.X1 = x1;
    line.Y1 = y1;
    line.X2 = x2;
    line.Y2 = y2;
}

constexpr double kHimetricPerInch = 2540;
constexpr double kTwipsPerInch = 1440;

} // namespace

// The image keeps its picture's size in whole twips, as the surface keeps the
// sizes of its elements, and reports it in pixels.
double Tovabel::PictureWidth() const {
    if (!imgPicture) {
        return 0;
    }
    return RoundHalfEven(imgPicture->Width() * kTwipsPerInch / kHimetricPerInch) /
           mHost.TwipsPerPixelX();
}

double Tovabel::PictureHeight() const {
    if (!imgPicture) {
        return 0;
    }
    return RoundHalfEven(imgPicture->Height() * kTwipsPerInch / kHimetricPerInch) /
           mHost.TwipsPerPixelY();
}

void Tovabel::LayoutControl() {
    if (mFaceHeld) {
        return; // a load lays the face out once it has read everything
    }
    const StyleTraits& traits = Traits();
    mDDWidth = traits.dropDownWidth;
    // Only a split drop-down keeps its area outside the main frame.
    const double sep = traits.split ? mDDWidth : 0;
    if (traits.separator != SeparatorKind::None) {
        LayoutSeparator();
        return;
    }
    if (!traits.known) {
        return;
    }
    mInLayout = true;
    AutoSizeControl();
    mInLayout = false;
    if (mHost.ScaleWidth() < 10) {
        mHost.SetWidth(RoundHalfEven(10 * mHost.TwipsPerPixelX()));
    }

    for (Line& line : lnSeparator) {
        line.Visible = false;
    }
    const bool arrow = traits.arrow != ArrowKind::None;
    lnArrow[0].Visible = arrow;
    lnArrow[1].Visible = arrow;
    lnArrow[2].Visible = arrow;
    lnArrow[3].Visible = traits.arrow == ArrowKind::Cascade;

    PlaceFrame(sep);
    if (traits.split) {
        PlaceDropDownFrame();
    }
    PlacePicture(vsNormal); // a released face: no pressed offset
    DrawPicture();
    LayoutArrow();
    LayoutCaption();
    DrawCaption();
}

// Each line after the first takes its shared coordinates from the lines placed
// before it; the right edge ends one border width below the left one so the
// bottom right corner pixel is painted.
void Tovabel::PlaceFrame(double sep) {
    const double sw = mHost.ScaleWidth();
    const double sh = mHost.ScaleHeight();
    Line& top = lnBorder[Edge::Top];
    Line& bottom = lnBorder[Edge::Bottom];
    Line& left = lnBorder[Edge::Left];
    Line& right = lnBorder[Edge::Right];
    if (Traits().menuItem) {
        // Menu items frame the picture, from the picture row the last layout left.
        const double pw = PictureWidth();
        const double ph = PictureHeight();
        Place(top, 0, mPictureY - 2, pw + 3, mPictureY - 2);
        BringToFront(top);
        Place(bottom, top.X1, mPictureY + ph + 2, top.X2, mPictureY + ph + 2);
    } else {
        Place(top, 0, 0, sw - top.BorderWidth - sep, 0);
        BringToFront(top);
        Place(bottom, top.X1, sh - bottom.BorderWidth, top.X2, sh - bottom.BorderWidth);
    }
    BringToFront(bottom);
    Place(left, top.X1, top.Y1, top.X1, bottom.Y2);
    BringToFront(left);
    Place(right, top.X2, left.Y1, top.X2, left.Y2 + right.BorderWidth);
    BringToFront(right);
}

void Tovabel::PlaceDropDownFrame() {
    const double sw = mHost.ScaleWidth();
    const double sh = mHost.ScaleHeight();
    Place(lnDDBorder[Edge::Top], sw - 9, 0, sw - 1, 0);
    Place(lnDDBorder[Edge::Bottom], sw - 9, sh - 1, sw - 1, sh - 1);
    Place(lnDDBorder[Edge::Left], sw - 9, 0, sw - 9, sh - 1);
    Place(lnDDBorder[Edge::Right], sw - 1, 0, sw - 1, sh);
    for (Line& line : lnDDBorder) {
        BringToFront(line);
    }
}

// Separators are an etched pair of lines, dark then light, and have a fixed
// thickness: 4 pixels wide for a toolbar, 10 pixels high for a menu.
void Tovabel::LayoutSeparator() {
    for (Line& line : lnBorder) {
        line.Visible = false;
    }
    for (Line& line : lnSeparator) {
        line.Visible = true;
    }
    for (Line& line : lnArrow) {
        line.Visible = false;
    }
    if (Traits().separator == SeparatorKind::Toolbar) {
        mHost.SetWidth(RoundHalfEven(4 * mHost.TwipsPerPixelX()));
        const double sh = mHost.ScaleHeight();
        Place(lnSeparator[0], 1, 0, 1, sh - 1);
        Place(lnSeparator[1], 2, 0, 2, sh - 1);
    } else {
        mHost.SetHeight(RoundHalfEven(10 * mHost.TwipsPerPixelY()));
        const double sw = mHost.ScaleWidth();
        Place(lnSeparator[0], 2, 4, sw - 2, 4);
        Place(lnSeparator[1], 2, 5, sw - 2, 5);
    }
}

void Tovabel::LayoutCaption() {
    Text key;
    mDisplayCaption = ParseAccessKey(mCaption, mAccessKeyPos, key);
    SetAccessKeys(key);

    const double sw = mHost.ScaleWidth();
    const double sh = mHost.ScaleHeight();
    const bool fs = FixedSingle();
    Painter& painter = mHost.Paint();
    std::int32_t avail =
        IsVertical(mFontDirection) ? RoundHalfEven(sh - 2) : RoundHalfEven(sw - 2 - mDDWidth);
    if (fs) {
        avail -= 4;
    }
    FitTextToWidth([&painter](const Text& text) { return painter.TextExtent(text).cx; },
                   mDisplayCaption, avail);
    const TextSize size = painter.TextExtent(mDisplayCaption);
    if (IsVertical(mFontDirection)) {
        mCaptionWidth = size.cy + (fs ? 4 : 0);
        mCaptionHeight = size.cx + (fs ? 4 : 0);
    } else {
        mCaptionWidth = size.cx;
        mCaptionHeight = size.cy;
    }

    const double w = mCaptionWidth;
    const double h = mCaptionHeight;
    const std::int32_t frame = fs ? 2 : 0;
    const std::int32_t centredX = Floor((sw - mDDWidth - w) / 2);
    const std::int32_t middleY = Floor((sh - 1 - h) / 2);
    switch (mAlignCaption) {
    case tvAlign::AlignTop:
        mCaptionX = centredX;
        mCaptionY = 1 + frame;
        break;
    case tvAlign::AlignBottom:
        mCaptionX = centredX;
        mCaptionY = Floor(sh - 1 - h) - frame;
        break;
    case tvAlign::AlignLeft:
        mCaptionX = (Traits().menuItem ? RoundHalfEven(PictureWidth() + 4) : 1) + frame;
        mCaptionY = middleY;
        break;
    case tvAlign::AlignRight:
        mCaptionX = Floor(sw - mDDWidth - w) - 3 - frame;
        mCaptionY = middleY;
        break;
    case tvAlign::AlignMiddle:
        mCaptionX = centredX;
        mCaptionY = middleY;
        break;
    default:
        break;
    }
    // Rotated text starts at the corner of its box that its first letter touches.
    switch (mFontDirection) {
    case tvFontDirection::DownwardText:
        mCaptionX += mCaptionWidth;
        break;
    case tvFontDirection::ReverseText:
        mCaptionX += mCaptionWidth;
        mCaptionY += mCaptionHeight;
        break;
    case tvFontDirection::UpwardText:
        mCaptionY += mCaptionHeight;
        break;
    default:
        break;
    }
}

void Tovabel::AutoSizeControl() {
    if (!mAutoSize) {
        return;
    }
    Text key = mAccessKeys;
    const Text text = ParseAccessKey(mCaption, mAccessKeyPos, key);
    const TextSize size = mHost.Paint().TextExtent(text);
    if (IsVertical(mFontDirection)) {
        mCaptionWidth = size.cy + 1;
        mCaptionHeight = size.cx + 6;
    } else {
        mCaptionWidth = size.cx + 6;
        mCaptionHeight = size.cy + 1;
    }
    const std::int32_t frame = FixedSingle() ? 4 : 0;
    std::int32_t pw = 0;
    std::int32_t ph = 0;
    if (HandleOf(imgPicture) != 0) {
        pw = RoundHalfEven(PictureWidth()) + frame;
        ph = RoundHalfEven(PictureHeight()) + frame;
    }
    std::int32_t cw = 0;
    std::int32_t ch = 0;
    if (!mCaption.empty()) {
        cw = mCaptionWidth + frame;
        ch = mCaptionHeight + frame;
    }

    const std::int32_t p = mAlignPicture;
    const std::int32_t c = mAlignCaption;
    double w = 0;
    double h = 0;
    if ((p == tvAlign::AlignTop && c == tvAlign::AlignBottom) ||
        (p == tvAlign::AlignBottom && c == tvAlign::AlignTop)) {
        w = std::max(cw, pw);
        h = static_cast<double>(ch) + ph;
    } else if ((p == tvAlign::AlignLeft && c == tvAlign::AlignRight) ||
               (p == tvAlign::AlignRight && c == tvAlign::AlignLeft)) {
        w = static_cast<double>(cw) + pw;
        h = std::max(ch, ph);
    } else {
        h = std::max(ch, ph);
        w = (p == tvAlign::AlignLeft && c == tvAlign::AlignLeft)
                ? static_cast<double>(cw) + mCaptionX
                : std::max(cw, pw);
    }
    if (h < 1 || w < 1) {
        return;
    }
    mHost.SetHeight(RoundHalfEven(h * mHost.TwipsPerPixelY()));
    const std::int32_t width = RoundHalfEven((w + mDDWidth) * mHost.TwipsPerPixelX());
    // A menu item only grows, so the items of one menu can share the widest width.
    if (!Traits().menuItem || width > mHost.Width()) {
        mHost.SetWidth(width);
    }
}

void Tovabel::PlacePicture(std::int32_t state) {
    ComputePicturePosition(state, mStyle, mBorderStyle, mAlignPicture, mArrowPressed,
                           Traits().menuItem, RoundHalfEven(mHost.ScaleWidth()),
                           RoundHalfEven(mHost.ScaleHeight()), RoundHalfEven(PictureWidth()),
                           RoundHalfEven(PictureHeight()), mDDWidth, mPictureY, mPictureX);
}

// The drop-down arrow is three rows of 5, 3 and 1 pixels; the cascade arrow
// four columns of 7, 5, 3 and 1 pixels.
void Tovabel::LayoutArrow() {
    OleColor color = mShadowColor;
    if (mEnabled) {
        const bool lit = Traits().menuItem && (mMouseOver || mLeftButtonDown || mDroppedDown);
        color = lit ? 0x8000000E : mTextColor;
    }
    const double sw = mHost.ScaleWidth();
    const double sh = mHost.ScaleHeight();
    const bool evenHeight = RoundHalfEven(sh) % 2 == 0;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t size = 2;
    bool rows = true;
    switch (Traits().arrow) {
    case ArrowKind::Split:
        left = RoundHalfEven(sw - 7);
        top = RoundHalfEven(sh / 2) - (evenHeight ? 1 : 0);
        break;
    case ArrowKind::Corner:
        left = RoundHalfEven(sw - 11);
        top = RoundHalfEven(sh - 8);
        break;
    case ArrowKind::Cascade:
        left = RoundHalfEven(sw - 10);
        top = RoundHalfEven(sh / 2) - (evenHeight ? 0 : 1) - 3;
        size = 3;
        rows = false;
        break;
    default:
        return;
    }
    for (std::int32_t i = 0; i <= size; ++i) {
        const double length = 2 * size + 1 - 2 * i;
        Line& line = lnArrow[static_cast<std::size_t>(i)];
        if (rows) {
            Place(line, left + i, top + i, left + i + length, top + i);
        } else {
            Place(line, left + i, top + i, left + i, top + i + length);
        }
        line.BorderColor = color;
        line.Visible = true;
    }
}

// A size change from the container lays the face out again and tells the
// program; size changes the layout makes itself are not reported back.
void Tovabel::OnResize() {
    if (mInLayout || mInResize) {
        return;
    }
    mInResize = true;
    Cls();
    LayoutControl();
    EventArg args[] = {RoundHalfEven(mHost.ScaleWidth()), RoundHalfEven(mHost.ScaleHeight())};
    mHost.RaiseEvent(EventId::Resize, args); // values written back are ignored
    mInResize = false;
}

std::vector<Line> Tovabel::VisibleLines() const {
    std::vector<Line> lines;
    const auto add = [&lines](const auto& array) {
        for (const Line& line : array) {
            if (line.Visible) {
                lines.push_back(line);
            }
        }
    };
    add(lnArrow);
    add(lnSeparator);
    add(lnBorder);
    add(lnDDBorder);
    std::stable_sort(lines.begin(), lines.end(),
                     [](const Line& a, const Line& b) { return a.ZOrder < b.ZOrder; });
    return lines;
}

} // namespace tovabel
