// GDI beyond the plain owners of handle.h: a device context borrowed from a
// window (or the screen), a memory DC that gives back what was selected into
// it, and the selection of an object into any DC; and the 32-bit bitmaps, top
// row first, that the control and its tests draw in.
#pragma once

#include "win/common/handle.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <utility>

namespace tovabel::win {

// A DC of `window` (or of the screen), given back with ReleaseDC.
class WindowDc : public Owned<WindowDcTraits> {
public:
    explicit WindowDc(HWND window) : Owned(GetDC(window), {window}) {}
};

// The layout of a 32-bit bitmap of `size` (at least 1 x 1), top row first.
inline BITMAPINFO Bitmap32Layout(SIZE size) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = std::max<LONG>(size.cx, 1);
    info.bmiHeader.biHeight = -std::max<LONG>(size.cy, 1);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A 32-bit DIB section in that layout; `bits`, when given, receives its pixels.
inline Bitmap CreateBitmap32(SIZE size, void** bits = nullptr) {
    const BITMAPINFO info = Bitmap32Layout(size);
    void* pixels = nullptr;
    Bitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (bits != nullptr) {
        *bits = pixels;
    }
    return bitmap;
}

// A memory DC from CreateCompatibleDC. The bitmap, brush and palette selected
// through it are deselected again (the DC's own ones selected back, the
// palette realized) by the Restore calls or, at the latest, before the DC is
// deleted, so the objects' own holders can delete them afterwards. Declare
// the holders of the selected objects before the DC.
class MemoryDc {
public:
    MemoryDc() = default;
    explicit MemoryDc(HDC compatibleWith) : mDc(CreateCompatibleDC(compatibleWith)) {}
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    MemoryDc(MemoryDc&& other) noexcept
        : mDc(std::move(other.mDc)), mOldBitmap(std::exchange(other.mOldBitmap, nullptr)),
          mOldBrush(std::exchange(other.mOldBrush, nullptr)),
          mOldPalette(std::exchange(other.mOldPalette, nullptr)) {}
    MemoryDc& operator=(MemoryDc&& other) noexcept {
        std::swap(mDc, other.mDc);
        std::swap(mOldBitmap, other.mOldBitmap);
        std::swap(mOldBrush, other.mOldBrush);
        std::swap(mOldPalette, other.mOldPalette);
        return *this;
    }
    ~MemoryDc() {
        RestoreBrush();
        RestoreBitmap();
        RestorePalette();
    }
    HDC Get() const { return mDc.Get(); }

    // Each Select replaces what an earlier Select of the same kind put there.
    bool SelectBitmap(HBITMAP bitmap) { return Select(bitmap, mOldBitmap); }
    bool SelectBrush(HBRUSH brush) { return Select(brush, mOldBrush); }
    // Selects the palette as a background palette and realizes it.
    bool SelectPalette(HPALETTE palette) {
        if (!mDc || palette == nullptr) {
            return false;
        }
        HPALETTE previous = ::SelectPalette(mDc.Get(), palette, TRUE);
        if (previous == nullptr) {
            return false;
        }
        if (mOldPalette == nullptr) {
            mOldPalette = previous;
        }
        RealizePalette(mDc.Get());
        return true;
    }

    void RestoreBitmap() { Restore(mOldBitmap); }
    void RestoreBrush() { Restore(mOldBrush); }
    void RestorePalette() {
        if (mOldPalette != nullptr) {
            ::SelectPalette(mDc.Get(), std::exchange(mOldPalette, nullptr), TRUE);
            RealizePalette(mDc.Get());
        }
    }

private:
    template <class Handle> bool Select(Handle object, Handle& original) {
        if (!mDc || object == nullptr) {
            return false;
        }
        HGDIOBJ previous = SelectObject(mDc.Get(), object);
        if (previous == nullptr || previous == HGDI_ERROR) {
            return false;
        }
        if (original == nullptr) {
            original = static_cast<Handle>(previous);
        }
        return true;
    }
    template <class Handle> void Restore(Handle& original) {
        if (original != nullptr) {
            SelectObject(mDc.Get(), std::exchange(original, nullptr));
        }
    }

    CreatedDc mDc;
    HBITMAP mOldBitmap = nullptr;
    HBRUSH mOldBrush = nullptr;
    HPALETTE mOldPalette = nullptr;
};

// A memory DC drawing on a 32-bit DIB section, top row first, that only
// grows: a scratch surface that a thread keeps and draws on at whatever size
// it is asked for.
class DibSurface {
public:
    DibSurface() = default;
    explicit DibSurface(HDC compatibleWith) : mDc(compatibleWith) {}

    // At least `size` large: false when it cannot be (then it stays as it
    // was). The pixels are kept only while it need not grow.
    bool Reserve(SIZE size) {
        if (mDc.Get() == nullptr) {
            return false;
        }
        if (mBitmap.Get() != nullptr && size.cx <= mSize.cx && size.cy <= mSize.cy) {
            return true;
        }
        const SIZE grown{std::max(size.cx, mSize.cx), std::max(size.cy, mSize.cy)};
        void* bits = nullptr;
        Bitmap next = CreateBitmap32(grown, &bits);
        if (next.Get() == nullptr || !mDc.SelectBitmap(next.Get())) {
            return false;
        }
        mBitmap = std::move(next); // the old bitmap, now unselected, is deleted here
        mBits = static_cast<std::uint32_t*>(bits);
        mSize = grown;
        return true;
    }

    HDC Dc() const { return mDc.Get(); }
    // Row y starts at Bits() + y * Size().cx.
    std::uint32_t* Bits() const { return mBits; }
    SIZE Size() const { return mSize; }

private:
    Bitmap mBitmap; // selected into mDc, which gives it back before it is deleted
    MemoryDc mDc;
    std::uint32_t* mBits = nullptr;
    SIZE mSize{0, 0};
};

// An object selected into a DC for the holder's lifetime; the object that was
// selected before comes back at the end. The object itself has its own owner.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : mDc(dc), mPrevious(SelectObject(dc, object)) {}
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    ~Selection() {
        if (mPrevious != nullptr && mPrevious != HGDI_ERROR) {
            SelectObject(mDc, mPrevious);
        }
    }

private:
    HDC mDc;
    HGDIOBJ mPrevious;
};

} // namespace tovabel::win
