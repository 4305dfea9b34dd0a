// The shared picture painter, checked by the pixels it leaves in 24- and
// 32-bit DIB sections as the control calls it: the check pattern's colours and
// phase, bitmaps read afresh at each paint, icons, the embossed disabled look
// through USER's DrawStateA and through the painter's own embossing, and GDI
// objects left behind. (How a picture shows on the face, its mask colour left
// out and the pattern under it, is read from the face itself.)
#include "render/draw_pictures.h"

#include "com_client.h"

#include "common/com_ptr.h"
#include "common/gdi.h"
#include "olehost/object_counts.h"

#include <windows.h>

#include <olectl.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tovabel::win {
namespace {

using olehost::GdiObjects;

constexpr COLORREF kMaskGrey = RGB(192, 192, 192); // the default mask colour
constexpr COLORREF kMarker = RGB(1, 2, 3);         // "not painted"
constexpr OLE_COLOR kSysButtonFace = 0x8000000F;

// A DIB section of the given depth in its own memory DC.
class Surface {
public:
    Surface(int width, int height, WORD bits, COLORREF fill = kMarker)
        : mWidth(width), mHeight(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = bits;
        info.bmiHeader.biCompression = BI_RGB;
        void* pixels = nullptr;
        mBitmap = Bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
        mDc = MemoryDc(nullptr);
        mDc.SelectBitmap(mBitmap.Get());
        Fill(fill);
    }
    HDC Dc() const { return mDc.Get(); }
    void Fill(COLORREF color) {
        const Brush brush(CreateSolidBrush(color));
        const RECT all{0, 0, mWidth, mHeight};
        FillRect(mDc.Get(), &all, brush.Get());
    }
    COLORREF At(int x, int y) const { return GetPixel(mDc.Get(), x, y); }
    int Width() const { return mWidth; }
    int Height() const { return mHeight; }

private:
    int mWidth;
    int mHeight;
    Bitmap mBitmap;
    MemoryDc mDc;
};

// Pictures are drawn as rows of letters, one per pixel ('.': the mask colour).
COLORREF Colour(char c) {
    static const std::map<char, COLORREF> colours = {{'.', kMaskGrey},
                                                     {'r', RGB(200, 0, 0)},
                                                     {'g', RGB(0, 160, 0)},
                                                     {'b', RGB(0, 0, 220)},
                                                     {'k', RGB(0, 0, 64)}};
    const auto found = colours.find(c);
    return found == colours.end() ? RGB(255, 255, 0) : found->second;
}
using Grid = std::vector<std::string>;

Bitmap ScreenBitmapOf(const Grid& grid) {
    const WindowDc screen(nullptr);
    const int w = static_cast<int>(grid[0].size());
    const int h = static_cast<int>(grid.size());
    Bitmap bitmap(CreateCompatibleBitmap(screen.Get(), w, h));
    MemoryDc dc(screen.Get());
    dc.SelectBitmap(bitmap.Get());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            SetPixel(dc.Get(), x, y, Colour(grid[y][x]));
        }
    }
    return bitmap;
}

// A picture of `type` that owns `handle` (a bitmap, icon or enhanced metafile,
// whose handles share their place in the description).
ComPtr<IPicture> PictureOf(SHORT type, void* handle = nullptr) {
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof(desc);
    desc.picType = type;
    desc.bmp.hbitmap = static_cast<HBITMAP>(handle);
    ComPtr<IPicture> picture;
    OleCreatePictureIndirect(&desc, IID_IPicture, TRUE, picture.PutVoid());
    return picture;
}

ComPtr<IPicture> BitmapPicture(const Grid& grid) {
    return PictureOf(PICTYPE_BITMAP, ScreenBitmapOf(grid).Detach());
}

