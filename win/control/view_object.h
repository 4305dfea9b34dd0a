// IViewObject2: the control's face drawn into any DC (containers that print,
// snapshot or draw inactive objects), its extent and the view advise sink.
#pragma once

#include "com_object.h"
#include "win/common/com_ptr.h"

#include <windows.h>

#include <oleidl.h>

namespace tovabel::win {

class TovabelControl;

class ViewObjectPart final : public Part<IViewObject2> {
public:
    explicit ViewObjectPart(TovabelControl& control);

    HRESULT STDMETHODCALLTYPE Draw(DWORD aspect, LONG index, void* aspectInfo,
                                   DVTARGETDEVICE* device, HDC targetDevice, HDC dc,
                                   LPCRECTL bounds, LPCRECTL metafileBounds,
                                   BOOL(STDMETHODCALLTYPE* keepDrawing)(ULONG_PTR),
                                   ULONG_PTR keepDrawingArgument) override;
    HRESULT STDMETHODCALLTYPE GetColorSet(DWORD aspect, LONG index, void* aspectInfo,
                                          DVTARGETDEVICE* device, HDC targetDevice,
                                          LOGPALETTE** colors) override;
    HRESULT STDMETHODCALLTYPE Freeze(DWORD aspect, LONG index, void* aspectInfo,
                                     DWORD* freeze) override;
    HRESULT STDMETHODCALLTYPE Unfreeze(DWORD freeze) override;
    HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device,
                                        LPSIZEL size) override;

    // Tells the container's view sink that the face changed (inactive controls).
    void ViewChanged();

private:
    TovabelControl& mControl;
    ComPtr<IAdviseSink> mSink;
    DWORD mAspects = 0;
    DWORD mFlags = 0;
};

} // namespace tovabel::win
