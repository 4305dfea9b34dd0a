#include "call_count.h"

#include "win/common/import_table.h"

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
    win::ForEachImport(module, [&](const win::Import& import) {
        if (Wanted(import.library, libraries)) {
            const std::string library = import.library;
            mImports.push_back({library.substr(0, library.find('.')) + "!" + import.function,
                                import.slot, nullptr, nullptr});
        }
    });
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
        win::PointImport(import.slot, stub);
        ++stub;
    }
    FlushInstructionCache(GetCurrentProcess(), mStubs, mImports.size() * sizeof(Stub));
}

CallCounter::~CallCounter() {
    for (const Import& import : mImports) {
        win::PointImport(import.slot, import.original);
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
