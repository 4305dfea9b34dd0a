#include "ole_object.h"

#include "control.h"
#include "win/common/guids.h"

#include <windows.h>

#include <ole2.h>

namespace tovabel::win {

OleObjectPart::OleObjectPart(TovabelControl& control) : Part(control), mControl(control) {}

HRESULT OleObjectPart::SetClientSite(IOleClientSite* site) {
    mControl.GetSite().SetClientSite(site);
    return S_OK;
}

HRESULT OleObjectPart::GetClientSite(IOleClientSite** site) {
    if (site == nullptr) {
        return E_POINTER;
    }
    *site = mControl.GetSite().ClientSite();
    if (*site != nullptr) {
        (*site)->AddRef();
    }
    return S_OK;
}

HRESULT OleObjectPart::SetHostNames(LPCOLESTR, LPCOLESTR) {
    return S_OK;
}

HRESULT OleObjectPart::Close(DWORD) {
    const ComPtr<IUnknown> keepAlive = ComPtr<IUnknown>::Share(this);
    mControl.GetInPlace().Deactivate();
    if (mAdviseHolder) {
        mAdviseHolder->SendOnClose();
    }
    return S_OK;
}

HRESULT OleObjectPart::SetMoniker(DWORD, IMoniker*) {
    return E_NOTIMPL;
}

HRESULT OleObjectPart::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker != nullptr) {
        *moniker = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT OleObjectPart::InitFromData(IDataObject*, BOOL, DWORD) {
    return E_NOTIMPL;
}

HRESULT OleObjectPart::GetClipboardData(DWORD, IDataObject** data) {
    if (data != nullptr) {
        *data = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT OleObjectPart::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT) {
    if (site != nullptr && mControl.GetSite().ClientSite() == nullptr) {
        mControl.GetSite().SetClientSite(site);
    }
    return mControl.Run([&] {
        switch (verb) {
        case OLEIVERB_PRIMARY:
        case OLEIVERB_SHOW:
        case OLEIVERB_INPLACEACTIVATE:
            return mControl.GetInPlace().Activate(false);
        case OLEIVERB_UIACTIVATE:
            return mControl.GetInPlace().Activate(true);
        case OLEIVERB_HIDE:
            mControl.GetInPlace().Deactivate();
            return S_OK;
        default:
            return verb > 0 ? OLEOBJ_S_INVALIDVERB : E_NOTIMPL;
        }
    });
}

HRESULT OleObjectPart::EnumVerbs(IEnumOLEVERB** verbs) {
    return OleRegEnumVerbs(CLSID_Tovabel, verbs);
}

HRESULT OleObjectPart::Update() {
    return S_OK;
}

HRESULT OleObjectPart::IsUpToDate() {
    return S_OK;
}

HRESULT OleObjectPart::GetUserClassID(CLSID* clsid) {
    if (clsid == nullptr) {
        return E_POINTER;
    }
    *clsid = CLSID_Tovabel;
    return S_OK;
}

HRESULT OleObjectPart::GetUserType(DWORD form, LPOLESTR* name) {
    return OleRegGetUserType(CLSID_Tovabel, form, name);
}

HRESULT OleObjectPart::SetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) {
        return DV_E_DVASPECT;
    }
    if (size == nullptr) {
        return E_POINTER;
    }
    return mControl.Run([&] {
        mControl.Host().SetExtent(*size);
        return S_OK;
    });
}

HRESULT OleObjectPart::GetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) {
        return DV_E_DVASPECT;
    }
    if (size == nullptr) {
        return E_POINTER;
    }
    *size = mControl.Host().Extent();
    return S_OK;
}

HRESULT OleObjectPart::Advise(IAdviseSink* sink, DWORD* connection) {
    if (!mAdviseHolder) {
        const HRESULT hr = CreateOleAdviseHolder(mAdviseHolder.Put());
        if (FAILED(hr)) {
            return hr;
        }
    }
    return mAdviseHolder->Advise(sink, connection);
}

HRESULT OleObjectPart::Unadvise(DWORD connection) {
    return mAdviseHolder ? mAdviseHolder->Unadvise(connection) : OLE_E_NOCONNECTION;
}

HRESULT OleObjectPart::EnumAdvise(IEnumSTATDATA** advise) {
    if (advise == nullptr) {
        return E_POINTER;
    }
    *advise = nullptr;
    return mAdviseHolder ? mAdviseHolder->EnumAdvise(advise) : S_OK;
}

HRESULT OleObjectPart::GetMiscStatus(DWORD aspect, DWORD* status) {
    if (status == nullptr) {
        return E_POINTER;
    }
    *status = aspect == DVASPECT_CONTENT ? kMiscStatus : 0;
    return S_OK;
}

HRESULT OleObjectPart::SetColorScheme(LOGPALETTE*) {
    return E_NOTIMPL;
}

} // namespace tovabel::win
