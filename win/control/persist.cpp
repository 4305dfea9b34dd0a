#include "persist.h"

#include "control.h"
#include "guids.h"

namespace tovabel::win {

namespace {

HRESULT ClassId(CLSID* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = CLSID_Tovabel;
    return S_OK;
}

} // namespace

PersistStreamInitPart::PersistStreamInitPart(TovabelControl& control)
    : Part(control), control_(control) {}

HRESULT PersistStreamInitPart::GetClassID(CLSID* out) {
    return ClassId(out);
}

HRESULT PersistStreamInitPart::IsDirty() {
    return control_.Host().Dirty() ? S_OK : S_FALSE;
}

HRESULT PersistStreamInitPart::Load(IStream*) {
    return E_NOTIMPL; // ReadProperties from a stream: the persistence issue (#4) fills it
}

HRESULT PersistStreamInitPart::Save(IStream*, BOOL) {
    return E_NOTIMPL; // WriteProperties to a stream: the persistence issue (#4) fills it
}

HRESULT PersistStreamInitPart::GetSizeMax(ULARGE_INTEGER*) {
    return E_NOTIMPL; // the saved size is known once streams are written (#4)
}

HRESULT PersistStreamInitPart::InitNew() {
    return control_.Run([&] { return control_.InitNew(); });
}

PersistPropertyBagPart::PersistPropertyBagPart(TovabelControl& control)
    : Part(control), control_(control) {}

HRESULT PersistPropertyBagPart::GetClassID(CLSID* out) {
    return ClassId(out);
}

HRESULT PersistPropertyBagPart::InitNew() {
    return control_.Run([&] { return control_.InitNew(); });
}

HRESULT PersistPropertyBagPart::Load(IPropertyBag*, IErrorLog*) {
    return E_NOTIMPL; // ReadProperties from the bag: the persistence issue (#4) fills it
}

HRESULT PersistPropertyBagPart::Save(IPropertyBag*, BOOL, BOOL) {
    return E_NOTIMPL; // WriteProperties to the bag: the persistence issue (#4) fills it
}

} // namespace tovabel::win
