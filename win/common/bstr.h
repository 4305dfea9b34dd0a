// Bstr: the one owner of an automation string.
#pragma once

#include "text.h"

#include <windows.h>

#include <oleauto.h>

#include <string_view>
#include <utility>

namespace tovabel::win {

class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const Text& text) : mString(ToBstrRaw(text)) {}
    explicit Bstr(std::wstring_view text)
        : mString(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    Bstr(const Bstr& other)
        : mString(other.mString ? SysAllocStringLen(other.mString, other.Length()) : nullptr) {}
    Bstr(Bstr&& other) noexcept : mString(std::exchange(other.mString, nullptr)) {}
    Bstr& operator=(Bstr other) noexcept {
        std::swap(mString, other.mString);
        return *this;
    }
    ~Bstr() { Reset(); }

    // Takes over a string that the caller owns.
    static Bstr Adopt(BSTR b) {
        Bstr out;
        out.mString = b;
        return out;
    }

    BSTR Get() const { return mString; }
    UINT Length() const { return SysStringLen(mString); }
    Text ToText() const { return FromBstr(mString); }
    std::wstring_view View() const { return {mString ? mString : L"", Length()}; }

    void Reset() {
        if (BSTR b = std::exchange(mString, nullptr)) {
            SysFreeString(b);
        }
    }
    BSTR* Put() {
        Reset();
        return &mString;
    }
    BSTR Detach() { return std::exchange(mString, nullptr); }

private:
    BSTR mString = nullptr;
};

} // namespace tovabel::win
