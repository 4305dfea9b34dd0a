// The face as the container shows it: the lines the window draws, the caption
// and picture drawn on the surface and the sizes asked for, for each style and
// look the pointer brings about.
#include "fake_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace tovabel::testing {
namespace {

using Log = std::vector<std::string>;
using Coords = std::tuple<double, double, double, double>;

std::vector<Coords> Drawn(const Tovabel& control) {
    std::vector<Coords> out;
    for (const Line& line : control.VisibleLines()) {
        out.emplace_back(line.X1, line.Y1, line.X2, line.Y2);
    }
    return out;
}

bool Shows(const Tovabel& control, const Coords& coords) {
    const std::vector<Coords> drawn = Drawn(control);
    return std::find(drawn.begin(), drawn.end(), coords) != drawn.end();
}

// Where the last text was drawn and what it was.
struct TextAt {
    int x = 0;
    int y = 0;
    std::string text;
};

TextAt LastText(const Log& log) {
    TextAt at;
    const Log drawn = Filter(log, "TextOut(");
    if (!drawn.empty()) {
        char text[64] = {};
        std::sscanf(drawn.back().c_str(), "TextOut(%d,%d,%63[^)])", &at.x, &at.y, text);
        at.text = text;
    }
    return at;
}

struct Face {
    FakeHost host;
    Tovabel control{host};

    explicit Face(double width = 40, double height = 22, bool userMode = true) {
        host.userMode = userMode;
        host.scaleWidth = width;
        host.scaleHeight = height;
        control.Initialize();
        control.InitProperties();
        control.SetAutoSize(false);
        host.Clear();
    }
    void Hover(float x = 10) { control.MouseMove(0, 0, x, 10); }
    void Leave() { control.MouseMove(0, 0, 60, 10); }
    void Press(float x = 10) {
        Hover(x);
        control.MouseDown(1, 0, x, 10);
    }
};

TEST(Layout, FramesOfTheWholeSurfaceAndOfTheDropDownArea) {
    Face normal;
    normal.Hover();
    for (const Coords& line : {Coords(0, 0, 39, 0), Coords(0, 21, 39, 21), Coords(0, 0, 0, 21),
                               Coords(39, 0, 39, 22)}) { // the right edge paints the corner
        EXPECT_TRUE(Shows(normal.control, line));
    }

    Face dropDown;
    dropDown.control.SetStyle(tvStyle::DropDown);
    dropDown.Hover();
    const std::vector<Coords> drawn = Drawn(dropDown.control);
    const auto at = [&](const Coords& c) { return std::find(drawn.begin(), drawn.end(), c); };
    for (const Coords& line : {Coords(30, 0, 30, 22), Coords(31, 0, 39, 0), Coords(31, 21, 39, 21),
                               Coords(31, 0, 31, 21), Coords(39, 0, 39, 22)}) {
        EXPECT_NE(at(line), drawn.end()); // 9 pixels of drop-down; the two frames touch
    }
    // The drop-down frame lies in front of the main frame.
    EXPECT_GT(at(Coords(31, 0, 39, 0)), at(Coords(30, 0, 30, 22)));

    Face noSeparator;
    noSeparator.control.SetStyle(tvStyle::DropDownNoSeparator);
    noSeparator.Hover();
    EXPECT_TRUE(Shows(noSeparator.control, Coords(39, 0, 39, 22)));
}

TEST(Layout, MenuItemFramesItsPicture) {
    Face menu(120, 24);
    menu.control.SetStyle(tvStyle::MenuItem);
    menu.control.SetPicture(MakePicture(PicType::Bitmap, 0x50)); // 32 x 32 pixels
    menu.control.SystemColorsChanged(); // the frame uses the picture row placed before
    const std::int32_t py = (24 - 32) / 2 - 1;
    EXPECT_NE(Filter(menu.host.log, "PaintTransparentPicture")
                  .back()
                  .find(" at 2," + std::to_string(py) + " "),
              std::string::npos);
    menu.Hover();
    EXPECT_TRUE(Shows(menu.control, Coords(0, py - 2, 35, py - 2)));
    EXPECT_TRUE(Shows(menu.control, Coords(0, py + 34, 35, py + 34)));
    EXPECT_TRUE(Shows(menu.control, Coords(35, py - 2, 35, py + 35)));
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
             Case{tvStyle::Normal, 22, {}},
             Case{tvStyle::Menu, 22, {}},
         }) {
        SCOPED_TRACE(std::to_string(tc.style) + " at height " + std::to_string(tc.height));
        Face f(40, tc.height);
        f.control.SetStyle(tc.style);
        EXPECT_EQ(Drawn(f.control), tc.lines); // a face at rest shows only its arrow
        for (const Line& line : f.control.VisibleLines()) {
            EXPECT_EQ(line.BorderColor, f.control.TextColor());
        }
    }
}

