// Building blocks for COM objects: a part that implements one interface of a
// larger object and hands IUnknown to its owner, and a small stand-alone object
// with its own reference count that keeps the module loaded while it lives,
// made and handed out by HandOut.
#pragma once

#include "module.h"

#include <windows.h>

#include <unknwn.h>

#include <new>
#include <utility>

namespace tovabel::win {

// One interface of an object: identity and lifetime belong to the owner.
template <class Interface> class Part : public Interface {
public:
    explicit Part(IUnknown& owner) : owner_(owner) {}
    Part(const Part&) = delete;
    Part& operator=(const Part&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        return owner_.QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return owner_.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return owner_.Release(); }

protected:
    ~Part() = default;
    IUnknown& owner_;
};

// An object of its own identity answering IUnknown and one interface.
template <class Interface> class Standalone : public Interface {
public:
    explicit Standalone(const IID& iid) : iid_(iid) { module::Lock(); }
    Standalone(const Standalone&) = delete;
    Standalone& operator=(const Standalone&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, iid_)) {
            *out = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

protected:
    virtual ~Standalone() { module::Unlock(); }

private:
    const IID& iid_;
    ULONG refs_ = 1; // apartment-threaded: one thread at a time
};

// Makes a stand-alone `Object` from `args` and hands out its `iid`: the
// creation reference goes with this call, so `out` holds the only one.
template <class Object, class... Args> HRESULT HandOut(REFIID iid, void** out, Args&&... args) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    Object* object = new (std::nothrow) Object(std::forward<Args>(args)...);
    if (object == nullptr) {
        return E_OUTOFMEMORY;
    }
    const HRESULT hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
}

} // namespace tovabel::win
