#include "site.h"

#include "win/common/bstr.h"
#include "win/common/memory.h"

#include <windows.h>

#include <docobj.h>
#include <olectl.h>

namespace tovabel::win {

namespace {

std::optional<Variant> GetProperty(IDispatch* object, DISPID id) {
    DISPPARAMS none{};
    Variant result;
    if (object == nullptr ||
        FAILED(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                              result.Get(), nullptr, nullptr))) {
        return std::nullopt;
    }
    return result;
}

std::optional<DISPID> IdOf(IDispatch* object, const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    if (object == nullptr ||
        FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
        return std::nullopt;
    }
    return id;
}

std::optional<bool> AsBool(const std::optional<Variant>& value) {
    const std::optional<Variant> converted = value ? value->As(VT_BOOL) : std::nullopt;
    if (!converted) {
        return std::nullopt;
    }
    return V_BOOL(converted->Get()) != VARIANT_FALSE;
}

} // namespace

std::optional<Variant> Site::Ambient(DISPID id) const {
    const ComPtr<IDispatch> ambient = mSite.As<IDispatch>(IID_IDispatch);
    return GetProperty(ambient.Get(), id);
}

bool Site::UserMode() const {
    return AsBool(Ambient(DISPID_AMBIENT_USERMODE)).value_or(true);
}

bool Site::DisplayAsDefault() const {
    return AsBool(Ambient(DISPID_AMBIENT_DISPLAYASDEFAULT)).value_or(false);
}

std::optional<std::wstring> Site::DisplayName() const {
    const std::optional<Variant> value = Ambient(DISPID_AMBIENT_DISPLAYNAME);
    const std::optional<Variant> text = value ? value->As(VT_BSTR) : std::nullopt;
    if (!text) {
        return std::nullopt;
    }
    const BSTR b = V_BSTR(text->Get());
    return std::wstring(b ? b : L"", SysStringLen(b));
}

ComPtr<IFont> Site::AmbientFont() const {
    const std::optional<Variant> value = Ambient(DISPID_AMBIENT_FONT);
    if (!value) {
        return {};
    }
    const VARTYPE type = value->Type();
    IUnknown* object = type == VT_DISPATCH  ? V_DISPATCH(value->Get())
                       : type == VT_UNKNOWN ? V_UNKNOWN(value->Get())
                                            : nullptr;
    return ComPtr<IUnknown>::Share(object).As<IFont>(IID_IFont);
}

ComPtr<IDispatch> Site::Extender() const {
    const ComPtr<IOleControlSite> control = mSite.As<IOleControlSite>(IID_IOleControlSite);
    ComPtr<IDispatch> extender;
    if (control) {
        control->GetExtendedControl(extender.Put());
    }
    return extender;
}

void Site::ControlInfoChanged() const {
    if (const ComPtr<IOleControlSite> control = mSite.As<IOleControlSite>(IID_IOleControlSite)) {
        control->OnControlInfoChanged();
    }
}

std::optional<Variant> Site::ExtenderProperty(const wchar_t* name) const {
    const ComPtr<IDispatch> extender = Extender();
    const std::optional<DISPID> id = IdOf(extender.Get(), name);
    return id ? GetProperty(extender.Get(), *id) : std::nullopt;
}

bool Site::SetExtenderProperty(const wchar_t* name, const VARIANT& value) const {
    const ComPtr<IDispatch> extender = Extender();
    const std::optional<DISPID> id = IdOf(extender.Get(), name);
    if (!id) {
        return false;
    }
    Variant argument = Variant::CopyOf(value);
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{argument.Get(), &named, 1, 1};
    return SUCCEEDED(extender->Invoke(*id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT,
                                      &params, nullptr, nullptr, nullptr));
}

HWND Site::ContainerWindow() const {
    const ComPtr<IOleWindow> window = mSite.As<IOleWindow>(IID_IOleWindow);
    HWND handle = nullptr;
    if (window && FAILED(window->GetWindow(&handle))) {
        handle = nullptr;
    }
    return handle;
}

ComPtr<IServiceProvider> Site::Services() const {
    return mSite.As<IServiceProvider>(IID_IServiceProvider);
}

ComPtr<IBindHost> Site::BindHost() const {
    if (ComPtr<IBindHost> host = mSite.As<IBindHost>(IID_IBindHost)) {
        return host;
    }
    ComPtr<IBindHost> host;
    if (const ComPtr<IServiceProvider> services = Services()) {
        services->QueryService(SID_SBindHost, IID_IBindHost, host.PutVoid());
    }
    return host;
}

std::wstring Site::PageLocation() const {
    std::wstring location = ContainerMonikerName();
    return location.empty() ? DocumentUrl() : location;
}

std::wstring Site::ContainerMonikerName() const {
    ComPtr<IMoniker> moniker;
    ComPtr<IBindCtx> context;
    if (!mSite ||
        FAILED(mSite->GetMoniker(OLEGETMONIKER_ONLYIFTHERE, OLEWHICHMK_CONTAINER, moniker.Put())) ||
        !moniker || FAILED(CreateBindCtx(0, context.Put()))) {
        return {};
    }
    LPOLESTR name = nullptr;
    if (FAILED(moniker->GetDisplayName(context.Get(), nullptr, &name))) {
        return {};
    }
    const TaskMemory owned(name);
    return name != nullptr ? std::wstring(name) : std::wstring();
}

std::wstring Site::DocumentUrl() const {
    const ComPtr<IServiceProvider> services = Services();
    ComPtr<IDispatch> document;
    if (!services ||
        FAILED(services->QueryService(SID_SContainerDispatch, IID_IDispatch, document.PutVoid()))) {
        return {};
    }
    const std::optional<DISPID> id = IdOf(document.Get(), L"URL");
    const std::optional<Variant> url = id ? GetProperty(document.Get(), *id) : std::nullopt;
    if (!url || url->Type() != VT_BSTR) {
        return {};
    }
    const BSTR text = V_BSTR(url->Get());
    return std::wstring(text ? text : L"", SysStringLen(text));
}

ComPtr<IInternetHostSecurityManager> Site::HostSecurityManager() const {
    ComPtr<IInternetHostSecurityManager> manager;
    if (const ComPtr<IServiceProvider> services = Services()) {
        services->QueryService(SID_SInternetHostSecurityManager, IID_IInternetHostSecurityManager,
                               manager.PutVoid());
    }
    return manager;
}

} // namespace tovabel::win
