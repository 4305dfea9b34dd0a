#include "ole_control.h"

#include "control.h"

#include <vector>

namespace tovabel::win {

OleControlPart::OleControlPart(TovabelControl& control) : Part(control), control_(control) {}

HRESULT OleControlPart::GetControlInfo(CONTROLINFO* info) {
    if (info == nullptr) {
        return E_POINTER;
    }
    if (info->cb < sizeof(CONTROLINFO)) {
        return E_INVALIDARG;
    }
    std::vector<ACCEL> keys;
    for (const char16_t key : control_.Core().AccessKeys()) {
        const SHORT scan = VkKeyScanW(static_cast<WCHAR>(key));
        if (LOBYTE(scan) != 0xFF) {
            keys.push_back({FVIRTKEY | FALT, LOBYTE(scan), 1});
        }
    }
    mnemonics_ = AcceleratorTable(
        keys.empty() ? nullptr
                     : CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size())));
    info->hAccel = mnemonics_.Get();
    info->cAccel = mnemonics_.Get() != nullptr ? static_cast<USHORT>(keys.size()) : 0;
    info->dwFlags = CTRLINFO_EATS_RETURN; // Enter clicks a focused button
    return S_OK;
}

HRESULT OleControlPart::OnMnemonic(MSG* message) {
    if (message == nullptr) {
        return E_POINTER;
    }
    return control_.Run([&] {
        const Text keys = control_.Core().AccessKeys();
        if (!keys.empty()) {
            control_.Core().AccessKeyPress(static_cast<std::int16_t>(keys.front()));
        }
        return S_OK;
    });
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
