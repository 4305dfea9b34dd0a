#include "draw_pictures.h"

#include "common/com_ptr.h"
#include "common/per_thread.h"

#include <olectl.h>

#include <algorithm>
#include <memory>
#include <optional>

namespace tovabel::win {

namespace {

// Raster operations beyond the named ones of wingdi.h.
constexpr DWORD kDestAndNotSource = 0x00220326;      // D = D AND NOT S
constexpr DWORD kBrushWhereSourceBlack = 0x00B8074A; // S 0: brush; S 1: D unchanged
constexpr DWORD kAllZeroPattern = 0x00000010;        // operation byte 0x00: every bit 0

constexpr UINT kDrawStateDisabledBitmap = 0x24; // DST_BITMAP | DSS_DISABLED
constexpr int kButtonHighlight = 20;            // COLOR_BTNHIGHLIGHT
constexpr int kButtonShadow = 16;               // COLOR_BTNSHADOW

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

COLORREF Translate(OLE_COLOR color, HPALETTE palette) {
    COLORREF rgb = 0;
    if (FAILED(OleTranslateColor(color, palette, &rgb))) {
        return color;
    }
    return rgb;
}

// A one-bit bitmap (bit 1 white, bit 0 black).
Bitmap MonochromeBitmap(std::int32_t width, std::int32_t height) {
    return Bitmap(CreateBitmap(width, height, 1, 1, nullptr));
}

// Working surfaces up to this many pixels are kept between calls; larger ones
// (a picture of thousands of pixels a side) are given back after each.
constexpr std::int64_t kKeptPixels = 256 * 256;

void FillSolid(HDC dc, std::int32_t width, std::int32_t height, COLORREF color) {
    const Brush brush(CreateSolidBrush(color));
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, brush.Get());
}

// The picture's type and handle; nullopt for no picture.
struct PictureInfo {
    SHORT type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
};
std::optional<PictureInfo> ReadPicture(IPicture* picture) {
    if (picture == nullptr) {
        return std::nullopt;
    }
    PictureInfo info;
    if (FAILED(picture->get_Type(&info.type))) {
        info.type = PICTYPE_NONE;
    }
    if (FAILED(picture->get_Handle(&info.handle))) {
        info.handle = 0;
    }
    return info;
}

HBITMAP AsBitmap(OLE_HANDLE handle) {
    return reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
}
HICON AsIcon(OLE_HANDLE handle) {
    return reinterpret_cast<HICON>(static_cast<UINT_PTR>(handle));
}

// Mirroring in place: a flipped axis gets a negative extent. GDI paints a
// negative extent -n from a start point p onto p - n + 1 .. p, so the start is
// the rectangle's last pixel, and the mirrored image covers the same pixels.
struct Placement {
    std::int32_t x, y, cx, cy;
};
Placement Mirrored(std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy, bool flipHoriz,
                   bool flipVert) {
    return {flipHoriz ? x + cx - 1 : x, flipVert ? y + cy - 1 : y, flipHoriz ? -cx : cx,
            flipVert ? -cy : cy};
}

// The thread's shared painting objects.
struct SharedObjects {
    Palette palette;
    std::unique_ptr<DrawPictures> pictures;
    std::unique_ptr<DitherPattern> dither;
};
PerThread<SharedObjects> gShared;

} // namespace

