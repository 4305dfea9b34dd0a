#include "dispatch_control.h"

#include "win/common/late_bound.h"
#include "win/common/text.h"
#include "win/common/variant.h"

#include <olectl.h>

#include <string>

namespace tovabel::win {

namespace {

std::optional<pages::PropertyValue> ToPropertyValue(const Variant& value) {
    switch (value.Type()) {
    case VT_BOOL:
        return pages::PropertyValue(V_BOOL(value.Get()) != VARIANT_FALSE);
    case VT_BSTR:
        return pages::PropertyValue(FromBstr(V_BSTR(value.Get())));
    default:
        // Numbers (enumerations come as Long) are passed on as Integer.
        if (const auto number = value.As(VT_I2)) {
            return pages::PropertyValue(static_cast<std::int16_t>(V_I2(number->Get())));
        }
        return std::nullopt;
    }
}

Variant ToVariant(const pages::PropertyValue& value) {
    Variant out;
    if (const bool* flag = std::get_if<bool>(&value)) {
        V_VT(out.Get()) = VT_BOOL;
        V_BOOL(out.Get()) = *flag ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (const auto* number = std::get_if<std::int16_t>(&value)) {
        V_VT(out.Get()) = VT_I2;
        V_I2(out.Get()) = *number;
    } else {
        V_VT(out.Get()) = VT_BSTR;
        V_BSTR(out.Get()) = ToBstrRaw(std::get<Text>(value));
    }
    return out;
}

} // namespace

void DispatchControl::Select(ULONG count, IUnknown** objects) {
    mControl.Reset();
    if (count > 0 && objects != nullptr && objects[0] != nullptr) {
        objects[0]->QueryInterface(IID_IDispatch, mControl.PutVoid());
    }
}

HRESULT DispatchControl::Noted(HRESULT hr) {
    if (FAILED(hr)) {
        mLastError = hr;
    }
    return hr;
}

std::optional<DISPID> DispatchControl::IdOf(std::string_view property) {
    if (!mControl) {
        mLastError = E_UNEXPECTED;
        return std::nullopt;
    }
    const std::wstring name = WidenAscii(property);
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(Noted(late_bound::IdOf(*mControl.Get(), name.c_str(), id)))) {
        return std::nullopt;
    }
    return id;
}

std::optional<pages::PropertyValue> DispatchControl::Get(std::string_view property) {
    const auto id = IdOf(property);
    Variant value;
    if (!id || FAILED(Noted(late_bound::Get(*mControl.Get(), *id, value.Put())))) {
        return std::nullopt;
    }
    return ToPropertyValue(value);
}

bool DispatchControl::Set(std::string_view property, const pages::PropertyValue& value) {
    const auto id = IdOf(property);
    return id && SUCCEEDED(Noted(late_bound::Put(*mControl.Get(), *id, *ToVariant(value))));
}

std::optional<std::int32_t> DispatchControl::PictureType() {
    const auto id = IdOf("Picture");
    Variant picture;
    if (!id || FAILED(Noted(late_bound::Get(*mControl.Get(), *id, picture.Put())))) {
        return std::nullopt;
    }
    if (picture.Type() != VT_DISPATCH || V_DISPATCH(picture.Get()) == nullptr) {
        return 0; // no picture
    }
    Variant type;
    if (FAILED(Noted(late_bound::Get(*V_DISPATCH(picture.Get()), DISPID_PICT_TYPE, type.Put())))) {
        return std::nullopt;
    }
    const auto number = type.As(VT_I4);
    return number ? std::optional<std::int32_t>(V_I4(number->Get())) : std::nullopt;
}

} // namespace tovabel::win
