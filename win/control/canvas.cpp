#include "canvas.h"

#include "gdi_painter.h"
#include "ole_values.h"
#include "shared_painting.h"
#include "win/common/per_thread.h"
#include "win/common/screen.h"

#include <olectl.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace tovabel::win {

namespace {

// The picture's size in screen pixels.
SIZE PixelSizeOf(const Picture& picture) {
    const auto pixels = [](std::int32_t himetric, int dpi) {
        return static_cast<LONG>(std::lround(himetric * dpi / 2540.0));
    };
    return {pixels(picture->Width(), ScreenDpiX()), pixels(picture->Height(), ScreenDpiY())};
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

// Where frames are composed and text is measured: one surface per thread, as
// large as the largest canvas presented on it, so that a button holds no
// surface of its own.
struct Surface {
    SharedFont font; // selected into the DC while it is not the DC's own; goes after the DC
    DibSurface dib;
    HGDIOBJ ownFont = nullptr;
};
PerThread<Surface> gSurfaces;

// The thread's surface, its DC made when missing; null when it cannot be made.
Surface* ThreadSurface() {
    Surface& surface = gSurfaces.GetOrMake();
    if (surface.dib.Dc() == nullptr) {
        surface.dib = DibSurface(nullptr);
        if (surface.dib.Dc() == nullptr) {
            return nullptr;
        }
        surface.ownFont = GetCurrentObject(surface.dib.Dc(), OBJ_FONT);
        SetBkMode(surface.dib.Dc(), TRANSPARENT);
    }
    return &surface;
}

// The thread's surface with a bitmap at least `size` large; null when it
// cannot be made.
Surface* FrameSurface(SIZE size) {
    Surface* surface = ThreadSurface();
    return surface != nullptr && surface->dib.Reserve(size) ? surface : nullptr;
}

void SelectFont(Surface& surface, const SharedFont& font) {
    if (font == surface.font) {
        return;
    }
    SelectObject(surface.dib.Dc(), font.Get() != nullptr ? font.Get() : surface.ownFont);
    surface.font = font; // the font before, no longer selected, may go
}

// The colours the surface's DC was last given while replaying; unknown after a
// picture, whose painter may set its own.
struct Colors {
    std::optional<COLORREF> text;
    std::optional<COLORREF> back;
};

void SetColors(HDC dc, Colors& known, std::optional<COLORREF> text, std::optional<COLORREF> back) {
    if (text && known.text != text) {
        ::SetTextColor(dc, *text);
        known.text = text;
    }
    if (back && known.back != back) {
        SetBkColor(dc, *back);
        known.back = back;
    }
}

// Each step as it draws on the surface.
struct Replay {
    Surface& surface;
    Colors known;

    HDC Dc() const { return surface.dib.Dc(); }
    // A fill is an opaque empty text: no brush is made.
    void operator()(const Canvas::Fill& fill) {
        SetColors(Dc(), known, std::nullopt, fill.color);
        ExtTextOutW(Dc(), 0, 0, ETO_OPAQUE, &fill.area, nullptr, 0, nullptr);
    }
    void operator()(const Canvas::Background& background) {
        RenderPicture(Dc(), background.picture, 0, 0);
        known = {};
    }
    void operator()(const Canvas::Words& words) {
        SelectFont(surface, words.font);
        SetColors(Dc(), known, words.color, std::nullopt);
        // Text draws its letters only, whatever the painters sharing the DC
        // left its mode at: a caption's cell never covers what lies beneath.
        SetBkMode(Dc(), TRANSPARENT);
        ::TextOutA(Dc(), words.x, words.y, words.ansi.c_str(), static_cast<int>(words.ansi.size()));
    }
    void operator()(const Canvas::PictureStep& step) {
        PaintPictureOn(surface.dib, step.paint, step.disabled, step.textColor, step.backColor);
        known = {};
    }
    void operator()(const Canvas::Pixels& pixels) {
        GdiFlush(); // drawing GDI still owes lands on the pixels first
        const SIZE size = surface.dib.Size();
        const LONG width = std::min(pixels.size.cx, size.cx);
        for (LONG y = 0; y < std::min(pixels.size.cy, size.cy); ++y) {
            std::copy_n(pixels.rows.data() + static_cast<std::size_t>(y) * pixels.size.cx, width,
                        surface.dib.Bits() + static_cast<std::size_t>(y) * size.cx);
        }
    }
};

bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool operator==(const PicturePaint& a, const PicturePaint& b) {
    return a.picture == b.picture && a.x == b.x && a.y == b.y && a.width == b.width &&
           a.height == b.height && a.maskColor == b.maskColor && a.backColor == b.backColor &&
           a.drawChecks == b.drawChecks && a.checkX == b.checkX && a.checkY == b.checkY &&
           a.checkWidth == b.checkWidth && a.checkHeight == b.checkHeight &&
           a.checkColor == b.checkColor;
}

// Steps that draw alike: the same kind, values, pictures and fonts.
struct Same {
    bool operator()(const Canvas::Fill& a, const Canvas::Fill& b) const {
        return a.area == b.area && a.color == b.color;
    }
    bool operator()(const Canvas::Background& a, const Canvas::Background& b) const {
        return a.picture == b.picture;
    }
    bool operator()(const Canvas::Words& a, const Canvas::Words& b) const {
        return a.x == b.x && a.y == b.y && a.ansi == b.ansi && a.font == b.font &&
               a.color == b.color;
    }
    bool operator()(const Canvas::PictureStep& a, const Canvas::PictureStep& b) const {
        return a.paint == b.paint && a.disabled == b.disabled && a.textColor == b.textColor &&
               a.backColor == b.backColor;
    }
    bool operator()(const Canvas::Pixels& a, const Canvas::Pixels& b) const {
        return a.size.cx == b.size.cx && a.size.cy == b.size.cy && a.rows == b.rows;
    }
    template <class A, class B> bool operator()(const A&, const B&) const { return false; }
};

bool SameSteps(const std::vector<Canvas::Step>& a, const std::vector<Canvas::Step>& b) {
    return std::equal(
        a.begin(), a.end(), b.begin(), b.end(),
        [](const Canvas::Step& x, const Canvas::Step& y) { return std::visit(Same{}, x, y); });
}

// More steps than this without a Clear are replaced by their pixels: a script
// that sets the hover picture in a loop draws it again and again.
constexpr std::size_t kMostSteps = 64;

} // namespace

HDC SurfaceDc() {
    Surface* surface = ThreadSurface();
    return surface != nullptr ? surface->dib.Dc() : nullptr;
}

SIZE MeasureText(const std::string& ansi, const SharedFont& font) {
    SIZE size{0, 0};
    if (Surface* surface = ThreadSurface()) {
        SelectFont(*surface, font);
        GetTextExtentPoint32A(surface->dib.Dc(), ansi.c_str(), static_cast<int>(ansi.size()),
                              &size);
    }
    return size;
}

void ReleaseFrames() {
    gSurfaces.Destroy();
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

Canvas::Canvas() = default;

// The new area is filled right of the old canvas, then below it.
void Canvas::Resize(SIZE size) {
    size.cx = std::max<LONG>(size.cx, 1);
    size.cy = std::max<LONG>(size.cy, 1);
    if (size.cx == mSize.cx && size.cy == mSize.cy) {
        return;
    }
    const RECT right{std::min(mSize.cx, size.cx), 0, size.cx, size.cy};
    const RECT below{0, std::min(mSize.cy, size.cy), std::min(mSize.cx, size.cx), size.cy};
    KeepShown();
    mSize = size;
    for (const RECT& area : {right, below}) {
        if (area.right > area.left && area.bottom > area.top) {
            Add(Fill{area, mBackColor});
        }
    }
    mChanged = true;
}

void Canvas::Clear(COLORREF color, const Picture& background) {
    if (std::exchange(mShownAreCurrent, false)) {
        mShownSteps = std::move(mSteps);
    }
    mSteps.clear();
    mBackColor = color;
    Add(Fill{{0, 0, mSize.cx, mSize.cy}, color});
    if (background) {
        Add(Background{background});
    }
}

void Canvas::TextOut(int x, int y, std::string ansi, const SharedFont& font) {
    Add(Words{x, y, std::move(ansi), font, mTextColor});
}

void Canvas::FillRect(const RECT& area, COLORREF color) {
    Add(Fill{area, color});
}

void Canvas::PaintPicture(const PicturePaint& paint, bool disabled) {
    Add(PictureStep{paint, disabled, mTextColor, mBackColor});
}

void Canvas::Add(Step step) {
    KeepShown();
    mChanged = true;
    // A fill or a picture drawn again over itself draws nothing new (text
    // would: its smoothed edges darken).
    if (!mSteps.empty() && !std::holds_alternative<Words>(step) &&
        std::visit(Same{}, mSteps.back(), step)) {
        return;
    }
    if (mSteps.size() >= kMostSteps) {
        Flatten();
    }
    mSteps.push_back(std::move(step));
}

void Canvas::Flatten() {
    Surface* surface = FrameSurface(mSize);
    if (surface == nullptr) {
        return; // out of GDI resources: the steps stay
    }
    Replay replay{*surface, {}};
    for (const Step& step : mSteps) {
        std::visit(replay, step);
    }
    GdiFlush();
    Pixels pixels{mSize, std::vector<std::uint32_t>(static_cast<std::size_t>(mSize.cx) * mSize.cy)};
    for (LONG y = 0; y < mSize.cy; ++y) {
        std::copy_n(surface->dib.Bits() + static_cast<std::size_t>(y) * surface->dib.Size().cx,
                    mSize.cx, pixels.rows.data() + static_cast<std::size_t>(y) * mSize.cx);
    }
    mSteps.clear();
    mSteps.push_back(std::move(pixels));
}

void Canvas::KeepShown() {
    if (std::exchange(mShownAreCurrent, false)) {
        mShownSteps = mSteps;
    }
}

bool Canvas::TakeChange() {
    if (!std::exchange(mChanged, false)) {
        return false;
    }
    const bool same =
        mSize.cx == mShownSize.cx && mSize.cy == mShownSize.cy && SameSteps(mSteps, mShownSteps);
    std::vector<Step>().swap(mShownSteps);
    mShownAreCurrent = true;
    mShownSize = mSize;
    return !same;
}

void Canvas::Present(HDC target, const RECT& bounds, std::span<const Line> lines) {
    Surface* surface = FrameSurface(mSize);
    if (surface == nullptr) {
        return; // out of GDI resources: the window keeps what it showed
    }
    HDC frame = surface->dib.Dc();
    Replay replay{*surface, {}};
    for (const Step& step : mSteps) {
        std::visit(replay, step);
    }
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
