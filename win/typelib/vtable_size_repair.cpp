#include "vtable_size_repair.h"

#include "failure.h"
#include "win/common/com_ptr.h"
#include "win/common/handle.h"
#include "win/common/type_descriptions.h"

#include <cstdint>
#include <cstring>

namespace tovabel::typelib {

namespace {

using win::ComPtr;

unsigned PointerSize(SYSKIND syskind) {
    return syskind == SYS_WIN64 ? 8 : 4;
}

struct FileTraits {
    using Handle = HANDLE;
    void Close(HANDLE file) const { CloseHandle(file); }
};

// A file opened for reading and writing at offsets; empty when it could not be
// opened (CreateFileW's INVALID_HANDLE_VALUE is no handle to close).
class File {
public:
    explicit File(HANDLE opened) : mHandle(opened == INVALID_HANDLE_VALUE ? nullptr : opened) {}
    explicit operator bool() const { return static_cast<bool>(mHandle); }

    void ReadAt(DWORD offset, void* out, DWORD size) const {
        DWORD done = 0;
        if (!Seek(offset) || !ReadFile(mHandle.Get(), out, size, &done, nullptr) || done != size) {
            throw Failure{"reading the saved library", E_FAIL};
        }
    }
    void WriteAt(DWORD offset, const void* data, DWORD size) const {
        DWORD done = 0;
        if (!Seek(offset) || !WriteFile(mHandle.Get(), data, size, &done, nullptr) ||
            done != size) {
            throw Failure{"writing the repaired vtable size", HRESULT_FROM_WIN32(GetLastError())};
        }
    }

private:
    bool Seek(DWORD offset) const {
        return SetFilePointer(mHandle.Get(), static_cast<LONG>(offset), nullptr, FILE_BEGIN) !=
               INVALID_SET_FILE_POINTER;
    }

    win::Owned<FileTraits> mHandle;
};

// Writes `right` over the vtable size of the type description at `index` in
// the saved MSFT file. The typeinfo table entry holds the size as a 16-bit
// value at 0x4E; the entry is found through the file's header and segment
// directory, and the patch only goes ahead when the stored value is exactly
// the wrong one read back through oleaut32.
void RepairVtableSize(const std::wstring& path, UINT index, unsigned wrong, unsigned right) {
    const File file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        throw Failure{"opening the library to repair its vtable size",
                      HRESULT_FROM_WIN32(GetLastError())};
    }
    char magic[4];
    file.ReadAt(0, magic, 4);
    if (std::memcmp(magic, "MSFT", 4) != 0) {
        throw Failure{"saved library is not in MSFT format", E_FAIL};
    }
    constexpr DWORD kHeaderSize = 0x54;
    constexpr DWORD kHelpDllFlag = 0x100;
    DWORD varflags = 0;
    DWORD typeCount = 0;
    file.ReadAt(0x14, &varflags, 4);
    file.ReadAt(0x20, &typeCount, 4);
    const DWORD segmentDirectory =
        kHeaderSize + ((varflags & kHelpDllFlag) != 0 ? 4 : 0) + typeCount * 4;
    DWORD typeTable = 0; // the first segment is the typeinfo table
    file.ReadAt(segmentDirectory, &typeTable, 4);
    constexpr DWORD kTypeEntrySize = 0x64;
    constexpr DWORD kVtableSizeField = 0x4E;
    const DWORD field = typeTable + index * kTypeEntrySize + kVtableSizeField;
    std::uint16_t stored = 0;
    file.ReadAt(field, &stored, 2);
    if (stored != wrong) {
        throw Failure{"vtable size in the file is not where it was expected", E_FAIL};
    }
    const auto fixed = static_cast<std::uint16_t>(right);
    file.WriteAt(field, &fixed, 2);
}

// The vtable half of the dual interface `iid` in `library`.
ComPtr<ITypeInfo> VtablePart(ITypeLib* library, const GUID& iid, const std::string& what) {
    ComPtr<ITypeInfo> info;
    Check(library->GetTypeInfoOfGuid(iid, info.Put()), what);
    HREFTYPE part = 0;
    Check(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &part), what);
    ComPtr<ITypeInfo> vtable;
    Check(info->GetRefTypeInfo(part, vtable.Put()), what);
    return vtable;
}

// Every member must sit in the slot after the one before it, after IDispatch's.
void CheckSlots(ITypeInfo* vtable, unsigned memberCount, const std::string& what) {
    const win::TypeAttr attr(vtable);
    if (!attr) {
        throw Failure{what, E_FAIL};
    }
    if (attr->cFuncs != memberCount) {
        throw Failure{what + ": wrong member count", E_FAIL};
    }
    for (UINT i = 0; i < memberCount; ++i) {
        const win::FuncDesc func(vtable, i);
        if (!func) {
            throw Failure{what, E_FAIL};
        }
        // The loader reports offsets in this process's pointer size.
        const unsigned slot = static_cast<unsigned>(func->oVft) / sizeof(void*);
        if (slot != kDispatchSlots + i) {
            throw Failure{what + ": member in the wrong slot", E_FAIL};
        }
    }
}

} // namespace

void VerifyVtableLayout(const std::wstring& path, SYSKIND syskind, const GUID& iid,
                        const std::string& name, unsigned memberCount) {
    const std::string what = "layout of " + name;
    const unsigned expectedSize = (kDispatchSlots + memberCount) * PointerSize(syskind);
    for (int attempt = 0;; ++attempt) {
        unsigned size = 0;
        UINT index = 0;
        {
            ComPtr<ITypeLib> library;
            Check(LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.Put()),
                  "reloading the library");
            const ComPtr<ITypeInfo> vtable = VtablePart(library.Get(), iid, what);
            CheckSlots(vtable.Get(), memberCount, what);
            const win::TypeAttr attr(vtable.Get());
            if (!attr) {
                throw Failure{what, E_FAIL};
            }
            size = attr->cbSizeVft;
            ComPtr<ITypeLib> containing;
            Check(vtable->GetContainingTypeLib(containing.Put(), &index), what);
        } // the library is released before its file is patched
        if (size == expectedSize) {
            return;
        }
        if (attempt > 0) {
            throw Failure{what + ": vtable size still wrong after repair", E_FAIL};
        }
        RepairVtableSize(path, index, size, expectedSize);
    }
}

} // namespace tovabel::typelib
