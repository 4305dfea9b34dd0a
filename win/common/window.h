// USER beyond the plain owners of handle.h (Window, AcceleratorTable): a
// window class (unregistered with UnregisterClassW), a window's timer (killed
// with KillTimer) and a paint cycle of a window.
#pragma once

#include "win/common/handle.h"

#include <windows.h>

namespace tovabel::win {

// A window class, registered from `description`; Atom() is 0 when that failed.
class WindowClass : public Owned<WindowClassTraits> {
public:
    explicit WindowClass(const WNDCLASSEXW& description)
        : Owned(RegisterClassExW(&description), {description.hInstance}) {}
    ATOM Atom() const { return Get(); }
    LPCWSTR Name() const { return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(Get())); }
};

// A timer of a window, running from Start until Stop or destruction.
class WindowTimer : private Owned<TimerTraits> {
public:
    explicit WindowTimer(UINT_PTR id) : Owned(nullptr, {id}) {}

    UINT_PTR Id() const { return HandleTraits().id; }
    bool Running() const { return static_cast<bool>(*this); }
    // (Re)starts the count of `intervalMs` on `window`.
    void Start(HWND window, UINT intervalMs) {
        Stop();
        if (::SetTimer(window, Id(), intervalMs, nullptr) != 0) {
            Reset(window);
        }
    }
    void Stop() { Reset(); }
};

// BeginPaint in the constructor, EndPaint in the destructor.
class PaintCycle {
public:
    explicit PaintCycle(HWND window) : mWindow(window), mDc(BeginPaint(window, &mPaint)) {}
    PaintCycle(const PaintCycle&) = delete;
    PaintCycle& operator=(const PaintCycle&) = delete;
    ~PaintCycle() { EndPaint(mWindow, &mPaint); }
    HDC Dc() const { return mDc; }

private:
    HWND mWindow;
    PAINTSTRUCT mPaint{};
    HDC mDc;
};

} // namespace tovabel::win
