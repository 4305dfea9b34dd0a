// The interaction state machine: the events of each gesture in order and their
// arguments, the check, the mouse capture, focus and the tooltip shown.
#include "fake_host.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace tovabel::testing {
namespace {

using namespace tvStyle;

// Events by DISPID: 1 Click, 2 RightClick, 4 DropDown, 5 DropDownCancelled,
// 6 MouseDown, 8 MouseUp. Alt+Down ("a40") opens the toolbar drop-downs and the
// menu timer ("p") a cascade item the pointer rests on.
TEST(Gestures, EventsInOrderAndTheCheck) {
    using Case = std::tuple<std::int32_t, const char*, const char*, const char*, bool>;
    const Case cases[] = {
        {Normal, "", "m d u", "6 8 1", false},
        {Check, "", "m d u", "6 8 1", true},
        {Check, "", "m d u m d u", "6 8 1 6 8 1", false},
        {Check, "", "d M60 u60", "6 8", false}, // released outside
        {MenuItemCheck, "", "m d u", "6 8 1", true},
        {MenuItem, "", "m d u", "6 8 1", false},
        {NonFlat, "", "m d u", "6 8 1", false},
        {DropDown, "", "m d u", "6 8 1", false},
        {DropDown, "", "m36 d36 u36", "4 6 8", false}, // on the arrow
        {DropDownNoSeparator, "", "m d u", "4 6 8", false},
        {Menu, "", "m d u", "4 6 8", false},
        {MenuItemCascade, "", "m d u", "4 6 8", false},
        {MenuItemCascade, "", "m p", "4", false},
        {DropDown, "a40 p", "m36 d36 u36", "5 6 8", false},
        {Menu, "a40 p", "m d u", "5 6 8", false},
        {MenuItemCascade, "a40 p", "m d u", "4 6 8", false}, // stays open
        {DropDown, "a40 p", "m d u", "6 8 1", false},
        {Normal, "", "m r R", "6 8 2", false},
        {Normal, "", "R40", "8 2", false}, // on the right edge
        {Normal, "", "k32", "1", false},
        {DropDown, "", "k13", "1", false},
        {Menu, "", "k32", "4", false},
        {DropDownNoSeparator, "", "a40", "4", false},
        {Menu, "a40 p", "k65", "", false},   // any key closes it silently
        {DropDown, "a40 p", "x", "", false}, // so does losing the focus
        {Separator, "", "m d u", "", false},
        {NonFlat + 1, "", "m d u", "6 8", false}, // outside the enumeration
        {-1, "", "m d u", "6 8", false},
        {Normal, "", "A65", "1", false},
    };
    for (const auto& [style, before, gestures, events, checked] : cases) {
        SCOPED_TRACE(std::to_string(style) + ": " + before + " | " + gestures);
        Button b({.style = style, .autoSize = false});
        b.Do(before).host.Clear();
        ASSERT_EQ(b.control.DroppedDown(), *before != 0);
        b.Do(gestures);
        EXPECT_EQ(Events(b.host.log), events);
        EXPECT_EQ(b.control.Checked(), checked);
    }
    Button cascade({.style = MenuItemCascade}); // the menu timer runs while the pointer rests
    EXPECT_EQ(Joined(Filter(cascade.Do("m m60").host.log, "SetTimer(MenuPop")),
              "SetTimer(MenuPop,on,500) SetTimer(MenuPop,off,500)");
    for (const char* gestures : {"m d u", "A65"}) { // a disabled button only reports moves
        Button b;
        b.control.SetEnabled(false);
        EXPECT_EQ(Events(b.Do(gestures).host.log), "");
    }
}

// The arguments each event hands over; a handler may change KeyPress's key.
TEST(Gestures, EventArguments) {
    Button b;
    std::string args;
    b.host.onEvent = [&](std::int32_t dispid, std::span<EventArg> given) {
        args += std::to_string(dispid) + ":";
        for (EventArg& arg : given) {
            args += " " + std::visit([](auto v) { return Str(v); }, arg);
        }
        args += ";";
        if (dispid == EventId::KeyPress) {
            given[0] = std::int16_t{0};
        }
    };
    b.control.MouseMove(0, 1, 3, 7);
    b.control.MouseDown(1, 2, 5, 9);
    b.control.MouseUp(2, 4, 6, 8);
    std::int16_t key = 'a';
    b.control.KeyPress(key);
    EXPECT_EQ(args, "7: 0 1 3.000000 7.000000;6: 1 2 5.000000 9.000000;"
                    "8: 2 4 6.000000 8.000000;2:;-603: 97;");
    EXPECT_EQ(key, 0);
}

// The capture is taken on entering and each move inside and let go on leaving,
// but not while the left button is held; cancel mode drops the press.
TEST(Gestures, CaptureAndLookFollowThePointer) {
    using Case = std::tuple<const char*, const char*, const char*>; // captures: null, unchecked
    const Case cases[] = {
        {"m m5 m60", "ReleaseCapture SetCapture SetCapture ReleaseCapture", "flat"},
        {"d M60", "", "raised"},
        {"d M60 M10", nullptr, "sunken"},
        {"d M60 M10 u", nullptr, "raised"},
        {"d c", "ReleaseCapture", "flat"},
        {"d c m", nullptr, "raised"},
    };
    for (const auto& [gestures, captures, look] : cases) {
        SCOPED_TRACE(gestures);
        Button b({.autoSize = false});
        b.Do(gestures);
        if (captures) {
            EXPECT_EQ(Joined(Filter(b.host.log, "SetCapture", "ReleaseCapture")), captures);
        }
        EXPECT_EQ(LookOf(b.control), look);
    }
}

TEST(Focus, LooksHoveredUntilThePointerMoves) {
    using Case = std::tuple<std::optional<bool>, std::int32_t, bool, const char*>;
    for (const auto& [tabStop, style, checked, look] :
         {Case{true, Normal, false, "raised"}, Case{false, Normal, false, "flat"},
          Case{std::nullopt, Normal, false, "flat"}, Case{true, Check, true, "sunken"},
          Case{true, Separator, false, "flat"}}) {
        SCOPED_TRACE(style);
        Button b({.style = style, .autoSize = false});
        b.control.SetChecked(checked);
        b.host.extenderTabStop = tabStop;
        EXPECT_EQ(LookOf(b.Do("f").control), look);
    }
}

// The container's own text wins and is kept; one character shows nothing.
TEST(ToolTip, TextShownFollowsTheContainerAndTheButtonsState) {
    const std::optional<Text> none;
    using Case = std::tuple<std::optional<Text>, bool, Text, std::optional<Text>, Text>;
    const Case cases[] = {
        {Text(), true, u"Open", u"Open", u"Open"}, {u"Save", true, u"Open", u"Save", u"Save"},
        {u"Save", false, u"Open", none, u"Open"},  {Text(), false, u"Open", u"Open", u"Open"},
        {none, true, u"Open", none, u"Open"},      {Text(), true, u"X", Text(), u"X"},
        {Text(), true, u"XY", u"XY", u"XY"},
    };
    for (const auto& [fromContainer, enabled, own, shown, ownAfter] : cases) {
        SCOPED_TRACE(Narrow(own) + (enabled ? "" : ", disabled"));
        Button b;
        b.control.SetToolTipText(own);
        b.control.SetEnabled(enabled);
        b.host.extenderToolTip = fromContainer;
        EXPECT_EQ(b.control.ToolTipTextToShow(), shown);
        EXPECT_EQ(b.control.ToolTipText(), ownAfter);
    }
}

} // namespace
} // namespace tovabel::testing
