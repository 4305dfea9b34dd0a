// The face as real GDI draws it in a container: the drop-down arrow's rows, the
// frame's colours in every look, the check pattern and the picture's transparent
// and disabled looks, read back from the control's window.
#include "com_client.h"
#include "win/olehost/container.h"
#include "win/olehost/pixels.h"

#include <gtest/gtest.h>

#include <olectl.h>

#include <vector>

namespace tovabel::wintest {
namespace {

using olehost::Container;
using olehost::Pixels;

constexpr COLORREF kSquare = RGB(230, 120, 0);
constexpr COLORREF kDefaultMask = RGB(192, 192, 192);

struct Probe {
    int x;
    int y;
    COLORREF colour;
};

void ExpectProbes(const Pixels& face, const std::vector<Probe>& probes) {
    for (const Probe& p : probes) {
        EXPECT_EQ(face.At(p.x, p.y), p.colour) << "at " << p.x << "," << p.y;
    }
}

void SetPicture(Container& container, COLORREF background) {
    ASSERT_EQ(S_OK,
              container.Put(L"Picture", *Object(MakeSquarePicture(16, background, kSquare).Get())));
}

void Pointer(Container& container, UINT message, int x, int y, WPARAM keys = 0) {
    SendMessageW(container.ControlWindow(), message, keys, MAKELPARAM(x, y));
}

struct ColourRun {
    int y;
    int x;
    int length;
    bool operator==(const ColourRun&) const = default;
};

// Every horizontal run of `colour`, top to bottom.
std::vector<ColourRun> RunsOf(const Pixels& pixels, COLORREF colour) {
    std::vector<ColourRun> runs;
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            if (pixels.At(x, y) != colour) {
                continue;
            }
            int end = x;
            while (end < pixels.width && pixels.At(end, y) == colour) {
                ++end;
            }
            runs.push_back({y, x, end - x});
            x = end;
        }
    }
    return runs;
}

// The arrow's lines, in the text colour, end before their last point as GDI
// draws them (where the rows lie at each height is the native tests' table).
TEST(FacePixels, DropDownArrowIsDrawnInTheTextColour) {
    Container container;
    ASSERT_EQ(S_OK, MakeButton(container, {0, 0, 40, 22}, 3));
    // Three rows of 5, 3 and 1 pixels, six pixels from the right edge.
    const std::vector<ColourRun> expected = {{10, 33, 5}, {11, 34, 3}, {12, 35, 1}};
    EXPECT_EQ(RunsOf(Face(container), kText), expected);
}

// The main frame and the drop-down area's frame each show their own look
// (which look each style and gesture brings is the native tests' table).
TEST(FacePixels, DropDownAreaHasAFrameOfItsOwn) {
    Container container;
    ASSERT_EQ(S_OK, MakeButton(container, {0, 0, 40, 22}, 3));
    Pointer(container, WM_LBUTTONDOWN, 36, 5, MK_LBUTTON);
    // x = 30 and 31: the main frame's right edge and the arrow area's left edge.
    ExpectProbes(Face(container),
                 {{0, 5, kLight}, {30, 5, kDark}, {31, 5, kDark}, {39, 5, kLight}});
    ReleaseCapture();
}