// A 32 x 32 icon: an opaque `colour` square at 8..23 each way, transparent around it.
constexpr int kIconSize = 32;
constexpr int kIconInner = 8;
bool InIconSquare(int x, int y) {
    return x >= kIconInner && x < kIconSize - kIconInner && y >= kIconInner &&
           y < kIconSize - kIconInner;
}
ComPtr<IPicture> IconPicture(COLORREF colour) {
    const WindowDc screen(nullptr);
    Bitmap colourBits(CreateCompatibleBitmap(screen.Get(), kIconSize, kIconSize));
    Bitmap maskBits(CreateBitmap(kIconSize, kIconSize, 1, 1, nullptr));
    {
        MemoryDc c(screen.Get());
        c.SelectBitmap(colourBits.Get());
        MemoryDc m(screen.Get());
        m.SelectBitmap(maskBits.Get());
        PatBlt(c.Get(), 0, 0, kIconSize, kIconSize, BLACKNESS);
        PatBlt(m.Get(), 0, 0, kIconSize, kIconSize, WHITENESS); // 1: transparent
        const int end = kIconSize - kIconInner;
        PatBlt(m.Get(), kIconInner, kIconInner, end - kIconInner, end - kIconInner, BLACKNESS);
        const RECT square{kIconInner, kIconInner, end, end};
        FillRect(c.Get(), &square, Brush(CreateSolidBrush(colour)).Get());
    }
    ICONINFO info{TRUE, 0, 0, maskBits.Get(), colourBits.Get()};
    // The icon copies the bitmaps.
    return PictureOf(PICTYPE_ICON, CreateIconIndirect(&info));
}

// Check pattern reference: (x, y) inside the rectangle anchored at (ax, ay) is
// the destination's background colour when the dither pixel there is black.
bool DitherBlackAt(int x, int y, int ax, int ay) {
    return ((x - ax) + (y - ay)) % 2 == 0;
}

// Compares every pixel of `surface` with `want(x, y)`; reports the first three that differ.
void ExpectPixels(const Surface& surface, const std::string& what,
                  const std::function<COLORREF(int, int)>& want) {
    int wrong = 0;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            if (surface.At(x, y) != want(x, y) && ++wrong <= 3) {
                ADD_FAILURE() << what << ": pixel " << x << "," << y << " is " << std::hex
                              << surface.At(x, y) << ", want " << want(x, y);
            }
        }
    }
}

// ---------------------------------------------------------------------------

TEST(DrawPicturesCheckPattern, PaintsColourAndBackgroundAnchoredAtTheCornerAndNoFurther) {
    struct Case {
        WORD bits;
        int x, y, w, h;
        OLE_COLOR colour;
        COLORREF expected;
    };
    const Case cases[] = {
        {32, 0, 0, 16, 16, RGB(200, 0, 0), RGB(200, 0, 0)},
        {24, 3, 5, 13, 10, RGB(0, 100, 200), RGB(0, 100, 200)},
        {32, 1, 2, 16, 1, kSysButtonFace, GetSysColor(COLOR_BTNFACE)},
        {24, 7, 4, 5, 17, 0x80000014, GetSysColor(COLOR_BTNHIGHLIGHT)},
    };
    DrawPictures painter;
    const DitherPattern dither;
    const COLORREF back = RGB(10, 20, 30);
    for (const Case& c : cases) {
        Surface surface(40, 40, c.bits);
        SetBkColor(surface.Dc(), back);
        painter.PaintCheckPattern(surface.Dc(), c.x, c.y, dither.Dc(), c.w, c.h, c.colour);
        // Translated with the halftone palette: a palette-relative colour.
        EXPECT_EQ(GetTextColor(surface.Dc()) & 0xFFFFFFu, c.expected);
        ExpectPixels(surface, "rect at " + std::to_string(c.x), [&](int x, int y) {
            const bool inside = x >= c.x && x < c.x + c.w && y >= c.y && y < c.y + c.h;
            return !inside ? kMarker : (DitherBlackAt(x, y, c.x, c.y) ? back : c.expected);
        });
    }
}

// ---------------------------------------------------------------------------

