// RegKey: the one owner of an open registry key.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace tovabel::win {

class RegKey {
public:
    RegKey() = default;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    RegKey(RegKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegKey& operator=(RegKey&& other) noexcept {
        std::swap(key_, other.key_);
        return *this;
    }
    ~RegKey() { Reset(); }

    // Creates or opens `path` below `parent` for writing.
    static RegKey Create(HKEY parent, const std::wstring& path, LSTATUS* status = nullptr);
    // Opens an existing key; empty when it cannot be opened.
    static RegKey Open(HKEY parent, const std::wstring& path, REGSAM access = KEY_READ);

    HKEY Get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }
    void Reset() {
        if (HKEY key = std::exchange(key_, nullptr)) {
            RegCloseKey(key);
        }
    }
    HKEY* Put() {
        Reset();
        return &key_;
    }

    // Writes a string value; an empty name writes the key's default value.
    LSTATUS SetString(const std::wstring& name, const std::wstring& value) const;
    // True when the key holds neither subkeys nor values.
    bool IsEmpty() const;

private:
    HKEY key_ = nullptr;
};

} // namespace tovabel::win