// The default look widens the frame's pens to two pixels. A wide pen is
// centred on its line, as GDI draws it: the bottom and right edges, which lie
// on the last row and column, show both pixels; the top and left edges lie on
// the window's border, which cuts their outer half away. A form that makes a
// button its default tells it through the ambient's change notice, and the
// frame follows at once.
TEST(FacePixels, DefaultButtonHasATwoPixelFrame) {
    for (const int style : {10, 0}) {
        SCOPED_TRACE(style);
        Container container;
        container.Site().displayAsDefault = true;
        ASSERT_EQ(S_OK, MakeButton(container, {0, 0, 40, 22}, style));
        Pointer(container, WM_MOUSEMOVE, 5, 5);
        const COLORREF inner = style == 10 ? kDark : kBack;
        ExpectProbes(Face(container), {{0, 5, kLight},
                                       {1, 5, kBack},
                                       {10, 0, kLight},
                                       {10, 1, kBack},
                                       {39, 5, kDark},
                                       {38, 5, inner},
                                       {37, 5, kBack},
                                       {10, 21, kDark},
                                       {10, 20, inner},
                                       {10, 19, kBack}});
        ReleaseCapture();
    }
    Container container;
    ASSERT_EQ(S_OK, MakeButton(container, {0, 0, 40, 22}, 10));
    const auto announce = [&](bool isDefault) {
        container.Site().displayAsDefault = isDefault;
        ASSERT_EQ(S_OK, container.Dispatch()
                            .As<IOleControl>(IID_IOleControl)
                            ->OnAmbientPropertyChange(DISPID_AMBIENT_DISPLAYASDEFAULT));
    };
    ExpectProbes(Face(container), {{38, 5, kBack}});
    announce(true);
    ExpectProbes(Face(container), {{39, 5, kDark}, {38, 5, kDark}, {10, 20, kDark}});
    announce(false);
    ExpectProbes(Face(container), {{39, 5, kDark}, {38, 5, kBack}, {10, 20, kBack}});
}

TEST(FacePixels, CheckedButtonShowsThePatternUnderItsShiftedPicture) {
    Container container;
    ASSERT_EQ(S_OK, MakeButton(container, {0, 0, 40, 22}, 1));
    SetPicture(container, kDefaultMask);
    const RECT unchecked = BoundsOf(Face(container), kSquare);
    ASSERT_EQ(unchecked.right - unchecked.left, 8);

    ASSERT_EQ(S_OK, container.Put(L"Checked", *Bool(true)));
    const Pixels face = Face(container);
    // The pattern starts at the inner corner with the face colour (the pattern's
    // black squares take the surface's background colour) and alternates with
    // the highlight colour; the frame is sunken around it.
    ExpectProbes(face, {{1, 1, kBack},
                        {2, 1, kLight},
                        {1, 2, kLight},
                        {2, 2, kBack},
                        {38, 20, kBack},
                        {37, 20, kLight},
                        {0, 0, kDark},
                        {39, 21, kLight}});
    const RECT checked = BoundsOf(face, kSquare);
    EXPECT_EQ(checked.left, unchecked.left + 1) << "one pixel right";
    EXPECT_EQ(checked.top, unchecked.top + 1) << "one pixel down";
    // The picture's mask-coloured pixels show the pattern, not the mask colour.
    EXPECT_EQ(face.Count(kDefaultMask), 0u);

    // Under the pointer the pattern goes: only the frame keeps the highlight.
    Pointer(container, WM_MOUSEMOVE, 5, 5);
    const Pixels hovered = Face(container);
    EXPECT_EQ(hovered.At(2, 1), kBack);
    EXPECT_EQ(hovered.Count(kLight), 40u + 21u) << "the bottom and right edges only";

    // A look shown again is the same to the pixel, however often its picture
    // and pattern were painted before.
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        Pointer(container, WM_MOUSEMOVE, 60, 5);
        EXPECT_EQ(Face(container).data, face.data) << "checked, pointer away";
        Pointer(container, WM_MOUSEMOVE, 5, 5);
        EXPECT_EQ(Face(container).data, hovered.data) << "under the pointer";
    }
    ReleaseCapture();
}

// A system colour as the mask colour leaves out the pixels of that colour.
TEST(FacePixels, MaskColourPixelsShowTheFaceAlsoForASystemColour) {
    const COLORREF buttonFace = GetSysColor(COLOR_BTNFACE);
    ASSERT_NE(buttonFace, kBack);
    Container container;
    ASSERT_EQ(S_OK, MakeButton(container, {0, 0, 40, 22}));
    ASSERT_EQ(S_OK, container.Put(L"MaskColor", *Long(static_cast<std::int32_t>(0x8000000F))));
    SetPicture(container, buttonFace);
    const Pixels face = Face(container);
    EXPECT_EQ(face.Count(buttonFace), 0u);
    EXPECT_EQ(face.Count(kSquare), 64u);
}

