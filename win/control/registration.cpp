#include "registration.h"

#include "classes.h"
#include "ole_object.h"
#include "resource_ids.h"
#include "type_library.h"
#include "win/common/com_ptr.h"
#include "win/common/guids.h"
#include "win/common/module.h"
#include "win/common/reg_key.h"
#include "win/common/text.h"

#include <windows.h>

#include <olectl.h>

#include <string>

namespace tovabel::win {

namespace {

std::wstring Braced(const GUID& guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring ClassKey(const ClassEntry& entry) {
    return L"CLSID\\" + Braced(entry.clsid);
}

// Writes `path` below HKEY_CLASSES_ROOT with its default value (and one named
// value when `name` is given).
HRESULT Write(const std::wstring& path, const std::wstring& value, const std::wstring& name = {},
              const std::wstring& namedValue = {}) {
    LSTATUS status = ERROR_SUCCESS;
    const RegKey key = CreateRegKey(HKEY_CLASSES_ROOT, path, &status);
    if (status != ERROR_SUCCESS) {
        return HRESULT_FROM_WIN32(status);
    }
    status = SetRegString(key.Get(), {}, value);
    if (status == ERROR_SUCCESS && !name.empty()) {
        status = SetRegString(key.Get(), name, namedValue);
    }
    return HRESULT_FROM_WIN32(status);
}

// Writes a key without values.
HRESULT Touch(const std::wstring& path) {
    LSTATUS status = ERROR_SUCCESS;
    CreateRegKey(HKEY_CLASSES_ROOT, path, &status);
    return HRESULT_FROM_WIN32(status);
}

HRESULT RegisterClass(const ClassEntry& entry, const std::wstring& modulePath) {
    const std::wstring key = ClassKey(entry);
    HRESULT hr = Write(key, entry.description);
    if (SUCCEEDED(hr)) {
        hr = Write(key + L"\\InprocServer32", modulePath, L"ThreadingModel", L"Apartment");
    }
    if (SUCCEEDED(hr) && entry.progId != nullptr) {
        hr = Write(key + L"\\ProgID", entry.progId);
        if (SUCCEEDED(hr)) {
            hr = Write(key + L"\\VersionIndependentProgID", entry.versionIndependentProgId);
        }
        if (SUCCEEDED(hr)) {
            hr = Write(entry.progId, entry.description);
        }
        if (SUCCEEDED(hr)) {
            hr = Write(std::wstring(entry.progId) + L"\\CLSID", Braced(entry.clsid));
        }
        if (SUCCEEDED(hr)) {
            hr = Write(entry.versionIndependentProgId, entry.description);
        }
        if (SUCCEEDED(hr)) {
            hr = Write(std::wstring(entry.versionIndependentProgId) + L"\\CLSID",
                       Braced(entry.clsid));
        }
        if (SUCCEEDED(hr)) {
            hr = Write(std::wstring(entry.versionIndependentProgId) + L"\\CurVer", entry.progId);
        }
    }
    if (SUCCEEDED(hr) && entry.isControl) {
        hr = Touch(key + L"\\Control");
        if (SUCCEEDED(hr)) {
            hr = Write(key + L"\\ToolboxBitmap32",
                       modulePath + L", " + std::to_wstring(IDB_TOOLBOX));
        }
        if (SUCCEEDED(hr)) {
            hr = Write(key + L"\\MiscStatus", L"0");
        }
        if (SUCCEEDED(hr)) {
            hr = Write(key + L"\\MiscStatus\\1", std::to_wstring(kMiscStatus));
        }
        if (SUCCEEDED(hr)) {
            hr = Write(key + L"\\TypeLib", Braced(LIBID_OrnisTovabel));
        }
        if (SUCCEEDED(hr)) {
            hr = Write(key + L"\\Version", std::to_wstring(identity::kTypeLibMajor) + L"." +
                                               std::to_wstring(identity::kTypeLibMinor));
        }
    }
    return hr;
}

// Removes a key of HKEY_CLASSES_ROOT with everything below it; a missing key is fine.
void RemoveTree(const std::wstring& path) {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str());
}

// Removes a key that registration may have created as a parent, when nothing
// else is left in it.
void RemoveIfEmpty(const std::wstring& path) {
    const RegKey key = OpenRegKey(HKEY_CLASSES_ROOT, path);
    if (key && IsEmptyKey(key.Get())) {
        RegDeleteKeyW(HKEY_CLASSES_ROOT, path.c_str());
    }
}

} // namespace

HRESULT RegisterServer() {
    std::wstring path = module::Path();
    for (const ClassEntry& entry : Classes()) {
        const HRESULT hr = RegisterClass(entry, path);
        if (FAILED(hr)) {
            return SELFREG_E_CLASS;
        }
    }
    // The parent key gets its usual spelling; Wine's RegisterTypeLib would create "Typelib".
    Touch(L"TypeLib");
    ComPtr<ITypeLib> library;
    if (FAILED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.Put())) ||
        FAILED(RegisterTypeLib(library.Get(), path.data(), nullptr))) {
        return SELFREG_E_TYPELIB;
    }
    return S_OK;
}

HRESULT UnregisterServer() {
    SYSKIND syskind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
    LCID lcid = identity::kTypeLibLcid;
    {
        const std::wstring path = module::Path();
        ComPtr<ITypeLib> library;
        if (SUCCEEDED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.Put()))) {
            const LibAttr attr(library.Get());
            if (attr) {
                syskind = attr->syskind;
                lcid = attr->lcid;
            }
        }
    }
    // Not registered is as good as unregistered.
    UnRegisterTypeLib(LIBID_OrnisTovabel, identity::kTypeLibMajor, identity::kTypeLibMinor, lcid,
                      syskind);
    RemoveIfEmpty(L"TypeLib\\" + Braced(LIBID_OrnisTovabel));

    for (const ClassEntry& entry : Classes()) {
        RemoveTree(ClassKey(entry));
        if (entry.progId != nullptr) {
            RemoveTree(entry.progId);
            RemoveTree(entry.versionIndependentProgId);
        }
    }
    for (const wchar_t* parent : {L"CLSID", L"TypeLib", L"Interface"}) {
        RemoveIfEmpty(parent);
    }
    return S_OK;
}

} // namespace tovabel::win
