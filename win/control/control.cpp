#include "control.h"

#include "guids.h"
#include "module.h"

namespace tovabel::win {

TovabelControl::TovabelControl()
    : points_(*this), host_(*this, site_, types_, points_), core_(host_), dual_(*this),
      classInfo_(*this), persistStream_(*this), persistBag_(*this), oleObject_(*this) {
    module::Lock();
}

TovabelControl::~TovabelControl() {
    module::Unlock();
}

HRESULT TovabelControl::Create(REFIID iid, void** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    try {
        TovabelControl* control = new TovabelControl();
        const HRESULT loaded = control->types_.Load();
        if (FAILED(loaded)) {
            delete control;
            return loaded;
        }
        control->core_.Initialize();
        const HRESULT hr = control->QueryInterface(iid, out);
        control->Release(); // the creation reference; `out` holds one on success
        return hr;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT TovabelControl::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    IUnknown* found = nullptr;
    if (IsEqualIID(iid, IID_IUnknown)) {
        found = this;
    } else if (IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID__Tovabel)) {
        found = static_cast<ITovabel*>(&dual_);
    } else if (IsEqualIID(iid, IID_IProvideClassInfo) || IsEqualIID(iid, IID_IProvideClassInfo2)) {
        found = &classInfo_;
    } else if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
        found = &points_;
    } else if (IsEqualIID(iid, IID_IPersist) || IsEqualIID(iid, IID_IPersistStreamInit)) {
        found = &persistStream_;
    } else if (IsEqualIID(iid, IID_IPersistPropertyBag)) {
        found = &persistBag_;
    } else if (IsEqualIID(iid, IID_IOleObject)) {
        found = &oleObject_;
    }
    *out = found;
    if (found == nullptr) {
        return E_NOINTERFACE;
    }
    found->AddRef();
    return S_OK;
}

ULONG TovabelControl::AddRef() {
    return ++refs_;
}

ULONG TovabelControl::Release() {
    const ULONG left = --refs_;
    if (left == 0) {
        // Terminate may hand the object around (events, notifications): a
        // guard reference keeps it from being deleted twice.
        refs_ = 1;
        try {
            core_.Terminate();
        } catch (...) {
            // Nothing can be reported from a final release.
        }
        delete this;
    }
    return left;
}

HRESULT TovabelControl::InitNew() {
    if (initialized_) {
        return S_OK; // already started (for instance by a property access)
    }
    initialized_ = true;
    core_.InitProperties();
    host_.SetDirty(false);
    return S_OK;
}

} // namespace tovabel::win
