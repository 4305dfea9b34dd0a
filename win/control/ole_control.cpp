#include "ole_control.h"

#include "control.h"

#include <vector>

namespace tovabel::win {

OleControlPart::OleControlPart(TovabelControl& control) : Part(control), mControl(control) {}

HRESULT OleControlPart::GetControlInfo(CONTROLINFO* info) {
    if (info == nullptr) {
        return E_POINTER;
    }
    if (info->cb < sizeof(CONTROLINFO)) {
        return E_INVALIDARG;
    }
    std::vector<ACCEL> keys;
    for (const char16_t key : mControl.Core().AccessKeys()) {
        const SHORT scan = VkKeyScanW(static_cast<WCHAR>(key));
        if (LOBYTE(scan) != 0xFF) {
            keys.push_back({FVIRTKEY | FALT, LOBYTE(scan), 1});
        }
    }
    mMnemonics = AcceleratorTable(
        keys.empty() ? nullptr
                     : CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size())));
    info->hAccel = mMnemonics.Get();
    info->cAccel = mMnemonics.Get() != nullptr ? static_cast<USHORT>(keys.size()) : 0;
    info->dwFlags = CTRLINFO_EATS_RETURN; // Enter clicks a focused button
    return S_OK;
}

HRESULT OleControlPart::OnMnemonic(MSG* message) {
    if (message == nullptr) {
        return E_POINTER;
    }
    return mControl.Run([&] {
        const Text keys = mControl.Core().AccessKeys();
        if (!keys.empty()) {
            mControl.Core().AccessKeyPress(static_cast<std::int16_t>(keys.front()));
        }
        return S_OK;
    });
}

HRESULT OleControlPart::OnAmbientPropertyChange(DISPID id) {
    return mControl.Run([&] {
        mControl.NotifyAmbientChanged(id);
        return S_OK;
    });
}

HRESULT OleControlPart::FreezeEvents(BOOL freeze) {
    mFrozen += freeze ? 1 : (mFrozen > 0 ? -1 : 0);
    return S_OK;
}

} // namespace tovabel::win
