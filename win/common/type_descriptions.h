// Holders for the descriptions a type info or type library lends out; each is
// given back exactly once, to the one that lent it, when its holder goes.
#pragma once

#include "win/common/handle.h"

#include <windows.h>

#include <oaidl.h>

namespace tovabel::win {

// Traits of a description of `Desc` lent by a `Lender`, given back with `GiveBack`.
template <class Lender, class Desc, void (STDMETHODCALLTYPE Lender::*GiveBack)(Desc*)>
struct LentTraits {
    using Handle = Desc*;
    Lender* lender = nullptr;
    void Close(Desc* desc) const { (lender->*GiveBack)(desc); }
};

// A lent description, borrowed by `borrow` (which leaves it empty when the
// lender refuses) and read through ->.
template <class Lender, class Desc, void (STDMETHODCALLTYPE Lender::*GiveBack)(Desc*)>
class Lent : public Owned<LentTraits<Lender, Desc, GiveBack>> {
public:
    template <class Borrow>
    Lent(Lender* lender, Borrow borrow)
        : Owned<LentTraits<Lender, Desc, GiveBack>>(Borrowed(borrow), {lender}) {}
    const Desc* operator->() const { return this->Get(); }

private:
    template <class Borrow> static Desc* Borrowed(Borrow borrow) {
        Desc* desc = nullptr;
        return SUCCEEDED(borrow(&desc)) ? desc : nullptr;
    }
};

class TypeAttr : public Lent<ITypeInfo, TYPEATTR, &ITypeInfo::ReleaseTypeAttr> {
public:
    explicit TypeAttr(ITypeInfo* info)
        : Lent(info, [info](TYPEATTR** out) { return info->GetTypeAttr(out); }) {}
};

class LibAttr : public Lent<ITypeLib, TLIBATTR, &ITypeLib::ReleaseTLibAttr> {
public:
    explicit LibAttr(ITypeLib* library)
        : Lent(library, [library](TLIBATTR** out) { return library->GetLibAttr(out); }) {}
};

class FuncDesc : public Lent<ITypeInfo, FUNCDESC, &ITypeInfo::ReleaseFuncDesc> {
public:
    FuncDesc(ITypeInfo* info, UINT index)
        : Lent(info, [info, index](FUNCDESC** out) { return info->GetFuncDesc(index, out); }) {}
};

class VarDesc : public Lent<ITypeInfo, VARDESC, &ITypeInfo::ReleaseVarDesc> {
public:
    VarDesc(ITypeInfo* info, UINT index)
        : Lent(info, [info, index](VARDESC** out) { return info->GetVarDesc(index, out); }) {}
};

} // namespace tovabel::win
