// Late-bound calls on an IDispatch, as a script host makes them: a member by
// its DISPID, or by name (its DISPID looked up first). Arguments are lent for
// the call; a result goes to a VARIANT that holds nothing needing freeing
// (a Variant's Put()).
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <span>

namespace tovabel::win::late_bound {

// The DISPID of the member `name`.
HRESULT IdOf(IDispatch& object, const wchar_t* name, DISPID& id);

// Invokes member `id` as `kind` with `args` (given first to last); a put
// passes its one argument as the named DISPID_PROPERTYPUT.
HRESULT Invoke(IDispatch& object, DISPID id, WORD kind, std::span<const VARIANT> args,
               VARIANT* result);

HRESULT Get(IDispatch& object, DISPID id, VARIANT* value);
// `kind`: DISPATCH_PROPERTYPUT, or DISPATCH_PROPERTYPUTREF to assign an object as Set does.
HRESULT Put(IDispatch& object, DISPID id, const VARIANT& value, WORD kind = DISPATCH_PROPERTYPUT);
HRESULT Call(IDispatch& object, DISPID id, VARIANT* result);

HRESULT Get(IDispatch& object, const wchar_t* name, VARIANT* value);
HRESULT Put(IDispatch& object, const wchar_t* name, const VARIANT& value,
            WORD kind = DISPATCH_PROPERTYPUT);

} // namespace tovabel::win::late_bound
