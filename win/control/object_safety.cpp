#include "object_safety.h"

#include "control.h"

#include <ocidl.h>

namespace tovabel::win {

namespace {

constexpr DWORD kSupported = INTERFACESAFE_FOR_UNTRUSTED_CALLER | INTERFACESAFE_FOR_UNTRUSTED_DATA;

} // namespace

ObjectSafetyPart::ObjectSafetyPart(TovabelControl& control) : Part(control), mControl(control) {}

DWORD* ObjectSafetyPart::OptionsOf(REFIID iid) {
    const IID* const covered[] = {&IID_IDispatch, &IID_IPersistPropertyBag, &IID_IPersistStreamInit,
                                  &IID_IPersistStorage};
    for (std::size_t i = 0; i < mEnabled.size(); ++i) {
        if (IsEqualIID(iid, *covered[i])) {
            return &mEnabled[i];
        }
    }
    return nullptr;
}

HRESULT ObjectSafetyPart::GetInterfaceSafetyOptions(REFIID iid, DWORD* supported, DWORD* enabled) {
    if (supported == nullptr || enabled == nullptr) {
        return E_POINTER;
    }
    const DWORD* options = OptionsOf(iid);
    *supported = options != nullptr ? kSupported : 0;
    *enabled = options != nullptr ? *options : 0;
    return options != nullptr ? S_OK : E_NOINTERFACE;
}

// Clearing an option later does not make the page trusted again: what the
// page loaded and started while untrusted stays in the instance.
HRESULT ObjectSafetyPart::SetInterfaceSafetyOptions(REFIID iid, DWORD mask, DWORD enabled) {
    DWORD* options = OptionsOf(iid);
    if (options == nullptr) {
        return E_NOINTERFACE;
    }
    if ((mask & ~kSupported) != 0) {
        return E_FAIL;
    }
    *options = (*options & ~mask) | (enabled & mask);
    if ((enabled & mask) != 0) {
        mControl.EnterUntrustedPage();
    }
    return S_OK;
}

} // namespace tovabel::win
