// The face as the container shows it: the lines the window draws, the caption
// and picture drawn on the surface and the sizes asked for, for each style and
// look the pointer brings about.
#include "fake_host.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace tovabel::testing {
namespace {

using namespace tvStyle;

// A button that keeps its size, `width` x `height` pixels.
Options Sized(double width, double height, std::int32_t style = Normal) {
    return {.style = style, .autoSize = false, .width = width, .height = height};
}

// The lines the window draws, back to front: " x1,y1,x2,y2 x1,y1,x2,y2 ".
std::string Drawn(const Tovabel& control) {
    std::string out = " ";
    const auto at = [](double v) { return std::to_string(static_cast<int>(v)); };
    for (const Line& l : control.VisibleLines()) {
        out += at(l.X1) + "," + at(l.Y1) + "," + at(l.X2) + "," + at(l.Y2) + " ";
    }
    return out;
}

// Whether the window draws `lines` ("x1,y1,x2,y2 ..."), each in front of those
// before.
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

// The last text drawn: "x,y,text".
std::string LastText(const Log& log) {
    const Log drawn = Filter(log, "TextOut(");
    return drawn.empty() ? "" : drawn.back().substr(8, drawn.back().size() - 9);
}

TEST(Layout, FramesOfTheWholeSurfaceAndOfTheDropDownArea) {
    for (const auto& [style, lines] : {
             // The right edge ends one pixel low to paint the corner.
             std::pair{Normal, " 0,0,39,0 0,21,39,21 0,0,0,21 39,0,39,22 "},
             // 9 pixels of drop-down in front of the main frame; the two frames
             // touch.
             std::pair{DropDown, " 30,0,30,22 31,0,39,0 31,21,39,21 31,0,31,21 39,0,39,22 "},
             std::pair{DropDownNoSeparator, " 39,0,39,22 "},
         }) {
        SCOPED_TRACE(style);
        Button f(Sized(40, 22, style));
        EXPECT_TRUE(ShowsInOrder(f.Do("m").control, lines));
    }
    Button menu(Sized(120, 24, MenuItem)); // a menu item frames its picture
    menu.control.SetPicture(Pic(Bitmap, 0x50));
    menu.control.SystemColorsChanged(); // the frame uses the picture row placed before
    EXPECT_EQ(Filter(menu.host.log, "PaintTransparentPicture").back(),
              "PaintTransparentPicture(pic(1),50,2,-5,32,32)");
    EXPECT_TRUE(ShowsInOrder(menu.Do("m").control, "0,-7,35,-7 0,29,35,29 35,-7,35,30"));
}

// A face at rest shows only its arrow, in the text colour.
TEST(Layout, ArrowRowsAndColumns) {
    using Case = std::tuple<std::int32_t, double, const char*>;
    for (const auto& [style, height, lines] : {
             Case{DropDown, 21, " 33,10,38,10 34,11,37,11 35,12,36,12 "},
             Case{DropDown, 22, " 33,10,38,10 34,11,37,11 35,12,36,12 "},
             Case{DropDown, 23, " 33,12,38,12 34,13,37,13 35,14,36,14 "},
             Case{DropDownNoSeparator, 22, " 29,14,34,14 30,15,33,15 31,16,32,16 "},
             Case{MenuItemCascade, 22, " 30,8,30,15 31,9,31,14 32,10,32,13 33,11,33,12 "},
             Case{MenuItemCascade, 21, " 30,6,30,13 31,7,31,12 32,8,32,11 33,9,33,10 "},
             Case{Normal, 22, " "},
             Case{Menu, 22, " "},
         }) {
        SCOPED_TRACE(std::to_string(style) + " at height " + std::to_string(height));
        Button f(Sized(40, height, style));
        EXPECT_EQ(Drawn(f.control), lines);
        for (const Line& line : f.control.VisibleLines()) {
            EXPECT_EQ(line.BorderColor, f.control.TextColor());
        }
    }
    Button cascade(Sized(40, 22, MenuItemCascade));
    EXPECT_EQ(cascade.Do("m").control.VisibleLines().front().BorderColor,
              0x8000000Eu); // lit
    cascade.control.SetEnabled(false);
    EXPECT_EQ(cascade.control.VisibleLines().front().BorderColor, cascade.control.ShadowColor());
}

// A separator's own size change comes back as a resize and is reported with the
// new size; what a handler writes back is ignored.
TEST(Layout, SeparatorsAndTheMinimumWidthHaveFixedSizes) {
    Button toolbar(Sized(40, 22));
    toolbar.host.onResize = [&toolbar] { toolbar.control.OnResize(); };
    std::string reported;
    toolbar.host.onEvent = [&reported](std::int32_t, std::span<EventArg> args) {
        for (EventArg& arg : args) {
            reported += Str(std::get<std::int32_t>(arg)) + " ";
            arg = std::int32_t{999};
        }
    };
    toolbar.control.SetStyle(Separator);
    EXPECT_EQ(Filter(toolbar.host.log, "SetWidth").front(), "SetWidth(60)"); // 4 pixels
    EXPECT_EQ(Events(toolbar.host.log), "3");
    EXPECT_EQ(reported, "4 22 ");
    EXPECT_EQ(toolbar.host.scaleWidth, 4);
    EXPECT_EQ(Drawn(toolbar.control), " 1,0,1,21 2,0,2,21 ");
    EXPECT_EQ(toolbar.control.VisibleLines()[0].BorderColor, toolbar.control.ShadowColor());

    Button menu(Sized(80, 30));
    menu.control.SetStyle(MenuItemSeparator);
    EXPECT_EQ(Filter(menu.host.log, "SetHeight"), Log{"SetHeight(150)"}); // 10 pixels
    EXPECT_EQ(Drawn(menu.control), " 2,4,78,4 2,5,78,5 ");

    Button narrow(Sized(40, 22));
    narrow.host.scaleWidth = 8;
    narrow.control.SystemColorsChanged();
    EXPECT_EQ(Filter(narrow.host.log, "SetWidth"), Log{"SetWidth(150)"});
}

// Ten characters of 7 pixels: 70 + 6 + 4 (frame) = 80 pixels of content. A
// style outside the enumeration reads the neutral row: nobody lays it out, so
// it keeps its size and shows no caption. Size changes of the auto-size run
// inside the layout and are not reported.
TEST(AutoSize, SizesToTheContentByStyle) {
    using Case = std::tuple<std::int32_t, const char16_t*, const char*>;
    for (const auto& [style, caption, sizes] :
         {Case{Normal, u"ABCDEFGHIJ", "SetHeight(270) SetWidth(1200)"},
          Case{DropDown, u"ABCDEFGHIJ", "SetHeight(270) SetWidth(1335)"},
          Case{MenuItem, u"ABCDEFGHIJ", "SetHeight(270)"}, // it only grows
          Case{Normal, u"", ""}, Case{42, u"ABCDEFGHIJ", ""}}) {
        SCOPED_TRACE(style);
        Button f(Sized(120, 22, style));
        f.host.charWidth = 7;
        f.host.onResize = [&f] { f.control.OnResize(); };
        f.control.SetCaption(caption);
        f.host.Clear();
        f.control.SetAutoSize(true);
        EXPECT_EQ(Joined(Filter(f.Do("m").host.log, "SetHeight", "SetWidth")), sizes);
        EXPECT_EQ(LastText(f.host.log).ends_with(",ABCDEFGHIJ"), *sizes != 0);
        EXPECT_EQ(Events(f.host.log), "");
    }
}

// "Hi" is 12 x 13 pixels on a 40 x 22 button.
TEST(Caption, OriginForEveryAlignmentAndDirection) {
    using Case = std::tuple<std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t>;
    using namespace tvAlign;
    for (const auto& [border, align, direction, x, y] :
         {Case{1, AlignTop, 0, 14, 3}, Case{1, AlignBottom, 0, 14, 6}, Case{1, AlignLeft, 0, 3, 4},
          Case{1, AlignRight, 0, 23, 4}, Case{1, AlignMiddle, 0, 14, 4},
          Case{0, AlignTop, 0, 14, 1}, Case{0, AlignBottom, 0, 14, 8}, Case{0, AlignLeft, 0, 1, 4},
          Case{0, AlignRight, 0, 25, 4}, Case{1, AlignMiddle, 1, 28, 2},
          Case{1, AlignMiddle, 2, 26, 17}, Case{1, AlignMiddle, 3, 11, 18}}) {
        SCOPED_TRACE(std::to_string(border) + std::to_string(align) + std::to_string(direction));
        Button f(Sized(40, 22));
        f.control.SetBorderStyle(border);
        f.control.SetAlignCaption(align);
        f.control.SetFontDirection(direction);
        f.control.SetCaption(u"Hi");
        EXPECT_EQ(LastText(f.host.log), std::to_string(x) + "," + std::to_string(y) + ",Hi");
    }
}

TEST(Caption, ShortenedAlongItsDirectionBeforeMeasuring) {
    Button f(Sized(200, 40));
    f.control.SetFontDirection(tvFontDirection::DownwardText);
    f.control.SetCaption(u"ABCDEFGHIJ"); // 60 pixels; 40 - 2 - 4 = 34 available
    EXPECT_TRUE(LastText(f.host.log).ends_with(",AB..."));

    Button tiny(Sized(12, 22, DropDownNoSeparator)); // a negative width shortens nothing
    tiny.control.SetBorderStyle(tvBorderStyle::None);
    tiny.control.SetCaption(u"Long caption");
    EXPECT_TRUE(LastText(tiny.host.log).ends_with(",Long caption"));

    Button keyCut(Sized(30, 22));
    keyCut.control.SetCaption(u"Open &Recent");
    EXPECT_TRUE(LastText(keyCut.host.log).ends_with(",O..."));
    EXPECT_EQ(Filter(keyCut.host.log, "ApplyAccessKeys"), Log{"ApplyAccessKeys(R)"});
    EXPECT_EQ(Filter(keyCut.host.log, "ReplaceCaptionFont(-11,0,255)"), Log{})
        << "a key that was cut off is not underlined";
}

TEST(Caption, DisabledIsEmbossedAndMenuItemsAreHighlighted) {
    Button disabled(Sized(60, 22));
    disabled.control.SetCaption(u"Go");
    disabled.host.Clear();
    disabled.control.SetEnabled(false);
    EXPECT_EQ(Joined(Filter(disabled.host.log, "TextOut", "SetTextColor")),
              "SetTextColor(80000014) TextOut(25,7,Go) SetTextColor(80000010) TextOut(24,6,Go)");

    Button menu(Sized(100, 22, MenuItem));
    menu.control.SetCaption(u"Open");
    menu.host.Clear();
    menu.Do("m");
    EXPECT_EQ(Joined(Filter(menu.host.log, "FillRect", "SetTextColor", "TextOut")),
              "FillRect(5,0,100,13,8000000D) SetTextColor(8000000E) TextOut(6,4,Open)");
}

TEST(Caption, OffsetsOfCheckedPressedAndOpenMenuAddUp) {
    // Where "Go" is drawn on a button of `style` after `gestures`.
    const auto drawn = [](std::int32_t style, bool checked, const char* gestures) {
        Button f(Sized(60, 22, style));
        f.control.SetChecked(checked);
        f.control.SetCaption(u"Go");
        int x = 0;
        int y = 0;
        std::sscanf(LastText(f.Do(gestures).host.log).c_str(), "%d,%d", &x, &y);
        return std::pair{x, y};
    };
    using Case = std::tuple<std::int32_t, bool, const char*, int>;
    for (const auto& [style, checked, gestures, offset] :
         {Case{Check, false, "m", 0}, Case{Check, true, "m", 1}, Case{Check, true, "m d M", 2},
          Case{DropDownNoSeparator, false, "m d M", 0}, Case{MenuItemCheck, true, "m d M", 0},
          Case{Menu, false, "m d M", 1}}) {
        SCOPED_TRACE(std::to_string(style) + gestures);
        const auto [x, y] = drawn(style, false, "");
        EXPECT_EQ(drawn(style, checked, gestures), std::pair(x + offset, y + offset));
    }
}

// How the drop-down area's frame looks: "none" when it is not drawn.
std::string DropDownLookOf(const Tovabel& control) {
    for (const Line& line : control.VisibleLines()) {
        if (line.Y1 == 0 && line.Y2 == 0 && line.X1 == 31) {
            return line.BorderColor == control.HighlightColor() ? "raised" : "sunken";
        }
    }
    return "none";
}

// Without a frame style nothing shows, whatever the look. "M36" is held down
// over the arrow, "a40" opens by the keyboard, "p" a cascade the pointer rests
// on.
TEST(Looks, ByStyleStateAndCondition) {
    using Case = std::tuple<std::int32_t, bool, const char*, const char*, const char*>;
    for (const auto& [style, checked, gestures, frame, dropDown] : {
             Case{Normal, false, "", "flat", "none"}, Case{NonFlat, false, "", "raised", "none"},
             Case{Check, true, "", "sunken", "none"},
             Case{DropDown, false, "m36 d36", "raised", "sunken"},
             Case{MenuItemCascade, false, "m p", "raised", "none"},
             Case{Menu, false, "a40", "sunken", "none"}, Case{Normal, false, "m", "raised", "none"},
             Case{DropDown, false, "m", "raised", "raised"},
             Case{Check, true, "m", "sunken", "none"}, Case{Normal, false, "m d", "sunken", "none"},
             Case{DropDown, false, "m36 M36", "raised", "sunken"},
             Case{MenuItem, false, "m d", "raised", "none"}, // a pressed menu item stays lit
             Case{42, false, "m", "raised", "none"},
             Case{Menu, false, "a40 m", "sunken", "none"}, // open, it ignores the pointer
         }) {
        for (std::int32_t border : {tvBorderStyle::FixedSingle, tvBorderStyle::None}) {
            SCOPED_TRACE(std::to_string(style) + " " + gestures + " " + Str(border));
            Button f(Sized(40, 22));
            f.control.SetBorderStyle(border);
            f.control.SetStyle(style);
            f.control.SetChecked(checked);
            f.Do(gestures);
            EXPECT_EQ(LookOf(f.control), border ? frame : "flat");
            EXPECT_EQ(DropDownLookOf(f.control), border ? dropDown : "none");
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
    Button onlyOver(Sized(40, 22));
    onlyOver.control.SetPictureOver(Pic(Bitmap, 0x62));
    EXPECT_EQ(ShownPicture(onlyOver.Do("m").host.log), "62");
    EXPECT_EQ(ShownPicture(onlyOver.Do("m60").host.log),
              "62"); // no Picture: it stays

    Button pressed(Sized(40, 22));
    pressed.control.SetPicture(Pic(Bitmap, 0x61));
    pressed.control.SetPictureDown(Pic(Bitmap, 0x63));
    EXPECT_EQ(ShownPicture(pressed.Do("m d").host.log), "63");
    EXPECT_EQ(ShownPicture(pressed.Do("u").host.log), "61");
}

// A disabled button paints its picture in the disabled look, or its disabled
// picture as it is. (The check pattern's place and colours are the face pixels'.)
TEST(DrawPicture, TheDisabledLook) {
    Button disabled(Sized(40, 40));
    disabled.control.SetPicture(Pic(Bitmap, 0x71));
    disabled.host.Clear();
    disabled.control.SetEnabled(false);
    EXPECT_EQ(Filter(disabled.host.log, "PaintDisabledPicture").size(), 1u);
    disabled.control.SetPictureDisabled(Pic(Icon, 0x72));
    disabled.host.Clear();
    disabled.control.SystemColorsChanged();
    EXPECT_EQ(Joined(Filter(disabled.host.log, "Cls(", "Paint")),
              "Cls(8000000F) PaintTransparentPicture(pic(3),72,4,2,32,32)");
}

// Entering and leaving sound once per pass, moves over the button are quiet; a
// click sounds, except when it checks a button or opens a drop-down. The
// designer hears clicks only.
TEST(Sounds, OncePerPassAndClick) {
    const std::string enter = "PlaySound(MenuPopup,3) ";
    const std::string click = "PlaySound(MenuCommand,3) ";
    const std::string own = "PlaySound(3 bytes,7) PlaySound(4 bytes,7) PlaySound(2 bytes,7) ";
    using Case = std::tuple<std::int32_t, bool, bool, std::string>;
    for (const auto& [style, userMode, systemSounds, sounds] : {
             Case{Normal, true, true, enter + click + enter + click},
             Case{Check, true, true, enter + enter + click},
             Case{Menu, true, true, click}, // quiet on entry
             Case{DropDown, true, true, click + click},
             Case{Normal, false, true, click + click},
             Case{Normal, true, false, own + own},
         }) {
        SCOPED_TRACE(style);
        Button f({.style = style, .userMode = userMode, .autoSize = false});
        f.control.SetUseSystemSounds(systemSounds);
        f.control.SetSoundEnter(SoundBytes{1, 2, 3});
        f.control.SetSoundClick(SoundBytes{1, 2, 3, 4});
        f.control.SetSoundLeave(SoundBytes{4, 5});
        f.host.Clear();
        f.Do("m m12 d12 u12 m60 m60 m m12 d12 u12 m60 m60");
        EXPECT_EQ(Joined(Filter(f.host.log, "PlaySound")) + " ", sounds);
    }
}

} // namespace
} // namespace tovabel::testing
