#include "in_place.h"

#include "control.h"
#include "tooltip.h"
#include "win/common/module.h"
#include "win/common/text.h"

#include <commctrl.h>

#include <windowsx.h>

#include <cstring>
#include <iterator>
#include <optional>
#include <string>

namespace tovabel::win {

namespace {

// The control window's class, registered once for the module.
const WindowClass& ControlWindowClass(WNDPROC procedure) {
    static const WindowClass registered([&] {
        WNDCLASSEXW description{};
        description.cbSize = sizeof(description);
        description.style = CS_DBLCLKS;
        description.lpfnWndProc = procedure;
        description.hInstance = module::Handle();
        description.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        description.lpszClassName = L"OrnisTovabelWindow";
        return description;
    }());
    return registered;
}

bool IsRelayedToTheTooltip(UINT message) {
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return true;
    default:
        return false; // double clicks are not relayed
    }
}

SIZE SizeOf(const RECT& rect) {
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// The control's Shift argument: 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t ShiftArgument(bool shift, bool control, bool alt) {
    return static_cast<std::int16_t>((shift ? 1 : 0) | (control ? 2 : 0) | (alt ? 4 : 0));
}

// The keys as held now, read in one call to the window server.
std::int16_t ShiftState() {
    BYTE keys[256] = {};
    if (!GetKeyboardState(keys)) {
        return 0;
    }
    const auto held = [&keys](int key) { return (keys[key] & 0x80) != 0; };
    return ShiftArgument(held(VK_SHIFT), held(VK_CONTROL), held(VK_MENU));
}

// The keys of a mouse message: Shift and Ctrl as the message carries them, Alt
// (which it does not carry) as held now. Every key state asked for is a call
// to the window server, on each move of the pointer.
std::int16_t MouseShiftState(WPARAM keys) {
    return ShiftArgument((keys & MK_SHIFT) != 0, (keys & MK_CONTROL) != 0,
                         GetKeyState(VK_MENU) < 0);
}

// The control's Button argument of a move: 1 left, 2 right, 4 middle, as held.
std::int16_t HeldButtons(WPARAM keys) {
    std::int16_t buttons = 0;
    if ((keys & MK_LBUTTON) != 0) {
        buttons |= 1;
    }
    if ((keys & MK_RBUTTON) != 0) {
        buttons |= 2;
    }
    if ((keys & MK_MBUTTON) != 0) {
        buttons |= 4;
    }
    return buttons;
}

// The button that a press or release message is about; 0 for other messages.
// A double click of the right or middle button is a second press of it; the
// left button's is a double click of its own.
std::int16_t ChangedButton(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        return 1;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
        return 2;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
        return 4;
    default:
        return 0;
    }
}

bool IsButtonUp(UINT message) {
    return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

// A typed character as the control's KeyAscii: its code in the system code page.
std::int16_t KeyAsciiOf(WPARAM character) {
    const wchar_t wide = static_cast<wchar_t>(character);
    if (wide < 0x80) {
        return static_cast<std::int16_t>(wide);
    }
    char ansi[2] = {};
    BOOL lossy = FALSE;
    if (WideCharToMultiByte(CP_ACP, 0, &wide, 1, ansi, 2, nullptr, &lossy) == 1 && !lossy) {
        return static_cast<std::int16_t>(static_cast<unsigned char>(ansi[0]));
    }
    return static_cast<std::int16_t>(wide);
}

// The cursor for the surface's MousePointer code: the system's cursors in
// their usual order, 99 the MouseIcon picture (an icon or cursor); null for
// the default (0) and codes without a cursor, which leave the class cursor.
HCURSOR CursorFor(std::int32_t code, const Picture& custom) {
    static const LPCSTR kSystem[] = {
        nullptr,      IDC_ARROW,       IDC_CROSS,    IDC_IBEAM,   IDC_ICON,    IDC_SIZE,
        IDC_SIZENESW, IDC_SIZENS,      IDC_SIZENWSE, IDC_SIZEWE,  IDC_UPARROW, IDC_WAIT,
        IDC_NO,       IDC_APPSTARTING, IDC_HELP,     IDC_SIZEALL,
    };
    if (code == 99) {
        return custom && custom->Type() == 3 ? reinterpret_cast<HCURSOR>(custom->Handle())
                                             : nullptr;
    }
    if (code <= 0 || code >= static_cast<std::int32_t>(std::size(kSystem))) {
        return nullptr;
    }
    return LoadCursorA(nullptr, kSystem[code]);
}

// The typed character for the window after KeyPress may have changed it.
WPARAM CharacterOf(std::int16_t keyAscii) {
    const auto code = static_cast<std::uint16_t>(keyAscii);
    if (code < 0x80 || code > 0xFF) {
        return code;
    }
    const char ansi = static_cast<char>(code);
    wchar_t wide = 0;
    return MultiByteToWideChar(CP_ACP, 0, &ansi, 1, &wide, 1) == 1 ? wide : code;
}

} // namespace

