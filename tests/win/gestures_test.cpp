// Gestures as the user makes them: real mouse, keyboard, focus and timer
// messages sent to the control's window in our container, with the events the
// control raises recorded in order and its face read back from the window.
#include "com_client.h"
#include "control/host.h"
#include "win/common/bstr.h"
#include "win/common/gdi.h"
#include "win/common/guids.h"
#include "win/olehost/accessible_tree.h"
#include "win/olehost/container.h"
#include "win/olehost/pixels.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace tovabel::wintest {
namespace {

using olehost::Container;
using olehost::PumpMessages;

constexpr int kWidth = 40;
constexpr int kHeight = 22;

// The events raised so far, by name; MouseMove is left out, since the gestures
// below move the pointer a lot.
std::string Names(const EventSink& sink) {
    std::string names;
    for (const EventSink::Event& event : sink.events) {
        const std::string_view name = EventName(event.id);
        if (event.id != EventId::MouseMove) {
            names += (names.empty() ? "" : " ") + std::string(name.empty() ? "?" : name);
        }
    }
    return names;
}

const auto Move = [](int x, int y, bool leftHeld = false) {
    return Step{WM_MOUSEMOVE, x, y, leftHeld ? WPARAM{MK_LBUTTON} : 0};
};
const auto Down = [](int x, int y) { return Step{WM_LBUTTONDOWN, x, y, MK_LBUTTON}; };
const auto Up = [](int x, int y) { return Step{WM_LBUTTONUP, x, y}; };
// The second press of a double click.
const auto DoubleClick = [](int x, int y) { return Step{WM_LBUTTONDBLCLK, x, y, MK_LBUTTON}; };

// A key message to `target`, with Alt held or not.
void Key(HWND target, UINT message, WPARAM code, bool alt = false) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_MENU] = alt ? 0x80 : 0;
    SetKeyboardState(keys);
    SendMessageW(target, message, code, 0);
    keys[VK_MENU] = 0;
    SetKeyboardState(keys);
}

// A control in run mode with a sink on its events, a known size and colours.
class Gestures : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(S_OK, MakeButton(container, {0, 0, kWidth, kHeight}));
        ASSERT_NE(sink.Advise(container.Dispatch().Get(), DIID___Tovabel), 0u);
        container.Settle();
    }
    void TearDown() override {
        ReleaseCapture();
        container.Destroy();
    }

    HWND Window() const { return container.ControlWindow(); }
    // In place again, in a new window, after the container deactivated it.
    void Reactivate() {
        RECT position{0, 0, kWidth, kHeight};
        ASSERT_EQ(S_OK, container.Dispatch()
                            .As<IOleObject>(IID_IOleObject)
                            ->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &container.Site(), 0,
                                     container.FrameWindow(), &position));
    }
    void SetStyle(int style) { ASSERT_EQ(S_OK, container.Put(L"Style", *Long(style))); }
    void Play(const std::vector<Step>& steps) {
        for (const Step& step : steps) {
            Send(Window(), step);
        }
    }
    void CancelDropDown() { ASSERT_EQ(S_OK, Call(container.Dispatch().Get(), L"CancelDropDown")); }
    std::string Read(const wchar_t* name) {
        return Describe(Get(container.Dispatch().Get(), name));
    }
    // The colours of the frame's top-left and bottom-right corners.
    std::pair<COLORREF, COLORREF> Frame() {
        const olehost::Pixels face = Face(container);
        return {face.At(0, 0), face.At(kWidth - 1, kHeight - 1)};
    }

    Container container;
    EventSink sink;
};

