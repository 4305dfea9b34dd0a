// What a process holds, as the leak checks and the benchmark count it.
#pragma once

#include <windows.h>

namespace tovabel::olehost {

// GDI objects of this process (stock objects included under Wine).
DWORD GdiObjects();
// Windows of this thread, children included.
DWORD ThreadWindows();
// Private bytes of this process.
SIZE_T PrivateBytes();

} // namespace tovabel::olehost
