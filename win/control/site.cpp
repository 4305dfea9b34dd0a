#include "site.h"

#include "bstr.h"

#include <windows.h>

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
    const ComPtr<IDispatch> ambient = site_.As<IDispatch>(IID_IDispatch);
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
    const ComPtr<IOleControlSite> control = site_.As<IOleControlSite>(IID_IOleControlSite);
    ComPtr<IDispatch> extender;
    if (control) {
        control->GetExtendedControl(extender.Put());
    }
    return extender;
}

void Site::ControlInfoChanged() const {
    if (const ComPtr<IOleControlSite> control = site_.As<IOleControlSite>(IID_IOleControlSite)) {
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
    const ComPtr<IOleWindow> window = site_.As<IOleWindow>(IID_IOleWindow);
    HWND handle = nullptr;
    if (window && FAILED(window->GetWindow(&handle))) {
        handle = nullptr;
    }
    return handle;
}

ComPtr<IBindHost> Site::BindHost() const {
    if (ComPtr<IBindHost> host = site_.As<IBindHost>(IID_IBindHost)) {
        return host;
    }
    ComPtr<IBindHost> host;
    if (const ComPtr<IServiceProvider> services =
            site_.As<IServiceProvider>(IID_IServiceProvider)) {
        services->QueryService(SID_SBindHost, IID_IBindHost, host.PutVoid());
    }
    return host;
}

} // namespace tovabel::win
