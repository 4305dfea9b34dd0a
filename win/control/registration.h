// Self-registration of the library: its classes (class table) and its
// embedded type library.
#pragma once

#include <windows.h>

namespace tovabel::win {

HRESULT RegisterServer();
// Removes what RegisterServer wrote. The class's key is removed with all it
// holds, so the component-category marks that instances write under it go too.
HRESULT UnregisterServer();

} // namespace tovabel::win
