// The stateless caption and geometry routines.
#include "fake_host.h"

#include "render/caption_font.h"
#include "render/geometry.h"
#include "render/text_fit.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace tovabel::testing {
namespace {

TEST(ParseAccessKey, MarkersPairsAndSpaces) {
    using Case = std::tuple<const char16_t*, const char16_t*, const char16_t*, std::int32_t>;
    for (const auto& [caption, text, marked, at] : {
             Case{u"&File", u"File", u"F", 1},
             Case{u"Fi&le && more", u"File & more", u"l", 3},
             Case{u"A&&B", u"A&B", u"B", 3}, // the pair's second '&' marks B
             Case{u"Save && Exit", u"Save & Exit", u"", 0},
             Case{u"&&", u"&", u"", 0},
             Case{u"&", u"&", u"", 0},
             Case{u"Save&", u"Save&", u"", 0},
             Case{u"& x", u"& x", u"", 0},
             Case{u"a && b && c", u"a & b && c", u"", 0}, // only the first pair shrinks
             Case{u"&&&x", u"&x", u"x", 2},
             Case{u"", u"", u"", 0},
             Case{u"No marker", u"No marker", u"", 0},
         }) {
        SCOPED_TRACE(Narrow(caption));
        std::int32_t pos = -7;
        Text key = u"stale";
        EXPECT_EQ(ParseAccessKey(caption, pos, key), text);
        EXPECT_EQ(key, marked);
        EXPECT_EQ(pos, at);
    }
}

// The texts a caption shortens to, one pass per character as a designer sees
// them: the fitted text is the first of these that fits.
std::vector<Text> ShorteningOrder(const Text& text) {
    std::vector<Text> order{text};
    for (std::size_t k = text.size() >= 5 ? text.size() - 4 : 0; k >= 1; --k) {
        order.push_back(text.substr(0, k) + u"...");
    }
    for (const Text dots : {u"..", u".", u""}) {
        if (text.size() >= dots.size() + 2) {
            order.push_back(text.substr(0, 1) + dots);
        }
    }
    order.push_back(u"");
    return order;
}

TEST(FitTextToWidth, TakesTheFirstTextOfTheShorteningOrderThatFits) {
    // Characters of different widths, dots narrow, as a proportional font has them.
    const MeasureText proportional = [](const Text& t) {
        std::int32_t cx = 0;
        for (const char16_t c : t) {
            cx += c == u'.' ? 2 : 3 + c % 7;
        }
        return cx;
    };
    for (const Text& original :
         {Text(), Text(u"W"), Text(u"Wi"), Text(u"Wid"), Text(u"Wide"), Text(u"Mixed widths here"),
          Text(u"iiiiiWWWWWWiiiii"), Text(80, u'm')}) {
        for (std::int32_t available = -1; available <= proportional(original) + 2; ++available) {
            Text text = original;
            std::int32_t width = available;
            FitTextToWidth(proportional, text, width);
            Text expected;
            for (const Text& candidate : ShorteningOrder(original)) {
                expected = candidate;
                if (proportional(candidate) <= available || available < 0) {
                    break;
                }
            }
            ASSERT_EQ(text, expected) << Narrow(original) << " in " << available;
            ASSERT_EQ(width, proportional(expected));
        }
    }
}

// Each row: the state, style, border style and alignment, whether the arrow is
// pressed and the button is a menu item, the surface's and the picture's sizes,
// the drop-down area's width and where the picture goes (77,88: left as it was).
TEST(Geometry, PicturePositionForEveryAlignment) {
    using namespace tvStyle;
    using namespace tvAlign;
    struct Case {
        std::int32_t state, style, border, align;
        bool arrowPressed, menuItem;
        std::int32_t sw, sh, pw, ph, dd, left, top;
    };
    const Case cases[] = {
        {vsNormal, Normal, 1, AlignTop, false, false, 40, 30, 16, 16, 0, 12, 2},
        {vsNormal, Normal, 0, AlignTop, false, false, 40, 30, 16, 16, 0, 12, 0},
        {vsNormal, Normal, 1, AlignBottom, false, false, 40, 30, 16, 16, 0, 12, 12},
        {vsNormal, MenuItem, 1, AlignLeft, false, true, 40, 30, 16, 16, 0, 2, 6}, // lifted
        {vsNormal, DropDown, 1, AlignRight, false, false, 49, 30, 16, 16, 9, 22, 7},
        {vsNormal, Normal, 1, AlignMiddle, false, false, 41, 31, 16, 16, 0, 12, 7},
        {vsNormal, Normal, 1, AlignTop, false, false, 10, 30, 17, 16, 0, -4, 2},  // too wide
        {vsPressed, Normal, 1, AlignTop, false, false, 40, 30, 16, 16, 0, 13, 3}, // sinks
        {vsPressed, Normal, 0, AlignTop, false, false, 40, 30, 16, 16, 0, 12, 0},
        {vsPressed, DropDown, 1, AlignTop, true, false, 40, 30, 16, 16, 9, 7, 2},
        {vsPressed, DropDownNoSeparator, 1, AlignTop, false, false, 40, 30, 16, 16, 11, 6, 2},
        {vsPressed, MenuItem, 1, AlignLeft, false, true, 40, 30, 16, 16, 0, 2, 6},
        {vsNormal, Normal, 1, 9, false, false, 40, 30, 16, 16, 0, 77, 88},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(&tc - cases);
        std::int32_t left = 77;
        std::int32_t top = 88;
        ComputePicturePosition(tc.state, tc.style, tc.border, tc.align, tc.arrowPressed,
                               tc.menuItem, tc.sw, tc.sh, tc.pw, tc.ph, tc.dd, top, left);
        EXPECT_EQ(left, tc.left);
        EXPECT_EQ(top, tc.top);
    }
}

// The font a caption is drawn with: the button's face, weight and slant, its
// size in whole pixels of the screen, turned by the direction (7: not turned),
// and the face name in a field of 32 characters, as the saved forms keep it.
TEST(CaptionFont, DescriptionFollowsTheRequest) {
    using Case = std::tuple<std::int32_t, double, std::int32_t, std::int32_t, std::int32_t>;
    for (const auto& [points, twipsPerPixel, direction, height, escapement] :
         {Case{9, 15, 0, -12, 0}, Case{9, 15, 1, -12, 2700}, Case{9, 15, 2, -12, 1800},
          Case{9, 15, 3, -12, 900}, Case{9, 15, 7, -12, 0}, Case{8, 15, 0, -11, 0},
          Case{7, 15, 0, -9, 0}, Case{8, 10, 0, -16, 0}, Case{9, 10, 0, -18, 0}}) {
        SCOPED_TRACE(std::to_string(points) + " pt at " + std::to_string(twipsPerPixel));
        FakeHost painter;
        CaptionLogFont font;
        bool created = false;
        const FontRequest request{.direction = direction,
                                  .faceName = u"Tahoma",
                                  .italic = true,
                                  .weight = 700,
                                  .size = points};
        CreateRotatedFont(painter, created, font, request, twipsPerPixel, false);
        EXPECT_TRUE(created);
        EXPECT_EQ(font.lfHeight, height);
        EXPECT_EQ(font.lfEscapement, escapement);
        EXPECT_EQ(font.lfWeight, 700);
        EXPECT_EQ(font.lfItalic, 255);
        EXPECT_EQ(font.lfUnderline, 0);
        EXPECT_EQ(font.lfFaceName, Text(u"Tahoma\0", 7) + Text(25, u' '));
    }
    EXPECT_EQ(FaceField(Text(40, u'x')), Text(32, u'x')); // a long name is cut
}

} // namespace
} // namespace tovabel::testing
