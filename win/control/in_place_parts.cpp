#include "in_place_parts.h"

#include "control.h"

namespace tovabel::win {

namespace {

HRESULT WindowOf(TovabelControl& control, HWND* window) {
    if (window == nullptr) {
        return E_POINTER;
    }
    *window = control.GetInPlace().Window();
    return *window != nullptr ? S_OK : E_FAIL;
}

} // namespace

InPlaceObjectPart::InPlaceObjectPart(TovabelControl& control) : Part(control), mControl(control) {}

HRESULT InPlaceObjectPart::GetWindow(HWND* window) {
    return WindowOf(mControl, window);
}

HRESULT InPlaceObjectPart::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

HRESULT InPlaceObjectPart::InPlaceDeactivate() {
    mControl.GetInPlace().Deactivate();
    return S_OK;
}

HRESULT InPlaceObjectPart::UIDeactivate() {
    mControl.GetInPlace().UIDeactivate();
    return S_OK;
}

HRESULT InPlaceObjectPart::SetObjectRects(LPCRECT position, LPCRECT) {
    if (position == nullptr) {
        return E_POINTER;
    }
    // The new size comes to the core as a resize notification.
    return mControl.Run([&] {
        mControl.GetInPlace().SetObjectRects(*position);
        return S_OK;
    });
}

HRESULT InPlaceObjectPart::ReactivateAndUndo() {
    return INPLACE_E_NOTUNDOABLE;
}

InPlaceActiveObjectPart::InPlaceActiveObjectPart(TovabelControl& control)
    : Part(control), mControl(control) {}

HRESULT InPlaceActiveObjectPart::GetWindow(HWND* window) {
    return WindowOf(mControl, window);
}

HRESULT InPlaceActiveObjectPart::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

HRESULT InPlaceActiveObjectPart::TranslateAccelerator(LPMSG) {
    return S_FALSE; // no accelerators of its own
}

HRESULT InPlaceActiveObjectPart::OnFrameWindowActivate(BOOL) {
    return S_OK;
}

HRESULT InPlaceActiveObjectPart::OnDocWindowActivate(BOOL) {
    return S_OK;
}

HRESULT InPlaceActiveObjectPart::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) {
    return S_OK; // no toolbars to place
}

HRESULT InPlaceActiveObjectPart::EnableModeless(BOOL) {
    return S_OK;
}

} // namespace tovabel::win