// The messages of each kind of gesture reach the control as the events they
// stand for (the events of each style and gesture are the native tests' table).
TEST_F(Gestures, EventsFollowTheGestureInOrder) {
    const Step rightDown{WM_RBUTTONDOWN, 5, 5, MK_RBUTTON}, rightUp{WM_RBUTTONUP, 5, 5};
    const struct {
        const char* name;
        std::vector<Step> steps;
        const char* events;
    } cases[] = {
        {"click", {Move(5, 5), Down(5, 5), Up(5, 5)}, "MouseDown MouseUp Click"},
        // Outside, the release arrives through the capture.
        {"release outside", {Down(5, 5), Move(60, 5, true), Up(60, 5)}, "MouseDown MouseUp"},
        {"right click", {rightDown, rightUp}, "MouseDown MouseUp RightClick"},
        // The second press of a double click is no press: its release only reports itself.
        {"double click",
         {Down(5, 5), Up(5, 5), DoubleClick(5, 5), Up(5, 5)},
         "MouseDown MouseUp Click MouseUp"},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.name);
        Send(Window(), Move(-50, -50)); // start away from the button
        sink.events.clear();
        Play(tc.steps);
        EXPECT_EQ(Names(sink), tc.events);
    }
    SetStyle(1); // a check button toggles once per double click
    Play({Down(5, 5), Up(5, 5), DoubleClick(5, 5), Up(5, 5)});
    EXPECT_EQ(Read(L"Checked"), "-1");
}

TEST_F(Gestures, MouseEventsCarryButtonShiftAndPosition) {
    // Shift and Ctrl as the message carries them, Alt as the keyboard holds it.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_MENU] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(Window(), WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(7, 9));
    SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(7, 9));
    keys[VK_MENU] = 0;
    SetKeyboardState(keys);
    ASSERT_EQ(sink.events.size(), 2u);
    for (const EventSink::Event& event : sink.events) {
        ASSERT_EQ(event.args.size(), 4u);
        EXPECT_FLOAT_EQ(V_R4(event.args[2].Get()), 7.0f);
        EXPECT_FLOAT_EQ(V_R4(event.args[3].Get()), 9.0f);
    }
    EXPECT_EQ(V_I2(sink.events[0].args[0].Get()), 0) << "a move with no button held";
    EXPECT_EQ(V_I2(sink.events[0].args[1].Get()), 1 | 4) << "Shift and Alt";
    EXPECT_EQ(V_I2(sink.events[1].args[0].Get()), 1) << "the left button";
    EXPECT_EQ(V_I2(sink.events[1].args[1].Get()), 2 | 4) << "Ctrl and Alt";
}

TEST_F(Gestures, FrameAndCaptureFollowThePointer) {
    using Look = std::pair<COLORREF, COLORREF>; // top left, bottom right
    const Look flat{kBack, kBack}, raised{kLight, kDark}, sunken{kDark, kLight};
    const struct {
        const char* what;
        Step step;
        Look frame;
        bool captured; // the capture shows when the pointer leaves
    } steps[] = {
        {"raised under the pointer", Move(5, 5), raised, true},
        {"sunken while pressed", Down(5, 5), sunken, true},
        {"raised after the click, the capture taken again", Up(5, 5), raised, true},
        {"flat once the pointer left", Move(60, 5), flat, false},
    };
    EXPECT_EQ(Frame(), flat) << "flat while the pointer is away";
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        Send(Window(), step.step);
        EXPECT_EQ(Frame(), step.frame);
        EXPECT_EQ(GetCapture() == Window(), step.captured);
    }

    // The system cancelling the mode drops the held press and the capture.
    Play({Move(5, 5), Down(5, 5)});
    SendMessageW(Window(), WM_CANCELMODE, 0, 0);
    EXPECT_EQ(Frame(), flat) << "flat after the mode was cancelled";
    EXPECT_EQ(GetCapture(), nullptr);
    sink.events.clear();
    Send(Window(), Up(60, 5));
    EXPECT_EQ(Names(sink), "MouseUp") << "a late release clicks nothing";

    // Focus raises the button until the pointer moves.
    SetFocus(Window());
    EXPECT_EQ(Frame(), raised);
    EXPECT_EQ(GetCapture(), Window());
    Send(Window(), Move(60, 5)); // the first move arrives through the capture
    EXPECT_EQ(Frame(), flat);
}

