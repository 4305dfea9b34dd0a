// Owned<Traits>: the one owner of a platform handle, and the traits of the
// handle kinds the code owns. A handle gets its owner in the line that creates
// it; the owner gives it back exactly once (when it goes, or on Reset), moves
// to a new owner and never copies.
//
// Traits name the `Handle` type (empty when value-initialised) and give a
// handle back with `Close`. Traits may carry what giving back needs besides
// the handle (the window a DC came from, the instance of a window class).
#pragma once

#include <windows.h>

#include <objbase.h>
#include <oleauto.h>

#include <utility>

namespace tovabel::win {

template <class Traits> class Owned {
public:
    using Handle = typename Traits::Handle;

    Owned() = default;
    explicit Owned(Handle adopted, Traits traits = {}) : mHandle(adopted), mTraits(traits) {}
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : mHandle(other.Detach()), mTraits(other.mTraits) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            Reset(other.Detach());
            mTraits = other.mTraits;
        }
        return *this;
    }
    ~Owned() { Reset(); }

    Handle Get() const { return mHandle; }
    explicit operator bool() const { return mHandle != Handle{}; }
    // Hands the handle to a new owner.
    Handle Detach() { return std::exchange(mHandle, Handle{}); }
    // Gives back what is held and takes over `adopted`.
    void Reset(Handle adopted = Handle{}) {
        if (const Handle previous = std::exchange(mHandle, adopted); previous != Handle{}) {
            mTraits.Close(previous);
        }
    }
    // Gives back what is held and lends the slot to a call that fills it.
    Handle* Put() {
        Reset();
        return &mHandle;
    }

protected:
    const Traits& HandleTraits() const { return mTraits; }

private:
    Handle mHandle{};
    [[no_unique_address]] Traits mTraits{};
};

// A pen, brush, font, bitmap, region or palette (a font is GdiObject<HFONT>:
// Font names the control's font object).
template <class H> struct GdiObjectTraits {
    using Handle = H;
    void Close(H object) const { DeleteObject(object); }
};

// A DC of CreateCompatibleDC or CreateDC.
struct CreatedDcTraits {
    using Handle = HDC;
    void Close(HDC dc) const { DeleteDC(dc); }
};

// A DC of GetDC, given back to its window.
struct WindowDcTraits {
    using Handle = HDC;
    HWND window = nullptr;
    void Close(HDC dc) const { ReleaseDC(window, dc); }
};

struct WindowTraits {
    using Handle = HWND;
    void Close(HWND window) const { DestroyWindow(window); }
};

// A registered window class, by its atom.
struct WindowClassTraits {
    using Handle = ATOM;
    HINSTANCE instance = nullptr;
    void Close(ATOM atom) const {
        UnregisterClassW(reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(atom)), instance);
    }
};

// A window's running timer, by the window.
struct TimerTraits {
    using Handle = HWND;
    UINT_PTR id = 0;
    void Close(HWND window) const { KillTimer(window, id); }
};

struct AcceleratorTableTraits {
    using Handle = HACCEL;
    void Close(HACCEL table) const { DestroyAcceleratorTable(table); }
};

struct RegKeyTraits {
    using Handle = HKEY;
    void Close(HKEY key) const { RegCloseKey(key); }
};

struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    void Close(HGLOBAL block) const { GlobalFree(block); }
};

// A block of COM's task allocator that a call allocated for its caller.
struct TaskMemoryTraits {
    using Handle = void*;
    void Close(void* block) const { CoTaskMemFree(block); }
};

struct SafeArrayTraits {
    using Handle = SAFEARRAY*;
    void Close(SAFEARRAY* array) const { SafeArrayDestroy(array); }
};

// A process, thread, pipe or other kernel object.
struct KernelObjectTraits {
    using Handle = HANDLE;
    void Close(HANDLE object) const { CloseHandle(object); }
};

// A library of LoadLibrary.
struct ModuleTraits {
    using Handle = HMODULE;
    void Close(HMODULE module) const { FreeLibrary(module); }
};

template <class H> using GdiObject = Owned<GdiObjectTraits<H>>;
using Bitmap = GdiObject<HBITMAP>;
using Brush = GdiObject<HBRUSH>;
using Palette = GdiObject<HPALETTE>;
using Pen = GdiObject<HPEN>;
using Region = GdiObject<HRGN>;
using CreatedDc = Owned<CreatedDcTraits>;
using Window = Owned<WindowTraits>;
using AcceleratorTable = Owned<AcceleratorTableTraits>;
using RegKey = Owned<RegKeyTraits>;
using GlobalMemory = Owned<GlobalMemoryTraits>;
using TaskMemory = Owned<TaskMemoryTraits>;
using SafeArray = Owned<SafeArrayTraits>;
using Module = Owned<ModuleTraits>;
using KernelObject = Owned<KernelObjectTraits>;

} // namespace tovabel::win
