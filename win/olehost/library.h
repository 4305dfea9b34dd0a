// A control library as a Windows program on this machine reaches it: the
// build's Unix paths as Wine names them, and the library's self-registration.
#pragma once

#include <string>

namespace tovabel::olehost {

// "/a/b.ocx" becomes "Z:\a\b.ocx" (Wine maps the Unix root to drive Z:); a
// path that already names a drive only has its slashes turned.
std::wstring WinePath(const char* path);

// Loads the library and runs its DllRegisterServer; false when either fails.
bool RegisterLibrary(const std::wstring& path);

} // namespace tovabel::olehost
