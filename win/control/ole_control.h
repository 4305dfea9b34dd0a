// IOleControl: the keyboard mnemonic of the caption's access key (Alt with the
// key), ambient property changes, and the container's freezing of events.
#pragma once

#include "com_object.h"
#include "win/common/window.h"

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
    TovabelControl& mControl;
    LONG mFrozen = 0;
    // The table last given to the container, valid until the next request.
    AcceleratorTable mMnemonics;
};

} // namespace tovabel::win
