// Automation values a client hands to the control's properties.
#pragma once

#include "win/common/variant.h"

#include <cstdint>

namespace tovabel::demo {

inline win::Variant Long(std::int32_t value) {
    win::Variant out;
    V_VT(out.Get()) = VT_I4;
    V_I4(out.Get()) = value;
    return out;
}

inline win::Variant Bool(bool value) {
    win::Variant out;
    V_VT(out.Get()) = VT_BOOL;
    V_BOOL(out.Get()) = value ? VARIANT_TRUE : VARIANT_FALSE;
    return out;
}

inline win::Variant Text(const wchar_t* value) {
    win::Variant out;
    V_VT(out.Get()) = VT_BSTR;
    V_BSTR(out.Get()) = SysAllocString(value);
    return out;
}

} // namespace tovabel::demo
