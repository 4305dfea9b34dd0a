#include "view_object.h"

#include "control.h"

namespace tovabel::win {

ViewObjectPart::ViewObjectPart(TovabelControl& control) : Part(control), mControl(control) {}

HRESULT ViewObjectPart::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc,
                             LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                             ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT) {
        return DV_E_DVASPECT;
    }
    if (dc == nullptr || bounds == nullptr) {
        return E_INVALIDARG;
    }
    const RECT area{bounds->left, bounds->top, bounds->right, bounds->bottom};
    mControl.Draw(dc, area);
    return S_OK;
}

HRESULT ViewObjectPart::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colors) {
    if (colors == nullptr) {
        return E_POINTER;
    }
    *colors = nullptr;
    return S_FALSE; // no particular set of colours
}

HRESULT ViewObjectPart::Freeze(DWORD, LONG, void*, DWORD* freeze) {
    if (freeze != nullptr) {
        *freeze = 0;
    }
    return E_NOTIMPL;
}

HRESULT ViewObjectPart::Unfreeze(DWORD) {
    return E_NOTIMPL;
}

HRESULT ViewObjectPart::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
    mSink = ComPtr<IAdviseSink>::Share(sink);
    mAspects = aspects;
    mFlags = flags;
    return S_OK;
}

HRESULT ViewObjectPart::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects != nullptr) {
        *aspects = mAspects;
    }
    if (flags != nullptr) {
        *flags = mFlags;
    }
    return sink != nullptr ? mSink.CopyTo(sink) : S_OK;
}

void ViewObjectPart::ViewChanged() {
    if (const ComPtr<IAdviseSink> sink = mSink) {
        sink->OnViewChange(DVASPECT_CONTENT, -1);
        if ((mFlags & ADVF_ONLYONCE) != 0) {
            mSink.Reset();
        }
    }
}

HRESULT ViewObjectPart::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    if (aspect != DVASPECT_CONTENT) {
        return DV_E_DVASPECT;
    }
    if (size == nullptr) {
        return E_POINTER;
    }
    *size = mControl.Host().Extent();
    return S_OK;
}

} // namespace tovabel::win
