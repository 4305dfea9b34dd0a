// Variant: the one owner of a VARIANT and whatever it holds; the lock of a
// SAFEARRAY's data (whose owner, while no VARIANT holds it, is SafeArray of
// handle.h).
#pragma once

#include "win/common/handle.h"

#include <windows.h>

#include <oleauto.h>

#include <optional>
#include <utility>

namespace tovabel::win {

class Variant {
public:
    Variant() { VariantInit(&v_); }
    Variant(const Variant& other) : Variant() { VariantCopy(&v_, Source(other)); }
    Variant& operator=(const Variant& other) {
        if (this != &other) {
            VariantCopy(&v_, Source(other)); // clears what was held first
        }
        return *this;
    }
    ~Variant() { VariantClear(&v_); }

    VARIANT* Get() { return &v_; }
    const VARIANT* Get() const { return &v_; }
    VARIANT& operator*() { return v_; }
    const VARIANT& operator*() const { return v_; }
    VARTYPE Type() const { return V_VT(&v_); }

    void Clear() { VariantClear(&v_); }
    // This value converted by automation's coercion rules; nullopt when it does not convert.
    std::optional<Variant> As(VARTYPE type) const {
        Variant out;
        if (FAILED(VariantChangeType(out.Get(), Source(*this), 0, type))) {
            return std::nullopt;
        }
        return out;
    }
    // A copy of a VARIANT that someone else owns.
    static Variant CopyOf(const VARIANT& value) {
        Variant out;
        VariantCopy(out.Get(), const_cast<VARIANT*>(&value));
        return out;
    }
    // Clears and gives the VARIANT for an out parameter.
    VARIANT* Put() {
        VariantClear(&v_);
        return &v_;
    }
    // Moves the value into `out` (which must hold nothing that needs freeing).
    void DetachTo(VARIANT* out) {
        *out = v_;
        VariantInit(&v_);
    }

private:
    // VariantCopy only reads its source, though its declaration is not const.
    static VARIANT* Source(const Variant& other) { return const_cast<VARIANT*>(&other.v_); }

    VARIANT v_;
};

// Holds a SAFEARRAY's data locked for the holder's lifetime.
class SafeArrayData {
public:
    explicit SafeArrayData(SAFEARRAY* array) : array_(array) {
        if (array_ != nullptr && FAILED(SafeArrayAccessData(array_, &data_))) {
            array_ = nullptr;
            data_ = nullptr;
        }
    }
    SafeArrayData(const SafeArrayData&) = delete;
    SafeArrayData& operator=(const SafeArrayData&) = delete;
    ~SafeArrayData() {
        if (array_ != nullptr) {
            SafeArrayUnaccessData(array_);
        }
    }
    void* Data() const { return data_; }

private:
    SAFEARRAY* array_;
    void* data_ = nullptr;
};

} // namespace tovabel::win
