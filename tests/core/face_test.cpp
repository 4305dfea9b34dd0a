// The face as the container shows it: the lines the window draws, the caption
// and picture drawn on the surface and the sizes asked for, for each style and
// look the pointer brings about.
#include "fake_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace tovabel::testing {
namespace {

// The lines the window draws, back to front: " x1,y1,x2,y2 x1,y1,x2,y2 ".
std::string Drawn(const Tovabel& control) {
    std::string out = " ";
    for (const Line& line : control.VisibleLines()) {
        out += std::to_string(static_cast<int>(line.X1)) + "," +
               std::to_string(static_cast<int>(line.Y1)) + "," +
               std::to_string(static_cast<int>(line.X2)) + "," +
               std::to_string(static_cast<int>(line.Y2)) + " ";
    }
    return out;
}

// Whether the window draws `lines` ("x1,y1,x2,y2 ..."), each in front of those before.
::testing::AssertionResult ShowsInOrder(const Tovabel& control, const std::string& lines) {
    const std::string drawn = Drawn(control);
    std::istringstream expected(lines);
    std::size_t from = 0;
    for (std::string line; expected >> line;) {
        from = drawn.find(" " + line + " ", from);
        if (from == std::string::npos) {
            return ::testing::AssertionFailure() << line << " not after the others in" << drawn;
        }
    }
    return ::testing::AssertionSuccess();
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

std::string TextOutAt(int x, int y, const std::string& text) {
    return "TextOut(" + std::to_string(x) + "," + std::to_string(y) + "," + text + ")";
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
    Face& With(std::int32_t style) {
        control.SetStyle(style);
        return *this;
    }
    void Hover(float x = 10) { control.MouseMove(0, 0, x, 10); }
    void Leave() { control.MouseMove(0, 0, 60, 10); }
    void Press(float x = 10) {
        Hover(x);
        control.MouseDown(1, 0, x, 10);
    }
};

TEST(Layout, FramesOfTheWholeSurfaceAndOfTheDropDownArea) {
    for (const auto& [style, lines] : {
             // The right edge ends one pixel low to paint the corner.
             std::pair{tvStyle::Normal, " 0,0,39,0 0,21,39,21 0,0,0,21 39,0,39,22 "},
             // 9 pixels of drop-down in front of the main frame; the two frames touch.
             std::pair{tvStyle::DropDown,
                       " 30,0,30,22 31,0,39,0 31,21,39,21 31,0,31,21 39,0,39,22 "},
             std::pair{tvStyle::DropDownNoSeparator, " 39,0,39,22 "},
         }) {
        SCOPED_TRACE(style);
        Face f;
        f.With(style).Hover();
        EXPECT_TRUE(ShowsInOrder(f.control, lines));
    }
}

TEST(Layout, MenuItemFramesItsPicture) {
    Face menu(120, 24);
    menu.With(tvStyle::MenuItem).control.SetPicture(MakePicture(PicType::Bitmap, 0x50));
    menu.control.SystemColorsChanged(); // the frame uses the picture row placed before
    EXPECT_EQ(Filter(menu.host.log, "PaintTransparentPicture").back(),
              "PaintTransparentPicture(pic(1),50,2,-5,32,32)");
    menu.Hover();
    EXPECT_TRUE(ShowsInOrder(menu.control, "0,-7,35,-7 0,29,35,29 35,-7,35,30"));
}

TEST(Layout, ArrowRowsAndColumns) {
    struct Case {
        std::int32_t style;
        double height;
        const char* lines;
    };
    for (const Case& tc : {
             Case{tvStyle::DropDown, 21, " 33,10,38,10 34,11,37,11 35,12,36,12 "},
             Case{tvStyle::DropDown, 22, " 33,10,38,10 34,11,37,11 35,12,36,12 "},
             Case{tvStyle::DropDown, 23, " 33,12,38,12 34,13,37,13 35,14,36,14 "},
             Case{tvStyle::DropDownNoSeparator, 22, " 29,14,34,14 30,15,33,15 31,16,32,16 "},
             Case{tvStyle::MenuItemCascade, 22, " 30,8,30,15 31,9,31,14 32,10,32,13 33,11,33,12 "},
             Case{tvStyle::MenuItemCascade, 21, " 30,6,30,13 31,7,31,12 32,8,32,11 33,9,33,10 "},
             Case{tvStyle::Normal, 22, " "},
             Case{tvStyle::Menu, 22, " "},
         }) {
        SCOPED_TRACE(std::to_string(tc.style) + " at height " + std::to_string(tc.height));
        Face f(40, tc.height);
        f.With(tc.style);
        EXPECT_EQ(Drawn(f.control), tc.lines); // a face at rest shows only its arrow
        for (const Line& line : f.control.VisibleLines()) {
            EXPECT_EQ(line.BorderColor, f.control.TextColor());
        }
    }
    Face cascade;
    cascade.With(tvStyle::MenuItemCascade).Hover();
    EXPECT_EQ(cascade.control.VisibleLines().front().BorderColor, 0x8000000Eu); // on the bar
    cascade.control.SetEnabled(false);
    EXPECT_EQ(cascade.control.VisibleLines().front().BorderColor, cascade.control.ShadowColor());
}

TEST(Layout, SeparatorsAndTheMinimumWidthHaveFixedSizes) {
    Face toolbar(40, 22);
    toolbar.With(tvStyle::Separator);
    EXPECT_EQ(Filter(toolbar.host.log, "SetWidth"), Log{"SetWidth(60)"}); // 4 pixels
    EXPECT_EQ(Drawn(toolbar.control), " 1,0,1,21 2,0,2,21 ");
    EXPECT_EQ(toolbar.control.VisibleLines()[0].BorderColor, toolbar.control.ShadowColor());

    Face menu(80, 30);
    menu.With(tvStyle::MenuItemSeparator);
    EXPECT_EQ(Filter(menu.host.log, "SetHeight"), Log{"SetHeight(150)"}); // 10 pixels
    EXPECT_EQ(Drawn(menu.control), " 2,4,78,4 2,5,78,5 ");

    Face narrow(40, 22);
    narrow.host.scaleWidth = 8;
    narrow.control.SystemColorsChanged();
    EXPECT_EQ(Filter(narrow.host.log, "SetWidth"), Log{"SetWidth(150)"});
}

// A style outside the enumeration reads the neutral row: nobody lays it out, so
// it keeps its size and shows no caption (it still rises under the pointer).
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
             Case{"a style outside the enumeration", 42, u"ABCDEFGHIJ", {}},
         }) {
        SCOPED_TRACE(tc.name);
        Face f(120, 22);
        f.host.charWidth = 7;
        f.With(tc.style).control.SetCaption(tc.caption);
        f.host.Clear();
        f.control.SetAutoSize(true);
        f.Hover();
        EXPECT_EQ(Filter(f.host.log, "SetHeight", "SetWidth"), tc.sizes);
        EXPECT_EQ(LastText(f.host.log).text, tc.sizes.empty() ? "" : "ABCDEFGHIJ");
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
        EXPECT_EQ(Filter(f.host.log, "TextOut").back(), TextOutAt(tc.x, tc.y, "Hi"));
    }
}

