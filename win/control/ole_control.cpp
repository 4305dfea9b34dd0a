#include "ole_control.h"

#include "control.h"

namespace tovabel::win {

OleControlPart::OleControlPart(TovabelControl& control) : Part(control), control_(control) {}

HRESULT OleControlPart::GetControlInfo(CONTROLINFO* info) {
    if (info == nullptr) {
        return E_POINTER;
    }
    if (info->cb < sizeof(CONTROLINFO)) {
        return E_INVALIDARG;
    }
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

HRESULT OleControlPart::OnMnemonic(MSG*) {
    return S_OK;
}

HRESULT OleControlPart::OnAmbientPropertyChange(DISPID id) {
    return control_.Run([&] {
        control_.NotifyAmbientChanged(id);
        return S_OK;
    });
}

HRESULT OleControlPart::FreezeEvents(BOOL freeze) {
    frozen_ += freeze ? 1 : (frozen_ > 0 ? -1 : 0);
    return S_OK;
}

} // namespace tovabel::win
