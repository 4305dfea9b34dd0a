// IOleInPlaceObject (with IOleWindow) and IOleInPlaceActiveObject: the
// container's side of in-place activation, over the control's InPlace state.
#pragma once

#include "com_object.h"

#include <windows.h>

#include <oleidl.h>

namespace tovabel::win {

class TovabelControl;

class InPlaceObjectPart final : public Part<IOleInPlaceObject> {
public:
    explicit InPlaceObjectPart(TovabelControl& control);

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override;
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() override;
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;

private:
    TovabelControl& mControl;
};

class InPlaceActiveObjectPart final : public Part<IOleInPlaceActiveObject> {
public:
    explicit InPlaceActiveObjectPart(TovabelControl& control);

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG message) override;
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window,
                                           BOOL frameWindow) override;
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;

private:
    TovabelControl& mControl;
};

} // namespace tovabel::win
