// Paths of build outputs as the Windows test program sees them. The build
// passes Unix paths (TOVABEL_OCX_PATH, TOVABEL_TLB_PATH).
#pragma once

#include "win/olehost/library.h"

#include <string>

namespace tovabel::wintest {

using olehost::WinePath;

inline std::wstring OcxPath() {
    return WinePath(TOVABEL_OCX_PATH);
}
inline std::wstring TlbPath() {
    return WinePath(TOVABEL_TLB_PATH);
}

} // namespace tovabel::wintest
