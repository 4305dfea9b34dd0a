#include "call_count.h"

#include <cstring>

namespace tovabel::bench {

// lock inc qword [counter]; jmp qword [target]; then the two words.
struct Stub {
    std::uint8_t code[16];
    volatile std::uint64_t counter;
    void* target;
};
static_assert(sizeof(Stub) == 32);

namespace {

constexpr std::uint8_t kStubCode[16] = {
    0xF0, 0x48, 0xFF, 0x05, 0x08, 0x00, 0x00, 0x00, // lock inc qword [rip+8]  -> counter
    0xFF, 0x25, 0x0A, 0x00, 0x00, 0x00,             // jmp qword [rip+10]       -> target
    0xCC, 0xCC};

void Write(void** slot, void* value) {
    DWORD protection = 0;
    if (VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &protection)) {
        *slot = value;
        VirtualProtect(slot, sizeof(void*), protection, &protection);
    }
}

bool Wanted(const char* library, const std::vector<std::string>& libraries) {
    for (const std::string& wanted : libraries) {
        if (lstrcmpiA(library, wanted.c_str()) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

CallCounter::CallCounter(HMODULE module, const std::vector<std::string>& libraries) {
    if (sizeof(void*) != 8 || module == nullptr) {
        return;
    }
    auto* base = reinterpret_cast<BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.VirtualAddress == 0) {
        return;
    }
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         entry->Name != 0; ++entry) {
        const char* library = reinterpret_cast<const char*>(base + entry->Name);
        if (!Wanted(library, libraries)) {
            continue;
        }
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                continue;
            }
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            std::string name = library;
            name =
                name.substr(0, name.find('.')) + "!" + reinterpret_cast<const char*>(byName->Name);
            mImports.push_back(
                {std::move(name), reinterpret_cast<void**>(&slots->u1.Function), nullptr, nullptr});
        }
    }
    mStubs = VirtualAlloc(nullptr, mImports.size() * sizeof(Stub), MEM_COMMIT | MEM_RESERVE,
                          PAGE_EXECUTE_READWRITE);
    if (mStubs == nullptr) {
        mImports.clear();
        return;
    }
    auto* stub = static_cast<Stub*>(mStubs);
    for (Import& import : mImports) {
        std::memcpy(stub->code, kStubCode, sizeof kStubCode);
        stub->counter = 0;
        stub->target = *import.slot;
        import.original = *import.slot;
        import.stub = stub;
        Write(import.slot, stub);
        ++stub;
    }
    FlushInstructionCache(GetCurrentProcess(), mStubs, mImports.size() * sizeof(Stub));
}

CallCounter::~CallCounter() {
    for (const Import& import : mImports) {
        Write(import.slot, import.original);
    }
    if (mStubs != nullptr) {
        VirtualFree(mStubs, 0, MEM_RELEASE);
    }
}

void CallCounter::Reset() {
    for (const Import& import : mImports) {
        import.stub->counter = 0;
    }
}

std::map<std::string, std::uint64_t> CallCounter::Counts() const {
    std::map<std::string, std::uint64_t> counts;
    for (const Import& import : mImports) {
        if (import.stub->counter != 0) {
            counts[import.name] += import.stub->counter;
        }
    }
    return counts;
}

} // namespace tovabel::bench