TEST(Caption, ShortenedAlongItsDirectionBeforeMeasuring) {
    Face f(200, 40);
    f.control.SetFontDirection(tvFontDirection::DownwardText);
    f.control.SetCaption(u"ABCDEFGHIJ"); // 60 pixels; 40 - 2 - 4 = 34 available
    EXPECT_EQ(LastText(f.host.log).text, "AB...");

    Face tiny(12, 22); // a negative width shortens nothing
    tiny.With(tvStyle::DropDownNoSeparator).control.SetBorderStyle(tvBorderStyle::None);
    tiny.control.SetCaption(u"Long caption");
    EXPECT_EQ(LastText(tiny.host.log).text, "Long caption");

    Face keyCut(30, 22);
    keyCut.control.SetCaption(u"Open &Recent");
    EXPECT_EQ(LastText(keyCut.host.log).text, "O...");
    EXPECT_EQ(Filter(keyCut.host.log, "ApplyAccessKeys"), Log{"ApplyAccessKeys(R)"});
    EXPECT_EQ(Filter(keyCut.host.log, "ReplaceCaptionFont(-11,0,255)"), Log{})
        << "a key that was cut off is not underlined";
}

TEST(Caption, AccessKeyIsUnderlinedInItsOwnSegment) {
    Face f(60, 22);
    f.control.SetCaption(u"A&&B");
    EXPECT_EQ(f.control.AccessKeys(), u"B");
    const Log drawn = Filter(f.host.log, "TextOut");
    ASSERT_EQ(drawn.size(), 3u);
    const TextAt first = LastText({drawn[0]});
    EXPECT_EQ(drawn, (Log{TextOutAt(first.x, first.y, "A&"), TextOutAt(first.x + 12, first.y, "B"),
                          TextOutAt(first.x + 18, first.y, "")}));
    const Log fonts = Filter(f.host.log, "ReplaceCaptionFont");
    ASSERT_GE(fonts.size(), 2u);
    EXPECT_EQ(Log(fonts.end() - 2, fonts.end()),
              (Log{"ReplaceCaptionFont(-11,0,255)", "ReplaceCaptionFont(-11,0,0)"}));
}

