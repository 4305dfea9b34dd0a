// A repair of the platform's type library writer (ICreateTypeLib2 under Wine):
// it sizes an interface's vtable from the interface's base as loaded in the
// writing process, so a 64-bit process writing the 32-bit library records
// IDispatch's seven slots as 56 bytes instead of 28. The saved file is read
// back, and the recorded size corrected in place when it is the wrong one.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <string>

namespace tovabel::typelib {

// IUnknown's and IDispatch's slots, which come before a dual interface's own.
inline constexpr unsigned kDispatchSlots = 7;

// Reads the saved library at `path` back: the members of the dual interface
// `iid` must sit in the slots that follow IDispatch, one after another, and
// its vtable size must cover exactly those slots in the pointer size of
// `syskind`; a size written in the wrong pointer size is repaired in the file.
// Throws Failure when the layout is wrong or cannot be repaired.
void VerifyVtableLayout(const std::wstring& path, SYSKIND syskind, const GUID& iid,
                        const std::string& name, unsigned memberCount);

} // namespace tovabel::typelib
