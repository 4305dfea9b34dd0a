// IClassFactory for one row of the class table.
#pragma once

#include "classes.h"
#include "com_object.h"

#include <windows.h>

#include <unknwn.h>

namespace tovabel::win {

class ClassFactory final : public Standalone<IClassFactory> {
public:
    explicit ClassFactory(const ClassEntry& entry) : mEntry(entry) {}

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    const ClassEntry& mEntry;
};

} // namespace tovabel::win
