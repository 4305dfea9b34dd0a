// The OrnisTovabel type library embedded in this module (resource 1 TYPELIB):
// the type descriptions that dispatch, class information and events use.
#pragma once

#include "win/common/com_ptr.h"
#include "win/common/type_descriptions.h"

#include <windows.h>

#include <oaidl.h>

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace tovabel::win {

class TypeLibrary {
public:
    // Loads the library from the module's own resource (no registry needed).
    // The controls on a thread share one loaded library while any holds it: a
    // form of many buttons reads it once.
    HRESULT Load();

    ITypeLib* Library() const { return mLoaded ? mLoaded->library.Get() : nullptr; }
    // `_Tovabel` as the vtable interface (what ITypeInfo::Invoke needs).
    ITypeInfo* Dual() const { return mLoaded ? mLoaded->dual.Get() : nullptr; }
    ITypeInfo* Events() const { return mLoaded ? mLoaded->events.Get() : nullptr; }
    ITypeInfo* Class() const { return mLoaded ? mLoaded->coclass.Get() : nullptr; }

    // The DISPID of a member of `_Tovabel`, found by its name.
    std::optional<DISPID> DispIdOf(std::string_view name) const;
    // For each parameter of an event, whether it is passed by reference;
    // empty when the event is unknown.
    std::vector<bool> ByReferenceParameters(DISPID event) const;

private:
    struct Loaded {
        ComPtr<ITypeLib> library;
        ComPtr<ITypeInfo> dual;
        ComPtr<ITypeInfo> events;
        ComPtr<ITypeInfo> coclass;
    };
    static HRESULT LoadFromModule(Loaded& loaded);

    std::shared_ptr<const Loaded> mLoaded;
};

} // namespace tovabel::win
