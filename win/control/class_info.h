// IProvideClassInfo2: the control's coclass description and its event interface.
#pragma once

#include "com_object.h"

#include <windows.h>

#include <ocidl.h>

namespace tovabel::win {

class TovabelControl;

class ClassInfoPart final : public Part<IProvideClassInfo2> {
public:
    explicit ClassInfoPart(TovabelControl& control);

    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** out) override;
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* out) override;

private:
    TovabelControl& mControl;
};

} // namespace tovabel::win
