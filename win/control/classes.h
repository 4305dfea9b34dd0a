// The classes this library serves: one row per class, read by the class
// factory and by self-registration: the control and its two property pages.
#pragma once

#include <windows.h>

#include <span>

namespace tovabel::win {

struct ClassEntry {
    const CLSID& clsid;
    const wchar_t* description;
    // Makes a new object and asks it for `iid`.
    HRESULT (*create)(REFIID iid, void** out);
    // Versioned and version-independent ProgIDs; nullptr for a class without.
    const wchar_t* progId;
    const wchar_t* versionIndependentProgId;
    // An ActiveX control: control, toolbox, status and type-library keys.
    bool isControl;
};

std::span<const ClassEntry> Classes();
const ClassEntry* FindClass(REFCLSID clsid);

} // namespace tovabel::win
