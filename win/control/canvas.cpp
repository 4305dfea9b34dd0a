#include "canvas.h"

#include "gdi_painter.h"
#include "ole_values.h"
#include "win/common/per_thread.h"

#include <olectl.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace tovabel::win {

namespace {

// The picture's size in screen pixels.
SIZE PixelSizeOf(const Picture& picture) {
    const WindowDc screen(nullptr);
    const auto pixels = [](std::int32_t himetric, int dpi) {
        return static_cast<LONG>(std::lround(himetric * dpi / 2540.0));
    };
    return {pixels(picture->Width(), GetDeviceCaps(screen.Get(), LOGPIXELSX)),
            pixels(picture->Height(), GetDeviceCaps(screen.Get(), LOGPIXELSY))};
}

// A face coordinate as a device pixel: nearest, halves to the even neighbour.
int Pixel(double v) {
    return static_cast<int>(std::lrint(v));
}

// A line one pixel wide takes the DC's own pen in its colour; a wider one
// needs a pen of its own.
void DrawLines(HDC dc, std::span<const Line> lines) {
    const Selection dcPen(dc, GetStockObject(DC_PEN));
    for (const Line& line : lines) {
        if (!line.Visible) {
            continue;
        }
        const COLORREF color = Translate(line.BorderColor);
        Pen wide;
        std::optional<Selection> selected;
        if (line.BorderWidth > 1) {
            wide = Pen(CreatePen(PS_SOLID, line.BorderWidth, color));
            selected.emplace(dc, wide.Get());
        } else {
            SetDCPenColor(dc, color);
        }
        MoveToEx(dc, Pixel(line.X1), Pixel(line.Y1), nullptr);
        LineTo(dc, Pixel(line.X2), Pixel(line.Y2)); // the end point itself stays unpainted
    }
}

// Where frames are composed: one surface per thread, as large as the largest
// canvas presented on it, so that a button holds no frame of its own.
struct FrameSurface {
    Bitmap bitmap; // selected into dc, which gives it back before it is deleted
    MemoryDc dc{nullptr};
    SIZE size{0, 0};
};
PerThread<FrameSurface> gFrames;

// The thread's frame DC, at least `size` large; null when it cannot be made.
HDC FrameDc(SIZE size) {
    FrameSurface& frame = gFrames.GetOrMake();
    if (frame.bitmap.Get() != nullptr && size.cx <= frame.size.cx && size.cy <= frame.size.cy) {
        return frame.dc.Get();
    }
    const SIZE grown{std::max(size.cx, frame.size.cx), std::max(size.cy, frame.size.cy)};
    Bitmap next = CreateBitmap32(grown);
    if (next.Get() == nullptr || !frame.dc.SelectBitmap(next.Get())) {
        return nullptr;
    }
    frame.bitmap = std::move(next); // the old bitmap, now unselected, is deleted here
    frame.size = grown;
    return frame.dc.Get();
}

} // namespace

void ReleaseFrames() {
    gFrames.Destroy();
}

void RenderPicture(HDC dc, const Picture& picture, int x, int y) {
    const ComPtr<IPicture> object = OlePicture::DispOf(picture).As<IPicture>(IID_IPicture);
    if (!object) {
        return;
    }
    const SIZE pixels = PixelSizeOf(picture);
    const std::int32_t width = picture->Width();
    const std::int32_t height = picture->Height();
    // HIMETRIC runs upwards: the source starts at the bottom edge.
    object->Render(dc, x, y, pixels.cx, pixels.cy, 0, height, width, -height, nullptr);
}

Canvas::Canvas() : mDc(nullptr) {
    Resize({1, 1}, RGB(255, 255, 255));
}

// The bitmap is made anew only to grow past what it holds, or when the canvas
// would use less than half of it: a control whose size goes back and forth
// while it loads keeps one bitmap.
void Canvas::Resize(SIZE size, COLORREF fill) {
    size.cx = std::max<LONG>(size.cx, 1);
    size.cy = std::max<LONG>(size.cy, 1);
    if (mBitmap.Get() != nullptr && size.cx == mSize.cx && size.cy == mSize.cy) {
        return;
    }
    const bool outgrown = size.cx > mCapacity.cx || size.cy > mCapacity.cy;
    const bool tooLarge = 2 * static_cast<std::int64_t>(size.cx) * size.cy <
                          static_cast<std::int64_t>(mCapacity.cx) * mCapacity.cy;
    if (mBitmap.Get() == nullptr || outgrown || tooLarge) {
        if (!Reallocate(outgrown
                            ? SIZE{std::max(size.cx, mCapacity.cx), std::max(size.cy, mCapacity.cy)}
                            : size)) {
            return; // out of GDI resources: the old canvas stays
        }
    }
    // What was not part of the canvas before shows `fill`.
    SetDCBrushColor(mDc.Get(), fill);
    const auto brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
    const RECT right{std::min(mSize.cx, size.cx), 0, size.cx, size.cy};
    const RECT below{0, std::min(mSize.cy, size.cy), std::min(mSize.cx, size.cx), size.cy};
    for (const RECT& area : {right, below}) {
        if (area.right > area.left && area.bottom > area.top) {
            FillRect(mDc.Get(), &area, brush);
        }
    }
    mSize = size;
}

