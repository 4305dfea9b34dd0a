#include "class_factory.h"

#include "win/common/module.h"

namespace tovabel::win {

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    if (outer != nullptr) {
        return CLASS_E_NOAGGREGATION;
    }
    return mEntry.create(iid, out);
}

HRESULT ClassFactory::LockServer(BOOL lock) {
    if (lock) {
        module::Lock();
    } else {
        module::Unlock();
    }
    return S_OK;
}

} // namespace tovabel::win
