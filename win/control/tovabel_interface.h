// The control's dual interface `_Tovabel` as its vtable is laid out in the type
// library: IDispatch's seven slots, then every accessor and method in the order
// of tovabel_members.def.
#pragma once

#include <windows.h>

#include <oaidl.h>
#include <ocidl.h>
#include <olectl.h>

namespace tovabel::win {

// The C++ types of each value type of the member table: `In` as a put takes
// it, `Out` as a get returns it. Enumerations travel as long; booleans as
// VARIANT_BOOL; sound data as a VARIANT holding a byte array, by reference.
namespace value_type {
struct Boolean {
    using In = VARIANT_BOOL;
    using Out = VARIANT_BOOL*;
};
struct String {
    using In = BSTR;
    using Out = BSTR*;
};
struct Long {
    using In = long;
    using Out = long*;
};
struct Color {
    using In = OLE_COLOR;
    using Out = OLE_COLOR*;
};
struct Picture {
    using In = IPictureDisp*;
    using Out = IPictureDisp**;
};
struct Font {
    using In = IFontDisp*;
    using Out = IFontDisp**;
};
struct SoundData {
    using In = VARIANT*;
    using Out = VARIANT*;
};
using Style = Long;
using BorderStyle = Long;
using Align = Long;
using FontDirection = Long;
} // namespace value_type

// The value type of each property, by the property's name.
namespace property_type {
#define TOVABEL_PROPERTY(Name, Dispid, Type, Listing, Help) using Name = value_type::Type;
#include "tovabel_members.def"
} // namespace property_type

// The DISPID of each property and method, by name: dispid::BackColor.
namespace dispid {
#define TOVABEL_PROPERTY(Name, Dispid, Type, Listing, Help) inline constexpr DISPID Name = Dispid;
#define TOVABEL_METHOD(Name, Dispid, Result, Help) inline constexpr DISPID Name = Dispid;
#include "tovabel_members.def"
} // namespace dispid

// A method's parameter list by its result.
#define TOVABEL_RESULT_None
#define TOVABEL_RESULT_String BSTR* value

// `_Tovabel` (IID__Tovabel).
struct ITovabel : public IDispatch {
#define TOVABEL_DECLARE(Function, ...) virtual HRESULT STDMETHODCALLTYPE Function(__VA_ARGS__) = 0;
#include "tovabel_slots.inc"

protected:
    ~ITovabel() = default;
};

} // namespace tovabel::win
