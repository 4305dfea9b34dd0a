// Points one imported function of a loaded module at a replacement for the
// life of the holder: the tests' way to watch what the control library asks of
// the platform (a sound, a colour) without the library knowing.
#pragma once

#include "win/common/import_table.h"

#include <cstring>

namespace tovabel::wintest {

class ImportPatch {
public:
    // Active() is false when `module` imports no such function from `library`.
    ImportPatch(HMODULE module, const char* library, const char* function, void* replacement) {
        win::ForEachImport(module, [&](const win::Import& import) {
            if (mSlot == nullptr && lstrcmpiA(import.library, library) == 0 &&
                std::strcmp(import.function, function) == 0) {
                mSlot = import.slot;
                mOriginal = *mSlot;
                win::PointImport(mSlot, replacement);
            }
        });
    }
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;
    ~ImportPatch() {
        if (mSlot != nullptr) {
            win::PointImport(mSlot, mOriginal);
        }
    }

    bool Active() const { return mSlot != nullptr; }
    // The function the import pointed at before.
    void* Original() const { return mOriginal; }

private:
    void** mSlot = nullptr;
    void* mOriginal = nullptr;
};

} // namespace tovabel::wintest
