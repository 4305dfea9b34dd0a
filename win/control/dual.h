// The dual interface `_Tovabel`: IDispatch through the type library (so that
// automation coerces arguments and refuses wrong types before the control sees
// them) and every accessor and method as a thin call into the core.
#pragma once

#include "com_object.h"
#include "tovabel_interface.h"

namespace tovabel {
class Tovabel;
}

namespace tovabel::win {

class TovabelControl;

class DualPart final : public Part<ITovabel> {
public:
    explicit DualPart(TovabelControl& control);

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** out) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override;

    // Every accessor and method of _Tovabel, in vtable order.
#define TOVABEL_DECLARE(Function, ...) HRESULT STDMETHODCALLTYPE Function(__VA_ARGS__) override;
#include "tovabel_slots.inc"

private:
    tovabel::Tovabel& Core();
    // A getter: checks `out`, then stores what `read` returns.
    template <class T, class Read> HRESULT Get(T* out, Read read);
    // A setter or method without result.
    template <class Write> HRESULT Do(Write write);

    TovabelControl& mControl;
};

} // namespace tovabel::win
