#include "type_library.h"

#include "win/common/guids.h"
#include "win/common/module.h"
#include "win/common/text.h"

namespace tovabel::win {

HRESULT TypeLibrary::Load() {
    const std::wstring path = module::Path();
    HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, mLibrary.Put());
    if (FAILED(hr)) {
        return hr;
    }
    ComPtr<ITypeInfo> declared;
    hr = mLibrary->GetTypeInfoOfGuid(IID__Tovabel, declared.Put());
    if (FAILED(hr)) {
        return hr;
    }
    // A dual interface may come back as its dispatch view; Invoke needs the
    // vtable view, which the dispatch view names as implemented type -1.
    const TypeAttr attr(declared.Get());
    HREFTYPE vtableView = 0;
    if (attr && attr->typekind == TKIND_DISPATCH &&
        SUCCEEDED(declared->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableView))) {
        hr = declared->GetRefTypeInfo(vtableView, mDual.Put());
        if (FAILED(hr)) {
            return hr;
        }
    } else {
        mDual = declared;
    }
    hr = mLibrary->GetTypeInfoOfGuid(DIID___Tovabel, mEvents.Put());
    if (FAILED(hr)) {
        return hr;
    }
    return mLibrary->GetTypeInfoOfGuid(CLSID_Tovabel, mClass.Put());
}

std::optional<DISPID> TypeLibrary::DispIdOf(std::string_view name) const {
    std::wstring wide = WidenAscii(name);
    LPOLESTR names[] = {wide.data()};
    DISPID id = DISPID_UNKNOWN;
    if (!mDual || FAILED(mDual->GetIDsOfNames(names, 1, &id))) {
        return std::nullopt;
    }
    return id;
}

std::vector<bool> TypeLibrary::ByReferenceParameters(DISPID event) const {
    std::vector<bool> byReference;
    ComPtr<ITypeInfo2> info =
        ComPtr<ITypeInfo>::Share(mEvents.Get()).As<ITypeInfo2>(IID_ITypeInfo2);
    UINT index = 0;
    if (!info || FAILED(info->GetFuncIndexOfMemId(event, INVOKE_FUNC, &index))) {
        return byReference;
    }
    const FuncDesc desc(info.Get(), index);
    if (!desc) {
        return byReference;
    }
    for (SHORT i = 0; i < desc->cParams; ++i) {
        byReference.push_back(desc->lprgelemdescParam[i].tdesc.vt == VT_PTR);
    }
    return byReference;
}

} // namespace tovabel::win
