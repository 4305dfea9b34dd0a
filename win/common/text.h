// Text conversion between the core's UTF-16 text and Windows strings. On
// Windows wchar_t is 16 bits wide, so the code units pass over unchanged.
#pragma once

#include "control/types.h"

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <string_view>

namespace tovabel::win {

using tovabel::Text;

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows text is UTF-16");

inline std::wstring_view AsWide(const Text& text) {
    return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}

inline Text FromWide(std::wstring_view text) {
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

// A BSTR may be null, which automation reads as the empty string; embedded
// NULs are kept (the length is the string's own).
inline Text FromBstr(BSTR b) {
    return b ? Text(reinterpret_cast<const char16_t*>(b), SysStringLen(b)) : Text();
}

// A new BSTR for the caller to own; nullptr only when memory runs out.
inline BSTR ToBstrRaw(const Text& text) {
    return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                             static_cast<UINT>(text.size()));
}

// ASCII text (identifiers, GUIDs, registry names) widened code unit by code unit.
std::wstring WidenAscii(std::string_view text);

// The system's ANSI code page, as GDI's ...A functions expect it.
std::string ToAnsi(const Text& text);

} // namespace tovabel::win