// The painter reads a bitmap picture's pixels at every paint: a one-bit
// bitmap shows black and white, and pixels the host draws into the picture's
// bitmap after a paint show at the next one.
TEST(DrawPicturesStdPic, BitmapPixelsAreReadAsTheyAreAtEachPaint) {
    DrawPictures painter;
    const WindowDc screen(nullptr);
    // A 4 x 4 one-bit bitmap, black in its left half; rows are word-aligned.
    static const BYTE rows[8] = {0x3F, 0, 0x3F, 0, 0x3F, 0, 0x3F, 0};
    const ComPtr<IPicture> oneBit = PictureOf(PICTYPE_BITMAP, CreateBitmap(4, 4, 1, 1, rows));
    ASSERT_TRUE(oneBit);
    Surface surface(8, 8, 32);
    painter.PaintTransparentStdPic(surface.Dc(), 2, 2, 4, 4, oneBit.Get(), 0, 0, 4, 4,
                                   RGB(255, 255, 255), false, nullptr, 0, 0, 0, 0, 0, false, false);
    EXPECT_EQ(surface.At(2, 3), RGB(0, 0, 0));
    EXPECT_EQ(surface.At(3, 5), RGB(0, 0, 0));
    EXPECT_EQ(surface.At(4, 3), kMarker) << "white, the mask colour, is left out";

    const ComPtr<IPicture> picture = BitmapPicture({"rr", "rr"});
    OLE_HANDLE handle = 0;
    ASSERT_EQ(S_OK, picture->get_Handle(&handle));
    for (const COLORREF drawn : {Colour('r'), Colour('g'), Colour('b')}) {
        {
            MemoryDc dc(screen.Get());
            dc.SelectBitmap(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)));
            SetPixel(dc.Get(), 1, 1, drawn);
        }
        Surface target(4, 4, 32);
        painter.PaintTransparentStdPic(target.Dc(), 1, 1, 2, 2, picture.Get(), 0, 0, 2, 2,
                                       kMaskGrey, false, nullptr, 0, 0, 0, 0, 0, false, false);
        EXPECT_EQ(target.At(2, 2), drawn);
        EXPECT_EQ(target.At(1, 1), Colour('r'));
    }
}

TEST(DrawPicturesStdPic, IconsLeaveTheirTransparentAreaOut) {
    DrawPictures painter;
    const ComPtr<IPicture> icon = IconPicture(RGB(0, 128, 255));
    ASSERT_TRUE(icon);
    for (const WORD bits : {WORD{24}, WORD{32}}) {
        Surface surface(40, 40, bits);
        painter.PaintTransparentStdPic(surface.Dc(), 4, 2, kIconSize, kIconSize, icon.Get(), 0, 0,
                                       kIconSize, kIconSize, kMaskGrey, false, nullptr, 0, 0, 0, 0,
                                       0, false, false);
        ExpectPixels(surface, std::to_string(bits) + " bits", [](int x, int y) {
            return InIconSquare(x - 4, y - 2) ? RGB(0, 128, 255) : kMarker;
        });
    }
}

TEST(DrawPicturesStdPic, NullEmptyAndMetafilePicturesPaintNothingNotEvenThePattern) {
    DrawPictures painter;
    const DitherPattern dither;
    const ComPtr<IPicture> metafile = wintest::MakeMetafilePicture().As<IPicture>(IID_IPicture);
    const ComPtr<IPicture> empty = PictureOf(PICTYPE_NONE);
    ASSERT_TRUE(metafile);
    ASSERT_TRUE(empty);
    for (IPicture* picture : {static_cast<IPicture*>(nullptr), empty.Get(), metafile.Get()}) {
        Surface surface(24, 24, 32);
        painter.PaintTransparentStdPic(surface.Dc(), 0, 0, 20, 20, picture, 0, 0, 20, 20, kMaskGrey,
                                       true, dither.Dc(), RGB(255, 0, 0), 0, 0, 24, 24, false,
                                       false);
        ExpectPixels(surface, "nothing painted", [](int, int) { return kMarker; });
    }
}

// ---------------------------------------------------------------------------
// The disabled look.