TEST(Layout, ArrowColourFollowsTheState) {
    Face f;
    f.control.SetStyle(tvStyle::MenuItemCascade);
    f.Hover();
    EXPECT_EQ(f.control.VisibleLines().front().BorderColor, 0x8000000Eu); // on the highlight bar
    f.control.SetEnabled(false);
    EXPECT_EQ(f.control.VisibleLines().front().BorderColor, f.control.ShadowColor());
}

TEST(Layout, SeparatorsAndTheMinimumWidthHaveFixedSizes) {
    Face toolbar(40, 22);
    toolbar.control.SetStyle(tvStyle::Separator);
    EXPECT_EQ(Filter(toolbar.host.log, "SetWidth"), Log{"SetWidth(60)"}); // 4 pixels
    EXPECT_EQ(Drawn(toolbar.control), (std::vector<Coords>{{1, 0, 1, 21}, {2, 0, 2, 21}}));
    EXPECT_EQ(toolbar.control.VisibleLines()[0].BorderColor, toolbar.control.ShadowColor());

    Face menu(80, 30);
    menu.control.SetStyle(tvStyle::MenuItemSeparator);
    EXPECT_EQ(Filter(menu.host.log, "SetHeight"), Log{"SetHeight(150)"}); // 10 pixels
    EXPECT_EQ(Drawn(menu.control), (std::vector<Coords>{{2, 4, 78, 4}, {2, 5, 78, 5}}));

    Face narrow(40, 22);
    narrow.host.scaleWidth = 8;
    narrow.control.SystemColorsChanged();
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
        int x, y;
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
        const TextAt at = LastText(f.host.log);
        EXPECT_EQ(at.x, tc.x);
        EXPECT_EQ(at.y, tc.y);
    }
}

TEST(Caption, ShortenedAlongItsDirectionBeforeMeasuring) {
    Face f(200, 40);
    f.control.SetFontDirection(tvFontDirection::DownwardText);
    f.control.SetCaption(u"ABCDEFGHIJ"); // 60 pixels; 40 - 2 - 4 = 34 available
    EXPECT_EQ(LastText(f.host.log).text, "AB...");

    Face tiny(12, 22); // a negative width shortens nothing
    tiny.control.SetStyle(tvStyle::DropDownNoSeparator);
    tiny.control.SetBorderStyle(tvBorderStyle::None);
    tiny.control.SetCaption(u"Long caption");
    EXPECT_EQ(LastText(tiny.host.log).text, "Long caption");

    Face keyCut(30, 22);
    keyCut.control.SetCaption(u"Open &Recent");
    EXPECT_EQ(LastText(keyCut.host.log).text, "O...");
    EXPECT_EQ(keyCut.control.AccessKeys(), u"R");
    EXPECT_EQ(Filter(keyCut.host.log, "ApplyAccessKeys"), Log{"ApplyAccessKeys(R)"});
    EXPECT_TRUE(Filter(keyCut.host.log, "ReplaceCaptionFont(h=-11,esc=0,u=255)").empty())
        << "a key that was cut off is not underlined";
}

