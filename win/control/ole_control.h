// IOleControl: keyboard mnemonics (none yet), ambient property changes, and
// the container's freezing of events.
#pragma once

#include "com_object.h"

#include <windows.h>

#include <ocidl.h>

namespace tovabel::win {

class TovabelControl;

class OleControlPart final : public Part<IOleControl> {
public:
    explicit OleControlPart(TovabelControl& control);

    HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override;
    HRESULT STDMETHODCALLTYPE OnMnemonic(MSG* message) override;
    HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID id) override;
    HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL freeze) override;

private:
    TovabelControl& control_;
    LONG frozen_ = 0;
};

} // namespace tovabel::win
