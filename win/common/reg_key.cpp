#include "win/common/reg_key.h"

namespace tovabel::win {

RegKey CreateRegKey(HKEY parent, const std::wstring& path, LSTATUS* status) {
    RegKey key;
    const LSTATUS result = RegCreateKeyExW(parent, path.c_str(), 0, nullptr, 0,
                                           KEY_WRITE | KEY_READ, nullptr, key.Put(), nullptr);
    if (status != nullptr) {
        *status = result;
    }
    return key;
}

RegKey OpenRegKey(HKEY parent, const std::wstring& path, REGSAM access) {
    RegKey key;
    if (RegOpenKeyExW(parent, path.c_str(), 0, access, key.Put()) != ERROR_SUCCESS) {
        key.Reset();
    }
    return key;
}

LSTATUS SetRegString(HKEY key, const std::wstring& name, const std::wstring& value) {
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()), bytes);
}

bool IsEmptyKey(HKEY key) {
    DWORD subkeys = 0;
    DWORD values = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    return subkeys == 0 && values == 0;
}

} // namespace tovabel::win
