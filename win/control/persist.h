// Persistence: IPersistStreamInit and IPersistPropertyBag. A new instance gets
// its defaults from InitNew; loading and saving come with the persistence issue (#4).
#pragma once

#include "com_object.h"

#include <windows.h>

#include <ocidl.h>

namespace tovabel::win {

class TovabelControl;

class PersistStreamInitPart final : public Part<IPersistStreamInit> {
public:
    explicit PersistStreamInitPart(TovabelControl& control);

    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* out) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE Load(IStream* stream) override;
    HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL clearDirty) override;
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;
    HRESULT STDMETHODCALLTYPE InitNew() override;

private:
    TovabelControl& control_;
};

class PersistPropertyBagPart final : public Part<IPersistPropertyBag> {
public:
    explicit PersistPropertyBagPart(TovabelControl& control);

    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* out) override;
    HRESULT STDMETHODCALLTYPE InitNew() override;
    HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog* log) override;
    HRESULT STDMETHODCALLTYPE Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;

private:
    TovabelControl& control_;
};

} // namespace tovabel::win