DrawStateProc LookUpDrawState() {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    if (user32 == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<DrawStateProc>(
        reinterpret_cast<void*>(GetProcAddress(user32, "DrawStateA")));
}

std::vector<TileStep> CheckTileSteps(std::int32_t start, std::int32_t length) {
    std::vector<TileStep> steps;
    const std::int32_t end = start + length;
    for (std::int32_t pos = start; pos <= end; pos += 8) {
        steps.push_back({pos, pos + 8 <= end ? 8 : end - pos});
    }
    return steps;
}

DrawPictures::DrawPictures(DrawStateProc drawState)
    : mDefaultPalette(CreateHalftonePalette(mScreenDC.Get())), mDrawState(drawState) {}

DrawPictures::~DrawPictures() = default;

HDC DrawPictures::WorkSurface::Prepare(HDC screen, std::int32_t width, std::int32_t height,
                                       bool monochrome, HPALETTE palette) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (mDc.Get() == nullptr) {
        mDc = MemoryDc(screen);
    }
    if (mBitmap.Get() == nullptr || mSize.cx != width || mSize.cy != height ||
        mMonochrome != monochrome) {
        // Colour work is done in 32-bit DIB sections: they hold every colour
        // of a true-colour screen, and GDI makes them many times faster than
        // bitmaps compatible with the screen DC (under Wine about 25 against
        // 130 microseconds and more for 24 x 24 pixels).
        void* bits = nullptr;
        win::Bitmap next =
            monochrome ? MonochromeBitmap(width, height) : CreateBitmap32({width, height}, &bits);
        if (!mDc.SelectBitmap(next.Get())) {
            return nullptr;
        }
        mBitmap = std::move(next); // the one it replaces is no longer selected
        mSize = {width, height};
        mMonochrome = monochrome;
        mBits = bits;
    }
    SetBkColor(mDc.Get(), kWhite);
    SetTextColor(mDc.Get(), kBlack);
    if (!monochrome) {
        mDc.SelectPalette(palette);
    }
    return mDc.Get();
}

void DrawPictures::WorkSurface::Done() {
    mDc.RestorePalette();
    if (static_cast<std::int64_t>(mSize.cx) * mSize.cy > kKeptPixels) {
        mDc.RestoreBitmap();
        mBitmap = win::Bitmap();
        mSize = {0, 0};
        mBits = nullptr;
    }
}

HDC DrawPictures::PictureSourceDc(HBITMAP picture, HPALETTE palette, std::optional<WorkDc>& copy,
                                  MemoryDc& own) {
    // Selecting a bitmap made for the screen into a DC costs several hundred
    // microseconds under Wine; reading its pixels costs next to nothing.
    BITMAP shape{};
    if (GetObjectW(picture, sizeof shape, &shape) == sizeof shape && shape.bmWidth > 0 &&
        shape.bmHeight > 0) {
        copy.emplace(mPictureCopy, mScreenDC.Get(), shape.bmWidth, shape.bmHeight, false, palette);
        BITMAPINFO layout = Bitmap32Layout({shape.bmWidth, shape.bmHeight});
        GdiFlush(); // nothing GDI still owes may land on the pixels after they are read
        if (copy->Get() != nullptr &&
            GetDIBits(copy->Get(), picture, 0, static_cast<UINT>(shape.bmHeight),
                      mPictureCopy.Bits(), &layout, DIB_RGB_COLORS) == shape.bmHeight) {
            return copy->Get();
        }
        copy.reset();
    }
    own = MemoryDc(mScreenDC.Get());
    own.SelectPalette(palette);
    own.SelectBitmap(picture);
    return own.Get();
}

void DrawPictures::PaintCheckPattern(HDC hdcDest, std::int32_t xDest, std::int32_t yDest,
                                     HDC hdcSrc, std::int32_t wRequired, std::int32_t hRequired,
                                     OLE_COLOR clrRequired, HPALETTE hPal) {
    const HPALETTE palette = PaletteOrDefault(hPal);
    const COLORREF colour = Translate(clrRequired, palette);

    // The pattern in colour, read with the source's own colours.
    const WorkDc colourDc(mColourTile, mScreenDC.Get(), 8, 8, false, palette);
    SetBkColor(colourDc.Get(), GetBkColor(hdcSrc));
    SetTextColor(colourDc.Get(), GetTextColor(hdcSrc));
    BitBlt(colourDc.Get(), 0, 0, 8, 8, hdcSrc, 0, 0, SRCCOPY);

    // Black pattern pixels become 1 in the tile, all others 0.
    const WorkDc monoDc(mMonoTile, mScreenDC.Get(), 8, 8, true, nullptr);
    SetBkColor(colourDc.Get(), kBlack);
    SetTextColor(colourDc.Get(), kWhite);
    BitBlt(monoDc.Get(), 0, 0, 8, 8, colourDc.Get(), 0, 0, SRCCOPY);

    // On the destination a 1 bit takes its background colour, a 0 bit the text
    // colour; the text colour stays set for the caller.
    SetTextColor(hdcDest, colour);
    for (const TileStep& column : CheckTileSteps(xDest, wRequired)) {
        for (const TileStep& row : CheckTileSteps(yDest, hRequired)) {
            BitBlt(hdcDest, column.pos, row.pos, column.size, row.size, monoDc.Get(), 0, 0,
                   SRCCOPY);
        }
    }
}

