#include "container.h"

#include "win/common/late_bound.h"
#include "win/common/screen.h"
#include "win/common/variant.h"
#include "win/common/window.h"

#include <commctrl.h>
#include <docobj.h>
#include <objsafe.h>
#include <olectl.h>

#include <cstring>
#include <cwchar>
#include <iterator>
#include <utility>

namespace tovabel::olehost {

using win::ComPtr;

namespace {

// Closing a form hides it; its owner destroys it, with its controls.
LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        ShowWindow(window, SW_HIDE);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

const win::WindowClass& FrameClass() {
    static const win::WindowClass registered([] {
        WNDCLASSEXW description{};
        description.cbSize = sizeof(description);
        description.lpfnWndProc = FormProc;
        description.hInstance = GetModuleHandleW(nullptr);
        description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1); // a form's face
        description.lpszClassName = L"TovabelTestContainer";
        return description;
    }());
    return registered;
}

// The one name of a GetIDsOfNames call among `names`; DISPID_UNKNOWN otherwise.
struct NamedId {
    const wchar_t* name;
    DISPID id;
};
template <std::size_t N>
HRESULT IdsOf(const NamedId (&known)[N], LPOLESTR* names, UINT count, DISPID* ids) {
    if (names == nullptr || ids == nullptr || count == 0) {
        return E_INVALIDARG;
    }
    ids[0] = DISPID_UNKNOWN;
    for (const NamedId& entry : known) {
        if (_wcsicmp(entry.name, names[0]) == 0) {
            ids[0] = entry.id;
        }
    }
    for (UINT i = 1; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
    }
    return ids[0] == DISPID_UNKNOWN || count > 1 ? DISP_E_UNKNOWNNAME : S_OK;
}

void SetBool(VARIANT* result, bool value) {
    VariantInit(result);
    V_VT(result) = VT_BOOL;
    V_BOOL(result) = value ? VARIANT_TRUE : VARIANT_FALSE;
}

void SetText(VARIANT* result, const std::wstring& value) {
    VariantInit(result);
    V_VT(result) = VT_BSTR;
    V_BSTR(result) = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
}

} // namespace