HRESULT InPlace::Activate(bool uiActivate) {
    const ComPtr<IUnknown> keepAlive = ComPtr<IUnknown>::Share(&mControl);
    if (!mWindow) {
        const ComPtr<IOleInPlaceSite> site =
            ComPtr<IOleClientSite>::Share(mControl.GetSite().ClientSite())
                .As<IOleInPlaceSite>(IID_IOleInPlaceSite);
        if (!site) {
            return E_NOINTERFACE;
        }
        if (site->CanInPlaceActivate() != S_OK) {
            return E_FAIL;
        }
        site->OnInPlaceActivate();
        HWND parent = nullptr;
        RECT position{};
        RECT clip{};
        OLEINPLACEFRAMEINFO frameInfo{};
        frameInfo.cb = sizeof(frameInfo);
        ComPtr<IOleInPlaceFrame> frame;
        ComPtr<IOleInPlaceUIWindow> document;
        if (FAILED(site->GetWindow(&parent)) ||
            FAILED(site->GetWindowContext(frame.Put(), document.Put(), &position, &clip,
                                          &frameInfo))) {
            site->OnInPlaceDeactivate();
            return E_FAIL;
        }
        const WindowClass& windowClass = ControlWindowClass(&InPlace::WindowProc);
        const SIZE size = SizeOf(position);
        const DWORD disabled = mControl.Core().WindowEnabled() ? 0 : WS_DISABLED;
        // Made visible at once: showing it apart would cost the window server
        // a second pass over the siblings it uncovers. Its first paint cycle
        // draws it whole.
        mFirstPaintDue = true;
        mWindow = win::Window(CreateWindowExW(
            0, windowClass.Name(), L"",
            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | disabled, position.left,
            position.top, size.cx, size.cy, parent, nullptr, module::Handle(), this));
        if (!mWindow) {
            site->OnInPlaceDeactivate();
            return E_OUTOFMEMORY;
        }
        mSite = site;
        mFrame = frame;
        mDocument = document;
        mPosition = position;
        RECT client{};
        GetClientRect(mWindow.Get(), &client);
        mClientSize = {client.right, client.bottom};
        mClientOrigin = {position.left, position.top}; // the window has no frame
        mControl.Host().WindowPlaced(size);
        StartTimers();
        StartWindowServices();
    }
    if (uiActivate && !mUiActive) {
        mUiActive = true;
        mSite->OnUIActivate();
        const ComPtr<IOleInPlaceActiveObject> active =
            ComPtr<IUnknown>::Share(&mControl).As<IOleInPlaceActiveObject>(
                IID_IOleInPlaceActiveObject);
        if (mFrame) {
            mFrame->SetActiveObject(active.Get(), nullptr);
            mFrame->SetBorderSpace(nullptr);
        }
        if (mDocument) {
            mDocument->SetActiveObject(active.Get(), nullptr);
            mDocument->SetBorderSpace(nullptr);
        }
        if (mWindow && GetFocus() != mWindow.Get()) {
            SetFocus(mWindow.Get());
        }
    }
    return S_OK;
}

void InPlace::UIDeactivate() {
    if (!mUiActive) {
        return;
    }
    const ComPtr<IUnknown> keepAlive = ComPtr<IUnknown>::Share(&mControl);
    mUiActive = false;
    if (mFrame) {
        mFrame->SetActiveObject(nullptr, nullptr);
    }
    if (mDocument) {
        mDocument->SetActiveObject(nullptr, nullptr);
    }
    if (mSite) {
        mSite->OnUIDeactivate(FALSE);
    }
}

