#include "type_library.h"

#include "win/common/guids.h"
#include "win/common/module.h"
#include "win/common/text.h"

namespace tovabel::win {

HRESULT TypeLibrary::Load() {
    const std::wstring path = module::Path();
    HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, library_.Put());
    if (FAILED(hr)) {
        return hr;
    }
    ComPtr<ITypeInfo> declared;
    hr = library_->GetTypeInfoOfGuid(IID__Tovabel, declared.Put());
    if (FAILED(hr)) {
        return hr;
    }
    // A dual interface may come back as its dispatch view; Invoke needs the
    // vtable view, which the dispatch view names as implemented type -1.
    const TypeAttr attr(declared.Get());
    HREFTYPE vtableView = 0;
    if (attr && attr->typekind == TKIND_DISPATCH &&
        SUCCEEDED(declared->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableView))) {
        hr = declared->GetRefTypeInfo(vtableView, dual_.Put());
        if (FAILED(hr)) {
            return hr;
        }
    } else {
        dual_ = declared;
    }
    hr = library_->GetTypeInfoOfGuid(DIID___Tovabel, events_.Put());
    if (FAILED(hr)) {
        return hr;
    }
    return library_->GetTypeInfoOfGuid(CLSID_Tovabel, class_.Put());
}

std::optional<DISPID> TypeLibrary::DispIdOf(std::string_view name) const {
    std::wstring wide = WidenAscii(name);
    LPOLESTR names[] = {wide.data()};
    DISPID id = DISPID_UNKNOWN;
    if (!dual_ || FAILED(dual_->GetIDsOfNames(names, 1, &id))) {
        return std::nullopt;
    }
    return id;
}

std::vector<bool> TypeLibrary::ByReferenceParameters(DISPID event) const {
    std::vector<bool> byReference;
    ComPtr<ITypeInfo2> info =
        ComPtr<ITypeInfo>::Share(events_.Get()).As<ITypeInfo2>(IID_ITypeInfo2);
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
