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
    Variant() { VariantInit(&mValue); }
    Variant(const Variant& other) : Variant() { VariantCopy(&mValue, Source(other)); }
    Variant& operator=(const Variant& other) {
        if (this != &other) {
            VariantCopy(&mValue, Source(other)); // clears what was held first
        }
        return *this;
    }
    ~Variant() { VariantClear(&mValue); }

    VARIANT* Get() { return &mValue; }
    const VARIANT* Get() const { return &mValue; }
    VARIANT& operator*() { return mValue; }
    const VARIANT& operator*() const { return mValue; }
    VARTYPE Type() const { return V_VT(&mValue); }

    void Clear() { VariantClear(&mValue); }
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
        VariantClear(&mValue);
        return &mValue;
    }
    // Moves the value into `out` (which must hold nothing that needs freeing).
    void DetachTo(VARIANT* out) {
        *out = mValue;
        VariantInit(&mValue);
    }

private:
    // VariantCopy only reads its source, though its declaration is not const.
    static VARIANT* Source(const Variant& other) { return const_cast<VARIANT*>(&other.mValue); }

    VARIANT mValue;
};

// Holds a SAFEARRAY's data locked for the holder's lifetime.
class SafeArrayData {
public:
    explicit SafeArrayData(SAFEARRAY* array) : mArray(array) {
        if (mArray != nullptr && FAILED(SafeArrayAccessData(mArray, &mData))) {
            mArray = nullptr;
            mData = nullptr;
        }
    }
    SafeArrayData(const SafeArrayData&) = delete;
    SafeArrayData& operator=(const SafeArrayData&) = delete;
    ~SafeArrayData() {
        if (mArray != nullptr) {
            SafeArrayUnaccessData(mArray);
        }
    }
    void* Data() const { return mData; }

private:
    SAFEARRAY* mArray;
    void* mData = nullptr;
};

} // namespace tovabel::win
