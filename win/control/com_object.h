// A part that implements one interface of a larger object (the control) and
// hands IUnknown to its owner. Objects of their own identity are made from
// win/common/com_object.h.
#pragma once

#include "win/common/com_object.h"

#include <windows.h>

#include <unknwn.h>

namespace tovabel::win {

// One interface of an object: identity and lifetime belong to the owner.
template <class Interface> class Part : public Interface {
public:
    explicit Part(IUnknown& owner) : mOwner(owner) {}
    Part(const Part&) = delete;
    Part& operator=(const Part&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        return mOwner.QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return mOwner.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return mOwner.Release(); }

protected:
    ~Part() = default;
    IUnknown& mOwner;
};

} // namespace tovabel::win