void DrawPictures::PaintTransparentDC(HDC hdcDest, std::int32_t xDest, std::int32_t yDest,
                                      std::int32_t Width, std::int32_t Height, HDC hdcSrc,
                                      std::int32_t xSrc, std::int32_t ySrc, std::int32_t wRequired,
                                      std::int32_t hRequired, OLE_COLOR clrMask,
                                      bool /*bDrawChecks*/, HDC /*hdcCheckSrc*/,
                                      OLE_COLOR /*clrCheckColour*/, std::int32_t /*xCheck*/,
                                      std::int32_t /*yCheck*/, std::int32_t /*wCheck*/,
                                      std::int32_t /*hCheck*/, bool bFlipHoriz, bool bFlipVert,
                                      HPALETTE hPal) {
    const HPALETTE palette = PaletteOrDefault(hPal);
    // System and palette colours name a colour; plain RGB values are used as they are.
    const COLORREF mask = clrMask > 0xFFFFFFu ? Translate(clrMask, palette) : clrMask;

    // What the destination shows now, at the required size.
    const WorkDc backDc(mBackCopy, mScreenDC.Get(), wRequired, hRequired, false, palette);
    BitBlt(backDc.Get(), 0, 0, wRequired, hRequired, hdcDest, xDest, yDest, SRCCOPY);

    // The source at its own size.
    const WorkDc sourceDc(mSourceCopy, mScreenDC.Get(), Width, Height, false, palette);
    SetBkColor(sourceDc.Get(), GetBkColor(hdcSrc));
    SetTextColor(sourceDc.Get(), GetTextColor(hdcSrc));
    BitBlt(sourceDc.Get(), 0, 0, Width, Height, hdcSrc, xSrc, ySrc, SRCCOPY);

    // The mask: 1 where the source shows the mask colour.
    const WorkDc maskDc(mMask, mScreenDC.Get(), Width, Height, true, nullptr);
    SetBkColor(sourceDc.Get(), mask);
    SetTextColor(sourceDc.Get(), kWhite);
    BitBlt(maskDc.Get(), 0, 0, Width, Height, sourceDc.Get(), 0, 0, SRCCOPY);

    // Mask-coloured source pixels turn black, so OR-ing the source adds nothing there.
    SetTextColor(sourceDc.Get(), kBlack);
    SetBkColor(sourceDc.Get(), kWhite);
    BitBlt(sourceDc.Get(), 0, 0, Width, Height, maskDc.Get(), 0, 0, kDestAndNotSource);

    // Opaque pixels are cleared in the background copy, then the source is OR-ed in.
    StretchBlt(backDc.Get(), 0, 0, wRequired, hRequired, maskDc.Get(), 0, 0, Width, Height, SRCAND);
    StretchBlt(backDc.Get(), 0, 0, wRequired, hRequired, sourceDc.Get(), 0, 0, Width, Height,
               SRCPAINT);

    const Placement at = Mirrored(xDest, yDest, wRequired, hRequired, bFlipHoriz, bFlipVert);
    StretchBlt(hdcDest, at.x, at.y, at.cx, at.cy, backDc.Get(), 0, 0, wRequired, hRequired,
               SRCCOPY);
}

