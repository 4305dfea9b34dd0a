// Replaces one imported function of a loaded module for the life of the
// holder: the tests' way to watch what the control library asks of the
// platform (a sound, a message box) without the library knowing.
#pragma once

#include <windows.h>

namespace tovabel::wintest {

class ImportPatch {
public:
    // Points `module`'s import of `function` from `library` at `replacement`;
    // Active() is false when the module imports no such function.
    ImportPatch(HMODULE module, const char* library, const char* function, void* replacement);
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;
    ~ImportPatch();

    bool Active() const { return mSlot != nullptr; }
    // The function the import pointed at before.
    void* Original() const { return mOriginal; }

private:
    void** mSlot = nullptr;
    void* mOriginal = nullptr;
};

} // namespace tovabel::wintest
