#include "win/common/version_info.h"

#include "win/common/module.h"
#include "win/common/text.h"

#include <cwchar>
#include <vector>

namespace tovabel::win {

namespace {

Text VersionString(std::vector<BYTE>& block, const wchar_t* name) {
    // The first translation of the resource names the string table to read.
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translation = nullptr;
    UINT size = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &size) ||
        size < sizeof(Translation)) {
        return {};
    }
    wchar_t path[64];
    swprintf(path, 64, L"\\StringFileInfo\\%04x%04x\\%ls", translation->language,
             translation->codePage, name);
    wchar_t* value = nullptr;
    if (!VerQueryValueW(block.data(), path, reinterpret_cast<void**>(&value), &size) ||
        value == nullptr || size == 0) {
        return {};
    }
    return FromWide(std::wstring_view(value));
}

} // namespace

ComponentInfo ReadComponentInfo() {
    ComponentInfo info;
    HMODULE self = module::Handle();
    HRSRC found = FindResourceW(self, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(16));
    HGLOBAL loaded = found != nullptr ? LoadResource(self, found) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return info;
    }
    // VerQueryValue reads from a private copy of the block (it may write into it).
    const auto* bytes = static_cast<const BYTE*>(data);
    std::vector<BYTE> block(bytes, bytes + SizeofResource(self, found));
    block.resize(block.size() * 2);

    info.title = VersionString(block, L"InternalName");
    info.productName = VersionString(block, L"ProductName");
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    if (VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &size) &&
        size >= sizeof(VS_FIXEDFILEINFO)) {
        info.major = HIWORD(fixed->dwFileVersionMS);
        info.minor = LOWORD(fixed->dwFileVersionMS);
        info.revision = HIWORD(fixed->dwFileVersionLS);
    }
    return info;
}

} // namespace tovabel::win