void DrawPictures::PaintTransparentStdPic(
    HDC hdcDest, std::int32_t xDest, std::int32_t yDest, std::int32_t Width, std::int32_t Height,
    IPicture* picSource, std::int32_t xSrc, std::int32_t ySrc, std::int32_t wRequired,
    std::int32_t hRequired, OLE_COLOR clrMask, bool bDrawChecks, HDC hdcCheckSrc,
    OLE_COLOR clrCheckColour, std::int32_t xCheck, std::int32_t yCheck, std::int32_t wCheck,
    std::int32_t hCheck, bool bFlipHoriz, bool bFlipVert, HPALETTE hPal) {
    // Only bitmaps and icons are painted; anything else leaves even the pattern out.
    const std::optional<PictureInfo> picture = ReadPicture(picSource);
    if (!picture || (picture->type != PICTYPE_BITMAP && picture->type != PICTYPE_ICON)) {
        return;
    }
    if (bDrawChecks) {
        PaintCheckPattern(hdcDest, xCheck, yCheck, hdcCheckSrc, wCheck, hCheck, clrCheckColour,
                          hPal);
    }
    const HPALETTE palette = PaletteOrDefault(hPal);

    if (picture->type == PICTYPE_BITMAP) {
        std::optional<WorkDc> copy;
        MemoryDc own;
        const HDC sourceDc = PictureSourceDc(AsBitmap(picture->handle), palette, copy, own);
        PaintTransparentDC(hdcDest, xDest, yDest, Width, Height, sourceDc, xSrc, ySrc, wRequired,
                           hRequired, clrMask, bDrawChecks, hdcCheckSrc, clrCheckColour, xCheck,
                           yCheck, wCheck, hCheck, bFlipHoriz, bFlipVert, palette);
    } else {
        // The icon on a field of the mask colour: its transparent pixels show
        // the mask colour and are left out with it.
        const WorkDc canvasDc(mIconCanvas, mScreenDC.Get(), Width, Height, false, palette);
        const COLORREF mask = Translate(clrMask, nullptr);
        FillSolid(canvasDc.Get(), Width, Height, mask);
        DrawIcon(canvasDc.Get(), 0, 0, AsIcon(picture->handle));
        PaintTransparentDC(hdcDest, xDest, yDest, Width, Height, canvasDc.Get(), 0, 0, wRequired,
                           hRequired, mask, bDrawChecks, hdcCheckSrc, clrCheckColour, xCheck,
                           yCheck, wCheck, hCheck, bFlipHoriz, bFlipVert, palette);
    }
}

bool DrawPictures::TryDrawState(HDC hdc, HANDLE image, std::int32_t x, std::int32_t y,
                                std::int32_t cx, std::int32_t cy) {
    if (mDrawState == nullptr) {
        return false;
    }
    SetLastError(ERROR_SUCCESS);
    mDrawState(hdc, nullptr, nullptr, reinterpret_cast<LPARAM>(image), 0, x, y, cx, cy,
               kDrawStateDisabledBitmap);
    return GetLastError() != ERROR_CALL_NOT_IMPLEMENTED;
}

