#include "class_info.h"

#include "control.h"
#include "win/common/guids.h"

namespace tovabel::win {

ClassInfoPart::ClassInfoPart(TovabelControl& control) : Part(control), mControl(control) {}

HRESULT ClassInfoPart::GetClassInfo(ITypeInfo** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = mControl.Types().Class();
    if (*out == nullptr) {
        return E_UNEXPECTED;
    }
    (*out)->AddRef();
    return S_OK;
}

HRESULT ClassInfoPart::GetGUID(DWORD kind, GUID* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
        *out = GUID_NULL;
        return E_INVALIDARG;
    }
    *out = DIID___Tovabel;
    return S_OK;
}

} // namespace tovabel::win
