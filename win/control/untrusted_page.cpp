#include "untrusted_page.h"

#include <cstring>
#include <cwctype>
#include <optional>

namespace tovabel::win {

namespace {

bool StartsWithNoCase(const std::wstring& text, std::wstring_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::towlower(text[i]) != prefix[i]) {
            return false;
        }
    }
    return true;
}

bool IsWeb(const std::wstring& url) {
    return StartsWithNoCase(url, L"http:") || StartsWithNoCase(url, L"https:");
}

// The zone the container gives the page. A security identifier ends with
// the zone it was made for, in four bytes.
std::optional<DWORD> ZoneFromHost(const Site& site) {
    const ComPtr<IInternetHostSecurityManager> host = site.HostSecurityManager();
    BYTE id[MAX_SIZE_SECURITY_ID];
    DWORD size = sizeof id;
    if (!host || FAILED(host->GetSecurityId(id, &size, 0)) || size < sizeof(DWORD) ||
        size > sizeof id) {
        return std::nullopt;
    }
    DWORD zone = 0;
    std::memcpy(&zone, id + size - sizeof zone, sizeof zone);
    return zone;
}

} // namespace

UntrustedPage::UntrustedPage(const Site& site) {
    const std::wstring location = site.PageLocation();
    if (!location.empty() &&
        FAILED(CreateURLMonikerEx(nullptr, location.c_str(), mLocation.Put(), URL_MK_UNIFORM))) {
        mLocation.Reset();
    }
    CoInternetCreateSecurityManager(nullptr, mZones.Put(), 0);
    DWORD zone = URLZONE_INTERNET;
    if (const std::optional<DWORD> fromHost = ZoneFromHost(site)) {
        mZone = *fromHost;
    } else if (mLocation && mZones && SUCCEEDED(mZones->MapUrlToZone(location.c_str(), &zone, 0))) {
        mZone = zone;
    }
}

// Zones are numbered from the most trusted (the local machine) down.
bool UntrustedPage::MayFetch(const std::wstring& url) const {
    DWORD zone = 0;
    return (mLocation || IsWeb(url)) && mZones &&
           SUCCEEDED(mZones->MapUrlToZone(url.c_str(), &zone, 0)) && zone >= mZone;
}

} // namespace tovabel::win
