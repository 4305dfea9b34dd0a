// Reading what a window or a control's view shows, as 32-bit pixels,
// writing pixels to a PNG file through WIC, and making pictures of bitmaps.
#pragma once

#include "win/common/com_ptr.h"
#include "win/common/gdi.h"

#include <windows.h>

#include <ocidl.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tovabel::olehost {

// 32-bit pixels, row by row from the top, each 0x00RRGGBB.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> data;

    COLORREF At(int x, int y) const;
    // How many pixels have the colour.
    std::size_t Count(COLORREF color) const;
};

// `width` x `height` pixels of `source` from (x, y).
Pixels ReadDc(HDC source, int x, int y, int width, int height);
// The client area of a window as it is on the screen now.
Pixels ReadWindow(HWND window);
// What the control draws through IViewObject::Draw into a width x height bitmap.
Pixels ReadView(IUnknown* control, int width, int height);
// Writes a PNG through WIC; false on failure.
bool SavePng(const Pixels& pixels, const std::wstring& path);

// A standard picture object that owns `bitmap`; null (the bitmap deleted)
// when OLE makes none.
win::ComPtr<IPictureDisp> PictureOfBitmap(win::Bitmap bitmap);

} // namespace tovabel::olehost
