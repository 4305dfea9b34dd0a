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
    explicit Bstr(const Text& text) : b_(ToBstrRaw(text)) {}
    explicit Bstr(std::wstring_view text)
        : b_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    Bstr(const Bstr& other)
        : b_(other.b_ ? SysAllocStringLen(other.b_, other.Length()) : nullptr) {}
    Bstr(Bstr&& other) noexcept : b_(std::exchange(other.b_, nullptr)) {}
    Bstr& operator=(Bstr other) noexcept {
        std::swap(b_, other.b_);
        return *this;
    }
    ~Bstr() { Reset(); }

    // Takes over a string that the caller owns.
    static Bstr Adopt(BSTR b) {
        Bstr out;
        out.b_ = b;
        return out;
    }

    BSTR Get() const { return b_; }
    UINT Length() const { return SysStringLen(b_); }
    Text ToText() const { return FromBstr(b_); }
    std::wstring_view View() const { return {b_ ? b_ : L"", Length()}; }

    void Reset() {
        if (BSTR b = std::exchange(b_, nullptr)) {
            SysFreeString(b);
        }
    }
    BSTR* Put() {
        Reset();
        return &b_;
    }
    BSTR Detach() { return std::exchange(b_, nullptr); }

private:
    BSTR b_ = nullptr;
};

} // namespace tovabel::win