void DrawPictures::DrawDisabledPicture(
    HDC lhdcDest, IPicture* picSource, std::int32_t lLeft, std::int32_t lTop, std::int32_t lWidth,
    std::int32_t lHeight, std::int32_t wRequired, std::int32_t hRequired, OLE_COLOR lBackColor,
    bool bUseMaskColor, OLE_COLOR lMaskColor, HPALETTE lhPal, bool bDrawChecks, HDC hdcCheckSrc,
    OLE_COLOR clrCheckColour, std::int32_t xCheck, std::int32_t yCheck, std::int32_t wCheck,
    std::int32_t hCheck, bool bFlipHoriz, bool bFlipVert) {
    // The pattern goes first, and only once: a retry below does not repeat it.
    if (bDrawChecks) {
        PaintCheckPattern(lhdcDest, xCheck, yCheck, hdcCheckSrc, wCheck, hCheck, clrCheckColour,
                          lhPal);
    }
    const PictureInfo picture = ReadPicture(picSource).value_or(PictureInfo{});
    const bool icon = picture.type == PICTYPE_ICON;

    for (;;) {
        if (icon || bUseMaskColor) {
            // The picture on white, its transparent or mask-coloured pixels white.
            const Bitmap onWhite = CreateBitmap32({wRequired, hRequired});
            MemoryDc whiteDc(mScreenDC.Get());
            whiteDc.SelectPalette(lhPal);
            whiteDc.SelectBitmap(onWhite.Get());
            SetBkColor(whiteDc.Get(), kWhite);
            FillSolid(whiteDc.Get(), wRequired, hRequired, kWhite);
            PaintTransparentStdPic(whiteDc.Get(), 0, 0, lWidth, lHeight, picSource, 0, 0, wRequired,
                                   hRequired, lMaskColor, false, hdcCheckSrc, clrCheckColour,
                                   xCheck, yCheck, wCheck, hCheck, bFlipHoriz, bFlipVert, lhPal);
            whiteDc.RestoreBitmap();
            if (mNoDrawState) {
                DrawEmbossedPicture(lhdcDest, lLeft, lTop, lWidth, lHeight, wRequired, hRequired,
                                    lBackColor, true, bFlipHoriz, bFlipVert, nullptr,
                                    onWhite.Get());
                return;
            }
            // An icon is drawn at the required size; a bitmap at its own, which is the same.
            if (TryDrawState(lhdcDest, onWhite.Get(), lLeft, lTop, icon ? wRequired : 0,
                             icon ? hRequired : 0)) {
                return;
            }
        } else {
            if (mNoDrawState) {
                DrawEmbossedPicture(lhdcDest, lLeft, lTop, lWidth, lHeight, wRequired, hRequired,
                                    lBackColor, false, bFlipHoriz, bFlipVert, picSource, nullptr);
                return;
            }
            if (TryDrawState(lhdcDest, AsBitmap(picture.handle), lLeft, lTop, wRequired,
                             hRequired)) {
                return;
            }
        }
        mNoDrawState = true;
    }
}

