// The control's picture painter: the state's picture at its place, transparent
// where it has the mask colour, over the check pattern for a checked button,
// embossed when the button is disabled and has no picture of its own for that.
#include "control/tovabel.h"

#include "render/geometry.h"

namespace tovabel {

void Tovabel::DrawPicture() {
    if (Traits().separator != SeparatorKind::None) {
        return;
    }
    if (HandleOf(imgPicture) == 0) {
        return;
    }
    if (mTransparent && mBorderStyle == tvBorderStyle::None && mAutoSize) {
        // A transparent button is its picture: the surface shows it as background.
        ShowBackground(mMaskPicture);
        return;
    }
    PicturePaint paint;
    // The check pattern fills the area strictly inside the frame lines.
    paint.checkX = RoundHalfEven(lnBorder[Edge::Left].X1 + 1);
    paint.checkY = RoundHalfEven(lnBorder[Edge::Top].Y1 + 1);
    paint.checkWidth = RoundHalfEven(lnBorder[Edge::Right].X1 - lnBorder[Edge::Left].X1 - 1);
    paint.checkHeight = RoundHalfEven(lnBorder[Edge::Bottom].Y1 - lnBorder[Edge::Top].Y1 - 1);
    paint.checkColor = mHighlightColor;
    paint.drawChecks = mChecked && !mLeftButtonDown && !mMouseOver && !mTransparent;
    if (paint.drawChecks && FixedSingle() && Traits().sinksWhenChecked) {
        ++mPictureX;
        ++mPictureY;
    }
    paint.x = mPictureX;
    paint.y = mPictureY;
    paint.width = RoundHalfEven(PictureWidth());
    paint.height = RoundHalfEven(PictureHeight());
    paint.maskColor = mMaskColor;
    Painter& painter = mHost.Paint();
    if (mEnabled) {
        paint.picture = imgPicture;
        painter.PaintTransparentPicture(paint);
    } else if (mPictureDisabled) {
        paint.picture = mPictureDisabled; // at the size of the shown picture
        painter.PaintTransparentPicture(paint);
    } else {
        paint.picture = imgPicture;
        paint.backColor = mBackColor;
        painter.PaintDisabledPicture(paint);
    }
}

} // namespace tovabel
