#include "object_counts.h"

#include <psapi.h>

#include <cstddef>
#include <cstdint>

namespace tovabel::olehost {

namespace {

// One entry of the GDI handle table (the layout Windows and Wine share, the
// same for 32-bit and 64-bit processes).
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint16_t processId;
    std::uint16_t count;
    std::uint16_t unique;
    std::uint8_t type; // 0: a free entry
    std::uint8_t flags;
    std::uint64_t user;
};
static_assert(sizeof(GdiHandleEntry) == 24);

template <class T> T At(std::uintptr_t address) {
    return *reinterpret_cast<const T*>(address);
}

// The thread's TEB, asked of the system (reading it from the segment register
// trips the compiler's bounds checks on x86).
std::uintptr_t CurrentTeb() {
    struct BasicInformation {
        LONG status;
        void* teb;
        void* ids[2];
        ULONG_PTR affinity;
        LONG priority, basePriority;
    } basic{};
    using Query = LONG(NTAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationThread")));
    constexpr int kThreadBasicInformation = 0;
    if (query == nullptr ||
        query(GetCurrentThread(), kThreadBasicInformation, &basic, sizeof basic, nullptr) != 0) {
        return 0;
    }
    return reinterpret_cast<std::uintptr_t>(basic.teb);
}

// The GDI handle table the PEB points to. A 32-bit process on 64-bit Wine
// has the table in its 64-bit PEB only: the 32-bit TEB's GdiBatchCount field
// holds the address of the thread's 64-bit TEB, whose Peb field leads there.
const GdiHandleEntry* GdiHandleTable() {
    constexpr std::uintptr_t kTebPeb = sizeof(void*) == 8 ? 0x60 : 0x30;
    constexpr std::uintptr_t kPebTable = sizeof(void*) == 8 ? 0xF8 : 0x94;
    std::uintptr_t table =
        At<std::uintptr_t>(At<std::uintptr_t>(CurrentTeb() + kTebPeb) + kPebTable);
    if (table == 0 && sizeof(void*) == 4) {
        constexpr std::uintptr_t kTebTeb64 = 0xF70, kTeb64Peb = 0x60, kPeb64Table = 0xF8;
        const auto teb64 = At<std::uint32_t>(CurrentTeb() + kTebTeb64);
        if (teb64 != 0) {
            const auto peb64 = static_cast<std::uintptr_t>(At<std::uint64_t>(teb64 + kTeb64Peb));
            table = static_cast<std::uintptr_t>(At<std::uint64_t>(peb64 + kPeb64Table));
        }
    }
    return reinterpret_cast<const GdiHandleEntry*>(table);
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
    ++*reinterpret_cast<DWORD*>(count);
    EnumChildWindows(window, &CountWindow, count);
    return TRUE;
}

} // namespace

// GetGuiResources counts them on Windows; Wine leaves it a stub, so there the
// handle table is counted.
DWORD GdiObjects() {
    if (const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) {
        return counted;
    }
    const GdiHandleEntry* table = GdiHandleTable();
    if (table == nullptr) {
        return 0;
    }
    constexpr std::size_t kEntries = 0x10000;
    const auto self = static_cast<std::uint16_t>(GetCurrentProcessId());
    DWORD n = 0;
    for (std::size_t i = 0; i < kEntries; ++i) {
        // Wine's table belongs to the process alone and leaves the owner 0.
        const std::uint16_t owner = table[i].processId;
        n += table[i].type != 0 && (owner == self || owner == 0) ? 1 : 0;
    }
    return n;
}

DWORD ThreadWindows() {
    DWORD n = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&n));
    return n;
}

SIZE_T PrivateBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

} // namespace tovabel::olehost
