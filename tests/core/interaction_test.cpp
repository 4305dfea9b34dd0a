// The interaction state machine: the events of each gesture in order and their
// arguments, the mouse capture, drop-downs, focus and the tooltip shown.
#include "fake_host.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tovabel::testing {
namespace {

// The events raised, moves left out.
Log Events(const Log& log) {
    Log out = Filter(log, "RaiseEvent");
    std::erase(out, "RaiseEvent(7)");
    return out;
}

struct Button {
    FakeHost host;
    Tovabel control{host};

    explicit Button(std::int32_t style = tvStyle::Normal) {
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
    using Gesture = std::function<void(Button&)>;
    const Gesture none = [](Button&) {};
    const Gesture click = [](Button& b) { b.Click(); };
    const Gesture clickArrow = [](Button& b) { b.Click(36); };
    // Alt+Down opens the toolbar drop-downs, the pointer resting on it a cascade item.
    const Gesture open = [](Button& b) {
        b.control.KeyDown(40, 4);
        b.control.OnTimer(TimerId::MenuPop);
        ASSERT_TRUE(b.control.DroppedDown());
    };
    const Gesture disable = [](Button& b) { b.control.SetEnabled(false); };
    const auto key = [](std::int16_t code, std::int16_t shift) {
        return [=](Button& b) { b.control.KeyDown(code, shift); };
    };
    const Gesture accessKey = [](Button& b) { b.control.AccessKeyPress(65); };
    const Log clicked{"RaiseEvent(6)", "RaiseEvent(8)", "RaiseEvent(1)"};
    const Log dropDown{"RaiseEvent(4)", "RaiseEvent(6)", "RaiseEvent(8)"};
    const Log cancelled{"RaiseEvent(5)", "RaiseEvent(6)", "RaiseEvent(8)"};
    const Log buttonOnly{"RaiseEvent(6)", "RaiseEvent(8)"};
    struct Case {
        const char* name;
        std::int32_t style;
        Gesture setup;
        Gesture gesture;
        Log events;
    };
    const std::vector<Case> cases = {
        {"click on Normal", tvStyle::Normal, none, click, clicked},
        {"click on Check", tvStyle::Check, none, click, clicked},
        {"click on MenuItem", tvStyle::MenuItem, none, click, clicked},
        {"click on MenuItemCheck", tvStyle::MenuItemCheck, none, click, clicked},
        {"click on NonFlat", tvStyle::NonFlat, none, click, clicked},
        {"click on the main part of DropDown", tvStyle::DropDown, none, click, clicked},
        {"press on the arrow area", tvStyle::DropDown, none, clickArrow, dropDown},
        {"press on DropDownNoSeparator", tvStyle::DropDownNoSeparator, none, click, dropDown},
        {"press on Menu", tvStyle::Menu, none, click, dropDown},
        {"press on MenuItemCascade", tvStyle::MenuItemCascade, none, click, dropDown},
        {"press on the open arrow area", tvStyle::DropDown, open, clickArrow, cancelled},
        {"press on an open Menu", tvStyle::Menu, open, click, cancelled},
        {"an open cascade item stays open", tvStyle::MenuItemCascade, open, click, dropDown},
        {"main part of an open DropDown", tvStyle::DropDown, open, click, clicked},
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
        {"press inside, release outside", tvStyle::Check, none,
         [](Button& b) {
             b.Down();
             b.Move(60, 1);
             b.Up(60);
         },
         buttonOnly},
        {"Space on Normal", tvStyle::Normal, none, key(32, 0), {"RaiseEvent(1)"}},
        {"Enter on DropDown", tvStyle::DropDown, none, key(13, 0), {"RaiseEvent(1)"}},
        {"Space on a closed Menu", tvStyle::Menu, none, key(32, 0), {"RaiseEvent(4)"}},
        {"Alt+Down on DropDownNoSeparator",
         tvStyle::DropDownNoSeparator,
         none,
         key(40, 4),
         {"RaiseEvent(4)"}},
        {"any key closes an open Menu silently", tvStyle::Menu, open, key(65, 0), {}},
        {"a disabled button only reports moves", tvStyle::Normal, disable, click, {}},
        {"a separator only reports moves", tvStyle::Separator, none, click, {}},
        {"a style outside the enumeration only reports the button", tvStyle::NonFlat + 1, none,
         click, buttonOnly},
        {"a negative style too", -1, none, click, buttonOnly},
        {"access key", tvStyle::Normal, none, accessKey, {"RaiseEvent(1)"}},
        {"access key on a disabled button", tvStyle::Normal, disable, accessKey, {}},
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

std::string Describe(const EventArg& arg) {
    return std::visit(
        [](const auto& value) {
            if constexpr (std::is_same_v<std::decay_t<decltype(value)>, Text>) {
                return Narrow(value);
            } else {
                return std::to_string(value);
            }
        },
        arg);
}

// The arguments each event hands over; a handler may change KeyPress's key.
TEST(Gestures, EventArguments) {
    Button b;
    std::vector<std::string> args;
    b.host.onEvent = [&](std::int32_t dispid, std::span<EventArg> given) {
        std::string line = std::to_string(dispid) + ":";
        for (EventArg& arg : given) {
            line += " " + Describe(arg);
        }
        args.push_back(line);
        if (dispid == EventId::KeyPress) {
            given[0] = std::int16_t{0};
        }
    };
    b.control.MouseMove(0, 1, 3, 7);
    b.control.MouseDown(1, 2, 5, 9);
    b.control.MouseUp(2, 4, 6, 8);
    std::int16_t key = 'a';
    b.control.KeyPress(key);
    EXPECT_EQ(args,
              (std::vector<std::string>{"7: 0 1 3.000000 7.000000", "6: 1 2 5.000000 9.000000",
                                        "8: 2 4 6.000000 8.000000", "2:", "-603: 97"}));
    EXPECT_EQ(key, 0);
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
    EXPECT_EQ(Filter(b.host.log, "SetCapture", "ReleaseCapture"),
              (Log{"ReleaseCapture", "SetCapture", "SetCapture", "ReleaseCapture"}));
    EXPECT_EQ(LookOf(b.control), "flat");

    // Dragging out with the button held keeps the raised look and the capture.
    Button drag;
    drag.Down();
    drag.Move(60, 1);
    EXPECT_EQ(LookOf(drag.control), "raised");
    EXPECT_EQ(Filter(drag.host.log, "ReleaseCapture"), Log{});
    drag.Move(10, 1);
    EXPECT_EQ(LookOf(drag.control), "sunken");
    drag.Up(); // released over it: raised again
    EXPECT_EQ(LookOf(drag.control), "raised");

    // Cancel mode drops the press and the capture.
    drag.Down();
    drag.host.Clear();
    drag.control.CancelMode();
    EXPECT_EQ(LookOf(drag.control), "flat");
    EXPECT_EQ(Filter(drag.host.log, "ReleaseCapture"), Log{"ReleaseCapture"});
    drag.Move();
    EXPECT_EQ(LookOf(drag.control), "raised");
}

TEST(Gestures, CascadeOpensAfterThePointerRests) {
    Button b(tvStyle::MenuItemCascade);
    b.Move();
    b.Move(60); // leaving first stops the timer
    EXPECT_EQ(Filter(b.host.log, "SetTimer(MenuPop"),
              (Log{"SetTimer(MenuPop,on,500)", "SetTimer(MenuPop,off,500)"}));
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

} // namespace
} // namespace tovabel::testing