// A bitmap of `capacity` with what was drawn so far where it fits; the DC
// keeps its state.
bool Canvas::Reallocate(SIZE capacity) {
    void* bits = nullptr;
    Bitmap next = CreateBitmap32(capacity, &bits);
    if (next.Get() == nullptr) {
        return false;
    }
    if (mBitmap.Get() != nullptr) {
        MemoryDc copy(mDc.Get());
        copy.SelectBitmap(next.Get());
        BitBlt(copy.Get(), 0, 0, mSize.cx, mSize.cy, mDc.Get(), 0, 0, SRCCOPY);
    } else {
        mSize = {0, 0}; // nothing drawn yet: all of it is new
    }
    mDc.SelectBitmap(next.Get());
    mBitmap = std::move(next); // the old bitmap, now unselected, is deleted here
    mBits = static_cast<const std::uint32_t*>(bits);
    mCapacity = capacity;
    return true;
}

// FNV-1a over the canvas's pixels and size.
std::uint64_t Canvas::Fingerprint() const {
    GdiFlush(); // drawing GDI still owes lands on the pixels first
    std::uint64_t hash = 14695981039346656037ull;
    const auto mix = [&hash](std::uint64_t value) {
        hash ^= value;
        hash *= 1099511628211ull;
    };
    mix(static_cast<std::uint64_t>(mSize.cx) << 32 | static_cast<std::uint32_t>(mSize.cy));
    if (mBits == nullptr) {
        return hash;
    }
    for (LONG y = 0; y < mSize.cy; ++y) {
        const std::uint32_t* row = mBits + static_cast<std::size_t>(y) * mCapacity.cx;
        for (LONG x = 0; x < mSize.cx; ++x) {
            mix(row[x]);
        }
    }
    return hash;
}

void Canvas::Clear(COLORREF color, const Picture& background) {
    // The face colour is also the DC's background colour: the light squares of
    // a checked button's pattern take it.
    // An opaque empty text fills with the background colour: no brush is made.
    SetBkColor(mDc.Get(), color);
    const RECT all{0, 0, mSize.cx, mSize.cy};
    ExtTextOutW(mDc.Get(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    if (background) {
        RenderPicture(mDc.Get(), background, 0, 0);
    }
}

void Canvas::Present(HDC target, const RECT& bounds, std::span<const Line> lines) {
    HDC frame = FrameDc(mSize);
    if (frame == nullptr) {
        return; // out of GDI resources: the window keeps what it showed
    }
    BitBlt(frame, 0, 0, mSize.cx, mSize.cy, mDc.Get(), 0, 0, SRCCOPY);
    DrawLines(frame, lines);
    const LONG width = bounds.right - bounds.left;
    const LONG height = bounds.bottom - bounds.top;
    if (width == mSize.cx && height == mSize.cy) {
        BitBlt(target, bounds.left, bounds.top, width, height, frame, 0, 0, SRCCOPY);
    } else {
        StretchBlt(target, bounds.left, bounds.top, width, height, frame, 0, 0, mSize.cx, mSize.cy,
                   SRCCOPY);
    }
}

Region MaskRegion(const Picture& mask, COLORREF maskColor) {
    if (!mask) {
        return {};
    }
    const SIZE size = PixelSizeOf(mask);
    if (size.cx <= 0 || size.cy <= 0) {
        return {};
    }
    void* bits = nullptr;
    const Bitmap bitmap = CreateBitmap32(size, &bits);
    {
        MemoryDc dc(nullptr);
        if (!dc.SelectBitmap(bitmap.Get())) {
            return {};
        }
        const Brush brush(CreateSolidBrush(maskColor));
        const RECT all{0, 0, size.cx, size.cy};
        FillRect(dc.Get(), &all, brush.Get());
        RenderPicture(dc.Get(), mask, 0, 0);
        GdiFlush();
    }
    // DIB pixels are 0x00RRGGBB; a COLORREF is 0x00BBGGRR.
    const DWORD key =
        (GetRValue(maskColor) << 16) | (GetGValue(maskColor) << 8) | GetBValue(maskColor);
    const auto* pixels = static_cast<const DWORD*>(bits);
    std::vector<RECT> runs;
    for (LONG y = 0; y < size.cy; ++y) {
        const DWORD* row = pixels + static_cast<std::size_t>(y) * size.cx;
        LONG x = 0;
        while (x < size.cx) {
            while (x < size.cx && (row[x] & 0xFFFFFF) == key) {
                ++x;
            }
            const LONG start = x;
            while (x < size.cx && (row[x] & 0xFFFFFF) != key) {
                ++x;
            }
            if (x > start) {
                runs.push_back({start, y, x, y + 1});
            }
        }
    }
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(runs.size());
    header->nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
    header->rcBound = {0, 0, size.cx, size.cy};
    std::copy(runs.begin(), runs.end(),
              reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER)));
    return Region(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                  reinterpret_cast<const RGNDATA*>(data.data())));
}

} // namespace tovabel::win
