// The control's view of the painting objects every instance of the thread
// shares (the halftone palette, the picture painter, the check pattern DC).
#pragma once

#include "render/painter.h"

#include <windows.h>

namespace tovabel::win {

// The shared halftone palette; null while no instance holds a share.
HPALETTE SharedPalette();

// Paints a picture into `dc` with its mask colour transparent, or embossed
// when `disabled`, through the shared picture painter (nothing while no
// instance holds a share).
void PaintPicture(HDC dc, const PicturePaint& paint, bool disabled);

} // namespace tovabel::win