bool PumpMessages(std::chrono::milliseconds limit, const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (done && done()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= end) {
            return !done;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

std::wstring ToolTextOf(HWND tooltip, HWND window) {
    wchar_t text[512] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    tool.lpszText = text;
    SendMessageW(tooltip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
    return text;
}

// ---------------------------------------------------------------------------
// Extender

namespace {
enum : DISPID { kToolTipText = 1, kTabStop = 2 };
constexpr NamedId kExtenderNames[] = {{L"ToolTipText", kToolTipText}, {L"TabStop", kTabStop}};
} // namespace

HRESULT Extender::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    const HRESULT hr = IdsOf(kExtenderNames, names, count, ids);
    if (SUCCEEDED(hr) && !hasToolTipText && ids[0] == kToolTipText) {
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT Extender::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                         EXCEPINFO*, UINT*) {
    if ((flags & DISPATCH_PROPERTYPUT) != 0) {
        if (params == nullptr || params->cArgs != 1) {
            return DISP_E_BADPARAMCOUNT;
        }
        win::Variant value;
        const VARTYPE type = id == kToolTipText ? VT_BSTR : VT_BOOL;
        if (FAILED(VariantChangeType(value.Get(), &params->rgvarg[0], 0, type))) {
            return DISP_E_TYPEMISMATCH;
        }
        if (id == kToolTipText) {
            const BSTR text = V_BSTR(value.Get());
            toolTipText.assign(text ? text : L"", SysStringLen(text));
        } else if (id == kTabStop) {
            tabStop = V_BOOL(value.Get()) != VARIANT_FALSE;
        } else {
            return DISP_E_MEMBERNOTFOUND;
        }
        return S_OK;
    }
    if (result == nullptr) {
        return E_POINTER;
    }
    if (id == kToolTipText) {
        SetText(result, toolTipText);
    } else if (id == kTabStop) {
        SetBool(result, tabStop);
    } else {
        return DISP_E_MEMBERNOTFOUND;
    }
    return S_OK;
}

// ---------------------------------------------------------------------------
// Document

namespace {
constexpr DISPID kUrl = 1;
constexpr NamedId kDocumentNames[] = {{L"URL", kUrl}};
} // namespace

HRESULT Document::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    return IdsOf(kDocumentNames, names, count, ids);
}

HRESULT Document::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                         EXCEPINFO*, UINT*) {
    if (id != kUrl || (flags & DISPATCH_PROPERTYGET) == 0) {
        return DISP_E_MEMBERNOTFOUND;
    }
    if (result == nullptr) {
        return E_POINTER;
    }
    SetText(result, url);
    return S_OK;
}

// ---------------------------------------------------------------------------
// Frame

HRESULT Frame::GetWindow(HWND* out) {
    *out = window;
    return S_OK;
}

void Frame::UIActivated(IOleInPlaceObject* object) {
    IOleInPlaceObject* previous = std::exchange(mUiActive, object);
    if (previous != nullptr && previous != object) {
        previous->UIDeactivate();
    }
}

void Frame::UIDeactivated(IOleInPlaceObject* object) {
    if (mUiActive == object) {
        mUiActive = nullptr;
    }
}

// ---------------------------------------------------------------------------
// Site

HRESULT ControlSite::QueryService(REFGUID service, REFIID iid, void** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    if (IsEqualGUID(service, SID_SBindHost) && bindHost) {
        return bindHost->QueryInterface(iid, out);
    }
    if (IsEqualGUID(service, SID_SContainerDispatch) && pageThroughDocument) {
        mDocument.url = pageUrl;
        return mDocument.QueryInterface(iid, out);
    }
    if (IsEqualGUID(service, SID_SInternetHostSecurityManager) && hostZone &&
        IsEqualIID(iid, IID_IInternetHostSecurityManager)) {
        return Answer(static_cast<IInternetHostSecurityManager*>(this), out);
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

// An identifier of the container's own, ending in the zone as the platform's do.
HRESULT ControlSite::GetSecurityId(BYTE* id, DWORD* size, DWORD_PTR) {
    const char prefix[] = "page:";
    const DWORD needed = sizeof prefix - 1 + sizeof(DWORD);
    if (id == nullptr || size == nullptr || !hostZone || *size < needed) {
        return E_INVALIDARG;
    }
    std::memcpy(id, prefix, sizeof prefix - 1);
    std::memcpy(id + sizeof prefix - 1, &*hostZone, sizeof(DWORD));
    *size = needed;
    return S_OK;
}

HRESULT ControlSite::GetMoniker(DWORD, DWORD which, IMoniker** moniker) {
    *moniker = nullptr;
    if (which != OLEWHICHMK_CONTAINER || pageUrl.empty() || pageThroughDocument) {
        return E_NOTIMPL;
    }
    return CreateURLMonikerEx(nullptr, pageUrl.c_str(), moniker, URL_MK_UNIFORM);
}

HRESULT ControlSite::GetContainer(IOleContainer** container) {
    *container = nullptr;
    return E_NOINTERFACE;
}

HRESULT ControlSite::GetWindow(HWND* window) {
    *window = mFrame.window;
    return S_OK;
}

HRESULT ControlSite::OnInPlaceActivate() {
    inPlaceActive = true;
    return S_OK;
}

HRESULT ControlSite::OnInPlaceActivateEx(BOOL* noRedraw, DWORD) {
    if (noRedraw != nullptr) {
        *noRedraw = FALSE;
    }
    return OnInPlaceActivate();
}

HRESULT ControlSite::OnUIActivate() {
    uiActive = true;
    mFrame.UIActivated(inPlaceObject.Get());
    return S_OK;
}

HRESULT ControlSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                      LPRECT positionOut, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    mFrame.AddRef();
    *frame = &mFrame;
    *document = nullptr;
    *positionOut = position;
    RECT all{};
    GetClientRect(mFrame.window, &all);
    *clip = all;
    info->fMDIApp = FALSE;
    info->hwndFrame = mFrame.window;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

HRESULT ControlSite::OnUIDeactivate(BOOL) {
    uiActive = false;
    mFrame.UIDeactivated(inPlaceObject.Get());
    return S_OK;
}

HRESULT ControlSite::OnInPlaceDeactivate() {
    inPlaceActive = false;
    return S_OK;
}

HRESULT ControlSite::OnInPlaceDeactivateEx(BOOL) {
    return OnInPlaceDeactivate();
}

HRESULT ControlSite::OnPosRectChange(LPCRECT wanted) {
    // A container that always agrees: the control gets the rectangle it asked for.
    posRectRequests.push_back(*wanted);
    position = *wanted;
    if (inPlaceObject) {
        inPlaceObject->SetObjectRects(&position, &position);
    }
    return S_OK;
}

HRESULT ControlSite::GetExtendedControl(IDispatch** extender) {
    mExtender.AddRef();
    *extender = &mExtender;
    return S_OK;
}

HRESULT ControlSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT ControlSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                            EXCEPINFO*, UINT*) {
    if ((flags & DISPATCH_PROPERTYGET) == 0 || result == nullptr) {
        return DISP_E_MEMBERNOTFOUND;
    }
    switch (id) {
    case DISPID_AMBIENT_USERMODE:
        SetBool(result, userMode);
        return S_OK;
    case DISPID_AMBIENT_DISPLAYASDEFAULT:
        SetBool(result, displayAsDefault);
        return S_OK;
    case DISPID_AMBIENT_DISPLAYNAME:
        SetText(result, displayName);
        return S_OK;
    case DISPID_AMBIENT_FONT:
        if (!font) {
            return DISP_E_MEMBERNOTFOUND;
        }
        VariantInit(result);
        V_VT(result) = VT_DISPATCH;
        font->AddRef();
        V_DISPATCH(result) = font.Get();
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

// ---------------------------------------------------------------------------
// Hosted control

HostedControl::HostedControl(Frame& frame, bool userMode) : mFrame(frame) {
    mSite.userMode = userMode;
}

HostedControl::~HostedControl() {
    Destroy();
}

namespace {

// Makes the control the way most containers do: the class by its ProgID, then
// one instance of it.
std::function<HRESULT(IUnknown**)> ByProgId(const wchar_t* progId) {
    return [progId](IUnknown** made) {
        CLSID clsid{};
        const HRESULT hr = CLSIDFromProgID(progId, &clsid);
        return FAILED(hr) ? hr
                          : CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                             reinterpret_cast<void**>(made));
    };
}

} // namespace

HRESULT HostedControl::Create(const wchar_t* progId, const RECT& position, IPropertyBag* saved) {
    const HRESULT hr = Start(ByProgId(progId), position, [&](IPersistStreamInit& persist) {
        if (saved == nullptr) {
            return persist.InitNew();
        }
        const ComPtr<IPersistPropertyBag> loader =
            mControl.As<IPersistPropertyBag>(IID_IPersistPropertyBag);
        return loader ? loader->Load(saved, nullptr) : E_NOINTERFACE;
    });
    PumpMessages(std::chrono::milliseconds(0));
    return hr;
}

HRESULT HostedControl::CreateFromStream(const wchar_t* progId, const RECT& position,
                                        IStream& saved) {
    const HRESULT hr = Start(ByProgId(progId), position,
                             [&](IPersistStreamInit& persist) { return persist.Load(&saved); });
    PumpMessages(std::chrono::milliseconds(0));
    return hr;
}

HRESULT HostedControl::CreateFromStream(IClassFactory& factory, const RECT& position,
                                        IStream& saved) {
    return Start(
        [&](IUnknown** made) {
            return factory.CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(made));
        },
        position, [&](IPersistStreamInit& persist) { return persist.Load(&saved); });
}

HRESULT HostedControl::Start(const std::function<HRESULT(IUnknown**)>& make, const RECT& position,
                             const std::function<HRESULT(IPersistStreamInit&)>& load) {
    HRESULT hr = make(mControl.Put());
    if (FAILED(hr)) {
        return hr;
    }
    const ComPtr<IOleObject> object = mControl.As<IOleObject>(IID_IOleObject);
    const ComPtr<IPersistStreamInit> persist =
        mControl.As<IPersistStreamInit>(IID_IPersistStreamInit);
    if (!object || !persist) {
        return E_NOINTERFACE;
    }
    // A control that asks for its site first gets it before its properties.
    if (FAILED(hr = MarkUntrusted()) || FAILED(hr = object->SetClientSite(&mSite)) ||
        FAILED(hr = load(*persist.Get()))) {
        return hr;
    }
    SIZEL extent{MulDiv(position.right - position.left, 2540, win::ScreenDpiX()),
                 MulDiv(position.bottom - position.top, 2540, win::ScreenDpiY())};
    object->SetExtent(DVASPECT_CONTENT, &extent);
    mSite.position = position;
    mSite.inPlaceObject = mControl.As<IOleInPlaceObject>(IID_IOleInPlaceObject);
    return object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &mSite, 0, mFrame.window, &position);
}

// As a browser does before it hands the control anything of the page.
HRESULT HostedControl::MarkUntrusted() {
    if (!mSite.untrusted) {
        return S_OK;
    }
    const ComPtr<IObjectSafety> safety = mControl.As<IObjectSafety>(IID_IObjectSafety);
    const DWORD caller = INTERFACESAFE_FOR_UNTRUSTED_CALLER;
    const DWORD data = INTERFACESAFE_FOR_UNTRUSTED_DATA;
    HRESULT hr = E_NOINTERFACE;
    if (safety &&
        SUCCEEDED(hr = safety->SetInterfaceSafetyOptions(IID_IDispatch, caller, caller))) {
        hr = safety->SetInterfaceSafetyOptions(IID_IPersistPropertyBag, data, data);
    }
    return hr;
}

void HostedControl::Destroy() {
    if (!mControl) {
        return;
    }
    if (mSite.inPlaceObject) {
        mSite.inPlaceObject->InPlaceDeactivate();
        mSite.inPlaceObject.Reset();
    }
    if (const ComPtr<IOleObject> object = mControl.As<IOleObject>(IID_IOleObject)) {
        object->Close(OLECLOSE_NOSAVE);
        object->SetClientSite(nullptr);
    }
    mControl.Reset();
}

ComPtr<IDispatch> HostedControl::Dispatch() const {
    return mControl.As<IDispatch>(IID_IDispatch);
}

HWND HostedControl::Window() const {
    const ComPtr<IOleWindow> window = mControl.As<IOleWindow>(IID_IOleWindow);
    HWND handle = nullptr;
    if (window) {
        window->GetWindow(&handle);
    }
    return handle;
}

void HostedControl::SetUserMode(bool userMode) {
    mSite.userMode = userMode;
    if (const ComPtr<IOleControl> control = mControl.As<IOleControl>(IID_IOleControl)) {
        control->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE);
    }
}