void InPlace::Deactivate() {
    if (!mWindow && !mSite) {
        return;
    }
    const ComPtr<IUnknown> keepAlive = ComPtr<IUnknown>::Share(&mControl);
    UIDeactivate();
    for (Timer& timer : mTimers) {
        timer.onWindow.Stop();
    }
    StopWindowServices();
    mControl.Accessible().Disconnect();
    mWindow.Reset();
    mHoldsCapture = false;
    mPointerOnTool = false;
    mFrame.Reset();
    mDocument.Reset();
    const ComPtr<IOleInPlaceSite> site = std::move(mSite);
    if (site) {
        site->OnInPlaceDeactivate();
    }
}

void InPlace::SetObjectRects(const RECT& position) {
    mPosition = position;
    Move(position);
}

void InPlace::RequestSize(SIZE pixels) {
    if (!mWindow) {
        return;
    }
    RECT wanted = mPosition;
    wanted.right = wanted.left + pixels.cx;
    wanted.bottom = wanted.top + pixels.cy;
    if (mSite) {
        // A container that agrees moves the window through SetObjectRects.
        mSite->OnPosRectChange(&wanted);
    }
    if (!mWindow) {
        return; // the container deactivated the control meanwhile
    }
    if (mClientSize.cx != pixels.cx || mClientSize.cy != pixels.cy) {
        mPosition = wanted;
        Move(wanted);
    }
}

void InPlace::Move(const RECT& position) {
    if (!mWindow) {
        return;
    }
    const SIZE size = SizeOf(position);
    // A window already in place is not placed again: each placing is a call
    // to the window server that weighs every sibling window's region.
    const bool placed = position.left == mClientOrigin.x && position.top == mClientOrigin.y &&
                        size.cx == mClientSize.cx && size.cy == mClientSize.cy;
    if (!placed) {
        SetWindowPos(mWindow.Get(), nullptr, position.left, position.top, size.cx, size.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    mControl.Host().WindowPlaced(size);
}

void InPlace::Repaint() {
    if (!mWindow || mFirstPaintDue || !IsWindowVisible(mWindow.Get())) {
        return;
    }
    const WindowDc dc(mWindow.Get());
    mControl.Draw(dc.Get(), RECT{0, 0, mClientSize.cx, mClientSize.cy});
}

void InPlace::SubClass() {
    UnSubClass();
    mSubclassWanted = true;
    if (mWindow) {
        InstallSubclass();
    }
}

void InPlace::UnSubClass() {
    mSubclassWanted = false;
    mToolWanted = false;
    RemoveSubclass();
}

void InPlace::AddToolTip() {
    mToolWanted = true;
    tooltip::AddTool(mWindow.Get());
}

void InPlace::StartWindowServices() {
    if (mSubclassWanted) {
        InstallSubclass();
    }
    if (mToolWanted) {
        tooltip::AddTool(mWindow.Get());
    }
}

void InPlace::StopWindowServices() {
    tooltip::RemoveTool(mWindow.Get());
    RemoveSubclass();
}

void InPlace::InstallSubclass() {
    HWND window = mWindow.Get();
    if (window == nullptr || mPrevious != nullptr) {
        return;
    }
    mPrevious = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&InPlace::SubclassProc)));
    if (mPrevious != nullptr) {
        mSubclassed = window;
    }
}

void InPlace::RemoveSubclass() {
    if (mPrevious == nullptr) {
        return;
    }
    tooltip::RemoveTool(mSubclassed);
    SetWindowLongPtrA(mSubclassed, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mPrevious));
    mPrevious = nullptr;
    mSubclassed = nullptr;
}

// Every message goes on to the window's previous procedure, whose result is
// returned: the control only looks at some of them first.
// The window's user data, set when the window is made, leads to the control
// without a reference (a window property would cost a call to the window
// server on every message).
LRESULT CALLBACK InPlace::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<InPlace*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr || self->mPrevious == nullptr || self->mSubclassed != window) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    const ComPtr<IUnknown> keepAlive = ComPtr<IUnknown>::Share(&self->mControl);
    const WNDPROC previous = self->mPrevious;
    if (message == WM_NCDESTROY) {
        self->RemoveSubclass(); // the window goes with its parent
    } else {
        self->BeforePassingOn(window, message, wParam, lParam);
    }
    return CallWindowProcA(previous, window, message, wParam, lParam);
}