void DrawPictures::DrawEmbossedPicture(HDC hdcDest, std::int32_t xDest, std::int32_t yDest,
                                       std::int32_t lWidth, std::int32_t lHeight,
                                       std::int32_t wRequired, std::int32_t hRequired,
                                       OLE_COLOR lBackColor, bool bWhiteBack, bool bFlipHoriz,
                                       bool bFlipVert, IPicture* picSource, HBITMAP hBitmap) {
    const COLORREF highlight = GetSysColor(kButtonHighlight);
    const COLORREF shadow = GetSysColor(kButtonShadow);

    const Bitmap maskA = MonochromeBitmap(lWidth, lHeight);
    const Bitmap maskB = MonochromeBitmap(lWidth, lHeight);
    const Bitmap output = CreateBitmap32({lWidth, lHeight});
    Bitmap iconCanvas;
    MemoryDc monoDc(mScreenDC.Get());
    MemoryDc colourDc(mScreenDC.Get());

    // The source: the given bitmap, the picture's bitmap, or its icon on white.
    bool iconSource = false;
    if (hBitmap != nullptr) {
        colourDc.SelectBitmap(hBitmap);
    } else if (const std::optional<PictureInfo> picture = ReadPicture(picSource)) {
        if (picture->type == PICTYPE_BITMAP) {
            colourDc.SelectBitmap(AsBitmap(picture->handle));
        } else if (picture->type == PICTYPE_ICON) {
            iconSource = true;
            iconCanvas = Bitmap(CreateCompatibleBitmap(hdcDest, lWidth, lHeight));
            colourDc.SelectBitmap(iconCanvas.Get());
            PatBlt(colourDc.Get(), 0, 0, lWidth, lHeight, WHITENESS);
            DrawIcon(colourDc.Get(), 0, 0, AsIcon(picture->handle));
        }
    }

    // M(x, y) = 1 where the source shows its background colour.
    const COLORREF background = bWhiteBack || iconSource ? kWhite : GetPixel(colourDc.Get(), 0, 0);
    SetBkColor(colourDc.Get(), background);

    // A = NOT M(x, y) OR M(x + 1, y + 1): 0 on background pixels whose lower-right
    // neighbour is picture; the last column and row have no neighbour there.
    monoDc.SelectBitmap(maskA.Get());
    PatBlt(monoDc.Get(), 0, 0, lWidth, lHeight, kAllZeroPattern);
    BitBlt(monoDc.Get(), 0, 0, lWidth - 1, lHeight - 1, colourDc.Get(), 1, 1, SRCCOPY);
    BitBlt(monoDc.Get(), 0, 0, lWidth, lHeight, colourDc.Get(), 0, 0, MERGEPAINT);

    // B = M(x, y) OR NOT M(x + 1, y + 1): 0 on picture pixels whose lower-right
    // neighbour is background.
    monoDc.SelectBitmap(maskB.Get());
    BitBlt(monoDc.Get(), 0, 0, lWidth, lHeight, colourDc.Get(), 0, 0, SRCCOPY);
    BitBlt(monoDc.Get(), 0, 0, lWidth - 1, lHeight - 1, colourDc.Get(), 1, 1, MERGEPAINT);

    colourDc.RestoreBitmap();
    colourDc.SelectBitmap(output.Get());
    const Brush back(CreateSolidBrush(Translate(lBackColor, nullptr)));
    colourDc.SelectBrush(back.Get());
    PatBlt(colourDc.Get(), 0, 0, lWidth, lHeight, PATCOPY);
    SetBkColor(colourDc.Get(), kWhite);
    SetTextColor(colourDc.Get(), kBlack);

    // Highlight where B is 0, then shadow where A is 0.
    const Brush highlightBrush(CreateSolidBrush(highlight));
    colourDc.SelectBrush(highlightBrush.Get());
    BitBlt(colourDc.Get(), 0, 0, lWidth, lHeight, monoDc.Get(), 0, 0, kBrushWhereSourceBlack);
    const Brush shadowBrush(CreateSolidBrush(shadow));
    colourDc.SelectBrush(shadowBrush.Get());
    monoDc.SelectBitmap(maskA.Get());
    BitBlt(colourDc.Get(), 0, 0, lWidth, lHeight, monoDc.Get(), 0, 0, kBrushWhereSourceBlack);
    colourDc.RestoreBrush();

    const Placement at = Mirrored(xDest, yDest, wRequired, hRequired, bFlipHoriz, bFlipVert);
    StretchBlt(hdcDest, at.x, at.y, at.cx, at.cy, colourDc.Get(), 0, 0, lWidth, lHeight, SRCPAINT);
}

DitherPattern::DitherPattern() {
    // Rows are word-aligned: each row's byte is followed by one padding byte.
    static const BYTE rows[16] = {0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0,
                                  0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0};
    mBitmap = Bitmap(CreateBitmap(8, 8, 1, 1, rows));
    mDc = MemoryDc(nullptr);
    mDc.SelectBitmap(mBitmap.Get());
}

void SharedPainting::Acquire(HDC surface) {
    SharedObjects& shared = gShared.GetOrMake();
    if (shared.palette.Get() == nullptr) {
        shared.palette = Palette(CreateHalftonePalette(surface));
    }
    if (!shared.pictures) {
        shared.pictures = std::make_unique<DrawPictures>();
    }
    if (!shared.dither) {
        shared.dither = std::make_unique<DitherPattern>();
    }
}

void SharedPainting::Release() {
    gShared.Destroy();
}

HPALETTE SharedPainting::HalftonePalette() {
    const SharedObjects* shared = gShared.Get();
    return shared != nullptr ? shared->palette.Get() : nullptr;
}

DrawPictures* SharedPainting::Pictures() {
    const SharedObjects* shared = gShared.Get();
    return shared != nullptr ? shared->pictures.get() : nullptr;
}

HDC SharedPainting::DitherDc() {
    const SharedObjects* shared = gShared.Get();
    return shared != nullptr && shared->dither ? shared->dither->Dc() : nullptr;
}

} // namespace tovabel::win
