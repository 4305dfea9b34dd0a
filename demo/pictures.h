// Small toolbar pictures made in code: 16 x 16 bitmaps on the control's
// default mask colour (silver), as standard picture objects a client assigns.
#pragma once

#include "win/common/com_ptr.h"

#include <windows.h>

#include <ocidl.h>

namespace tovabel::demo {

enum class Glyph { None, Folder, Bold, Back };

// The glyph as a picture object that owns its bitmap; empty for Glyph::None.
win::ComPtr<IPictureDisp> MakePicture(Glyph glyph);

} // namespace tovabel::demo
