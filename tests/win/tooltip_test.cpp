// The tooltip that run-mode buttons share, through the real common-controls
// tooltip window: the tools it holds, the text it gets from each button (read
// back from the tooltip itself), and the button's own window procedure in
// front of the host's.
#include "com_client.h"
#include "dialog_watch.h"
#include "import_patch.h"
#include "win/olehost/container.h"
#include "win/olehost/pixels.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <span>
#include <string>
#include <vector>

namespace tovabel::wintest {
namespace {

using olehost::Container;
using olehost::Form;
using olehost::HostedControl;
using olehost::ReadWindow;

// The tooltip windows of this thread.
std::vector<HWND> ToolTipWindows() {
    return ThreadWindowsWhere([](HWND window) {
        char name[64] = {};
        GetClassNameA(window, name, sizeof name);
        return lstrcmpiA(name, TOOLTIPS_CLASSA) == 0;
    });
}

HWND TheToolTip() {
    const std::vector<HWND> windows = ToolTipWindows();
    return windows.size() == 1 ? windows.front() : nullptr;
}

LRESULT ToolCount() {
    return SendMessageW(TheToolTip(), TTM_GETTOOLCOUNT, 0, 0);
}

// The text the tooltip gets for `control`'s tool.
std::wstring TextFor(HWND control) {
    return olehost::ToolTextOf(TheToolTip(), control);
}

TEST(ToolTips, OneWindowServesTheButtonsOfAThread) {
    EXPECT_TRUE(ToolTipWindows().empty());
    {
        Form form(L"Two buttons", {200, 60});
        HostedControl& first = form.AddPlace();
        HostedControl& second = form.AddPlace();
        ASSERT_EQ(S_OK, first.Create(kProgId, {0, 0, 60, 22}));
        ASSERT_EQ(S_OK, second.Create(kProgId, {70, 0, 130, 22}));
        ASSERT_EQ(ToolTipWindows().size(), 1u);
        EXPECT_EQ(ToolCount(), 2);
        const HWND shared = TheToolTip();

        second.Destroy();
        EXPECT_EQ(TheToolTip(), shared) << "the other button still uses it";
        EXPECT_EQ(ToolCount(), 1);
        first.GetExtender().toolTipText = L"Still here";
        EXPECT_EQ(TextFor(first.Window()), L"Still here");
        first.Destroy();
        EXPECT_TRUE(ToolTipWindows().empty()) << "the last button takes it along";
    }
    Container designed(false);
    ASSERT_EQ(S_OK, designed.Create(kProgId, {0, 0, 60, 22}));
    EXPECT_TRUE(ToolTipWindows().empty()) << "a button in design mode has none";
    Container later;
    ASSERT_EQ(S_OK, later.Create(kProgId, {0, 0, 60, 22}));
    EXPECT_EQ(ToolTipWindows().size(), 1u) << "a new button makes a new one";
    EXPECT_EQ(ToolCount(), 1);
}

// The text reaches the tooltip cut to what it holds, and the container's own
// text is taken over by the button (which text wins when is the native tests' table).
TEST(ToolTips, TextTheTooltipGets) {
    const std::wstring hundred(100, L'a');
    Container container;
    ASSERT_EQ(S_OK, container.Create(kProgId, {0, 0, 60, 22}));
    ASSERT_EQ(S_OK, container.Put(L"ToolTipText", *Str(hundred)));
    EXPECT_EQ(TextFor(container.ControlWindow()), hundred.substr(0, 79));
    container.GetExtender().toolTipText = L"Save";
    EXPECT_EQ(TextFor(container.ControlWindow()), L"Save");
    Var own;
    ASSERT_EQ(S_OK, container.Get(L"ToolTipText", own.Get()));
    EXPECT_EQ(std::wstring(own.Get()->bstrVal), L"Save") << "kept as its own";
}

// Records what reaches the tooltip window through its relay.
std::vector<UINT> gRelayed;
WNDPROC gToolTipProcedure = nullptr;

LRESULT CALLBACK WatchRelays(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TTM_RELAYEVENT && lParam != 0) {
        gRelayed.push_back(reinterpret_cast<const MSG*>(lParam)->message);
    }
    return CallWindowProcW(gToolTipProcedure, window, message, wParam, lParam);
}

struct PointerStep {
    UINT message;
    WPARAM keys;
    int x;
};

// The mouse messages the button passes on to the shared tooltip while `steps`
// reach its window.
std::vector<UINT> RelayedToTheTip(Container& container, std::span<const PointerStep> steps) {
    HWND tip = TheToolTip();
    if (tip == nullptr) {
        ADD_FAILURE() << "no tooltip window";
        return {};
    }
    gToolTipProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(tip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchRelays)));
    gRelayed.clear();
    for (const PointerStep& step : steps) {
        SendMessageW(container.ControlWindow(), step.message, step.keys, MAKELPARAM(step.x, 5));
    }
    SetWindowLongPtrW(tip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gToolTipProcedure));
    ReleaseCapture();
    return gRelayed;
}

TEST(ToolTips, MouseMessagesAreRelayedButNotDoubleClicks) {
    Container container;
    ASSERT_EQ(S_OK, container.Create(kProgId, {0, 0, 60, 22}));
    std::vector<PointerStep> steps;
    for (const UINT message : {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK,
                               WM_MBUTTONDBLCLK, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MOUSEMOVE}) {
        steps.push_back({message, 0, 5});
    }
    const std::vector<UINT> expected = {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP,
                                        WM_MOUSEMOVE};
    EXPECT_EQ(RelayedToTheTip(container, steps), expected);
}

