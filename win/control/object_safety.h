// IObjectSafety: a browser tells the control that its callers (the page's
// script) or its data (the page's PARAMs) are not to be trusted. From the
// first such option on, the instance serves an untrusted page until it ends.
#pragma once

#include "com_object.h"

#include <windows.h>

#include <objsafe.h>

#include <array>

namespace tovabel::win {

class TovabelControl;

class ObjectSafetyPart final : public Part<IObjectSafety> {
public:
    explicit ObjectSafetyPart(TovabelControl& control);

    HRESULT STDMETHODCALLTYPE GetInterfaceSafetyOptions(REFIID iid, DWORD* supported,
                                                        DWORD* enabled) override;
    HRESULT STDMETHODCALLTYPE SetInterfaceSafetyOptions(REFIID iid, DWORD mask,
                                                        DWORD enabled) override;

private:
    // The options set for `iid`; null for an interface the options do not cover.
    DWORD* OptionsOf(REFIID iid);

    TovabelControl& mControl;
    // For IDispatch, IPersistPropertyBag, IPersistStreamInit, IPersistStorage.
    std::array<DWORD, 4> mEnabled{};
};

} // namespace tovabel::win
