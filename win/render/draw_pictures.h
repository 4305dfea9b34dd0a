// DrawPictures is the control's shared picture painter `clsDrawPictures`: GDI
// routines that paint a picture with one colour transparent, a picture in the
// system's disabled (embossed) look, and the 8 x 8 check pattern that fills the
// face of a checked button. The routines take device contexts, pixel
// coordinates, OLE colours and picture objects; they know nothing of the
// control. The working bitmaps of the frequent routines, each in its memory
// DC, are kept by the painter from one call to the next (making them costs
// more than the painting); everything else a routine makes lives only for that
// call. Failing GDI calls are skipped and the routine paints what it can.
//
// SharedPainting holds what all instances of one thread share: the halftone
// palette `gPalette`, the painter `gDrawPictures` and the check pattern source
// `picDither`. The core counts the instances and asks for them with the first
// and gives them back with the last.
#pragma once

#include "common/gdi.h"

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace tovabel::win {

// The signature of USER's DrawStateA.
using DrawStateProc = BOOL(WINAPI*)(HDC, HBRUSH, DRAWSTATEPROC, LPARAM, WPARAM, int, int, int, int,
                                    UINT);

// DrawStateA as exported by user32 at run time; null when the export is missing.
DrawStateProc LookUpDrawState();

// One step of the check pattern's tile loop along one axis: a tile at `pos`
// that is `size` pixels long (0 on the last step when the length is a
// multiple of 8).
struct TileStep {
    std::int32_t pos = 0;
    std::int32_t size = 0;
    bool operator==(const TileStep&) const = default;
};
// The steps from `start` to `start + length`, both ends included, 8 apart.
std::vector<TileStep> CheckTileSteps(std::int32_t start, std::int32_t length);

// The control's shared picture painter `clsDrawPictures`.
class DrawPictures {
public:
    // `drawState` is the DrawStateA the disabled look is painted with; null
    // stands for a system without it, and a function that fails with
    // ERROR_CALL_NOT_IMPLEMENTED for one that has it only as a stub. Both make
    // the painter switch to its own embossing for the rest of its life.
    explicit DrawPictures(DrawStateProc drawState = LookUpDrawState());
    DrawPictures(const DrawPictures&) = delete;
    DrawPictures& operator=(const DrawPictures&) = delete;
    ~DrawPictures();

    // Fills wRequired x hRequired at (xDest, yDest) with the 8 x 8 pattern read
    // from (0, 0) of hdcSrc. Where the pattern is white, hdcDest gets
    // clrRequired; where it is black, hdcDest's background colour. The pattern's
    // phase is anchored at (xDest, yDest). hdcDest's text colour is left at
    // clrRequired. hPal 0 means the painter's halftone palette.
    void PaintCheckPattern(HDC hdcDest, std::int32_t xDest, std::int32_t yDest, HDC hdcSrc,
                           std::int32_t wRequired, std::int32_t hRequired, OLE_COLOR clrRequired,
                           HPALETTE hPal = nullptr);

    // Paints Width x Height at (xSrc, ySrc) of hdcSrc stretched to wRequired x
    // hRequired at (xDest, yDest) of hdcDest, leaving out the pixels of colour
    // clrMask (system colours are translated), optionally mirrored in place.
    // The check arguments are accepted and ignored.
    void PaintTransparentDC(HDC hdcDest, std::int32_t xDest, std::int32_t yDest, std::int32_t Width,
                            std::int32_t Height, HDC hdcSrc, std::int32_t xSrc, std::int32_t ySrc,
                            std::int32_t wRequired, std::int32_t hRequired, OLE_COLOR clrMask,
                            bool bDrawChecks, HDC hdcCheckSrc, OLE_COLOR clrCheckColour,
                            std::int32_t xCheck, std::int32_t yCheck, std::int32_t wCheck,
                            std::int32_t hCheck, bool bFlipHoriz, bool bFlipVert,
                            HPALETTE hPal = nullptr);

    // As PaintTransparentDC for a bitmap or icon picture, after the check
    // pattern when bDrawChecks is true. An icon's transparent area is left out.
    // A null, empty or metafile picture paints nothing, not even the pattern.
    void PaintTransparentStdPic(HDC hdcDest, std::int32_t xDest, std::int32_t yDest,
                                std::int32_t Width, std::int32_t Height, IPicture* picSource,
                                std::int32_t xSrc, std::int32_t ySrc, std::int32_t wRequired,
                                std::int32_t hRequired, OLE_COLOR clrMask, bool bDrawChecks,
                                HDC hdcCheckSrc, OLE_COLOR clrCheckColour, std::int32_t xCheck,
                                std::int32_t yCheck, std::int32_t wCheck, std::int32_t hCheck,
                                bool bFlipHoriz, bool bFlipVert, HPALETTE hPal = nullptr);

    // The picture in the system's disabled (embossed) look at (lLeft, lTop),
    // after the check pattern (painted once) when bDrawChecks is true. Icons,
    // and bitmaps when bUseMaskColor is true, are first put on white with their
    // transparent or lMaskColor pixels white, so those pixels are left out.
    void DrawDisabledPicture(HDC lhdcDest, IPicture* picSource, std::int32_t lLeft,
                             std::int32_t lTop, std::int32_t lWidth, std::int32_t lHeight,
                             std::int32_t wRequired, std::int32_t hRequired, OLE_COLOR lBackColor,
                             bool bUseMaskColor, OLE_COLOR lMaskColor, HPALETTE lhPal,
                             bool bDrawChecks, HDC hdcCheckSrc, OLE_COLOR clrCheckColour,
                             std::int32_t xCheck, std::int32_t yCheck, std::int32_t wCheck,
                             std::int32_t hCheck, bool bFlipHoriz, bool bFlipVert);

    // True once DrawStateA has been found missing or unimplemented.
    bool NoDrawState() const { return mNoDrawState; }
    HPALETTE DefaultPalette() const { return mDefaultPalette.Get(); }

private:
    // A memory DC with a bitmap of the size last asked for, kept between calls.
    class WorkSurface {
    public:
        // The DC with a `width` x `height` bitmap (made anew when the size or
        // kind changes), the default text and background colours and
        // `palette` selected (none for a monochrome one); null when GDI fails.
        // The bitmap's pixels are whatever the last user left.
        HDC Prepare(HDC screen, std::int32_t width, std::int32_t height, bool monochrome,
                    HPALETTE palette);
        void* Bits() const { return mBits; }
        // Gives the palette back, so that the caller may delete it, and drops
        // a bitmap too large to keep.
        void Done();

    private:
        win::Bitmap mBitmap;
        MemoryDc mDc;
        SIZE mSize{0, 0};
        bool mMonochrome = false;
        void* mBits = nullptr;
    };
    // Prepares `surface` and gives its palette back when the scope ends.
    class WorkDc {
    public:
        WorkDc(WorkSurface& surface, HDC screen, std::int32_t width, std::int32_t height,
               bool monochrome, HPALETTE palette)
            : mSurface(surface), mDc(surface.Prepare(screen, width, height, monochrome, palette)) {}
        WorkDc(const WorkDc&) = delete;
        WorkDc& operator=(const WorkDc&) = delete;
        ~WorkDc() { mSurface.Done(); }
        HDC Get() const { return mDc; }

    private:
        WorkSurface& mSurface;
        HDC mDc;
    };

    // A DC showing the bitmap picture's pixels: a 32-bit copy read from it
    // when GDI can read it, else the picture's own bitmap selected into `own`.
    HDC PictureSourceDc(HBITMAP picture, HPALETTE palette, std::optional<WorkDc>& copy,
                        MemoryDc& own);

    // The fallback embossing: highlight and shadow edges from a one-pixel
    // diagonal offset of the source's background, OR-ed onto hdcDest.
    void DrawEmbossedPicture(HDC hdcDest, std::int32_t xDest, std::int32_t yDest,
                             std::int32_t lWidth, std::int32_t lHeight, std::int32_t wRequired,
                             std::int32_t hRequired, OLE_COLOR lBackColor, bool bWhiteBack,
                             bool bFlipHoriz, bool bFlipVert, IPicture* picSource, HBITMAP hBitmap);
    // Calls DrawStateA; false when it is missing or not implemented.
    bool TryDrawState(HDC hdc, HANDLE image, std::int32_t x, std::int32_t y, std::int32_t cx,
                      std::int32_t cy);
    HPALETTE PaletteOrDefault(HPALETTE hPal) const {
        return hPal != nullptr ? hPal : mDefaultPalette.Get();
    }

    WindowDc mScreenDC{nullptr};
    Palette mDefaultPalette;
    bool mNoDrawState = false;
    DrawStateProc mDrawState;
    // One working surface per role, so that a routine that calls another
    // never paints over what it still needs.
    WorkSurface mPictureCopy;
    WorkSurface mIconCanvas;
    WorkSurface mBackCopy;
    WorkSurface mSourceCopy;
    WorkSurface mMask;
    WorkSurface mColourTile;
    WorkSurface mMonoTile;
};

// The check pattern source `picDither`: an 8 x 8 one-bit checkerboard in a
// memory DC. Its top-left pixel is black (bit 0), rows alternate 0x55 and
// 0xAA from the top, so a pixel (x, y) is black when x + y is even.
class DitherPattern {
public:
    DitherPattern();
    HDC Dc() const { return mDc.Get(); }

private:
    Bitmap mBitmap;
    MemoryDc mDc;
};

// The per-thread shared painting objects. Acquire creates what is missing
// (the palette from `surface`, which must stay valid only during the call);
// Release deletes them all. Accessors return null when nothing is held.
class SharedPainting {
public:
    static void Acquire(HDC surface);
    static void Release();
    static HPALETTE HalftonePalette(); // gPalette
    static DrawPictures* Pictures();   // gDrawPictures
    static HDC DitherDc();             // picDither's DC
};

} // namespace tovabel::win
