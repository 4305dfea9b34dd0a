// The library module that this code is linked into: its handle and path, and
// the count of objects and server locks that keeps it loaded (DllCanUnloadNow).
#pragma once

#include <windows.h>

#include <string>

namespace tovabel::win::module {

HMODULE Handle();
void SetHandle(HMODULE handle);
// The module's full path, as the system loaded it.
std::wstring Path();

void Lock();
void Unlock();
bool InUse();

// Keeps the module loaded while it lives (an object the library handed out).
class Use {
public:
    Use() { Lock(); }
    Use(const Use&) = delete;
    Use& operator=(const Use&) = delete;
    ~Use() { Unlock(); }
};

} // namespace tovabel::win::module