// A caption over the picture draws its letters only: the picture shows
// around them, in every look.
TEST(FacePixels, CaptionOverThePictureLeavesItVisible) {
    Container container;
    ASSERT_EQ(S_OK, MakeButton(container, {0, 0, 40, 30}));
    SetPicture(container, kDefaultMask);
    ASSERT_EQ(S_OK, PutAll(container, {{L"AlignPicture", Long(4)},
                                       {L"AlignCaption", Long(4)},
                                       {L"Caption", Str(L"iii")}}));
    for (const int x : {5, 60, 5}) {
        SCOPED_TRACE(x);
        Pointer(container, WM_MOUSEMOVE, x, 5);
        EXPECT_GT(Face(container).Count(kSquare), 32u) << "of the square's 64 pixels";
    }
    ReleaseCapture();
}

TEST(FacePixels, DisabledPictureIsEmbossedWithItsMaskLeftOut) {
    Container container;
    ASSERT_EQ(S_OK, MakeButton(container, {0, 0, 40, 22}));
    SetPicture(container, kDefaultMask);
    const RECT square = BoundsOf(Face(container), kSquare);
    ASSERT_EQ(square.right - square.left, 8);

    ASSERT_EQ(S_OK, container.Put(L"Enabled", *Bool(false)));
    const Pixels face = Face(container);
    EXPECT_EQ(face.Count(kSquare), 0u) << "no original colour";
    EXPECT_EQ(face.Count(kDefaultMask), 0u) << "mask-coloured pixels left out";
    // The square's shape is drawn in the system's disabled look: the shadow
    // colour over the square, the highlight one pixel right and down.
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    EXPECT_EQ(face.At(square.left, square.top), shadow);
    EXPECT_EQ(face.At(square.right - 1, square.bottom - 1), shadow);
    EXPECT_EQ(face.At(square.right, square.bottom), highlight);
    EXPECT_EQ(face.At(square.left - 1, square.top - 1), kBack);
}

// A transparent button is its picture: each look shows that look's picture in
// that picture's shape, from the change that brings the look on.
TEST(FacePixels, TransparentButtonShowsThePictureOfEachLook) {
    constexpr COLORREF kOver = RGB(0, 160, 200);
    constexpr COLORREF kDown = RGB(120, 0, 160);
    constexpr COLORREF kNext = RGB(90, 200, 90);
    Container container;
    ASSERT_EQ(S_OK, container.Create(kProgId, {0, 0, 40, 30}));
    const Ref<IPictureDisp> normal = MakeSquarePicture(16, kDefaultMask, kSquare);
    const Ref<IPictureDisp> over = MakeSquarePicture(16, kOver, kOver); // no mask colour
    const Ref<IPictureDisp> down = MakeSquarePicture(16, kDefaultMask, kDown);
    ASSERT_EQ(S_OK, PutAll(container, {{L"Picture", Object(normal.Get())},
                                       {L"PictureOver", Object(over.Get())},
                                       {L"PictureDown", Object(down.Get())},
                                       {L"Transparent", Bool(true)}}));
    struct Look {
        const char* name;
        UINT message;
        int x;
        COLORREF shown;
        std::size_t pixels;
    };
    for (const Look& look :
         {Look{"hover", WM_MOUSEMOVE, 8, kOver, 256}, Look{"pressed", WM_LBUTTONDOWN, 8, kDown, 64},
          Look{"released", WM_LBUTTONUP, 8, kOver, 256},
          Look{"left", WM_MOUSEMOVE, 60, kSquare, 64}}) {
        SCOPED_TRACE(look.name);
        Pointer(container, look.message, look.x, 8,
                look.message == WM_LBUTTONDOWN ? MK_LBUTTON : 0);
        const Pixels face = Face(container);
        for (const COLORREF colour : {kSquare, kOver, kDown}) {
            EXPECT_EQ(face.Count(colour), colour == look.shown ? look.pixels : 0u);
        }
    }
    const Ref<IPictureDisp> next = MakeSquarePicture(16, kDefaultMask, kNext);
    ASSERT_EQ(S_OK, container.Put(L"Picture", *Object(next.Get())));
    const Pixels face = Face(container);
    EXPECT_EQ(face.Count(kNext), 64u) << "a new picture shows at once";
    EXPECT_EQ(face.Count(kSquare), 0u);
    ReleaseCapture();
}

} // namespace
} // namespace tovabel::wintest
