// Paths of build outputs as the Windows test program sees them. The build
// passes Unix paths (TOVABEL_OCX_PATH, TOVABEL_TLB_PATH); Wine maps the Unix
// root to drive Z:.
#pragma once

#include <string>

namespace tovabel::wintest {

// "/a/b.ocx" becomes "Z:\a\b.ocx"; a path that already names a drive only has
// its slashes turned.
inline std::wstring WinePath(const char* path) {
    std::wstring out;
    if (path[0] == '/') {
        out = L"Z:";
    }
    for (const char* c = path; *c != '\0'; ++c) {
        out.push_back(*c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*c)));
    }
    return out;
}

inline std::wstring OcxPath() {
    return WinePath(TOVABEL_OCX_PATH);
}
inline std::wstring TlbPath() {
    return WinePath(TOVABEL_TLB_PATH);
}

} // namespace tovabel::wintest
