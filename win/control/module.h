// The library module: its handle and path, and the count of objects and
// server locks that keeps it loaded (DllCanUnloadNow).
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

} // namespace tovabel::win::module
