// ComPtr<T>: the one owner of a COM reference. A pointer gets its owner in the
// line that receives it (`Put()` for out parameters, `Adopt` for a reference
// handed over, `Share` for a borrowed pointer that needs a reference of its own).
#pragma once

#include <windows.h>

#include <unknwn.h>

#include <utility>

namespace tovabel::win {

template <class T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr& other) : mPointer(other.mPointer) { AddRefIfAny(); }
    ComPtr(ComPtr&& other) noexcept : mPointer(std::exchange(other.mPointer, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(mPointer, other.mPointer);
        return *this;
    }
    ~ComPtr() { Reset(); }

    // Takes over a reference that the caller owns.
    static ComPtr Adopt(T* p) {
        ComPtr out;
        out.mPointer = p;
        return out;
    }
    // Adds a reference of its own to a borrowed pointer.
    static ComPtr Share(T* p) {
        ComPtr out;
        out.mPointer = p;
        out.AddRefIfAny();
        return out;
    }

    T* Get() const { return mPointer; }
    T* operator->() const { return mPointer; }
    explicit operator bool() const { return mPointer != nullptr; }

    void Reset() {
        if (T* p = std::exchange(mPointer, nullptr)) {
            p->Release();
        }
    }
    // Releases what is held and gives the address for an out parameter.
    T** Put() {
        Reset();
        return &mPointer;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    // Hands the reference to the caller.
    T* Detach() { return std::exchange(mPointer, nullptr); }
    // Gives the caller a reference of its own (an out parameter).
    HRESULT CopyTo(T** out) const {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = mPointer;
        if (mPointer != nullptr) {
            mPointer->AddRef();
        }
        return S_OK;
    }

    // QueryInterface into another owner; empty when the interface is missing.
    template <class U> ComPtr<U> As(REFIID iid) const {
        ComPtr<U> out;
        if (mPointer != nullptr) {
            mPointer->QueryInterface(iid, out.PutVoid());
        }
        return out;
    }

private:
    void AddRefIfAny() {
        if (mPointer != nullptr) {
            mPointer->AddRef();
        }
    }

    T* mPointer = nullptr;
};

} // namespace tovabel::win