// A pointer crossing a raised button sends it a move for every pixel: only the
// moves that change its look may cost a repaint, and a changed look is on the
// screen when the message returns, with no paint cycle to wait for.
TEST_F(Gestures, OnlyAChangedFaceIsRepainted) {
    constexpr COLORREF kMarker = RGB(1, 2, 3); // no face has it
    const auto mark = [&] {
        const win::WindowDc dc(Window());
        const win::Brush marker(CreateSolidBrush(kMarker));
        const RECT all{0, 0, kWidth, kHeight};
        FillRect(dc.Get(), &all, marker.Get());
    };
    const auto repainted = [&] { return olehost::ReadWindow(Window()).Count(kMarker) == 0; };
    mark();
    Send(Window(), Move(5, 5));
    EXPECT_TRUE(repainted()) << "raised";
    mark();
    for (int x = 6; x < kWidth; x += 7) {
        Send(Window(), Move(x, 7));
    }
    EXPECT_FALSE(repainted()) << "moving over the raised button";
    ASSERT_EQ(S_OK, container.Put(L"ToolTipText", *Str(L"Not on the face")));
    EXPECT_FALSE(repainted()) << "a tooltip";
    ASSERT_EQ(S_OK, container.Put(L"Caption", *Str(L"A")));
    EXPECT_TRUE(repainted()) << "a caption";
    mark();
    Send(Window(), Move(60, 5));
    EXPECT_TRUE(repainted()) << "flat again";
}

// A disabled button is out of the keyboard's reach: it gives the focus up and
// cannot take it, so typed keys (which go to the focus) never reach it.
TEST_F(Gestures, DisabledButtonTakesNeitherFocusNorKeys) {
    const auto type = [] {
        Key(GetFocus(), WM_KEYDOWN, VK_SPACE);
        Key(GetFocus(), WM_KEYDOWN, VK_RETURN);
        Key(GetFocus(), WM_SYSKEYDOWN, VK_DOWN, true);
    };
    for (const int style : {0, 3}) {
        SCOPED_TRACE(style);
        SetStyle(style);
        ASSERT_EQ(S_OK, container.Put(L"Enabled", *Bool(true)));
        SetFocus(Window());
        ASSERT_EQ(GetFocus(), Window());
        sink.events.clear();
        ASSERT_EQ(S_OK, container.Put(L"Enabled", *Bool(false)));
        EXPECT_NE(GetFocus(), Window()) << "gives the focus up";
        SetFocus(Window());
        EXPECT_NE(GetFocus(), Window()) << "cannot take it";
        type();
        EXPECT_EQ(Names(sink) + Read(L"Checked") + Read(L"DroppedDown"), "00");
    }
    // A window made while the button is disabled starts disabled.
    ASSERT_EQ(S_OK, container.Site().inPlaceObject->InPlaceDeactivate());
    Reactivate();
    SetFocus(Window());
    EXPECT_NE(GetFocus(), Window());
    // Enabled again, it takes the focus and the keys: KeyDown with Alt as the
    // keyboard holds it, and KeyPress (what each key does to each style is the
    // native tests' table).
    ASSERT_EQ(S_OK, container.Put(L"Enabled", *Bool(true)));
    SetFocus(Window());
    SendMessageW(GetFocus(), WM_CHAR, 'q', 0);
    type();
    EXPECT_EQ(Names(sink) + " " + Read(L"DroppedDown"), "KeyPress Click Click DropDown -1");
    EXPECT_EQ(V_I2(sink.events[0].args.at(0).Get()), 'q');
    CancelDropDown();
}

// Each move inside enables the count again; a count that runs is not started
// over, so a pointer moving about on the item opens it as one that rests. The
// pointer keeps moving every 100 ms for up to five seconds: a count started
// over by each move never ends, and a busy machine still sees the 500 ms pass.
TEST_F(Gestures, CascadeItemOpensWhileThePointerMovesOnIt) {
    SetStyle(8);
    for (int i = 0; i < 50 && Names(sink).empty(); ++i) {
        Send(Window(), Move(5 + i % 3, 5));
        PumpMessages(std::chrono::milliseconds(100));
    }
    EXPECT_EQ(Names(sink), "DropDown");
}

