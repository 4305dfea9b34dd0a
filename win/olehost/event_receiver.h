// The client's side of the control's events: an IDispatch that the control's
// events connection point accepts (it answers the events dispinterface too),
// without type information. What arrives goes to Invoke.
#pragma once

#include "win/common/com_object.h"
#include "win/common/guids.h"
#include "win/olehost/untyped_dispatch.h"

#include <windows.h>

#include <oaidl.h>

namespace tovabel::olehost {

class EventReceiver : public win::LocalObject<UntypedDispatch> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out != nullptr && IsEqualIID(iid, DIID___Tovabel)) {
            return Answer(static_cast<IDispatch*>(this), out);
        }
        return LocalObject::QueryInterface(iid, out);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
};

} // namespace tovabel::olehost
