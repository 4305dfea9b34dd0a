// Layout and face painting on the recorded surface: where the lines, the
// arrow, the picture and the caption go, and how each visual state looks.
#include "fake_host.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace tovabel::testing {
namespace {

using Log = std::vector<std::string>;
using Coords = std::tuple<double, double, double, double>;

Coords At(const Line& line) {
    return {line.X1, line.Y1, line.X2, line.Y2};
}

struct Face {
    FakeHost host;
    OpenTovabel control{host};

    explicit Face(double width = 40, double height = 22, bool userMode = true) {
        host.userMode = userMode;
        host.scaleWidth = width;
        host.scaleHeight = height;
        control.Initialize();
        control.InitProperties();
        control.SetAutoSize(false);
        host.Clear();
    }
    void Repaint(VisualState state) {
        control.mState = vsUnknown;
        control.PaintState(state);
    }
};

TEST(Layout, FramesOfTheWholeSurfaceAndOfTheDropDownArea) {
    Face normal;
    normal.control.LayoutControl();
    const auto& b = normal.control.lnBorder;
    EXPECT_EQ(At(b[Edge::Top]), Coords(0, 0, 39, 0));
    EXPECT_EQ(At(b[Edge::Bottom]), Coords(0, 21, 39, 21));
    EXPECT_EQ(At(b[Edge::Left]), Coords(0, 0, 0, 21));
    EXPECT_EQ(At(b[Edge::Right]), Coords(39, 0, 39, 22)); // paints the corner pixel

    Face dropDown;
    dropDown.control.SetStyle(tvStyle::DropDown);
    const auto& d = dropDown.control.lnBorder;
    const auto& dd = dropDown.control.lnDDBorder;
    EXPECT_EQ(dropDown.control.mDDWidth, 9);
    EXPECT_EQ(At(d[Edge::Right]), Coords(30, 0, 30, 22)); // the two frames touch
    EXPECT_EQ(At(dd[Edge::Top]), Coords(31, 0, 39, 0));
    EXPECT_EQ(At(dd[Edge::Bottom]), Coords(31, 21, 39, 21));
    EXPECT_EQ(At(dd[Edge::Left]), Coords(31, 0, 31, 21));
    EXPECT_EQ(At(dd[Edge::Right]), Coords(39, 0, 39, 22));
    // The drop-down frame lies in front of the main frame.
    EXPECT_GT(dd[Edge::Top].ZOrder, d[Edge::Right].ZOrder);

    Face noSeparator;
    noSeparator.control.SetStyle(tvStyle::DropDownNoSeparator);
    EXPECT_EQ(noSeparator.control.mDDWidth, 11);
    EXPECT_EQ(At(noSeparator.control.lnBorder[Edge::Right]), Coords(39, 0, 39, 22));
}

TEST(Layout, MenuItemFramesItsPicture) {
    Face menu(120, 24);
    menu.control.SetStyle(tvStyle::MenuItem);
    menu.control.SetPicture(MakePicture(PicType::Bitmap, 0x50)); // 32 x 32 pixels
    menu.control.LayoutControl(); // uses the picture row placed before
    const std::int32_t py = menu.control.mPictureY;
    EXPECT_EQ(py, (24 - 32) / 2 - 1);
    menu.control.LayoutControl();
    const auto& b = menu.control.lnBorder;
    EXPECT_EQ(At(b[Edge::Top]), Coords(0, py - 2, 35, py - 2));
    EXPECT_EQ(At(b[Edge::Bottom]), Coords(0, py + 34, 35, py + 34));
    EXPECT_EQ(At(b[Edge::Right]), Coords(35, py - 2, 35, py + 35));
}

TEST(Layout, ArrowRowsAndColumns) {
    struct Case {
        std::int32_t style;
        double height;
        std::vector<Coords> lines;
    };
    for (const Case& tc : {
             Case{tvStyle::DropDown, 21, {{33, 10, 38, 10}, {34, 11, 37, 11}, {35, 12, 36, 12}}},
             Case{tvStyle::DropDown, 22, {{33, 10, 38, 10}, {34, 11, 37, 11}, {35, 12, 36, 12}}},
             Case{tvStyle::DropDown, 23, {{33, 12, 38, 12}, {34, 13, 37, 13}, {35, 14, 36, 14}}},
             Case{tvStyle::DropDownNoSeparator,
                  22,
                  {{29, 14, 34, 14}, {30, 15, 33, 15}, {31, 16, 32, 16}}},
             Case{tvStyle::MenuItemCascade,
                  22,
                  {{30, 8, 30, 15}, {31, 9, 31, 14}, {32, 10, 32, 13}, {33, 11, 33, 12}}},
             Case{tvStyle::MenuItemCascade,
                  21,
                  {{30, 6, 30, 13}, {31, 7, 31, 12}, {32, 8, 32, 11}, {33, 9, 33, 10}}},
         }) {
        SCOPED_TRACE(std::to_string(tc.style) + " at height " + std::to_string(tc.height));
        Face f(40, tc.height);
        f.control.SetStyle(tc.style);
        for (std::size_t i = 0; i < tc.lines.size(); ++i) {
            EXPECT_EQ(At(f.control.lnArrow[i]), tc.lines[i]) << "line " << i;
            EXPECT_TRUE(f.control.lnArrow[i].Visible);
            EXPECT_EQ(f.control.lnArrow[i].BorderColor, f.control.TextColor());
        }
        EXPECT_EQ(f.control.lnArrow[3].Visible, tc.style == tvStyle::MenuItemCascade);
    }
}

TEST(Layout, ArrowColourFollowsTheState) {
    Face f;
    f.control.SetStyle(tvStyle::MenuItemCascade);
    f.control.mMouseOver = true;
    f.control.LayoutArrow();
    EXPECT_EQ(f.control.lnArrow[0].BorderColor, 0x8000000Eu); // on the highlight bar
    f.control.SetEnabled(false);
    f.control.LayoutArrow();
    EXPECT_EQ(f.control.lnArrow[0].BorderColor, f.control.ShadowColor());
}

TEST(Layout, SeparatorsAndTheMinimumWidthHaveFixedSizes) {
    Face toolbar(40, 22);
    toolbar.control.SetStyle(tvStyle::Separator);
    EXPECT_EQ(Filter(toolbar.host.log, "SetWidth"), Log{"SetWidth(60)"}); // 4 pixels
    EXPECT_EQ(At(toolbar.control.lnSeparator[0]), Coords(1, 0, 1, 21));
    EXPECT_EQ(At(toolbar.control.lnSeparator[1]), Coords(2, 0, 2, 21));
    EXPECT_FALSE(toolbar.control.lnBorder[0].Visible);

    Face menu(80, 30);
    menu.control.SetStyle(tvStyle::MenuItemSeparator);
    EXPECT_EQ(Filter(menu.host.log, "SetHeight"), Log{"SetHeight(150)"}); // 10 pixels
    EXPECT_EQ(At(menu.control.lnSeparator[0]), Coords(2, 4, 78, 4));
    EXPECT_EQ(At(menu.control.lnSeparator[1]), Coords(2, 5, 78, 5));

    Face narrow(40, 22);
    narrow.host.scaleWidth = 8;
    narrow.control.LayoutControl();
    EXPECT_EQ(Filter(narrow.host.log, "SetWidth"), Log{"SetWidth(150)"});
}

TEST(AutoSize, SizesToTheContentByStyle) {
    struct Case {
        const char* name;
        std::int32_t style;
        const char16_t* caption;
        Log sizes;
    };
    // Ten characters of 7 pixels: 70 + 6 + 4 (frame) = 80 pixels of content.
    for (const Case& tc : {
             Case{"Normal", tvStyle::Normal, u"ABCDEFGHIJ", {"SetHeight(270)", "SetWidth(1200)"}},
             Case{"DropDown adds its area",
                  tvStyle::DropDown,
                  u"ABCDEFGHIJ",
                  {"SetHeight(270)", "SetWidth(1335)"}},
             Case{"a menu item only grows", tvStyle::MenuItem, u"ABCDEFGHIJ", {"SetHeight(270)"}},
             Case{"nothing to show", tvStyle::Normal, u"", {}},
         }) {
        SCOPED_TRACE(tc.name);
        Face f(120, 22);
        f.host.painter.charWidth = 7;
        f.control.SetStyle(tc.style);
        f.control.SetCaption(tc.caption);
        f.host.Clear();
        f.control.SetAutoSize(true);
        Log sizes = Filter(f.host.log, "SetHeight");
        for (const auto& w : Filter(f.host.log, "SetWidth")) {
            sizes.push_back(w);
        }
        EXPECT_EQ(sizes, tc.sizes);
    }
}

TEST(Caption, OriginForEveryAlignmentAndDirection) {
    struct Case {
        const char* name;
        std::int32_t border;
        std::int32_t align;
        std::int32_t direction;
        std::int32_t x, y;
    };
    for (const Case& tc : {
             Case{"top", 1, tvAlign::AlignTop, 0, 14, 3},
             Case{"bottom", 1, tvAlign::AlignBottom, 0, 14, 6},
             Case{"left", 1, tvAlign::AlignLeft, 0, 3, 4},
             Case{"right", 1, tvAlign::AlignRight, 0, 23, 4},
             Case{"middle", 1, tvAlign::AlignMiddle, 0, 14, 4},
             Case{"top, frameless", 0, tvAlign::AlignTop, 0, 14, 1},
             Case{"bottom, frameless", 0, tvAlign::AlignBottom, 0, 14, 8},
             Case{"left, frameless", 0, tvAlign::AlignLeft, 0, 1, 4},
             Case{"right, frameless", 0, tvAlign::AlignRight, 0, 25, 4},
             Case{"downward", 1, tvAlign::AlignMiddle, 1, 28, 2},
             Case{"reverse", 1, tvAlign::AlignMiddle, 2, 26, 17},
             Case{"upward", 1, tvAlign::AlignMiddle, 3, 11, 18},
         }) {
        SCOPED_TRACE(tc.name);
        Face f(40, 22);
        f.control.SetBorderStyle(tc.border);
        f.control.SetAlignCaption(tc.align);
        f.control.SetFontDirection(tc.direction);
        f.control.SetCaption(u"Hi"); // 12 x 13 pixels
        EXPECT_EQ(f.control.mCaptionX, tc.x);
        EXPECT_EQ(f.control.mCaptionY, tc.y);
    }
}

TEST(Caption, ShortenedAlongItsDirectionBeforeMeasuring) {
    Face f(200, 40);
    f.control.SetFontDirection(tvFontDirection::DownwardText);
    f.control.SetCaption(u"ABCDEFGHIJ"); // 60 pixels; 40 - 2 - 4 = 34 available
    EXPECT_EQ(f.control.mDisplayCaption, u"AB...");
    EXPECT_EQ(f.control.mCaptionHeight, 30 + 4);

    Face tiny(12, 22); // a negative width shortens nothing
    tiny.control.SetStyle(tvStyle::DropDownNoSeparator);
    tiny.control.SetBorderStyle(tvBorderStyle::None);
    tiny.control.SetCaption(u"Long caption");
    EXPECT_EQ(tiny.control.mDisplayCaption, u"Long caption");

    Face keyCut(30, 22);
    keyCut.control.SetCaption(u"Open &Recent");
    EXPECT_EQ(keyCut.control.mDisplayCaption, u"O...");
    EXPECT_EQ(keyCut.control.AccessKeys(), u"R");
    EXPECT_TRUE(Filter(keyCut.host.log, "ReplaceCaptionFont(h=-11,esc=0,u=255)").empty())
        << "a key that was cut off is not underlined";
}

TEST(Caption, AccessKeyIsUnderlinedInItsOwnSegment) {
    Face f(60, 22);
    f.control.SetCaption(u"A&&B");
    EXPECT_EQ(f.control.AccessKeys(), u"B");
    const std::int32_t x = f.control.mCaptionX;
    const std::int32_t y = f.control.mCaptionY;
    EXPECT_EQ(Filter(f.host.log, "TextOut"),
              (Log{"TextOut(" + std::to_string(x) + "," + std::to_string(y) + ",A&)",
                   "TextOut(" + std::to_string(x + 12) + "," + std::to_string(y) + ",B)",
                   "TextOut(" + std::to_string(x + 18) + "," + std::to_string(y) + ",)"}));
    const Log fonts = Filter(f.host.log, "ReplaceCaptionFont");
    ASSERT_GE(fonts.size(), 2u);
    EXPECT_EQ(fonts[fonts.size() - 2], "ReplaceCaptionFont(h=-11,esc=0,u=255)");
    EXPECT_EQ(fonts.back(), "ReplaceCaptionFont(h=-11,esc=0,u=0)");
}

TEST(Caption, DisabledIsEmbossedAndMenuItemsAreHighlighted) {
    Face disabled(60, 22);
    disabled.control.SetCaption(u"Go");
    disabled.host.Clear();
    disabled.control.SetEnabled(false);
    const std::int32_t x = disabled.control.mCaptionX;
    const std::int32_t y = disabled.control.mCaptionY;
    Log drawn;
    for (const auto& line : disabled.host.log) {
        if (line.starts_with("TextOut") || line.starts_with("SetTextColor")) {
            drawn.push_back(line);
        }
    }
    EXPECT_EQ(drawn, (Log{"SetTextColor(80000014)",
                          "TextOut(" + std::to_string(x + 1) + "," + std::to_string(y + 1) + ",Go)",
                          "SetTextColor(80000010)",
                          "TextOut(" + std::to_string(x) + "," + std::to_string(y) + ",Go)"}));

    Face menu(100, 22);
    menu.control.SetStyle(tvStyle::MenuItem);
    menu.control.SetCaption(u"Open");
    menu.control.mMouseOver = true;
    menu.host.Clear();
    menu.control.DrawCaption();
    const std::int32_t bottom =
        static_cast<std::int32_t>(menu.control.lnBorder[Edge::Bottom].Y1 + 1);
    EXPECT_EQ(Filter(menu.host.log, "FillRect"),
              Log{"FillRect(" + std::to_string(menu.control.mCaptionX - 1) + ",0,100," +
                  std::to_string(bottom) + ",8000000D)"});
    EXPECT_EQ(Filter(menu.host.log, "SetTextColor"), Log{"SetTextColor(8000000E)"});
}

TEST(Caption, FontIsReusedOnlyWhenItsPixelHeightIsWhole) {
    struct Case {
        std::int64_t size;
        std::size_t created;
    };
    // Two disabled captions: each selects the font for its light pass and
    // forces it for the final pass.
    for (const Case& tc : {Case{90000, 2}, Case{80000, 4}}) {
        SCOPED_TRACE(tc.size);
        Face f(60, 22);
        f.control.SetFont(std::make_shared<FakeFont>(u"MS Sans Serif", tc.size));
        f.control.SetCaption(u"Go");
        f.control.SetEnabled(false);
        f.host.Clear();
        f.control.DrawCaption();
        f.control.DrawCaption();
        EXPECT_EQ(Filter(f.host.log, "ReplaceCaptionFont").size(), tc.created);
    }
}

TEST(Caption, OffsetsOfCheckedPressedAndOpenMenuAddUp) {
    struct Case {
        const char* name;
        std::int32_t style;
        bool checked;
        VisualState state;
        bool buttonDown;
        std::int32_t offset;
    };
    for (const Case& tc :
         {Case{"plain", tvStyle::Check, false, vsHover, false, 0},
          Case{"checked", tvStyle::Check, true, vsHover, false, 1},
          Case{"checked and pressed", tvStyle::Check, true, vsPressed, true, 2},
          Case{"pressed drop-down without separator", tvStyle::DropDownNoSeparator, false,
               vsPressed, true, 0},
          Case{"checked menu item", tvStyle::MenuItemCheck, true, vsPressed, true, 0},
          Case{"menu held down", tvStyle::Menu, false, vsHover, true, 1}}) {
        SCOPED_TRACE(tc.name);
        Face f(60, 22);
        f.control.SetStyle(tc.style);
        f.control.SetChecked(tc.checked);
        f.control.SetCaption(u"Go");
        f.control.mLeftButtonDown = tc.buttonDown;
        f.control.mState = tc.state;
        f.host.Clear();
        f.control.DrawCaption();
        const std::string expected = "TextOut(" + std::to_string(f.control.mCaptionX + tc.offset) +
                                     "," + std::to_string(f.control.mCaptionY + tc.offset) + ",Go)";
        EXPECT_EQ(Filter(f.host.log, "TextOut"), Log{expected});
    }
}

struct Look {
    bool frame;
    bool raised;
    bool dd;
    bool ddRaised;
};

Look LookOf(const OpenTovabel& c) {
    const auto& b = c.lnBorder;
    const auto& d = c.lnDDBorder;
    return {b[Edge::Top].Visible, b[Edge::Top].BorderColor == c.HighlightColor(),
            d[Edge::Top].Visible, d[Edge::Top].BorderColor == c.HighlightColor()};
}

TEST(PaintState, LooksByStateAndCondition) {
    struct Case {
        const char* name;
        std::int32_t style;
        VisualState state;
        bool checked;
        bool droppedDown;
        bool arrowPressed;
        Look look; // ddRaised only matters where the drop-down frame was set
    };
    for (const Case& tc : {
             Case{"normal, flat",
                  tvStyle::Normal,
                  vsNormal,
                  false,
                  false,
                  false,
                  {false, true, false, true}},
             Case{"normal, NonFlat",
                  tvStyle::NonFlat,
                  vsNormal,
                  false,
                  false,
                  false,
                  {true, true, false, true}},
             Case{"normal, checked",
                  tvStyle::Check,
                  vsNormal,
                  true,
                  false,
                  false,
                  {true, false, false, true}},
             Case{"normal, open DropDown",
                  tvStyle::DropDown,
                  vsNormal,
                  false,
                  true,
                  false,
                  {true, true, true, false}},
             Case{"normal, open cascade",
                  tvStyle::MenuItemCascade,
                  vsNormal,
                  false,
                  true,
                  false,
                  {true, true, false, false}},
             Case{"normal, open Menu",
                  tvStyle::Menu,
                  vsNormal,
                  false,
                  true,
                  false,
                  {true, false, false, true}},
             Case{
                 "hover", tvStyle::Normal, vsHover, false, false, false, {true, true, false, true}},
             Case{"hover, DropDown",
                  tvStyle::DropDown,
                  vsHover,
                  false,
                  false,
                  false,
                  {true, true, true, true}},
             Case{"hover, checked",
                  tvStyle::Check,
                  vsHover,
                  true,
                  false,
                  false,
                  {true, false, false, true}},
             Case{"pressed",
                  tvStyle::Normal,
                  vsPressed,
                  false,
                  false,
                  false,
                  {false, false, false, true}},
             Case{"pressed on the arrow",
                  tvStyle::DropDown,
                  vsPressed,
                  false,
                  false,
                  true,
                  {true, true, true, false}},
             Case{"pressed menu item stays lit",
                  tvStyle::MenuItem,
                  vsPressed,
                  false,
                  false,
                  false,
                  {true, true, false, true}},
         }) {
        SCOPED_TRACE(tc.name);
        Face f;
        f.control.SetStyle(tc.style);
        f.control.SetChecked(tc.checked);
        f.control.mDroppedDown = tc.droppedDown;
        f.control.mArrowPressed = tc.arrowPressed;
        f.Repaint(tc.state);
        Look look = LookOf(f.control);
        const bool pressedFrame = tc.state == vsPressed;
        EXPECT_EQ(look.frame, tc.look.frame || pressedFrame);
        EXPECT_EQ(look.raised, tc.look.raised);
        EXPECT_EQ(look.dd, tc.look.dd);
        if (tc.look.dd || tc.droppedDown) {
            EXPECT_EQ(look.ddRaised, tc.look.ddRaised);
        }

        // Without a frame style nothing shows, whatever the state.
        f.control.SetBorderStyle(tvBorderStyle::None);
        f.Repaint(tc.state);
        EXPECT_FALSE(f.control.lnBorder[Edge::Top].Visible);
        EXPECT_FALSE(f.control.lnDDBorder[Edge::Top].Visible);
    }
}

TEST(PaintState, RepaintsOnlyOnARealChange) {
    Face f;
    f.control.PaintState(vsHover);
    f.control.PaintState(vsHover);
    EXPECT_EQ(Filter(f.host.log, "Cls(8000000F)").size(), 1u);
    f.Repaint(vsHover);
    EXPECT_EQ(Filter(f.host.log, "Cls(8000000F)").size(), 2u);

    f.control.mDroppedDown = true; // an open drop-down ignores the pointer
    f.control.PaintState(vsNormal);
    f.host.Clear();
    f.control.PaintState(vsHover);
    EXPECT_EQ(f.control.mState, vsNormal);
    EXPECT_TRUE(f.host.log.empty());

    Face disabled;
    disabled.control.SetEnabled(false);
    disabled.host.Clear();
    disabled.control.PaintState(vsPressed);
    EXPECT_EQ(disabled.control.mState, vsPressed);
    EXPECT_TRUE(disabled.host.log.empty());
    disabled.control.mHasFocus = true;
    disabled.Repaint(vsHover);
    EXPECT_TRUE(disabled.host.log.empty());

    Face separator(80, 22);
    separator.control.SetStyle(tvStyle::MenuItemSeparator);
    separator.host.Clear();
    separator.Repaint(vsHover);
    EXPECT_TRUE(separator.host.log.empty());
}

TEST(PaintState, DefaultNonFlatButtonHasAThickFrame) {
    for (std::int32_t style : {tvStyle::NonFlat, tvStyle::Normal}) {
        Face f;
        f.host.displayAsDefault = true;
        f.control.SetStyle(style);
        for (VisualState state : {vsNormal, vsHover, vsPressed}) {
            f.Repaint(state);
            EXPECT_EQ(f.control.lnBorder[Edge::Right].BorderWidth,
                      style == tvStyle::NonFlat ? 2 : 1);
        }
    }
}

TEST(PaintState, PictureOfEachState) {
    const Picture normal = MakePicture(PicType::Bitmap, 0x61);
    const Picture over = MakePicture(PicType::Bitmap, 0x62);
    const Picture down = MakePicture(PicType::Bitmap, 0x63);

    Face onlyOver;
    onlyOver.control.SetPictureOver(over);
    onlyOver.Repaint(vsHover);
    EXPECT_EQ(onlyOver.control.imgPicture, over);
    onlyOver.Repaint(vsNormal); // no Picture: the hover picture stays
    EXPECT_EQ(onlyOver.control.imgPicture, over);

    Face none;
    none.control.imgPicture = normal;
    none.Repaint(vsHover);
    EXPECT_EQ(none.control.imgPicture, nullptr);

    Face pressed;
    pressed.control.SetPicture(normal);
    pressed.control.SetPictureDown(down);
    pressed.Repaint(vsPressed);
    EXPECT_EQ(pressed.control.imgPicture, down);
    pressed.Repaint(vsHover); // released: back to the normal picture
    EXPECT_EQ(pressed.control.imgPicture, normal);
}

TEST(DrawPicture, CheckPatternInsideTheFrameAndTheDisabledLook) {
    Face checked(40, 40);
    checked.control.SetStyle(tvStyle::Check);
    checked.control.SetPicture(MakePicture(PicType::Bitmap, 0x70));
    checked.control.SetChecked(true);
    const Log painted = Filter(checked.host.log, "PaintTransparentPicture");
    ASSERT_FALSE(painted.empty());
    // Centred at the top of a framed 40-pixel button, one pixel right and down.
    EXPECT_EQ(painted.back(), "PaintTransparentPicture(pic(1) at 5,3 size 32x32 checks 1,1,38x38)");

    checked.control.mMouseOver = true; // the pattern goes while the pointer is over it
    checked.host.Clear();
    checked.control.DrawPicture();
    EXPECT_EQ(Filter(checked.host.log, "PaintTransparentPicture").back().find("checks"),
              std::string::npos);

    Face disabled(40, 40);
    disabled.control.SetPicture(MakePicture(PicType::Bitmap, 0x71));
    disabled.host.Clear();
    disabled.control.SetEnabled(false);
    EXPECT_EQ(Filter(disabled.host.log, "PaintDisabledPicture").size(), 1u);
    disabled.control.SetPictureDisabled(MakePicture(PicType::Icon, 0x72));
    disabled.host.Clear();
    disabled.Repaint(vsNormal);
    EXPECT_EQ(Filter(disabled.host.log, "PaintTransparentPicture(pic(3)").size(), 1u);

    Face transparent(40, 40);
    transparent.control.SetPicture(MakePicture(PicType::Bitmap, 0x73));
    transparent.control.SetTransparent(true);
    transparent.host.Clear();
    transparent.control.DrawPicture();
    EXPECT_EQ(transparent.host.log, Log{"Cls(8000000F,pic(1))"});
}

TEST(Sounds, EnterAndLeaveOncePerPass) {
    struct Case {
        const char* name;
        std::int32_t style;
        bool userMode;
        bool systemSounds;
        Log sounds;
    };
    for (const Case& tc : {
             Case{"defaults",
                  tvStyle::Normal,
                  true,
                  true,
                  {"PlaySound(MenuPopup,3)", "PlaySound(MenuPopup,3)"}},
             Case{"a menu is quiet on entry", tvStyle::Menu, true, true, {}},
             Case{"a drop-down too", tvStyle::DropDown, true, true, {}},
             Case{"design mode is quiet", tvStyle::Normal, false, true, {}},
             Case{"own sounds",
                  tvStyle::Normal,
                  true,
                  false,
                  {"PlaySound(3 bytes,7)", "PlaySound(2 bytes,7)", "PlaySound(3 bytes,7)",
                   "PlaySound(2 bytes,7)"}},
         }) {
        SCOPED_TRACE(tc.name);
        Face f(40, 22, tc.userMode);
        f.control.SetStyle(tc.style);
        f.control.SetUseSystemSounds(tc.systemSounds);
        f.control.SetSoundEnter(SoundBytes{1, 2, 3});
        f.control.SetSoundLeave(SoundBytes{4, 5});
        f.control.PaintState(vsNormal);
        f.host.Clear();
        for (int pass = 0; pass < 2; ++pass) {
            f.control.PaintState(vsHover);
            f.Repaint(vsHover); // a repaint of the same look plays nothing
            f.control.PaintState(vsNormal);
            f.Repaint(vsNormal);
        }
        EXPECT_EQ(Filter(f.host.log, "PlaySound"), tc.sounds);
    }
}

TEST(Resize, LaysOutAgainAndTellsTheProgramOnce) {
    Face f(40, 22);
    f.host.onResize = [&f] { f.control.OnResize(); };
    std::vector<std::int32_t> reported;
    f.host.onEventArgs = [&reported](std::span<EventArg> args) {
        for (EventArg& arg : args) {
            reported.push_back(std::get<std::int32_t>(arg));
            arg = std::int32_t{999}; // written back by a handler: ignored
        }
    };
    f.control.SetStyle(tvStyle::Separator); // its own size change comes back as a resize
    EXPECT_EQ(Filter(f.host.log, "RaiseEvent(3)").size(), 1u);
    EXPECT_EQ(reported, (std::vector<std::int32_t>{4, 22}));
    EXPECT_EQ(f.host.scaleWidth, 4);

    // Size changes of the auto-size run inside the layout and are not reported.
    Face sized(40, 22);
    sized.host.onResize = [&sized] { sized.control.OnResize(); };
    sized.control.SetCaption(u"Auto");
    sized.host.Clear();
    sized.control.SetAutoSize(true);
    EXPECT_FALSE(Filter(sized.host.log, "SetWidth").empty());
    EXPECT_TRUE(Filter(sized.host.log, "RaiseEvent(3)").empty());
}

} // namespace
} // namespace tovabel::testing
