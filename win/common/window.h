// Holders for USER handles: a window (destroyed with DestroyWindow), a window
// class (unregistered with UnregisterClassW), a window's timer (killed with
// KillTimer), an accelerator table (DestroyAcceleratorTable) and a paint cycle
// of a window.
#pragma once

#include <windows.h>

#include <utility>

namespace tovabel::win {

class Window {
public:
    Window() = default;
    explicit Window(HWND adopted) : h_(adopted) {}
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    Window(Window&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    Window& operator=(Window&& other) noexcept {
        std::swap(h_, other.h_);
        return *this;
    }
    ~Window() { Reset(); }

    HWND Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    // Forgets a window that is already gone (destroyed with its parent).
    void Forget() { h_ = nullptr; }
    void Reset() {
        if (HWND h = std::exchange(h_, nullptr)) {
            DestroyWindow(h);
        }
    }

private:
    HWND h_ = nullptr;
};

class WindowClass {
public:
    // Registers `description`; Atom() is 0 when that failed.
    explicit WindowClass(const WNDCLASSEXW& description)
        : instance_(description.hInstance), atom_(RegisterClassExW(&description)) {}
    WindowClass(const WindowClass&) = delete;
    WindowClass& operator=(const WindowClass&) = delete;
    ~WindowClass() {
        if (atom_ != 0) {
            UnregisterClassW(reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(atom_)), instance_);
        }
    }
    ATOM Atom() const { return atom_; }
    LPCWSTR Name() const { return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(atom_)); }

private:
    HINSTANCE instance_;
    ATOM atom_;
};

// A timer of a window, running from Start until Stop or destruction.
class WindowTimer {
public:
    explicit WindowTimer(UINT_PTR id) : id_(id) {}
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;
    ~WindowTimer() { Stop(); }

    UINT_PTR Id() const { return id_; }
    bool Running() const { return window_ != nullptr; }
    // (Re)starts the count of `intervalMs` on `window`.
    void Start(HWND window, UINT intervalMs) {
        Stop();
        if (::SetTimer(window, id_, intervalMs, nullptr) != 0) {
            window_ = window;
        }
    }
    void Stop() {
        if (HWND window = std::exchange(window_, nullptr)) {
            KillTimer(window, id_);
        }
    }

private:
    UINT_PTR id_;
    HWND window_ = nullptr;
};

class AcceleratorTable {
public:
    AcceleratorTable() = default;
    explicit AcceleratorTable(HACCEL adopted) : h_(adopted) {}
    AcceleratorTable(const AcceleratorTable&) = delete;
    AcceleratorTable& operator=(const AcceleratorTable&) = delete;
    AcceleratorTable& operator=(AcceleratorTable&& other) noexcept {
        std::swap(h_, other.h_);
        return *this;
    }
    ~AcceleratorTable() {
        if (h_ != nullptr) {
            DestroyAcceleratorTable(h_);
        }
    }
    HACCEL Get() const { return h_; }

private:
    HACCEL h_ = nullptr;
};

// BeginPaint in the constructor, EndPaint in the destructor.
class PaintCycle {
public:
    explicit PaintCycle(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    PaintCycle(const PaintCycle&) = delete;
    PaintCycle& operator=(const PaintCycle&) = delete;
    ~PaintCycle() { EndPaint(window_, &paint_); }
    HDC Dc() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

} // namespace tovabel::win
