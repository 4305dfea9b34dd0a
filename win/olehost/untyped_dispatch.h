// The container's late-bound objects (the extender, a page's document, the
// ambient properties, the event sinks) are reached by DISPID alone: they
// describe themselves to nobody, so asking for their type information finds
// none. Each says only which names it knows and what it does with a call.
#pragma once

#include <windows.h>

#include <oaidl.h>

namespace tovabel::olehost {

class UntypedDispatch : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info == nullptr) {
            return E_POINTER;
        }
        *info = nullptr;
        return E_NOTIMPL;
    }
};

} // namespace tovabel::olehost

// It is answered for IDispatch's own IID.
__CRT_UUID_DECL(tovabel::olehost::UntypedDispatch, 0x00020400, 0x0000, 0x0000, 0xc0, 0x00, 0x00,
                0x00, 0x00, 0x00, 0x00, 0x46)
