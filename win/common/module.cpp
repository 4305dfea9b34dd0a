#include "win/common/module.h"

#include <atomic>

namespace tovabel::win::module {

namespace {
HMODULE gModule = nullptr;
std::atomic<long> gLocks{0};
} // namespace

HMODULE Handle() {
    return gModule;
}

void SetHandle(HMODULE handle) {
    gModule = handle;
}

std::wstring Path() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(gModule, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void Lock() {
    ++gLocks;
}

void Unlock() {
    --gLocks;
}

bool InUse() {
    return gLocks.load() != 0;
}

} // namespace tovabel::win::module
