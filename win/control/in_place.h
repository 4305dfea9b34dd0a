// In-place activation as a windowed control: the container's in-place site,
// frame and document window while the control is active, the control's child
// window and its position, and the UI-active state.
#pragma once

// The platform's headers first: they rename some of the host's member names
// (MessageBox, PlaySound) by macro, which must happen alike everywhere.
#include <windows.h>

#include "control/host.h"
#include "win/common/com_ptr.h"
#include "win/common/window.h"

#include <oleidl.h>

namespace tovabel::win {

class TovabelControl;

class InPlace {
public:
    explicit InPlace(TovabelControl& control) : mControl(control) {}
    InPlace(const InPlace&) = delete;
    InPlace& operator=(const InPlace&) = delete;

    // Activates in the client site's window (creating the child window) and,
    // with `uiActivate`, makes the control the container's UI-active object.
    HRESULT Activate(bool uiActivate);
    void UIDeactivate();
    // Ends UI and in-place activity and destroys the window.
    void Deactivate();

    // The container's new position for the window (IOleInPlaceObject::SetObjectRects).
    void SetObjectRects(const RECT& position);
    // Asks the container for a new client size in pixels; when it does not
    // follow (no site, or the site ignores the request), the window takes it.
    void RequestSize(SIZE pixels);

    HWND Window() const { return mWindow.Get(); }
    // The window's client size in pixels, as its last WM_SIZE gave it.
    SIZE ClientSize() const { return mClientSize; }
    bool UIActive() const { return mUiActive; }
    IOleInPlaceSite* Site() const { return mSite.Get(); }
    // Draws the face on the window at once, as the platform's own buttons do
    // when their state changes: no invalidation and no paint cycle to wait
    // for. A hidden window, or one shown and waiting for its first paint cycle,
    // is left alone: that cycle paints it whole.
    void Repaint();
    // The run-mode window services: the control's own procedure in front of
    // the window's (`SubClass`, which first undoes an earlier one, and
    // `UnSubClass`, which also removes the tooltip tool) and the window as a
    // tool of the shared tooltip. Asked for before the window exists, they
    // start with it; they stop when it goes and start again with a new one.
    void SubClass();
    void UnSubClass();
    void AddToolTip();

    // Runs or stops one of the control's timers. A timer runs on the window:
    // asked for while the control has none, it starts when the window is made.
    // Asked to run again with the interval it runs with, it keeps its count.
    void SetTimer(TimerId id, bool running, std::int32_t intervalMs);

    // Captures the mouse for the window. A window that holds the capture
    // already keeps it without asking the system again: the system tells the
    // window when it loses the capture (WM_CAPTURECHANGED), to whatever window.
    void TakeCapture();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Move(const RECT& position);
    // The window's messages that the control handles; false for the others.
    bool HandleInput(UINT message, WPARAM wParam, LPARAM lParam);
    std::int16_t MoveShiftState(WPARAM keys) const;
    void OnFocus(bool arrived);
    void StartTimers();
    void StartWindowServices();
    void StopWindowServices();
    void InstallSubclass();
    void RemoveSubclass();
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // What the control's own procedure does before the message goes on.
    void BeforePassingOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void SupplyToolTipText(NMHDR* request);
    // Whether the tooltip needs to hear of this move (WM_MOUSEMOVE's lParam).
    bool ToolTipNeedsMove(LPARAM lParam);

    // A timer as the control asked for it, and its holder on the window.
    struct Timer {
        explicit Timer(TimerId which) : id(which), onWindow(static_cast<UINT_PTR>(which) + 1) {}
        TimerId id;
        bool running = false;
        std::int32_t intervalMs = 0;
        WindowTimer onWindow;
    };
    Timer* FindTimer(UINT_PTR windowTimerId);

    TovabelControl& mControl;
    ComPtr<IOleInPlaceSite> mSite;
    ComPtr<IOleInPlaceFrame> mFrame;
    ComPtr<IOleInPlaceUIWindow> mDocument;
    win::Window mWindow;
    RECT mPosition{0, 0, 0, 0};
    SIZE mClientSize{0, 0};
    POINT mClientOrigin{0, 0}; // in the parent's client area, as the last WM_MOVE gave it
    bool mUiActive = false;
    bool mHoldsCapture = false;
    bool mFirstPaintDue = false; // shown and not yet painted: the paint cycle draws it whole
    bool mPointerOnTool = false; // the last move relayed or not was inside the window
    bool mTipToShow = false;     // asked when the pointer last came onto the window
    bool mSubclassWanted = false;
    bool mToolWanted = false;
    // The window's procedure before ours; null while the window is not subclassed.
    WNDPROC mPrevious = nullptr;
    HWND mSubclassed = nullptr;
    // Declared after the window: they stop before it goes.
    Timer mTimers[2]{Timer(TimerId::MenuPop), Timer(TimerId::Redraw)};
};

} // namespace tovabel::win