TEST(Caption, DisabledIsEmbossedAndMenuItemsAreHighlighted) {
    Face disabled(60, 22);
    disabled.control.SetCaption(u"Go");
    const TextAt at = LastText(disabled.host.log);
    disabled.host.Clear();
    disabled.control.SetEnabled(false);
    EXPECT_EQ(Filter(disabled.host.log, "TextOut", "SetTextColor"),
              (Log{"SetTextColor(80000014)", TextOutAt(at.x + 1, at.y + 1, "Go"),
                   "SetTextColor(80000010)", TextOutAt(at.x, at.y, "Go")}));

    Face menu(100, 22);
    menu.With(tvStyle::MenuItem).control.SetCaption(u"Open");
    menu.host.Clear();
    menu.Hover();
    const Log bar = Filter(menu.host.log, "FillRect");
    ASSERT_EQ(bar.size(), 1u);
    EXPECT_TRUE(bar[0].starts_with("FillRect(" + std::to_string(LastText(menu.host.log).x - 1) +
                                   ",0,100,"));
    EXPECT_TRUE(bar[0].ends_with(",8000000D)"));
    EXPECT_EQ(Filter(menu.host.log, "SetTextColor"), Log{"SetTextColor(8000000E)"});
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
        rest.With(tc.style).control.SetCaption(u"Go");
        const TextAt base = LastText(rest.host.log);

        Face f(60, 22);
        f.With(tc.style).control.SetChecked(tc.checked);
        f.control.SetCaption(u"Go");
        if (tc.press) {
            f.Press();
            f.control.MouseMove(1, 0, 10, 10); // held over it
        } else {
            f.Hover();
        }
        EXPECT_EQ(Filter(f.host.log, "TextOut").back(),
                  TextOutAt(base.x + tc.offset, base.y + tc.offset, "Go"));
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
             Case{"hover outside the enumeration", 42, false, hover, "raised", "none"},
         }) {
        for (std::int32_t border : {tvBorderStyle::FixedSingle, tvBorderStyle::None}) {
            SCOPED_TRACE(std::string(tc.name) + (border ? "" : " without a frame"));
            Face f;
            f.control.SetBorderStyle(border);
            f.With(tc.style).control.SetChecked(tc.checked);
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
    open.With(tvStyle::Menu).control.KeyDown(40, 4);
    open.host.Clear();
    open.Hover();
    EXPECT_EQ(Filter(open.host.log, "Cls("), Log{});
    EXPECT_EQ(LookOf(open.control), "sunken");
}

TEST(Looks, DefaultNonFlatButtonHasAThickFrame) {
    for (std::int32_t style : {tvStyle::NonFlat, tvStyle::Normal}) {
        Face f;
        f.host.displayAsDefault = true;
        f.With(style).control.AmbientChanged("DisplayAsDefault");
        for (const auto& gesture : {+[](Face& x) { x.Hover(); }, +[](Face& x) { x.Press(); },
                                    +[](Face& x) { x.Leave(); }}) {
            gesture(f);
            for (const Line& line : f.control.VisibleLines()) {
                EXPECT_EQ(line.BorderWidth, style == tvStyle::NonFlat ? 2 : 1);
            }
        }
    }
}

// The handle of the picture painted last.
std::string ShownPicture(const Log& log) {
    const std::string last = Filter(log, "PaintTransparentPicture").back();
    const std::size_t from = last.find(',') + 1;
    return last.substr(from, last.find(',', from) - from);
}

TEST(Looks, PictureOfEachState) {
    Face onlyOver;
    onlyOver.control.SetPictureOver(MakePicture(PicType::Bitmap, 0x62));
    onlyOver.Hover();
    EXPECT_EQ(ShownPicture(onlyOver.host.log), "62");
    onlyOver.Leave(); // no Picture: the hover picture stays
    EXPECT_EQ(ShownPicture(onlyOver.host.log), "62");

    Face pressed;
    pressed.control.SetPicture(MakePicture(PicType::Bitmap, 0x61));
    pressed.control.SetPictureDown(MakePicture(PicType::Bitmap, 0x63));
    pressed.Press();
    EXPECT_EQ(ShownPicture(pressed.host.log), "63");
    pressed.control.MouseUp(1, 0, 10, 10); // released: back to the normal picture
    EXPECT_EQ(ShownPicture(pressed.host.log), "61");
}

TEST(DrawPicture, CheckPatternInsideTheFrameAndTheDisabledLook) {
    Face checked(40, 40);
    checked.With(tvStyle::Check).control.SetPicture(MakePicture(PicType::Bitmap, 0x70));
    checked.control.SetChecked(true);
    // Centred at the top of a framed 40-pixel button, one pixel right and down; the
    // pattern in the highlight colour fills the frame.
    EXPECT_EQ(Filter(checked.host.log, "PaintTransparentPicture").back(),
              "PaintTransparentPicture(pic(1),70,5,3,32,32) checks(1,1,38,38,80000014)");
    checked.Hover(); // the pattern goes while the pointer is over it
    EXPECT_EQ(Filter(checked.host.log, "PaintTransparentPicture").back(),
              "PaintTransparentPicture(pic(1),70,5,3,32,32)");

    Face disabled(40, 40);
    disabled.control.SetPicture(MakePicture(PicType::Bitmap, 0x71));
    disabled.host.Clear();
    disabled.control.SetEnabled(false);
    EXPECT_EQ(Filter(disabled.host.log, "PaintDisabledPicture").size(), 1u);
    disabled.control.SetPictureDisabled(MakePicture(PicType::Icon, 0x72));
    disabled.host.Clear();
    disabled.control.SystemColorsChanged();
    EXPECT_EQ(Filter(disabled.host.log, "Cls(", "Paint"),
              (Log{"Cls(8000000F)", "PaintTransparentPicture(pic(3),72,4,2,32,32)"}));

    // A transparent button is its picture: the surface shows it as background.
    Face transparent(40, 40);
    transparent.control.SetPicture(MakePicture(PicType::Bitmap, 0x73));
    transparent.control.SetTransparent(true);
    EXPECT_EQ(Filter(transparent.host.log, "ApplyShape").back(), "ApplyShape(pic(1),C0C0C0)");
    transparent.host.Clear();
    transparent.control.SystemColorsChanged();
    EXPECT_EQ(Filter(transparent.host.log, "Cls(", "Paint"),
              (Log{"Cls(8000000F)", "Cls(8000000F,pic(1))"}));
}

// Entering and leaving sound once per pass, moves over the button are quiet; a
// click sounds, except when it checks a button or opens a drop-down. The
// designer hears clicks only.
TEST(Sounds, OncePerPassAndClick) {
    const std::string enter = "PlaySound(MenuPopup,3) ";
    const std::string click = "PlaySound(MenuCommand,3) ";
    struct Case {
        std::int32_t style;
        bool userMode;
        bool systemSounds;
        std::string sounds;
    };
    for (const Case& tc : {
             Case{tvStyle::Normal, true, true, enter + click + enter + click},
             Case{tvStyle::Check, true, true, enter + enter + click},
             Case{tvStyle::Menu, true, true, click}, // quiet on entry
             Case{tvStyle::DropDown, true, true, click + click},
             Case{tvStyle::Normal, false, true, click + click},
             Case{tvStyle::Normal, true, false,
                  "PlaySound(3 bytes,7) PlaySound(4 bytes,7) PlaySound(2 bytes,7) "
                  "PlaySound(3 bytes,7) PlaySound(4 bytes,7) PlaySound(2 bytes,7) "},
         }) {
        SCOPED_TRACE(tc.style);
        Face f(40, 22, tc.userMode);
        f.With(tc.style).control.SetUseSystemSounds(tc.systemSounds);
        f.control.SetSoundEnter(SoundBytes{1, 2, 3});
        f.control.SetSoundClick(SoundBytes{1, 2, 3, 4});
        f.control.SetSoundLeave(SoundBytes{4, 5});
        f.host.Clear();
        std::string played;
        for (int pass = 0; pass < 2; ++pass) {
            f.Hover();
            f.Hover(12);
            f.control.MouseDown(1, 0, 12, 10);
            f.control.MouseUp(1, 0, 12, 10);
            f.Leave();
            f.Leave();
        }
        for (const std::string& sound : Filter(f.host.log, "PlaySound")) {
            played += sound + " ";
        }
        EXPECT_EQ(played, tc.sounds);
    }
}

TEST(Resize, LaysOutAgainAndTellsTheProgramOnce) {
    Face f(40, 22);
    f.host.onResize = [&f] { f.control.OnResize(); };
    std::vector<std::int32_t> reported;
    f.host.onEvent = [&reported](std::int32_t, std::span<EventArg> args) {
        for (EventArg& arg : args) {
            reported.push_back(std::get<std::int32_t>(arg));
            arg = std::int32_t{999}; // written back by a handler: ignored
        }
    };
    f.With(tvStyle::Separator); // its own size change comes back as a resize
    EXPECT_EQ(Filter(f.host.log, "RaiseEvent(3)").size(), 1u);
    EXPECT_EQ(reported, (std::vector<std::int32_t>{4, 22}));
    EXPECT_EQ(f.host.scaleWidth, 4);

    // Size changes of the auto-size run inside the layout and are not reported.
    Face sized(40, 22);
    sized.host.onResize = [&sized] { sized.control.OnResize(); };
    sized.control.SetCaption(u"Auto");
    sized.host.Clear();
    sized.control.SetAutoSize(true);
    EXPECT_NE(Filter(sized.host.log, "SetWidth"), Log{});
    EXPECT_EQ(Filter(sized.host.log, "RaiseEvent(3)"), Log{});
}

} // namespace
} // namespace tovabel::testing
