// Persistence: IPersistPropertyBag with the container's bag, and
// IPersistStreamInit and IPersistStorage with the control's own versioned
// stream of the same keys and values. A new instance gets its defaults from
// InitNew; a stream that cannot be read fails Load and changes nothing.
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
    TovabelControl& mControl;
};

class PersistPropertyBagPart final : public Part<IPersistPropertyBag> {
public:
    explicit PersistPropertyBagPart(TovabelControl& control);

    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* out) override;
    HRESULT STDMETHODCALLTYPE InitNew() override;
    HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog* log) override;
    HRESULT STDMETHODCALLTYPE Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;

private:
    TovabelControl& mControl;
};

// The control's stream inside the container's storage, named "Contents".
class PersistStoragePart final : public Part<IPersistStorage> {
public:
    explicit PersistStoragePart(TovabelControl& control);

    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* out) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE InitNew(IStorage* storage) override;
    HRESULT STDMETHODCALLTYPE Load(IStorage* storage) override;
    HRESULT STDMETHODCALLTYPE Save(IStorage* storage, BOOL sameAsLoad) override;
    HRESULT STDMETHODCALLTYPE SaveCompleted(IStorage* storage) override;
    HRESULT STDMETHODCALLTYPE HandsOffStorage() override;

private:
    TovabelControl& mControl;
};

} // namespace tovabel::win
