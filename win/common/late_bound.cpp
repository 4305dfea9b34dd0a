#include "win/common/late_bound.h"

#include <vector>

namespace tovabel::win::late_bound {

HRESULT IdOf(IDispatch& object, const wchar_t* name, DISPID& id) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    id = DISPID_UNKNOWN;
    return object.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
}

HRESULT Invoke(IDispatch& object, DISPID id, WORD kind, std::span<const VARIANT> args,
               VARIANT* result) {
    // Invoke takes its arguments last first, and does not take them over.
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if ((kind & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    return object.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, result, nullptr,
                         nullptr);
}

HRESULT Get(IDispatch& object, DISPID id, VARIANT* value) {
    return Invoke(object, id, DISPATCH_PROPERTYGET, {}, value);
}

HRESULT Put(IDispatch& object, DISPID id, const VARIANT& value, WORD kind) {
    return Invoke(object, id, kind, {&value, 1}, nullptr);
}

HRESULT Call(IDispatch& object, DISPID id, VARIANT* result) {
    return Invoke(object, id, DISPATCH_METHOD, {}, result);
}

HRESULT Get(IDispatch& object, const wchar_t* name, VARIANT* value) {
    DISPID id = DISPID_UNKNOWN;
    const HRESULT hr = IdOf(object, name, id);
    return FAILED(hr) ? hr : Get(object, id, value);
}

HRESULT Put(IDispatch& object, const wchar_t* name, const VARIANT& value, WORD kind) {
    DISPID id = DISPID_UNKNOWN;
    const HRESULT hr = IdOf(object, name, id);
    return FAILED(hr) ? hr : Put(object, id, value, kind);
}

} // namespace tovabel::win::late_bound
