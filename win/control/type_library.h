// The OrnisTovabel type library embedded in this module (resource 1 TYPELIB):
// the type descriptions that dispatch, class information and events use.
#pragma once

#include "com_ptr.h"

#include <windows.h>

#include <oaidl.h>

#include <optional>
#include <string_view>
#include <vector>

namespace tovabel::win {

class TypeLibrary {
public:
    // Loads the library from the module's own resource (no registry needed).
    HRESULT Load();

    ITypeLib* Library() const { return library_.Get(); }
    // `_Tovabel` as the vtable interface (what ITypeInfo::Invoke needs).
    ITypeInfo* Dual() const { return dual_.Get(); }
    ITypeInfo* Events() const { return events_.Get(); }
    ITypeInfo* Class() const { return class_.Get(); }

    // The DISPID of a member of `_Tovabel`, found by its name.
    std::optional<DISPID> DispIdOf(std::string_view name) const;
    // For each parameter of an event, whether it is passed by reference;
    // empty when the event is unknown.
    std::vector<bool> ByReferenceParameters(DISPID event) const;

private:
    ComPtr<ITypeLib> library_;
    ComPtr<ITypeInfo> dual_;
    ComPtr<ITypeInfo> events_;
    ComPtr<ITypeInfo> class_;
};

// Holders for the descriptions a type info lends out.
class TypeAttr {
public:
    explicit TypeAttr(ITypeInfo* info) : info_(info) {
        if (FAILED(info_->GetTypeAttr(&attr_))) {
            attr_ = nullptr;
        }
    }
    TypeAttr(const TypeAttr&) = delete;
    TypeAttr& operator=(const TypeAttr&) = delete;
    ~TypeAttr() {
        if (attr_ != nullptr) {
            info_->ReleaseTypeAttr(attr_);
        }
    }
    const TYPEATTR* operator->() const { return attr_; }
    explicit operator bool() const { return attr_ != nullptr; }

private:
    ITypeInfo* info_;
    TYPEATTR* attr_ = nullptr;
};

class LibAttr {
public:
    explicit LibAttr(ITypeLib* library) : library_(library) {
        if (FAILED(library_->GetLibAttr(&attr_))) {
            attr_ = nullptr;
        }
    }
    LibAttr(const LibAttr&) = delete;
    LibAttr& operator=(const LibAttr&) = delete;
    ~LibAttr() {
        if (attr_ != nullptr) {
            library_->ReleaseTLibAttr(attr_);
        }
    }
    const TLIBATTR* operator->() const { return attr_; }
    explicit operator bool() const { return attr_ != nullptr; }

private:
    ITypeLib* library_;
    TLIBATTR* attr_ = nullptr;
};

class FuncDesc {
public:
    FuncDesc(ITypeInfo* info, UINT index) : info_(info) {
        if (FAILED(info_->GetFuncDesc(index, &desc_))) {
            desc_ = nullptr;
        }
    }
    FuncDesc(const FuncDesc&) = delete;
    FuncDesc& operator=(const FuncDesc&) = delete;
    ~FuncDesc() {
        if (desc_ != nullptr) {
            info_->ReleaseFuncDesc(desc_);
        }
    }
    const FUNCDESC* operator->() const { return desc_; }
    explicit operator bool() const { return desc_ != nullptr; }

private:
    ITypeInfo* info_;
    FUNCDESC* desc_ = nullptr;
};

} // namespace tovabel::win
