#include "library.h"

#include "win/common/handle.h"

#include <windows.h>

namespace tovabel::olehost {

std::wstring WinePath(const char* path) {
    std::wstring out;
    if (path[0] == '/') {
        out = L"Z:";
    }
    for (const char* c = path; *c != '\0'; ++c) {
        out.push_back(*c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*c)));
    }
    return out;
}

bool RegisterLibrary(const std::wstring& path) {
    const win::Module library(LoadLibraryW(path.c_str()));
    if (!library) {
        return false;
    }
    using Entry = HRESULT(STDAPICALLTYPE*)();
    const auto registerServer = reinterpret_cast<Entry>(
        reinterpret_cast<void*>(GetProcAddress(library.Get(), "DllRegisterServer")));
    return registerServer != nullptr && SUCCEEDED(registerServer());
}

} // namespace tovabel::olehost
