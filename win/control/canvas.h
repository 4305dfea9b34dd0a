// The control's drawing surface: a persistent bitmap in a memory DC the size of
// the client area. What is drawn on it stays until it is cleared; the face's
// lines are not part of it but drawn on top whenever a frame is presented, on
// a frame surface that all controls of the thread share.
#pragma once

#include "control/types.h"
#include "render/face.h"
#include "win/common/gdi.h"

#include <windows.h>

#include <cstdint>
#include <span>

namespace tovabel::win {

class Canvas {
public:
    Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas() = default;

    // The memory DC; the same DC for the canvas's whole life.
    HDC Dc() const { return mDc.Get(); }
    SIZE Size() const { return mSize; }

    // A new size: what was drawn stays where it still fits, the new area is `fill`.
    void Resize(SIZE size, COLORREF fill);
    // A value that changes whenever the canvas's pixels or size change.
    std::uint64_t Fingerprint() const;
    // Fills the canvas with `color` (also the DC's background colour from now
    // on), then draws `background` at (0,0) at its own size.
    void Clear(COLORREF color, const Picture& background);

    // One complete frame: the canvas with `lines` on top (later lines over
    // earlier ones), drawn into `bounds` of `target`.
    void Present(HDC target, const RECT& bounds, std::span<const Line> lines);

private:
    bool Reallocate(SIZE capacity);

    Bitmap mBitmap; // selected into mDc, which gives it back before it is deleted
    MemoryDc mDc;
    const std::uint32_t* mBits = nullptr; // the bitmap's pixels, rows `mCapacity.cx` apart
    SIZE mSize{0, 0};                     // the canvas
    SIZE mCapacity{0, 0};                 // the bitmap, at least as large
};

// Frames are composed on one surface per thread, kept from one paint to the
// next; this gives the thread's surface back (when its last control goes).
void ReleaseFrames();

// Draws a standard picture into `dc` at (x, y) at its own size in pixels.
void RenderPicture(HDC dc, const Picture& picture, int x, int y);

// The region of a mask picture's pixels that are not `maskColor`; null for no
// picture or one that cannot be read.
Region MaskRegion(const Picture& mask, COLORREF maskColor);

} // namespace tovabel::win