TEST(Caption, AccessKeyIsUnderlinedInItsOwnSegment) {
    Face f(60, 22);
    f.control.SetCaption(u"A&&B");
    EXPECT_EQ(f.control.AccessKeys(), u"B");
    const Log drawn = Filter(f.host.log, "TextOut");
    ASSERT_EQ(drawn.size(), 3u);
    TextAt first;
    char text[8] = {};
    std::sscanf(drawn[0].c_str(), "TextOut(%d,%d,%7[^)])", &first.x, &first.y, text);
    const std::string y = "," + std::to_string(first.y) + ",";
    EXPECT_EQ(drawn, (Log{"TextOut(" + std::to_string(first.x) + y + "A&)",
                          "TextOut(" + std::to_string(first.x + 12) + y + "B)",
                          "TextOut(" + std::to_string(first.x + 18) + y + ")"}));
    const Log fonts = Filter(f.host.log, "ReplaceCaptionFont");
    ASSERT_GE(fonts.size(), 2u);
    EXPECT_EQ(fonts[fonts.size() - 2], "ReplaceCaptionFont(h=-11,esc=0,u=255)");
    EXPECT_EQ(fonts.back(), "ReplaceCaptionFont(h=-11,esc=0,u=0)");
}

TEST(Caption, DisabledIsEmbossedAndMenuItemsAreHighlighted) {
    Face disabled(60, 22);
    disabled.control.SetCaption(u"Go");
    const TextAt at = LastText(disabled.host.log);
    disabled.host.Clear();
    disabled.control.SetEnabled(false);
    Log drawn;
    for (const auto& line : disabled.host.log) {
        if (line.starts_with("TextOut") || line.starts_with("SetTextColor")) {
            drawn.push_back(line);
        }
    }
    EXPECT_EQ(drawn,
              (Log{"SetTextColor(80000014)",
                   "TextOut(" + std::to_string(at.x + 1) + "," + std::to_string(at.y + 1) + ",Go)",
                   "SetTextColor(80000010)",
                   "TextOut(" + std::to_string(at.x) + "," + std::to_string(at.y) + ",Go)"}));

    Face menu(100, 22);
    menu.control.SetStyle(tvStyle::MenuItem);
    menu.control.SetCaption(u"Open");
    menu.host.Clear();
    menu.Hover();
    const Log bar = Filter(menu.host.log, "FillRect");
    ASSERT_EQ(bar.size(), 1u);
    EXPECT_TRUE(bar[0].starts_with("FillRect(" + std::to_string(LastText(menu.host.log).x - 1) +
                                   ",0,100,"));
    EXPECT_TRUE(bar[0].ends_with(",8000000D)"));
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
        f.control.SystemColorsChanged();
        f.control.SystemColorsChanged();
        EXPECT_EQ(Filter(f.host.log, "ReplaceCaptionFont").size(), tc.created);
    }
}

TEST(Caption, OffsetsOfCheckedPressedAndOpenMenuAddUp) {
    struct Case {
        const char* name;
        std::int32_t style;
        bool checked;
        bool press;
        int offset;
    };
    for (const Case& tc :
         {Case{"plain", tvStyle::Check, false, false, 0},
          Case{"checked", tvStyle::Check, true, false, 1},
          Case{"checked and pressed", tvStyle::Check, true, true, 2},
          Case{"pressed drop-down without separator", tvStyle::DropDownNoSeparator, false, true, 0},
          Case{"checked menu item", tvStyle::MenuItemCheck, true, true, 0},
          Case{"menu held down", tvStyle::Menu, false, true, 1}}) {
        SCOPED_TRACE(tc.name);
        Face rest(60, 22);
        rest.control.SetStyle(tc.style);
        rest.control.SetCaption(u"Go");
        const TextAt base = LastText(rest.host.log);

        Face f(60, 22);
        f.control.SetStyle(tc.style);
        f.control.SetChecked(tc.checked);
        f.control.SetCaption(u"Go");
        if (tc.press) {
            f.Press();
            f.control.MouseMove(1, 0, 10, 10); // held over it
        } else {
            f.Hover();
        }
        const TextAt at = LastText(f.host.log);
        EXPECT_EQ(at.x, base.x + tc.offset);
        EXPECT_EQ(at.y, base.y + tc.offset);
    }
}

