#include "import_table.h"

namespace tovabel::win {

void ForEachImport(HMODULE module, const std::function<void(const Import&)>& visit) {
    auto* base = reinterpret_cast<BYTE*>(module);
    if (base == nullptr) {
        return;
    }
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0) {
        return;
    }
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         entry->Name != 0; ++entry) {
        const char* library = reinterpret_cast<const char*>(base + entry->Name);
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (!IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                const auto* byName =
                    reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                visit({library, reinterpret_cast<const char*>(byName->Name),
                       reinterpret_cast<void**>(&slots->u1.Function)});
            }
        }
    }
}

void PointImport(void** slot, void* target) {
    DWORD protection = 0;
    if (VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &protection)) {
        *slot = target;
        VirtualProtect(slot, sizeof(void*), protection, &protection);
    }
}

} // namespace tovabel::win