TEST_F(Gestures, TwoButtonsTakeTurnsAtTheCapture) {
    Container other;
    ASSERT_EQ(S_OK, other.Create(kProgId, {0, 0, kWidth, kHeight}));
    HWND second = other.ControlWindow();
    Send(Window(), Move(5, 5));
    EXPECT_EQ(GetCapture(), Window());
    // The pointer moves onto the second button: the first sees it outside
    // through its capture and lets go; the next move reaches the second.
    Send(Window(), Move(200, 5));
    EXPECT_EQ(GetCapture(), nullptr);
    Send(second, Move(5, 5));
    EXPECT_EQ(GetCapture(), second);
    // A move that reaches the first while the second holds the capture hands it over.
    Send(Window(), Move(5, 5));
    EXPECT_EQ(GetCapture(), Window());
    Send(Window(), Move(200, 5));
    other.Destroy();
}

TEST_F(Gestures, AccessKeyReachesTheContainerAndClicks) {
    const auto mnemonics = [&] {
        const win::ComPtr<IOleControl> control =
            container.Dispatch().As<IOleControl>(IID_IOleControl);
        CONTROLINFO info{};
        info.cb = sizeof info;
        EXPECT_EQ(S_OK, control->GetControlInfo(&info));
        std::vector<ACCEL> keys(info.cAccel);
        if (info.cAccel != 0) {
            CopyAcceleratorTableW(info.hAccel, keys.data(), info.cAccel);
        }
        return keys;
    };
    EXPECT_TRUE(mnemonics().empty());
    const int before = container.Site().controlInfoChanges;
    ASSERT_EQ(S_OK, container.Put(L"Caption", *Str(L"&File")));
    EXPECT_EQ(container.Site().controlInfoChanges, before + 1);
    ASSERT_EQ(S_OK, container.Put(L"Caption", *Str(L"Fi&le")));
    EXPECT_EQ(container.Site().controlInfoChanges, before + 2);
    ASSERT_EQ(S_OK, container.Put(L"Caption", *Str(L"Fi&leS")));
    EXPECT_EQ(container.Site().controlInfoChanges, before + 2) << "the same key: no news";
    const std::vector<ACCEL> keys = mnemonics();
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].key, 'L');
    EXPECT_EQ(keys[0].fVirt & (FALT | FVIRTKEY), FALT | FVIRTKEY);

    const win::ComPtr<IOleControl> control = container.Dispatch().As<IOleControl>(IID_IOleControl);
    MSG message{Window(), WM_SYSKEYDOWN, 'L', 0, 0, {0, 0}};
    EXPECT_EQ(S_OK, control->OnMnemonic(&message));
    EXPECT_EQ(Names(sink), "Click");
    ASSERT_EQ(S_OK, container.Put(L"Caption", *Str(L"None")));
    EXPECT_TRUE(mnemonics().empty());
}

