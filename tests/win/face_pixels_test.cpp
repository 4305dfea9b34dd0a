// The face as real GDI draws it in a container: the drop-down arrow's rows and
// the frame's colours, read back from the control's window.
#include "com_client.h"
#include "container.h"
#include "pixels.h"

#include <gtest/gtest.h>

#include <vector>

namespace tovabel::wintest {
namespace {

using olehost::Container;
using olehost::Pixels;
using olehost::ReadWindow;

constexpr const wchar_t* kProgId = L"OrnisTovabel.Tovabel";
// Colours no system colour scheme uses, so a match cannot be an accident.
constexpr COLORREF kBack = RGB(250, 250, 236);
constexpr COLORREF kText = RGB(200, 10, 10);
constexpr COLORREF kLight = RGB(20, 40, 250);
constexpr COLORREF kDark = RGB(10, 130, 60);

Var Colour(COLORREF colour) {
    return Long(static_cast<std::int32_t>(colour));
}

Pixels Face(Container& container) {
    container.Settle();
    return ReadWindow(container.ControlWindow());
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

TEST(FacePixels, DropDownArrowRowsFollowTheHeight) {
    struct Case {
        int height;
        int top;
    };
    for (const Case& tc : {Case{21, 10}, Case{22, 10}, Case{23, 12}}) {
        SCOPED_TRACE(tc.height);
        Container container;
        ASSERT_EQ(S_OK, container.Create(kProgId, {0, 0, 40, tc.height}));
        ASSERT_EQ(S_OK, container.Put(L"AutoSize", *Bool(false)));
        ASSERT_EQ(S_OK, container.Put(L"BackColor", *Colour(kBack)));
        ASSERT_EQ(S_OK, container.Put(L"TextColor", *Colour(kText)));
        ASSERT_EQ(S_OK, container.Put(L"Style", *Long(3)));
        const Pixels face = Face(container);
        ASSERT_EQ(face.height, tc.height);
        // Three rows of 5, 3 and 1 pixels, six pixels from the right edge.
        const std::vector<ColourRun> expected = {
            {tc.top, 33, 5}, {tc.top + 1, 34, 3}, {tc.top + 2, 35, 1}};
        EXPECT_EQ(RunsOf(face, kText), expected);
    }
}

TEST(FacePixels, RaisedFrameOfANonFlatButton) {
    Container container;
    ASSERT_EQ(S_OK, container.Create(kProgId, {0, 0, 40, 22}));
    ASSERT_EQ(S_OK, container.Put(L"AutoSize", *Bool(false)));
    ASSERT_EQ(S_OK, container.Put(L"BackColor", *Colour(kBack)));
    ASSERT_EQ(S_OK, container.Put(L"HighlightColor", *Colour(kLight)));
    ASSERT_EQ(S_OK, container.Put(L"ShadowColor", *Colour(kDark)));
    ASSERT_EQ(S_OK, container.Put(L"Style", *Long(10)));
    const Pixels face = Face(container);
    struct Probe {
        int x;
        int y;
        COLORREF colour;
    };
    // Light top and left edges, dark bottom and right edges; the right edge
    // reaches the bottom right corner and lies in front of the top edge.
    for (const Probe& p :
         {Probe{0, 0, kLight}, Probe{20, 0, kLight}, Probe{38, 0, kLight}, Probe{0, 10, kLight},
          Probe{0, 21, kDark}, Probe{20, 21, kDark}, Probe{39, 0, kDark}, Probe{39, 10, kDark},
          Probe{39, 21, kDark}, Probe{20, 10, kBack}, Probe{1, 1, kBack}}) {
        EXPECT_EQ(face.At(p.x, p.y), p.colour) << "at " << p.x << "," << p.y;
    }

    // A flat style shows no frame when the pointer is away.
    ASSERT_EQ(S_OK, container.Put(L"Style", *Long(0)));
    const Pixels flat = Face(container);
    EXPECT_EQ(flat.Count(kLight) + flat.Count(kDark), 0u);
}

// A checked button shows the one-pixel check pattern inside its frame in the
// highlight colour and the button's back colour, as the DC of a form keeps its
// back colour for patterns; the picture sits on top of it.
TEST(FacePixels, CheckPatternAlternatesHighlightAndBackColour) {
    Container container;
    ASSERT_EQ(S_OK, container.Create(kProgId, {0, 0, 40, 40}));
    ASSERT_EQ(S_OK, container.Put(L"AutoSize", *Bool(false)));
    ASSERT_EQ(S_OK, container.Put(L"BackColor", *Colour(kBack)));
    ASSERT_EQ(S_OK, container.Put(L"HighlightColor", *Colour(kLight)));
    ASSERT_EQ(S_OK, container.Put(L"ShadowColor", *Colour(kDark)));
    ASSERT_EQ(S_OK, container.Put(L"Style", *Long(1)));
    const Ref<IPictureDisp> picture = MakeBitmapPicture(16);
    ASSERT_EQ(S_OK, container.Put(L"Picture", *Object(picture.Get())));
    ASSERT_EQ(S_OK, container.Put(L"Checked", *Bool(true)));
    const Pixels face = Face(container);
    // Rows below the picture (16 x 16 from y = 3), inside the frame (x 1 to 38).
    for (const int y : {20, 21, 37, 38}) {
        for (int x = 1; x < 38; ++x) {
            const COLORREF here = face.At(x, y);
            const COLORREF next = face.At(x + 1, y);
            ASSERT_TRUE(here == kLight || here == kBack) << "at " << x << "," << y;
            ASSERT_NE(here, next) << "at " << x << "," << y;
        }
    }
    // The picture (all black) covers the pattern where it lies.
    EXPECT_EQ(face.At(20, 10), RGB(0, 0, 0));
}

} // namespace
} // namespace tovabel::wintest