// A dark square at 2..4 each way on the mask colour.
const Grid kSquare = {
    "........", "........", "..kkk...", "..kkk...", "..kkk...", "........", "........", "........",
};

// The painter's own embossing of a picture on black with a black back colour:
// with M = 1 on the source's background ('.': the mask colour, which the
// masked branch turns white and the plain branch finds at (0, 0)), highlight where M(x, y) = 0 and
// M(x + 1, y + 1) = 1; shadow where M(x, y) = 1 and M(x + 1, y + 1) = 0, taking
// M = 1 beyond the last column and row for the highlight and 0 for the shadow.
COLORREF EmbossedAt(const Grid& grid, int x, int y) {
    const int w = static_cast<int>(grid[0].size());
    const int h = static_cast<int>(grid.size());
    const auto m = [&](int px, int py) { return grid[py][px] == '.'; };
    const bool edge = x + 1 >= w || y + 1 >= h;
    const bool b = m(x, y) || (!edge && !m(x + 1, y + 1));
    const bool a = !m(x, y) || (!edge && m(x + 1, y + 1));
    if (!b) {
        return GetSysColor(COLOR_BTNHIGHLIGHT);
    }
    if (!a) {
        return GetSysColor(COLOR_BTNSHADOW);
    }
    return RGB(0, 0, 0);
}

void ExpectFallbackEmboss(const Surface& surface, const Grid& grid, int x0, int y0) {
    const int w = static_cast<int>(grid[0].size());
    const int h = static_cast<int>(grid.size());
    ExpectPixels(surface, "embossed", [&](int x, int y) {
        const bool inside = x >= x0 && x < x0 + w && y >= y0 && y < y0 + h;
        return inside ? EmbossedAt(grid, x - x0, y - y0) : RGB(0, 0, 0);
    });
}

// A DrawStateA that is there only as a stub: it fills gStubMark of the DC it
// was asked to paint on and fails with ERROR_CALL_NOT_IMPLEMENTED.
int gStubCalls = 0;
RECT gStubMark{};
BOOL WINAPI UnimplementedDrawState(HDC hdc, HBRUSH, DRAWSTATEPROC, LPARAM, WPARAM, int, int, int,
                                   int, UINT) {
    ++gStubCalls;
    const Brush marker(CreateSolidBrush(RGB(9, 9, 9)));
    FillRect(hdc, &gStubMark, marker.Get());
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}

TEST(DrawPicturesDisabled, FallbackEmbossesByTheMasksAndLeavesMaskColourAndIconAreaOut) {
    // A missing export and an unimplemented stub both lead to the same look.
    for (const DrawStateProc proc : {DrawStateProc{nullptr}, &UnimplementedDrawState}) {
        DrawPictures painter(proc);
        const ComPtr<IPicture> picture = BitmapPicture(kSquare);
        for (const bool useMask : {true, false}) {
            Surface surface(16, 16, 32, RGB(0, 0, 0));
            painter.DrawDisabledPicture(surface.Dc(), picture.Get(), 3, 2, 8, 8, 8, 8, RGB(0, 0, 0),
                                        useMask, kMaskGrey, nullptr, false, nullptr, 0, 0, 0, 0, 0,
                                        false, false);
            EXPECT_TRUE(painter.NoDrawState());
            SCOPED_TRACE(useMask ? "masked bitmap" : "plain bitmap");
            ExpectFallbackEmboss(surface, kSquare, 3, 2);
        }
    }
    // An icon's transparent area is left out as the mask colour is.
    DrawPictures painter(nullptr);
    const ComPtr<IPicture> icon = IconPicture(RGB(0, 0, 64));
    Surface surface(kIconSize, kIconSize, 24, RGB(0, 0, 0));
    painter.DrawDisabledPicture(surface.Dc(), icon.Get(), 0, 0, kIconSize, kIconSize, kIconSize,
                                kIconSize, RGB(0, 0, 0), true, kMaskGrey, nullptr, false, nullptr,
                                0, 0, 0, 0, 0, false, false);
    Grid grid(kIconSize, std::string(kIconSize, '.'));
    for (int y = kIconInner; y < kIconSize - kIconInner; ++y) {
        grid[y].replace(kIconInner, kIconSize - 2 * kIconInner, kIconSize - 2 * kIconInner, 'k');
    }
    ExpectFallbackEmboss(surface, grid, 0, 0);
}