// How the drop-down part's frame looks: "none" when it is not drawn.
std::string DropDownLookOf(const Tovabel& control) {
    for (const Line& line : control.VisibleLines()) {
        if (line.Y1 == 0 && line.Y2 == 0 && line.X1 == 31) {
            return line.BorderColor == control.HighlightColor() ? "raised" : "sunken";
        }
    }
    return "none";
}

TEST(Looks, ByStyleStateAndCondition) {
    const auto rest = [](Face&) {};
    const auto hover = [](Face& f) { f.Hover(); };
    const auto press = [](Face& f) { f.Press(); };
    const auto pressArrow = [](Face& f) {
        f.Hover(36);
        f.control.MouseMove(1, 0, 36, 10); // held down over the arrow
    };
    const auto openArrow = [](Face& f) { f.Press(36); };
    const auto openByKey = [](Face& f) { f.control.KeyDown(40, 4); };
    const auto openCascade = [](Face& f) {
        f.Hover();
        f.control.OnTimer(TimerId::MenuPop);
    };
    struct Case {
        const char* name;
        std::int32_t style;
        bool checked;
        std::function<void(Face&)> gesture;
        const char* frame;
        const char* dropDown;
    };
    for (const Case& tc : {
             Case{"at rest", tvStyle::Normal, false, rest, "flat", "none"},
             Case{"NonFlat at rest", tvStyle::NonFlat, false, rest, "raised", "none"},
             Case{"checked at rest", tvStyle::Check, true, rest, "sunken", "none"},
             Case{"open DropDown", tvStyle::DropDown, false, openArrow, "raised", "sunken"},
             Case{"open cascade", tvStyle::MenuItemCascade, false, openCascade, "raised", "none"},
             Case{"open Menu", tvStyle::Menu, false, openByKey, "sunken", "none"},
             Case{"hover", tvStyle::Normal, false, hover, "raised", "none"},
             Case{"hover on DropDown", tvStyle::DropDown, false, hover, "raised", "raised"},
             Case{"hover on a checked button", tvStyle::Check, true, hover, "sunken", "none"},
             Case{"pressed", tvStyle::Normal, false, press, "sunken", "none"},
             Case{"pressed on the arrow", tvStyle::DropDown, false, pressArrow, "raised", "sunken"},
             Case{"a pressed menu item stays lit", tvStyle::MenuItem, false, press, "raised",
                  "none"},
         }) {
        for (std::int32_t border : {tvBorderStyle::FixedSingle, tvBorderStyle::None}) {
            SCOPED_TRACE(std::string(tc.name) + (border ? "" : " without a frame"));
            Face f;
            f.control.SetBorderStyle(border);
            f.control.SetStyle(tc.style);
            f.control.SetChecked(tc.checked);
            tc.gesture(f);
            // Without a frame style nothing shows, whatever the look.
            EXPECT_EQ(LookOf(f.control), border ? tc.frame : "flat");
            EXPECT_EQ(DropDownLookOf(f.control), border ? tc.dropDown : "none");
        }
    }
}

TEST(Looks, RepaintOnlyOnARealChange) {
    Face f;
    f.Hover();
    f.Hover(12);
    EXPECT_EQ(Filter(f.host.log, "Cls(").size(), 1u);

    Face open; // an open drop-down ignores the pointer
    open.control.SetStyle(tvStyle::Menu);
    open.control.KeyDown(40, 4);
    open.host.Clear();
    open.Hover();
    EXPECT_TRUE(Filter(open.host.log, "Cls(").empty());
    EXPECT_EQ(LookOf(open.control), "sunken");

    for (std::int32_t style : {tvStyle::Separator, tvStyle::MenuItemSeparator}) {
        Face separator(80, 22);
        separator.control.SetStyle(style);
        separator.host.Clear();
        separator.Press();
        EXPECT_TRUE(Filter(separator.host.log, "Cls(").empty());
    }
}

