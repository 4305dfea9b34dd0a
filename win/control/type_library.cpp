#include "type_library.h"

#include "win/common/guids.h"
#include "win/common/module.h"
#include "win/common/per_thread.h"
#include "win/common/text.h"

namespace tovabel::win {

HRESULT TypeLibrary::Load() {
    // Held weakly: the library is released with the thread's last control.
    static PerThread<std::weak_ptr<const Loaded>> shared;
    std::weak_ptr<const Loaded>& onThread = shared.GetOrMake();
    if (std::shared_ptr<const Loaded> loaded = onThread.lock()) {
        mLoaded = std::move(loaded);
        return S_OK;
    }
    auto loaded = std::make_shared<Loaded>();
    const HRESULT hr = LoadFromModule(*loaded);
    if (FAILED(hr)) {
        return hr;
    }
    onThread = loaded;
    mLoaded = std::move(loaded);
    return S_OK;
}

HRESULT TypeLibrary::LoadFromModule(Loaded& loaded) {
    const std::wstring path = module::Path();
    HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, loaded.library.Put());
    if (FAILED(hr)) {
        return hr;
    }
    ComPtr<ITypeInfo> declared;
    hr = loaded.library->GetTypeInfoOfGuid(IID__Tovabel, declared.Put());
    if (FAILED(hr)) {
        return hr;
    }
    // A dual interface may come back as its dispatch view; Invoke needs the
    // vtable view, which the dispatch view names as implemented type -1.
    const TypeAttr attr(declared.Get());
    HREFTYPE vtableView = 0;
    if (attr && attr->typekind == TKIND_DISPATCH &&
        SUCCEEDED(declared->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableView))) {
        hr = declared->GetRefTypeInfo(vtableView, loaded.dual.Put());
        if (FAILED(hr)) {
            return hr;
        }
    } else {
        loaded.dual = declared;
    }
    hr = loaded.library->GetTypeInfoOfGuid(DIID___Tovabel, loaded.events.Put());
    if (FAILED(hr)) {
        return hr;
    }
    return loaded.library->GetTypeInfoOfGuid(CLSID_Tovabel, loaded.coclass.Put());
}

std::optional<DISPID> TypeLibrary::DispIdOf(std::string_view name) const {
    std::wstring wide = WidenAscii(name);
    LPOLESTR names[] = {wide.data()};
    DISPID id = DISPID_UNKNOWN;
    if (Dual() == nullptr || FAILED(Dual()->GetIDsOfNames(names, 1, &id))) {
        return std::nullopt;
    }
    return id;
}

std::vector<bool> TypeLibrary::ByReferenceParameters(DISPID event) const {
    std::vector<bool> byReference;
    ComPtr<ITypeInfo2> info = ComPtr<ITypeInfo>::Share(Events()).As<ITypeInfo2>(IID_ITypeInfo2);
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
