#include "classes.h"

#include "control.h"
#include "win/common/guids.h"
#include "win/pages/general_property_page.h"
#include "win/pages/urls_property_page.h"

namespace tovabel::win {

namespace {

// "OrnisTovabel.Tovabel" is the name clients use (CreateObject); it is the
// version-independent ProgID, and "OrnisTovabel.Tovabel.2" (the type library's
// major version) the versioned one that it names as CurVer.
const ClassEntry kClasses[] = {
    {CLSID_Tovabel, L"Tovabel Control", &TovabelControl::Create, L"OrnisTovabel.Tovabel.2",
     L"OrnisTovabel.Tovabel", true},
    {CLSID_pagGeneral, L"Tovabel General Property Page", &CreateGeneralPage, nullptr, nullptr,
     false},
    {CLSID_pagURLs, L"Tovabel URLs Property Page", &CreateUrlsPage, nullptr, nullptr, false},
};

} // namespace

std::span<const ClassEntry> Classes() {
    return kClasses;
}

const ClassEntry* FindClass(REFCLSID clsid) {
    for (const ClassEntry& entry : kClasses) {
        if (IsEqualCLSID(entry.clsid, clsid)) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace tovabel::win