void InPlace::BeforePassingOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsRelayedToTheTooltip(message)) {
        if (message != WM_MOUSEMOVE || ToolTipNeedsMove(lParam)) {
            tooltip::Relay(window, message, wParam, lParam);
        }
        if (message != WM_MOUSEMOVE) {
            mPointerOnTool = false; // a click may change the tip: the next move asks again
        }
        return;
    }
    switch (message) {
    case WM_NOTIFY: {
        auto* request = reinterpret_cast<NMHDR*>(lParam);
        if (request != nullptr && request->hwndFrom == tooltip::Window() &&
            (request->code == TTN_NEEDTEXTA || request->code == TTN_NEEDTEXTW)) {
            SupplyToolTipText(request);
        }
        break;
    }
    case WM_SYSCOLORCHANGE:
        mControl.Run([&] {
            mControl.Core().SystemColorsChanged();
            return S_OK;
        });
        break;
    case WM_CANCELMODE:
        mControl.Run([&] {
            mControl.Core().CancelMode();
            return S_OK;
        });
        break;
    default:
        break;
    }
}

// The tooltip learns from moves when the pointer comes onto the button and
// leaves it, and, while there is a tip to show, how long the pointer rests
// (each move starts its count again). On a button without a tip the moves in
// between change nothing it shows, and each would cost it a timer.
bool InPlace::ToolTipNeedsMove(LPARAM lParam) {
    const LONG x = GET_X_LPARAM(lParam);
    const LONG y = GET_Y_LPARAM(lParam);
    const bool inside = x >= 0 && y >= 0 && x < mClientSize.cx && y < mClientSize.cy;
    const bool entering = inside && !mPointerOnTool;
    mPointerOnTool = inside;
    if (entering) {
        mControl.Run([&] {
            mTipToShow = mControl.Core().HasToolTipToShow();
            return S_OK;
        });
    }
    return entering || !inside || mTipToShow;
}

// The tooltip asks in the character set the window answered it with; the text
// is the same either way, cut to the 79 bytes its ANSI form may have.
void InPlace::SupplyToolTipText(NMHDR* request) {
    std::optional<Text> text;
    mControl.Run([&] {
        text = mControl.Core().ToolTipTextToShow();
        return S_OK;
    });
    if (!text) {
        return;
    }
    std::string ansi = ToAnsi(*text);
    if (ansi.size() > 79) {
        ansi.resize(79);
    }
    if (request->code == TTN_NEEDTEXTA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(request);
        std::memcpy(info->szText, ansi.c_str(), ansi.size() + 1);
    } else {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(request);
        MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, info->szText,
                            static_cast<int>(std::size(info->szText)));
    }
}

void InPlace::SetTimer(TimerId id, bool running, std::int32_t intervalMs) {
    for (Timer& timer : mTimers) {
        if (timer.id != id) {
            continue;
        }
        // Enabled again while it runs with the same interval, a timer keeps
        // its count, as a form's timer does; restarting it would cost two
        // calls to the window server on every change of look.
        const bool counting = timer.onWindow.Running() && timer.intervalMs == intervalMs;
        timer.running = running;
        timer.intervalMs = intervalMs;
        // A timer with interval 0 never fires.
        if (running && intervalMs > 0 && mWindow) {
            if (!counting) {
                timer.onWindow.Start(mWindow.Get(), static_cast<UINT>(intervalMs));
            }
        } else {
            timer.onWindow.Stop();
        }
    }
}

void InPlace::TakeCapture() {
    if (mHoldsCapture && mWindow) {
        return;
    }
    ::SetCapture(mWindow.Get());
    mHoldsCapture = mWindow.Get() != nullptr;
}

void InPlace::StartTimers() {
    for (const Timer& timer : mTimers) {
        SetTimer(timer.id, timer.running, timer.intervalMs);
    }
}

InPlace::Timer* InPlace::FindTimer(UINT_PTR windowTimerId) {
    for (Timer& timer : mTimers) {
        if (timer.onWindow.Id() == windowTimerId && timer.onWindow.Running()) {
            return &timer;
        }
    }
    return nullptr;
}

LRESULT CALLBACK InPlace::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<InPlace*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (self != nullptr && self->mWindow.Get() == window) {
            self->mWindow.Detach(); // destroyed with its parent, not by its holder
            self->mHoldsCapture = false;
            self->mPointerOnTool = false;
            self->mControl.Accessible().Disconnect();
        }
        self = nullptr;
    }
    if (self == nullptr || self->mWindow.Get() != window) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->OnMessage(message, wParam, lParam);
}