TEST(DrawPicturesDisabled, FallbackAfterAnUnimplementedCallKeepsTheCheckPatternOfTheFirstTry) {
    gStubCalls = 0;
    gStubMark = RECT{0, 0, 30, 30};
    DrawPictures painter(&UnimplementedDrawState);
    const DitherPattern dither;
    const ComPtr<IPicture> picture = BitmapPicture(kSquare);
    Surface surface(30, 30, 24, RGB(0, 0, 0));
    painter.DrawDisabledPicture(surface.Dc(), picture.Get(), 20, 20, 8, 8, 8, 8, RGB(0, 0, 0), true,
                                kMaskGrey, nullptr, true, dither.Dc(), RGB(255, 255, 255), 0, 0, 16,
                                16, false, false);
    EXPECT_EQ(gStubCalls, 1);
    // The stub's mark over the pattern stays: the retry did not paint it again.
    EXPECT_EQ(surface.At(0, 0), RGB(9, 9, 9));
    EXPECT_EQ(surface.At(15, 15), RGB(9, 9, 9));
    // The embossed square is OR-ed onto the mark.
    EXPECT_EQ(surface.At(22 + 2, 20 + 4), RGB(9, 9, 9) | GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(surface.At(20 + 1, 20 + 1), RGB(9, 9, 9) | GetSysColor(COLOR_BTNSHADOW));

    // From now on the stub is not asked again.
    painter.DrawDisabledPicture(surface.Dc(), picture.Get(), 0, 0, 8, 8, 8, 8, RGB(0, 0, 0), true,
                                kMaskGrey, nullptr, false, nullptr, 0, 0, 0, 0, 0, false, false);
    EXPECT_EQ(gStubCalls, 1);
    gStubMark = RECT{};
}

TEST(DrawPicturesDisabled, CheckPatternIsPaintedOnceBeforeThePicture) {
    DrawPictures painter;
    const DitherPattern dither;
    const ComPtr<IPicture> picture = BitmapPicture(kSquare);
    Surface surface(20, 20, 32);
    SetBkColor(surface.Dc(), RGB(0, 0, 0));
    painter.DrawDisabledPicture(surface.Dc(), picture.Get(), 10, 10, 8, 8, 8, 8, RGB(0, 0, 0), true,
                                kMaskGrey, nullptr, true, dither.Dc(), RGB(0, 255, 0), 1, 1, 9, 9,
                                false, false);
    for (int y = 1; y < 10; ++y) {
        for (int x = 1; x < 10; ++x) {
            const COLORREF want = DitherBlackAt(x, y, 1, 1) ? RGB(0, 0, 0) : RGB(0, 255, 0);
            ASSERT_EQ(surface.At(x, y), want) << x << "," << y;
        }
    }
    EXPECT_EQ(surface.At(0, 0), kMarker);
}

// Wine's and Windows' DrawStateA paint the disabled look as a shadow-coloured
// image with a highlight-coloured copy one pixel right and down beneath it;
// white (here: mask-coloured) pixels are left out of both.
TEST(DrawPicturesDisabled, DrawStateGivesTheSystemsEmbossedLook) {
    DrawPictures painter;
    const ComPtr<IPicture> picture = BitmapPicture(kSquare);
    const ComPtr<IPicture> icon = IconPicture(RGB(0, 0, 64));
    const COLORREF face = RGB(50, 60, 70);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    struct Case {
        const char* name;
        IPicture* picture;
        int size;
        int first, last; // the dark square's span each way
    };
    const Case cases[] = {
        {"masked bitmap", picture.Get(), 8, 2, 4},
        {"icon", icon.Get(), kIconSize, kIconInner, kIconSize - kIconInner - 1},
    };
    for (const Case& c : cases) {
        Surface surface(c.size + 8, c.size + 8, 32, face);
        painter.DrawDisabledPicture(surface.Dc(), c.picture, 2, 3, c.size, c.size, c.size, c.size,
                                    RGB(0, 0, 0), true, kMaskGrey, nullptr, false, nullptr, 0, 0, 0,
                                    0, 0, false, false);
        ASSERT_FALSE(painter.NoDrawState());
        const auto dark = [&](int qx, int qy) {
            return qx >= c.first && qx <= c.last && qy >= c.first && qy <= c.last;
        };
        ExpectPixels(surface, c.name, [&](int x, int y) {
            return dark(x - 2, y - 3) ? shadow : dark(x - 3, y - 4) ? highlight : face;
        });
    }
}

// ---------------------------------------------------------------------------

TEST(DrawPicturesLeaks, ThousandCallsOfEachRoutineLeaveNoGdiObjects) {
    constexpr DWORD kTolerance = 0;
    DrawPictures painter;
    DrawPictures fallback(nullptr);
    DrawPictures stubbed(&UnimplementedDrawState);
    const DitherPattern dither;
    const ComPtr<IPicture> bitmap = BitmapPicture(kSquare);
    const ComPtr<IPicture> icon = IconPicture(RGB(0, 0, 64));
    Surface surface(48, 48, 32);
    const HDC dc = surface.Dc();

    // The disabled look of `picture`, `size` pixels square, with the mask or
    // without, over the check pattern or not.
    const auto disabled = [&](DrawPictures& by, IPicture* picture, int size, bool useMask,
                              bool checked) {
        by.DrawDisabledPicture(dc, picture, 1, 1, size, size, size, size, kSysButtonFace, useMask,
                               kMaskGrey, nullptr, checked, checked ? dither.Dc() : nullptr,
                               RGB(255, 255, 255), 0, 0, 10, 10, checked, checked);
    };
    struct Routine {
        const char* name;
        std::function<void()> call;
    };
    const Routine routines[] = {
        {"PaintCheckPattern",
         [&] { painter.PaintCheckPattern(dc, 1, 1, dither.Dc(), 20, 20, kSysButtonFace); }},
        {"PaintTransparentStdPic bitmap",
         [&] {
             painter.PaintTransparentStdPic(dc, 1, 1, 8, 8, bitmap.Get(), 0, 0, 8, 8, kMaskGrey,
                                            true, dither.Dc(), RGB(255, 255, 255), 0, 0, 10, 10,
                                            false, false);
         }},
        {"PaintTransparentStdPic icon",
         [&] {
             painter.PaintTransparentStdPic(dc, 1, 1, 32, 32, icon.Get(), 0, 0, 32, 32,
                                            kSysButtonFace, false, nullptr, 0, 0, 0, 0, 0, false,
                                            false);
         }},
        {"DrawStateA bitmap", [&] { disabled(painter, bitmap.Get(), 8, true, true); }},
        {"DrawStateA icon", [&] { disabled(painter, icon.Get(), 32, true, false); }},
        {"fallback", [&] { disabled(fallback, bitmap.Get(), 8, true, true); }},
        {"fallback plain icon", [&] { disabled(fallback, icon.Get(), 32, false, false); }},
        {"fallback plain bitmap", [&] { disabled(fallback, bitmap.Get(), 8, false, false); }},
        {"unimplemented DrawStateA", [&] { disabled(stubbed, icon.Get(), 32, true, false); }},
    };
    for (const Routine& routine : routines) {
        routine.call(); // anything the system caches on first use
        const DWORD before = GdiObjects();
        for (int i = 0; i < 1000; ++i) {
            routine.call();
        }
        const DWORD after = GdiObjects();
        EXPECT_LE(after, before + kTolerance) << routine.name << ": " << before << " -> " << after;
    }
}

} // namespace
} // namespace tovabel::win
