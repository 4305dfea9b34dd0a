// The OrnisTovabel type library embedded in this module (resource 1 TYPELIB):
// the type descriptions that dispatch, class information and events use.
#pragma once

#include "win/common/com_ptr.h"
#include "win/common/type_descriptions.h"

#include <windows.h>

#include <oaidl.h>

#include <optional>
#include <string_view>
#include <vector>

namespace tovabel::win {

class TypeLibrary {
public:
    // Loads the library from the module's own resource (no registry needed).
    HRESULT Load();

    ITypeLib* Library() const { return mLibrary.Get(); }
    // `_Tovabel` as the vtable interface (what ITypeInfo::Invoke needs).
    ITypeInfo* Dual() const { return mDual.Get(); }
    ITypeInfo* Events() const { return mEvents.Get(); }
    ITypeInfo* Class() const { return mClass.Get(); }

    // The DISPID of a member of `_Tovabel`, found by its name.
    std::optional<DISPID> DispIdOf(std::string_view name) const;
    // For each parameter of an event, whether it is passed by reference;
    // empty when the event is unknown.
    std::vector<bool> ByReferenceParameters(DISPID event) const;

private:
    ComPtr<ITypeLib> mLibrary;
    ComPtr<ITypeInfo> mDual;
    ComPtr<ITypeInfo> mEvents;
    ComPtr<ITypeInfo> mClass;
};

} // namespace tovabel::win