// Mouse, keyboard, focus and timer messages become the core's notifications.
// A handler may end the control (an event handler that releases it): nothing
// here touches the object after the notification returns.
bool InPlace::HandleInput(UINT message, WPARAM wParam, LPARAM lParam) {
    tovabel::Tovabel& core = mControl.Core();
    const auto x = static_cast<float>(GET_X_LPARAM(lParam));
    const auto y = static_cast<float>(GET_Y_LPARAM(lParam));
    if (message == WM_MOUSEMOVE) {
        mControl.Run([&] {
            core.MouseMove(HeldButtons(wParam), MoveShiftState(wParam), x, y);
            return S_OK;
        });
        return true;
    }
    if (message == WM_LBUTTONDBLCLK) {
        mControl.Run([&] {
            core.DoubleClick();
            return S_OK;
        });
        return true;
    }
    if (const std::int16_t button = ChangedButton(message)) {
        mControl.Run([&] {
            if (IsButtonUp(message)) {
                core.MouseUp(button, MouseShiftState(wParam), x, y);
            } else {
                core.MouseDown(button, MouseShiftState(wParam), x, y);
            }
            return S_OK;
        });
        return true;
    }
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        mControl.Run([&] {
            core.KeyDown(static_cast<std::int16_t>(wParam & 0xFFFF), ShiftState());
            return S_OK;
        });
        return message == WM_KEYDOWN; // the system keys still reach the menus
    case WM_TIMER:
        if (Timer* timer = FindTimer(wParam)) {
            const TimerId id = timer->id;
            mControl.Run([&] {
                core.OnTimer(id);
                return S_OK;
            });
        }
        return true;
    default:
        return false;
    }
}

// A move's Shift argument reaches nobody but the MouseMove event's sinks:
// without one, Alt is not asked of the keyboard on every move.
std::int16_t InPlace::MoveShiftState(WPARAM keys) const {
    if (mControl.Points().Events().Sinks().empty()) {
        return ShiftArgument((keys & MK_SHIFT) != 0, (keys & MK_CONTROL) != 0, false);
    }
    return MouseShiftState(keys);
}

void InPlace::OnFocus(bool arrived) {
    mControl.Run([&] {
        if (arrived) {
            mControl.Core().EnterFocus();
        } else {
            mControl.Core().ExitFocus();
        }
        return S_OK;
    });
}

LRESULT InPlace::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = mWindow.Get();
    if (HandleInput(message, wParam, lParam)) {
        return 0;
    }
    switch (message) {
    case WM_CHAR: {
        std::int16_t keyAscii = KeyAsciiOf(wParam);
        mControl.Run([&] {
            mControl.Core().KeyPress(keyAscii);
            return S_OK;
        });
        // A handler that sets KeyAscii to 0 swallows the character.
        if (keyAscii == 0) {
            return 0;
        }
        return DefWindowProcW(window, message, CharacterOf(keyAscii), lParam);
    }
    case WM_SETFOCUS:
        if (!mUiActive) {
            Activate(true);
        }
        OnFocus(true);
        return 0;
    case WM_KILLFOCUS:
        OnFocus(false);
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            const tovabel::Tovabel& core = mControl.Core();
            if (HCURSOR cursor = CursorFor(core.MousePointer(), core.MouseIcon())) {
                SetCursor(cursor);
                return TRUE;
            }
        }
        break;
    case WM_SIZE:
        // Whoever sizes the window, the size is known without asking.
        mClientSize = {LOWORD(lParam), HIWORD(lParam)};
        break;
    case WM_MOVE:
        mClientOrigin = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        break;
    case WM_CAPTURECHANGED:
        // Taken again by this window, the capture stays; any other window
        // taking it, or its release, ends it.
        mHoldsCapture = reinterpret_cast<HWND>(lParam) == window;
        break;
    case WM_ERASEBKGND:
        return 1; // the paint cycle covers the whole client area
    case WM_PAINT: {
        mFirstPaintDue = false;
        const PaintCycle paint(window);
        const RECT client{0, 0, mClientSize.cx, mClientSize.cy};
        mControl.Draw(paint.Dc(), client);
        return 0;
    }
    case WM_MOUSEACTIVATE:
        if (!mUiActive) {
            Activate(true);
        }
        break;
    case WM_GETOBJECT:
        if (const LRESULT object = mControl.Accessible().Answer(window, wParam, lParam)) {
            return object;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace tovabel::win
