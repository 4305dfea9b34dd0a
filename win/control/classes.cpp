#include "classes.h"

#include "control.h"
#include "win/common/guids.h"
#include "win/pages/general_property_page.h"
#include "win/pages/urls_property_page.h"

namespace tovabel::win {

namespace {

// The version-independent ProgID names the versioned one as CurVer.
const ClassEntry kClasses[] = {
    {CLSID_Tovabel, identity::kWideClassDescription.text, &TovabelControl::Create,
     identity::kWideVersionedProgId.text, identity::kWideProgId.text, true},
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
