// The control's view of the painting objects every instance of the thread
// shares (the halftone palette, the picture painter, the check pattern DC),
// and the pictures the thread's buttons paint again and again.
#pragma once

// The platform's headers first: they rename the painter's TextOut by macro,
// which must happen alike wherever the painter is declared.
#include <windows.h>

#include "render/painter.h"
#include "win/common/gdi.h"

namespace tovabel::win {

// The shared halftone palette; null while no instance holds a share.
HPALETTE SharedPalette();

// Paints a picture into `dc` with its mask colour transparent, or embossed
// when `disabled`, through the shared picture painter (nothing while no
// instance holds a share).
void PaintPicture(HDC dc, const PicturePaint& paint, bool disabled);

// Paints as PaintPicture does, with the DC's text and background colours
// `textColor` and `backColor` (a one-bit picture and the check pattern take
// them). A picture painted alike before is put on the pixels from memory.
void PaintPictureOn(const DibSurface& surface, const PicturePaint& paint, bool disabled,
                    COLORREF textColor, COLORREF backColor);

// Forgets the thread's remembered pictures (when its last control goes).
void ForgetPaintedPictures();

} // namespace tovabel::win