TEST(Looks, DefaultNonFlatButtonHasAThickFrame) {
    for (std::int32_t style : {tvStyle::NonFlat, tvStyle::Normal}) {
        Face f;
        f.host.displayAsDefault = true;
        f.control.SetStyle(style);
        f.control.AmbientChanged("DisplayAsDefault");
        for (const auto& gesture : {+[](Face& x) { x.Hover(); }, +[](Face& x) { x.Press(); },
                                    +[](Face& x) { x.Leave(); }}) {
            gesture(f);
            for (const Line& line : f.control.VisibleLines()) {
                EXPECT_EQ(line.BorderWidth, style == tvStyle::NonFlat ? 2 : 1);
            }
        }
    }
}

std::string ShownPicture(const Log& log) {
    const Log painted = Filter(log, "PaintTransparentPicture");
    if (painted.empty()) {
        return "none";
    }
    const std::size_t hash = painted.back().find('#');
    return painted.back().substr(hash + 1, painted.back().find(' ', hash) - hash - 1);
}

TEST(Looks, PictureOfEachState) {
    const Picture normal = MakePicture(PicType::Bitmap, 0x61);
    const Picture over = MakePicture(PicType::Bitmap, 0x62);
    const Picture down = MakePicture(PicType::Bitmap, 0x63);

    Face onlyOver;
    onlyOver.control.SetPictureOver(over);
    onlyOver.Hover();
    EXPECT_EQ(ShownPicture(onlyOver.host.log), "62");
    onlyOver.Leave(); // no Picture: the hover picture stays
    EXPECT_EQ(ShownPicture(onlyOver.host.log), "62");

    Face pressed;
    pressed.control.SetPicture(normal);
    pressed.control.SetPictureDown(down);
    pressed.Press();
    EXPECT_EQ(ShownPicture(pressed.host.log), "63");
    pressed.control.MouseUp(1, 0, 10, 10); // released: back to the normal picture
    EXPECT_EQ(ShownPicture(pressed.host.log), "61");
}

TEST(DrawPicture, CheckPatternInsideTheFrameAndTheDisabledLook) {
    Face checked(40, 40);
    checked.control.SetStyle(tvStyle::Check);
    checked.control.SetPicture(MakePicture(PicType::Bitmap, 0x70));
    checked.control.SetChecked(true);
    const Log painted = Filter(checked.host.log, "PaintTransparentPicture");
    ASSERT_FALSE(painted.empty());
    // Centred at the top of a framed 40-pixel button, one pixel right and down.
    EXPECT_EQ(painted.back(),
              "PaintTransparentPicture(pic(1) #70 at 5,3 size 32x32 checks 1,1,38x38)");

    checked.Hover(); // the pattern goes while the pointer is over it
    EXPECT_EQ(Filter(checked.host.log, "PaintTransparentPicture").back().find("checks"),
              std::string::npos);

    Face disabled(40, 40);
    disabled.control.SetPicture(MakePicture(PicType::Bitmap, 0x71));
    disabled.host.Clear();
    disabled.control.SetEnabled(false);
    EXPECT_EQ(Filter(disabled.host.log, "PaintDisabledPicture").size(), 1u);
    disabled.control.SetPictureDisabled(MakePicture(PicType::Icon, 0x72));
    disabled.host.Clear();
    disabled.control.SystemColorsChanged();
    EXPECT_EQ(Filter(disabled.host.log, "PaintTransparentPicture(pic(3) #72").size(), 1u);

    // A transparent button is its picture: the surface shows it as background.
    Face transparent(40, 40);
    transparent.control.SetPicture(MakePicture(PicType::Bitmap, 0x73));
    transparent.control.SetTransparent(true);
    EXPECT_EQ(Filter(transparent.host.log, "ApplyShape").back(), "ApplyShape(pic(1),C0C0C0)");
    transparent.host.Clear();
    transparent.control.SystemColorsChanged();
    EXPECT_FALSE(Filter(transparent.host.log, "Cls(8000000F,pic(1))").empty());
    EXPECT_TRUE(Filter(transparent.host.log, "PaintTransparentPicture").empty());
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
        f.host.Clear();
        for (int pass = 0; pass < 2; ++pass) {
            f.Hover();
            f.Hover(12); // moving on over it plays nothing
            f.Leave();
            f.Leave();
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
