// What a control in an untrusted page may fetch, as the platform's URL
// security zones decide: nothing from a zone more trusted than the page's (a
// local file or an intranet address, seen from an Internet page), and, when
// the container does not say where the page is, nothing but web locations.
#pragma once

#include "site.h"
#include "win/common/com_ptr.h"

#include <windows.h>

#include <urlmon.h>

#include <string>

namespace tovabel::win {

class UntrustedPage {
public:
    // Learns the page's location and zone from the container, as it is now.
    explicit UntrustedPage(const Site& site);

    // The page's location, against which relative names resolve; null when
    // the container does not tell it.
    IMoniker* Location() const { return mLocation.Get(); }
    // Whether the page may have `url` (an absolute location) fetched.
    bool MayFetch(const std::wstring& url) const;

private:
    ComPtr<IMoniker> mLocation;
    ComPtr<IInternetSecurityManager> mZones;
    DWORD mZone = URLZONE_INTERNET; // the page's; an unknown page is on the Internet
};

} // namespace tovabel::win
