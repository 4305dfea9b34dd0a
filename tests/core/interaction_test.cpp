// The interaction state machine: the events of each gesture in order, the
// mouse capture, drop-downs, focus and the click sound.
#include "fake_host.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tovabel::testing {
namespace {

using Log = std::vector<std::string>;

Log Matching(const Log& log, std::initializer_list<const char*> prefixes) {
    Log out;
    for (const auto& line : log) {
        for (const char* prefix : prefixes) {
            if (line.starts_with(prefix)) {
                out.push_back(line);
            }
        }
    }
    return out;
}

Log Events(const Log& log) {
    Log out;
    for (const auto& line : Matching(log, {"RaiseEvent"})) {
        if (line != "RaiseEvent(7)") { // moves are left out of the gesture lists
            out.push_back(line);
        }
    }
    return out;
}

struct Button {
    FakeHost host;
    Tovabel control{host};

    explicit Button(std::int32_t style = tvStyle::Normal) {
        host.scaleWidth = 40;
        host.scaleHeight = 22;
        control.Initialize();
        control.InitProperties();
        control.SetAutoSize(false);
        control.SetStyle(style);
        host.Clear();
    }
    void Down(float x = 10, std::int16_t button = 1) { control.MouseDown(button, 0, x, 10); }
    void Move(float x = 10, std::int16_t button = 0) { control.MouseMove(button, 0, x, 10); }
    void Up(float x = 10, std::int16_t button = 1) { control.MouseUp(button, 0, x, 10); }
    void Click(float x = 10) {
        Move(x);
        Down(x);
        Up(x);
    }
};

TEST(Gestures, EventsInOrder) {
    struct Case {
        const char* name;
        std::int32_t style;
        std::function<void(Button&)> setup;
        std::function<void(Button&)> gesture;
        Log events;
    };
    const auto none = [](Button&) {};
    const auto click = [](Button& b) { b.Click(); };
    const auto clickArrow = [](Button& b) { b.Click(36); };
    // Alt+Down opens the toolbar drop-downs, the pointer resting on it a cascade item.
    const auto open = [](Button& b) {
        b.control.KeyDown(40, 4);
        b.control.OnTimer(TimerId::MenuPop);
        ASSERT_TRUE(b.control.DroppedDown());
    };
    const Log clickEvents{"RaiseEvent(6)", "RaiseEvent(8)", "RaiseEvent(1)"};
    const Log dropDown{"RaiseEvent(4)", "RaiseEvent(6)", "RaiseEvent(8)"};
    const Log cancelled{"RaiseEvent(5)", "RaiseEvent(6)", "RaiseEvent(8)"};
    const std::vector<Case> cases = {
        {"click on Normal", tvStyle::Normal, none, click, clickEvents},
        {"click on Check", tvStyle::Check, none, click, clickEvents},
        {"click on MenuItem", tvStyle::MenuItem, none, click, clickEvents},
        {"click on MenuItemCheck", tvStyle::MenuItemCheck, none, click, clickEvents},
        {"click on NonFlat", tvStyle::NonFlat, none, click, clickEvents},
        {"click on the main part of DropDown", tvStyle::DropDown, none, click, clickEvents},
        {"press on the arrow area", tvStyle::DropDown, none, clickArrow, dropDown},
        {"press on DropDownNoSeparator", tvStyle::DropDownNoSeparator, none, click, dropDown},
        {"press on Menu", tvStyle::Menu, none, click, dropDown},
        {"press on MenuItemCascade", tvStyle::MenuItemCascade, none, click, dropDown},
        {"press on the open arrow area", tvStyle::DropDown, open, clickArrow, cancelled},
        {"press on an open Menu", tvStyle::Menu, open, click, cancelled},
        {"an open cascade item stays open", tvStyle::MenuItemCascade, open, click, dropDown},
        {"main part of an open DropDown", tvStyle::DropDown, open, click, clickEvents},
        {"right click",
         tvStyle::Normal,
         none,
         [](Button& b) {
             b.Move();
             b.Down(10, 2);
             b.Up(10, 2);
         },
         {"RaiseEvent(6)", "RaiseEvent(8)", "RaiseEvent(2)"}},
        {"right click on the right edge",
         tvStyle::Normal,
         none,
         [](Button& b) { b.Up(40, 2); },
         {"RaiseEvent(8)", "RaiseEvent(2)"}},
        {"press inside, release outside",
         tvStyle::Check,
         none,
         [](Button& b) {
             b.Down();
             b.Move(60, 1);
             b.Up(60);
         },
         {"RaiseEvent(6)", "RaiseEvent(8)"}},
        {"Space on Normal",
         tvStyle::Normal,
         none,
         [](Button& b) { b.control.KeyDown(32, 0); },
         {"RaiseEvent(1)"}},
        {"Enter on DropDown",
         tvStyle::DropDown,
         none,
         [](Button& b) { b.control.KeyDown(13, 0); },
         {"RaiseEvent(1)"}},
        {"Space on a closed Menu",
         tvStyle::Menu,
         none,
         [](Button& b) { b.control.KeyDown(32, 0); },
         {"RaiseEvent(4)"}},
        {"Alt+Down on DropDownNoSeparator",
         tvStyle::DropDownNoSeparator,
         none,
         [](Button& b) { b.control.KeyDown(40, 4); },
         {"RaiseEvent(4)"}},
        {"any key closes an open Menu silently",
         tvStyle::Menu,
         open,
         [](Button& b) { b.control.KeyDown(65, 0); },
         {}},
        {"a disabled button only reports moves",
         tvStyle::Normal,
         [](Button& b) { b.control.SetEnabled(false); },
         click,
         {}},
        {"a separator only reports moves", tvStyle::Separator, none, click, {}},
        {"a style outside the enumeration only reports the button",
         tvStyle::NonFlat + 1,
         none,
         click,
         {"RaiseEvent(6)", "RaiseEvent(8)"}},
        {"a negative style too", -1, none, click, {"RaiseEvent(6)", "RaiseEvent(8)"}},
        {"access key",
         tvStyle::Normal,
         none,
         [](Button& b) { b.control.AccessKeyPress(65); },
         {"RaiseEvent(1)"}},
        {"access key on a disabled button",
         tvStyle::Normal,
         [](Button& b) { b.control.SetEnabled(false); },
         [](Button& b) { b.control.AccessKeyPress(65); },
         {}},
        {"losing focus closes silently",
         tvStyle::DropDown,
         open,
         [](Button& b) { b.control.ExitFocus(); },
         {}},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        Button b(tc.style);
        tc.setup(b);
        b.host.Clear();
        tc.gesture(b);
        EXPECT_EQ(Events(b.host.log), tc.events);
    }
}

// A saved form may hold any number as the style: it reads the neutral row.
TEST(Styles, NumbersOutsideTheEnumerationAreNeutral) {
    for (std::int32_t style : {-1, tvStyle::NonFlat + 1, INT32_MIN, INT32_MAX}) {
        const StyleTraits& traits = TraitsOf(style);
        EXPECT_FALSE(traits.known);
        EXPECT_FALSE(traits.clicks || traits.checks || traits.dropDown || traits.menuItem);
        EXPECT_EQ(traits.valueAction, ValueAction::None);
        EXPECT_EQ(traits.role, StyleRole::PushButton);
    }
}

TEST(Gestures, CheckTogglesOnlyOnReleaseInside) {
    for (const std::int32_t style : {tvStyle::Check, tvStyle::MenuItemCheck}) {
        SCOPED_TRACE(style);
        Button b(style);
        b.Click();
        EXPECT_TRUE(b.control.Checked());
        b.Down();
        b.Move(60, 1);
        b.Up(60);
        EXPECT_TRUE(b.control.Checked());
        b.Click();
        EXPECT_FALSE(b.control.Checked());
    }
}

TEST(Gestures, CaptureIsHeldWhileThePointerIsOver) {
    Button b;
    b.Move();   // enters: takes the capture
    b.Move(5);  // moves inside: takes it again
    b.Move(60); // leaves: lets it go
    EXPECT_EQ(Matching(b.host.log, {"SetCapture", "ReleaseCapture"}),
              (Log{"ReleaseCapture", "SetCapture", "SetCapture", "ReleaseCapture"}));
    EXPECT_EQ(LookOf(b.control), "flat");

    // Dragging out with the button held keeps the raised look and the capture.
    Button drag;
    drag.Down();
    drag.Move(60, 1);
    EXPECT_EQ(LookOf(drag.control), "raised");
    EXPECT_TRUE(Matching(drag.host.log, {"ReleaseCapture"}).empty());
    drag.Move(10, 1);
    EXPECT_EQ(LookOf(drag.control), "sunken");
}

TEST(Gestures, OneEnterSoundPerEntryAndAClickSound) {
    Button b;
    b.Move();
    b.Move(12);
    b.Move(14);
    EXPECT_EQ(Matching(b.host.log, {"PlaySound"}), Log{"PlaySound(MenuPopup,3)"});
    b.host.Clear();
    b.Down();
    b.Up();
    EXPECT_EQ(Matching(b.host.log, {"PlaySound"}), Log{"PlaySound(MenuCommand,3)"});

    Button check(tvStyle::Check); // becoming checked is silent, unchecking is not
    check.Click();
    check.host.Clear();
    check.Click();
    EXPECT_EQ(Matching(check.host.log, {"PlaySound(MenuCommand"}).size(), 1u);
}

TEST(Gestures, CascadeOpensAfterThePointerRests) {
    Button b(tvStyle::MenuItemCascade);
    b.Move();
    EXPECT_TRUE(b.host.timers[TimerId::MenuPop].first);
    b.Move(60); // leaving first stops the timer
    EXPECT_FALSE(b.host.timers[TimerId::MenuPop].first);
    b.Move();
    b.host.Clear();
    b.control.OnTimer(TimerId::MenuPop);
    EXPECT_TRUE(b.control.DroppedDown());
    EXPECT_EQ(Events(b.host.log), Log{"RaiseEvent(4)"});
}

TEST(Focus, LooksHoveredUntilThePointerMoves) {
    struct Case {
        const char* name;
        std::optional<bool> tabStop;
        std::int32_t style;
        bool checked;
        const char* look;
    };
    for (const Case& tc :
         {Case{"tab stop", true, tvStyle::Normal, false, "raised"},
          Case{"no tab stop", false, tvStyle::Normal, false, "flat"},
          Case{"extender cannot tell", std::nullopt, tvStyle::Normal, false, "flat"},
          Case{"checked Check button", true, tvStyle::Check, true, "sunken"},
          Case{"separator", true, tvStyle::Separator, false, "flat"}}) {
        SCOPED_TRACE(tc.name);
        Button b(tc.style);
        b.control.SetChecked(tc.checked);
        b.host.extenderTabStop = tc.tabStop;
        b.control.EnterFocus();
        EXPECT_EQ(LookOf(b.control), tc.look);
    }
}

TEST(CancelMode, DropsEveryInteractionFlag) {
    Button b;
    b.Move();
    b.Down();
    b.host.Clear();
    b.control.CancelMode();
    EXPECT_EQ(LookOf(b.control), "flat");
    EXPECT_FALSE(b.control.HeldDown());
    EXPECT_FALSE(b.control.PointerOver());
    EXPECT_EQ(Matching(b.host.log, {"ReleaseCapture"}), Log{"ReleaseCapture"});
}

TEST(KeyPress, PassesTheKeyAndTakesBackAChange) {
    Button b;
    b.host.onEventArgs = [](std::span<EventArg> args) { args[0] = std::int16_t{0}; };
    std::int16_t key = 'a';
    b.control.KeyPress(key);
    EXPECT_EQ(Events(b.host.log), Log{"RaiseEvent(-603)"});
    EXPECT_EQ(key, 0);
}

TEST(ToolTip, TextShownFollowsTheContainerAndTheButtonsState) {
    struct Case {
        const char* name;
        std::optional<Text> fromContainer;
        bool enabled;
        Text own;
        std::optional<Text> shown;
        Text ownAfter;
    };
    const Case cases[] = {
        {"own text", Text(), true, u"Open", u"Open", u"Open"},
        {"the container's text wins and is kept", u"Save", true, u"Open", u"Save", u"Save"},
        {"disabled with the container's text: no tip", u"Save", false, u"Open", std::nullopt,
         u"Open"},
        {"disabled with its own text", Text(), false, u"Open", u"Open", u"Open"},
        {"no ToolTipText in the container: no tip", std::nullopt, true, u"Open", std::nullopt,
         u"Open"},
        {"one character shows nothing", Text(), true, u"X", Text(), u"X"},
        {"two characters show", Text(), true, u"XY", u"XY", u"XY"},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        Button b;
        b.control.SetToolTipText(tc.own);
        b.control.SetEnabled(tc.enabled);
        b.host.extenderToolTip = tc.fromContainer;
        EXPECT_EQ(b.control.ToolTipTextToShow(), tc.shown);
        EXPECT_EQ(b.control.ToolTipText(), tc.ownAfter);
    }
}

TEST(SystemColors, ChangeClearsAndLaysOutTheFaceAgain) {
    Button b;
    b.control.SetCaption(u"Go");
    b.host.log.clear();
    b.control.SystemColorsChanged();
    ASSERT_FALSE(b.host.log.empty());
    EXPECT_EQ(b.host.log.front(), "Cls(8000000F)");
    // The layout that follows the clearing draws the face again.
    EXPECT_FALSE(Filter(b.host.log, "TextOut").empty());
}

} // namespace
} // namespace tovabel::testing
