#include "quick_activate.h"

#include "control.h"
#include "ole_object.h"

#include <cstddef>

namespace tovabel::win {

QuickActivatePart::QuickActivatePart(TovabelControl& control) : Part(control), mControl(control) {}

HRESULT QuickActivatePart::QuickActivate(QACONTAINER* container, QACONTROL* result) {
    if (container == nullptr || result == nullptr) {
        return E_POINTER;
    }
    // Older containers pass a shorter structure: everything up to the ambients is required.
    if (container->cbSize < offsetof(QACONTAINER, hpal) || result->cbSize < sizeof(QACONTROL)) {
        return E_INVALIDARG;
    }
    const ComPtr<IUnknown> keepAlive = ComPtr<IUnknown>::Share(&mControl);
    const ULONG size = result->cbSize;
    *result = QACONTROL{};
    result->cbSize = size;

    const ComPtr<IOleObject> object = keepAlive.As<IOleObject>(IID_IOleObject);
    HRESULT hr = object->SetClientSite(container->pClientSite);
    if (FAILED(hr)) {
        return hr;
    }
    if (container->pAdviseSink != nullptr) {
        const ComPtr<IViewObject> view = keepAlive.As<IViewObject>(IID_IViewObject);
        view->SetAdvise(DVASPECT_CONTENT, 0, container->pAdviseSink);
    }
    ConnectionPointContainerPart& points = mControl.Points();
    if (container->pPropertyNotifySink != nullptr) {
        points.PropertyNotify().Advise(container->pPropertyNotifySink, &result->dwPropNotifyCookie);
    }
    if (container->pUnkEventSink != nullptr) {
        points.Events().Advise(container->pUnkEventSink, &result->dwEventCookie);
    }
    result->dwMiscStatus = kMiscStatus;
    result->dwViewStatus = kViewStatus;
    result->dwPointerActivationPolicy = 0;
    return S_OK;
}

HRESULT QuickActivatePart::SetContentExtent(LPSIZEL size) {
    if (size == nullptr) {
        return E_POINTER;
    }
    return mControl.Run([&] {
        mControl.Host().SetExtent(*size);
        return S_OK;
    });
}

HRESULT QuickActivatePart::GetContentExtent(LPSIZEL size) {
    if (size == nullptr) {
        return E_POINTER;
    }
    *size = mControl.Host().Extent();
    return S_OK;
}

} // namespace tovabel::win
