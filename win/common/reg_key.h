// Registry keys: opened or created into their owner (RegKey, of handle.h), and
// the few things the control asks of an open one.
#pragma once

#include "win/common/handle.h"

#include <windows.h>

#include <string>

namespace tovabel::win {

// Creates or opens `path` below `parent` for writing.
RegKey CreateRegKey(HKEY parent, const std::wstring& path, LSTATUS* status = nullptr);
// Opens an existing key; empty when it cannot be opened.
RegKey OpenRegKey(HKEY parent, const std::wstring& path, REGSAM access = KEY_READ);

// Writes a string value; an empty name writes the key's default value.
LSTATUS SetRegString(HKEY key, const std::wstring& name, const std::wstring& value);
// True when the key holds neither subkeys nor values.
bool IsEmptyKey(HKEY key);

} // namespace tovabel::win