HRESULT HostedControl::Put(const wchar_t* name, const VARIANT& value) {
    // Objects are assigned by reference, as a client's Set statement does.
    const bool object = V_VT(&value) == VT_DISPATCH || V_VT(&value) == VT_UNKNOWN;
    return win::late_bound::Put(*Dispatch().Get(), name, value,
                                object ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT);
}

HRESULT HostedControl::PutRef(const wchar_t* name, IDispatch* object) {
    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = VT_DISPATCH;
    V_DISPATCH(&value) = object; // borrowed for the call
    return win::late_bound::Put(*Dispatch().Get(), name, value, DISPATCH_PROPERTYPUTREF);
}

HRESULT HostedControl::Get(const wchar_t* name, VARIANT* value) {
    return win::late_bound::Get(*Dispatch().Get(), name, value);
}

// ---------------------------------------------------------------------------
// Form

namespace {

HWND CreateFormWindow(const wchar_t* title, SIZE clientSize) {
    constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT outer{0, 0, clientSize.cx, clientSize.cy};
    AdjustWindowRectEx(&outer, kStyle, FALSE, 0);
    return CreateWindowExW(0, FrameClass().Name(), title, kStyle, 0, 0, outer.right - outer.left,
                           outer.bottom - outer.top, nullptr, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

} // namespace

Form::Form(const wchar_t* title, SIZE clientSize, bool userMode)
    : mWindow(CreateFormWindow(title, clientSize)), mUserMode(userMode) {
    mFrame.window = mWindow.Get();
    // Shown without taking activation: forms of test programs running side
    // by side would otherwise take it from each other, and a form that loses
    // it mid-gesture loses the pointer capture and focus its control holds.
    ShowWindow(mWindow.Get(), SW_SHOWNOACTIVATE);
    Settle();
}

HostedControl& Form::AddPlace() {
    mPlaces.push_back(std::make_unique<HostedControl>(mFrame, mUserMode));
    return *mPlaces.back();
}

void Form::Settle() {
    UpdateWindow(mWindow.Get());
    PumpMessages(std::chrono::milliseconds(50));
}

// ---------------------------------------------------------------------------
// Container

Container::Container(bool userMode)
    : mForm(L"Tovabel test container", {384, 262}, userMode), mPlace(mForm.AddPlace()) {}

} // namespace tovabel::olehost
