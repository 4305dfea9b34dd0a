// Holders for GDI handles: a device context borrowed from a window (or the
// screen) and a GDI object created for drawing.
#pragma once

#include <windows.h>

#include <utility>

namespace tovabel::win {

// A DC from GetDC, given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A pen, brush, font, bitmap, region or palette, deleted with DeleteObject.
template <class Handle> class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle adopted) : h_(adopted) {}
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        std::swap(h_, other.h_);
        return *this;
    }
    ~GdiObject() {
        if (h_ != nullptr) {
            DeleteObject(h_);
        }
    }
    Handle Get() const { return h_; }
    Handle Detach() { return std::exchange(h_, nullptr); }

private:
    Handle h_ = nullptr;
};

} // namespace tovabel::win
