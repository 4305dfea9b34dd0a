#include "shared_painting.h"

#include "ole_values.h"
#include "render/draw_pictures.h"

namespace tovabel::win {

HPALETTE SharedPalette() {
    return SharedPainting::HalftonePalette();
}

void PaintPicture(HDC dc, const PicturePaint& paint, bool disabled) {
    DrawPictures* pictures = SharedPainting::Pictures();
    const ComPtr<IPicture> picture = OlePicture::DispOf(paint.picture).As<IPicture>(IID_IPicture);
    if (pictures == nullptr || !picture) {
        return;
    }
    if (disabled) {
        pictures->DrawDisabledPicture(
            dc, picture.Get(), paint.x, paint.y, paint.width, paint.height, paint.width,
            paint.height, paint.backColor, true, paint.maskColor, SharedPalette(), paint.drawChecks,
            SharedPainting::DitherDc(), paint.checkColor, paint.checkX, paint.checkY,
            paint.checkWidth, paint.checkHeight, false, false);
    } else {
        pictures->PaintTransparentStdPic(
            dc, paint.x, paint.y, paint.width, paint.height, picture.Get(), 0, 0, paint.width,
            paint.height, paint.maskColor, paint.drawChecks, SharedPainting::DitherDc(),
            paint.checkColor, paint.checkX, paint.checkY, paint.checkWidth, paint.checkHeight,
            false, false, SharedPalette());
    }
}

} // namespace tovabel::win
