// The container's side of the control: the client site with its ambient
// properties (through the site's IDispatch) and the extender object (through
// IOleControlSite). Every read falls back to a sensible value when the site, its
// IDispatch or the property is missing: run mode, no default button, the name
// "Tovabel".
#pragma once

#include "win/common/com_ptr.h"
#include "win/common/variant.h"

#include <windows.h>

#include <ocidl.h>
#include <oleidl.h>
#include <urlmon.h>

#include <optional>
#include <string>

namespace tovabel::win {

class Site {
public:
    IOleClientSite* ClientSite() const { return mSite.Get(); }
    void SetClientSite(IOleClientSite* site) { mSite = ComPtr<IOleClientSite>::Share(site); }

    // An ambient property; nullopt when the container cannot give it.
    std::optional<Variant> Ambient(DISPID id) const;
    bool UserMode() const;
    bool DisplayAsDefault() const;
    std::optional<std::wstring> DisplayName() const;
    // The container's font, when it has one.
    ComPtr<IFont> AmbientFont() const;

    // Late-bound properties of the extender object, by name.
    std::optional<Variant> ExtenderProperty(const wchar_t* name) const;
    bool SetExtenderProperty(const wchar_t* name, const VARIANT& value) const;

    // Tells the container that the control's keyboard mnemonics changed.
    void ControlInfoChanged() const;

    // The container's window (owner of message boxes); null when none.
    HWND ContainerWindow() const;

    // The container's bind host, which resolves locations relative to its
    // document; empty when it offers none.
    ComPtr<IBindHost> BindHost() const;

    // The location of the page the control sits in: the container's moniker,
    // else the URL of the document that the site's services give; empty when
    // the container tells neither.
    std::wstring PageLocation() const;
    // The container's own judgement of the page's security, when it offers one.
    ComPtr<IInternetHostSecurityManager> HostSecurityManager() const;

private:
    ComPtr<IDispatch> Extender() const;
    ComPtr<IServiceProvider> Services() const;
    std::wstring ContainerMonikerName() const;
    std::wstring DocumentUrl() const;

    ComPtr<IOleClientSite> mSite;
};

} // namespace tovabel::win
