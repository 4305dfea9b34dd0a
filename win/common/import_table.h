// The import table of a loaded module: every function it imports by name, with
// the slot the loader filled with the function's address. Pointing a slot
// elsewhere redirects the module's calls of that function, without the module
// knowing: the Windows tests watch a call that way, the benchmark counts them.
#pragma once

#include <windows.h>

#include <functional>

namespace tovabel::win {

struct Import {
    const char* library; // as the module names it, e.g. "USER32.dll"
    const char* function;
    void** slot;
};

// Calls `visit` for each function `module` imports by name, in table order.
void ForEachImport(HMODULE module, const std::function<void(const Import&)>& visit);

// Points an import's slot at `target` (the slots lie in read-only pages).
void PointImport(void** slot, void* target);

} // namespace tovabel::win