// The tooltip counts the pointer's rest from its last move: it hears every
// move while the button has a tip to show, and otherwise the move that comes
// onto the button, the first after a click and any outside it.
TEST(ToolTips, MovesReachTheTooltipWhileThereIsATipToShow) {
    const PointerStep steps[] = {
        {WM_MOUSEMOVE, 0, 5}, {WM_MOUSEMOVE, 0, 6}, {WM_LBUTTONDOWN, MK_LBUTTON, 6},
        {WM_LBUTTONUP, 0, 6}, {WM_MOUSEMOVE, 0, 7}, {WM_MOUSEMOVE, 0, 8},
        {WM_MOUSEMOVE, 0, 70}};
    const std::vector<UINT> withoutTip = {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE,
                                          WM_MOUSEMOVE};
    const struct {
        const char* name;
        const wchar_t* tip;
        bool containerHasTheProperty;
        std::vector<UINT> relayed;
    } cases[] = {
        {"a tip",
         L"Open",
         true,
         {WM_MOUSEMOVE, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE, WM_MOUSEMOVE,
          WM_MOUSEMOVE}},
        {"no tip", L"", true, withoutTip},
        {"no tip property", L"Open", false, withoutTip},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.name);
        Container container;
        ASSERT_EQ(S_OK, container.Create(kProgId, {0, 0, 60, 22}));
        container.GetExtender().toolTipText = tc.tip;
        container.GetExtender().hasToolTipText = tc.containerHasTheProperty;
        EXPECT_EQ(RelayedToTheTip(container, steps), tc.relayed);
    }
}

TEST(ToolTips, SubclassingTwiceDropsTheToolAndUndoingRestoresTheHost) {
    Container container;
    ASSERT_EQ(S_OK, container.Create(kProgId, {0, 0, 60, 22}));
    HWND window = container.ControlWindow();
    const LONG_PTR host = GetClassLongPtrW(window, GCLP_WNDPROC);
    EXPECT_NE(GetWindowLongPtrW(window, GWLP_WNDPROC), host) << "subclassed at run time";
    EXPECT_EQ(ToolCount(), 1);

    ASSERT_EQ(S_OK, Call(container.Dispatch().Get(), L"SubClass"));
    EXPECT_EQ(ToolCount(), 0) << "the inner undo removed the tool; nothing adds it again";
    EXPECT_NE(GetWindowLongPtrW(window, GWLP_WNDPROC), host);
    ASSERT_EQ(S_OK, Call(container.Dispatch().Get(), L"UnSubClass"));
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), host) << "one procedure in the chain";
    ASSERT_EQ(S_OK, Call(container.Dispatch().Get(), L"UnSubClass")) << "twice is harmless";
}

TEST(ToolTips, HandledMessagesStillReturnTheHostsResult) {
    Container container;
    ASSERT_EQ(S_OK, container.Create(kProgId, {0, 0, 60, 22}));
    HWND window = container.ControlWindow();
    EXPECT_EQ(SendMessageW(window, WM_ERASEBKGND, 0, 0), 1) << "the host's answer";
    POINT inside{5, 5};
    ClientToScreen(window, &inside);
    EXPECT_EQ(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)), HTCLIENT);
    // A relayed message still reaches the host: the press raises the button.
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(GetCapture(), window);
    ReleaseCapture();
}

// The button face colour the platform reports to the control while a test
// pretends the user chose another scheme. Changing the real system colours
// would repaint every window of every program running beside the test.
constexpr COLORREF kChangedFace = RGB(3, 140, 7);
void* gOriginalTranslateColor = nullptr;

HRESULT WINAPI TranslateWithChangedFace(OLE_COLOR color, HPALETTE palette, COLORREF* out) {
    if (color == (0x80000000u | COLOR_BTNFACE) && out != nullptr) {
        *out = kChangedFace;
        return S_OK;
    }
    using Translate = HRESULT(WINAPI*)(OLE_COLOR, HPALETTE, COLORREF*);
    return reinterpret_cast<Translate>(gOriginalTranslateColor)(color, palette, out);
}

TEST(ToolTips, SystemColourChangeRepaintsTheFace) {
    Container container;
    ASSERT_EQ(S_OK, container.Create(kProgId, {0, 0, 60, 22}));
    container.Settle();
    ImportPatch patch(GetModuleHandleW(L"Tovabel2.ocx"), "oleaut32.dll", "OleTranslateColor",
                      reinterpret_cast<void*>(&TranslateWithChangedFace));
    ASSERT_TRUE(patch.Active()) << "the library resolves system colours through OLE";
    gOriginalTranslateColor = patch.Original();
    // Until the colours change the window keeps the face it was painted with.
    ASSERT_NE(ReadWindow(container.ControlWindow()).At(30, 11), kChangedFace);
    SendMessageW(container.ControlWindow(), WM_SYSCOLORCHANGE, 0, 0);
    container.Settle();
    EXPECT_EQ(ReadWindow(container.ControlWindow()).At(30, 11), kChangedFace);
}

} // namespace
} // namespace tovabel::wintest