TEST_F(Gestures, PointerShowsTheChosenCursor) {
    const auto cursorAfterSetCursor = [&] {
        SetCursor(nullptr);
        SendMessageW(Window(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Window()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    ASSERT_EQ(S_OK, container.Put(L"MousePointer", *Long(2)));
    EXPECT_EQ(cursorAfterSetCursor(), LoadCursorA(nullptr, IDC_CROSS));
    ASSERT_EQ(S_OK, container.Put(L"MousePointer", *Long(11)));
    EXPECT_EQ(cursorAfterSetCursor(), LoadCursorA(nullptr, IDC_WAIT));
    const Ref<IPictureDisp> icon = MakeIconPicture();
    ASSERT_EQ(S_OK, container.Put(L"MouseIcon", *Object(icon.Get())));
    ASSERT_EQ(S_OK, container.Put(L"MousePointer", *Long(99)));
    OLE_HANDLE handle = 0;
    ASSERT_EQ(S_OK, icon.As<IPicture>(IID_IPicture)->get_Handle(&handle));
    EXPECT_EQ(cursorAfterSetCursor(), reinterpret_cast<HCURSOR>(static_cast<UINT_PTR>(handle)));
    ASSERT_EQ(S_OK, container.Put(L"MousePointer", *Long(0)));
    EXPECT_EQ(cursorAfterSetCursor(), LoadCursorA(nullptr, IDC_ARROW)) << "the class cursor";
}

// A Click handler that ends the control while the release is delivered.
TEST_F(Gestures, ClickHandlerThatDestroysTheControl) {
    static Container* target = nullptr;
    target = &container;
    sink.during = [](EventSink&, DISPID id) {
        if (id == 1) {
            target->Destroy();
        }
    };
    HWND window = Window();
    Play({Move(5, 5), Down(5, 5), Up(5, 5)});
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(Names(sink), "MouseDown MouseUp Click");
}

TEST_F(Gestures, ClickHandlerThatDisablesOrRestylesTheControl) {
    static Container* target = nullptr;
    target = &container;
    sink.during = [](EventSink&, DISPID id) {
        if (id == 1) {
            target->Put(L"Enabled", *Bool(false));
            target->Put(L"Style", *Long(2));
        }
    };
    Play({Move(5, 5), Down(5, 5), Up(5, 5), Down(5, 5), Up(5, 5)});
    // The separator's fixed width resizes the button; the disabled one ignores the presses.
    EXPECT_EQ(Names(sink), "MouseDown MouseUp Click Resize");
    EXPECT_EQ(GetCapture(), nullptr) << "a disabled button lets go of the capture";
}

// What screen readers and automation tools read of the same button: the
// object that AccessibleObjectFromWindow gives for its window, as a tool
// lists it, and the win events that a hook in this process hears.
class AccessibleButton : public Gestures {
protected:
    Ref<IAccessible> Object() {
        Ref<IAccessible> object;
        EXPECT_EQ(S_OK, AccessibleObjectFromWindow(Window(), static_cast<DWORD>(OBJID_CLIENT),
                                                   __uuidof(IAccessible), object.PutVoid()));
        return object;
    }
    std::string Seen() { return ToNarrow(olehost::DescribeAccessible(Object().Get())); }
    // The events of the default action, or how it failed.
    std::string DefaultActionEvents() {
        sink.events.clear();
        const Ref<IAccessible> object = Object();
        if (!object) {
            return "no object";
        }
        const HRESULT hr = object->accDoDefaultAction(olehost::SelfChild());
        return hr == S_OK                    ? Names(sink)
               : hr == DISP_E_MEMBERNOTFOUND ? "none"
                                             : "failed " + std::to_string(hr);
    }
    // Back to a resting, enabled, visible button of `style` without the focus, at run time.
    void Reset(int style, const wchar_t* caption) {
        Send(Window(), Move(-50, -50));
        ShowWindow(Window(), SW_SHOWNA);
        SetFocus(container.FrameWindow());
        container.SetUserMode(true);
        SetStyle(style);
        CancelDropDown();
        ASSERT_EQ(S_OK, PutAll(container, {{L"Enabled", Bool(true)},
                                           {L"Checked", Bool(false)},
                                           {L"Caption", Str(caption)}}));
    }
    // A change to make in a table of cases: steps of a gesture, or a property to set.
    std::function<void()> Gesture(std::vector<Step> steps) {
        return [this, steps] { Play(steps); };
    }
    std::function<void()> Set(const wchar_t* name, const Var& value) {
        return [this, name, value] { container.Put(name, *value); };
    }
};

TEST_F(AccessibleButton, AnswersByStyleAndState) {
    const std::function<void()> rest = [] {};
    const struct {
        int style;
        const wchar_t* caption;
        std::function<void()> change;
        const char* seen;
        const char* actionEvents;
    } cases[] = {
        // The state follows the pointer, the focus and the properties.
        {0, L"&Open", Gesture({Move(5, 5)}),
         "push button \"Open\" [hot tracked, focusable] Alt+O: Press", "Click"},
        {0, L"&Open", Gesture({Move(5, 5), Down(5, 5)}),
         "push button \"Open\" [pressed, hot tracked, focusable] Alt+O: Press", "Click"},
        {0, L"&Open", Gesture({Move(5, 5), Down(5, 5), Move(60, 5, true)}),
         "push button \"Open\" [focusable] Alt+O: Press", "Click"},
        {0, L"&Open", [this] { SetFocus(Window()); },
         "push button \"Open\" [focused, focusable] Alt+O: Press", "Click"},
        {0, L"&Open", [this] { ShowWindow(Window(), SW_HIDE); },
         "push button \"Open\" [invisible, focusable] Alt+O: Press", "Click"},
        {0, L"&Open", Set(L"Enabled", Bool(false)), "push button \"Open\" [unavailable] Alt+O",
         "none"},
        {0, L"&Open", [this] { container.SetUserMode(false); },
         "push button \"Open\" [focusable] Alt+O", "none"},
        {1, L"&Bold", Set(L"Checked", Bool(true)),
         "push button \"Bold\" [checked, focusable] Alt+B: Uncheck", "Click"},
        {5, L"&File", Gesture({Down(5, 5), Up(5, 5)}),
         "menu item \"File\" [hot tracked, expanded, focusable, has popup] Alt+F: Close",
         "DropDownCancelled"},
        // A style of each role at rest.
        {1, L"&Bold", rest, "push button \"Bold\" [focusable] Alt+B: Check", "Click"},
        {3, L"Bac&k", rest, "split button \"Back\" [focusable, has popup] Alt+k: Press", "Click"},
        {4, L"History", rest, "drop down button \"History\" [focusable, has popup]: Open",
         "DropDown"},
        {5, L"&File", rest, "menu item \"File\" [focusable, has popup] Alt+F: Open", "DropDown"},
        {6, L"Save && &quit", rest, "menu item \"Save & quit\" [focusable] Alt+q: Execute",
         "Click"},
        {99, L"Odd", rest, "push button \"Odd\" [focusable]", "none"},
        // Last: separators change the button's size. Without a caption the tip names it.
        {2, L"", rest, "separator \"Tip\"", "none"},
    };
    ASSERT_EQ(S_OK, container.Put(L"ToolTipText", *Str(L"Tip")));
    for (const auto& tc : cases) {
        SCOPED_TRACE(ToNarrow(tc.caption) + " in style " + std::to_string(tc.style));
        Reset(tc.style, tc.caption);
        tc.change();
        EXPECT_EQ(Seen(), tc.seen);
        EXPECT_EQ(DefaultActionEvents(), tc.actionEvents);
    }
    win::Bstr description;
    EXPECT_EQ(S_OK, Object()->get_accDescription(olehost::SelfChild(), description.Put()));
    EXPECT_EQ(std::wstring(description.View()), L"Tip");
}

// The win events heard for the button's client area, by name.
std::string gHeard;
HWND gHeardFrom = nullptr;

void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (window != gHeardFrom || object != OBJID_CLIENT || child != CHILDID_SELF) {
        return;
    }
    const char* name = event == EVENT_OBJECT_NAMECHANGE          ? "name"
                       : event == EVENT_OBJECT_DESCRIPTIONCHANGE ? "description"
                       : event == EVENT_OBJECT_STATECHANGE       ? "state"
                       : event == EVENT_OBJECT_INVOKED           ? "invoked"
                                                                 : "other";
    gHeard += (gHeard.empty() ? "" : " ") + std::string(name);
}

TEST_F(AccessibleButton, AnnouncesWhatChanged) {
    gHeardFrom = Window();
    const std::unique_ptr<std::remove_pointer_t<HWINEVENTHOOK>, decltype(&UnhookWinEvent)> hook(
        SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_INVOKED, nullptr, &Hear,
                        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT),
        &UnhookWinEvent);
    ASSERT_NE(hook, nullptr);
    const struct {
        const char* what;
        std::function<void()> change;
        const char* heard;
    } cases[] = {
        {"a caption", Set(L"Caption", Str(L"Open")), "name"},
        {"an access key that leaves the name as it was", Set(L"Caption", Str(L"&Open")), ""},
        {"a tip beside a caption", Set(L"ToolTipText", Str(L"Tip")), "description"},
        {"no caption: the tip names it", Set(L"Caption", Str(L"")), "name"},
        {"the pointer arriving", Gesture({Move(5, 5)}), "state"},
        {"the pointer moving on it", Gesture({Move(7, 6)}), ""},
        {"a press", Gesture({Down(7, 6)}), "state"},
        {"the release", Gesture({Up(7, 6)}), "state"},
        {"the pointer leaving", Gesture({Move(60, 5)}), "state"},
        {"disabled", Set(L"Enabled", Bool(false)), "state"},
        {"enabled", Set(L"Enabled", Bool(true)), "state"},
        {"a check style", Set(L"Style", Long(1)), ""},
        {"checked", Set(L"Checked", Bool(true)), "state"},
        {"the default action", [this] { DefaultActionEvents(); }, "invoked state"},
        {"a menu", Set(L"Style", Long(5)), "state"},
        {"opened from code", Set(L"Value", Bool(true)), "state"},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.what);
        gHeard.clear();
        tc.change();
        PumpMessages(std::chrono::milliseconds(0));
        EXPECT_EQ(gHeard, tc.heard);
    }
}

TEST_F(AccessibleButton, AnswersInItsWindowsPlaceUntilTheWindowGoes) {
    const Ref<IAccessible> object = Object();
    ASSERT_TRUE(object);
    const VARIANT self = olehost::SelfChild();
    RECT bounds{};
    GetWindowRect(Window(), &bounds);
    LONG x = 0, y = 0, width = 0, height = 0;
    ASSERT_EQ(S_OK, object->accLocation(&x, &y, &width, &height, self));
    EXPECT_EQ(std::vector<LONG>({x, y, x + width, y + height}),
              std::vector<LONG>({bounds.left, bounds.top, bounds.right, bounds.bottom}));
    Var hit;
    EXPECT_EQ(S_OK, object->accHitTest(bounds.left + 2, bounds.bottom - 2, hit.Put()));
    EXPECT_TRUE(hit.Type() == VT_I4 && V_I4(hit.Get()) == CHILDID_SELF);
    EXPECT_EQ(S_FALSE, object->accHitTest(bounds.right + 2, bounds.top, hit.Put()));
    LONG children = -1;
    EXPECT_EQ(S_OK, object->get_accChildCount(&children));
    EXPECT_EQ(children, 0);
    EXPECT_EQ(S_FALSE, object->accNavigate(NAVDIR_FIRSTCHILD, self, hit.Put()));
    EXPECT_EQ(S_FALSE, object->accNavigate(NAVDIR_NEXT, self, hit.Put()));
    // The rest of the window is the system's: the window's own object is the parent.
    Ref<IDispatch> parent;
    ASSERT_EQ(S_OK, object->get_accParent(parent.Put()));
    HWND parentWindow = nullptr;
    parent.As<IOleWindow>(IID_IOleWindow)->GetWindow(&parentWindow);
    EXPECT_EQ(parentWindow, Window());

    const auto outcomes = [&](IAccessible* button) {
        win::Bstr name;
        Var state;
        const HRESULT results[] = {
            button->get_accName(self, name.Put()),
            button->get_accState(self, state.Put()),
            button->accLocation(&x, &y, &width, &height, self),
            button->get_accParent(parent.Put()),
            button->accDoDefaultAction(self),
        };
        std::string text;
        for (const HRESULT hr : results) {
            text += hr == S_OK ? "ok " : hr == RPC_E_DISCONNECTED || hr == E_FAIL ? "gone " : "? ";
        }
        return text;
    };
    const std::string answering = "ok ok ok ok ok ";
    const std::string gone = "gone gone gone gone gone ";
    ASSERT_EQ(S_OK, container.Put(L"Caption", *Str(L"Open")));
    EXPECT_EQ(outcomes(object.Get()), answering);
    container.Site().inPlaceObject->InPlaceDeactivate();
    EXPECT_EQ(outcomes(object.Get()), gone) << "the window is gone";

    // Active again in a new window, which then goes as if with its parent.
    Reactivate();
    const Ref<IAccessible> again = Object();
    ASSERT_TRUE(again);
    EXPECT_EQ(outcomes(again.Get()), answering);
    DestroyWindow(Window());
    EXPECT_EQ(outcomes(again.Get()), gone) << "the window was destroyed";
    container.Destroy();
    EXPECT_EQ(outcomes(object.Get()) + outcomes(again.Get()), gone + gone) << "the control is gone";
}

} // namespace
} // namespace tovabel::wintest
