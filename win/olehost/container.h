// Our own OLE container: a form (a top-level window) with a full site around
// each control it holds (client site, in-place site, control site with an
// extender, an ambient IDispatch, an in-place frame shared by all) and message
// pumping. The Windows tests and the demo host the control in it.
#pragma once

#include "win/common/com_object.h"
#include "win/common/com_ptr.h"
#include "win/common/handle.h"
#include "win/olehost/untyped_dispatch.h"

#include <windows.h>

#include <ocidl.h>
#include <oleidl.h>
#include <servprov.h>
#include <urlmon.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tovabel::olehost {

// Dispatches the thread's messages until `done` holds or `limit` passed;
// returns whether `done` held (always true without a condition).
bool PumpMessages(std::chrono::milliseconds limit, const std::function<bool()>& done = {});

// The text `tooltip` gives the tool of `window` (a tool registered by its
// window handle), asked the way the tooltip asks before it shows.
std::wstring ToolTextOf(HWND tooltip, HWND window);

// The extender object: late-bound ToolTipText and TabStop.
class Extender final : public win::LocalObject<UntypedDispatch> {
public:
    std::wstring toolTipText;
    bool tabStop = true;
    bool hasToolTipText = true; // false: an extender without the property

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO*, UINT*) override;
};

// A web page's document, as a site's services give it: its URL.
class Document final : public win::LocalObject<UntypedDispatch> {
public:
    std::wstring url;

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*,
                                     VARIANT* result, EXCEPINFO*, UINT*) override;
};

// The frame window's in-place frame (also the document window). Closing the
// window hides it.
class Frame final
    : public win::LocalObject<win::Answers<IOleInPlaceFrame, IOleInPlaceUIWindow, IOleWindow>> {
public:
    HWND window = nullptr;
    IOleInPlaceActiveObject* activeObject = nullptr; // borrowed, for the tests to see

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override {
        return INPLACE_E_NOTOOLSPACE;
    }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) override {
        activeObject = object;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // One control at a time is UI active: the one before is UI deactivated.
    void UIActivated(IOleInPlaceObject* object);
    void UIDeactivated(IOleInPlaceObject* object);

private:
    IOleInPlaceObject* mUiActive = nullptr; // borrowed from its site
};

// The control's site: one identity answering the client site, the in-place
// site, the control site, the ambient properties and the services (a bind
// host, a page's document and its security, when the test gives them).
// The host security manager is handed out only as a service.
class ControlSite final
    : public win::LocalObject<IOleClientSite,
                              win::Answers<IOleInPlaceSiteEx, IOleInPlaceSite, IOleWindow>,
                              IOleControlSite, UntypedDispatch, IServiceProvider,
                              win::Unlisted<IInternetHostSecurityManager>> {
public:
    ControlSite(Frame& frame, Extender& extender) : mFrame(frame), mExtender(extender) {}

    // Ambient properties.
    bool userMode = true;
    bool displayAsDefault = false;
    std::wstring displayName = L"Tovabel1";
    win::ComPtr<IFontDisp> font; // none: the property is not available
    // Resolves the control's download locations; none: the control binds alone.
    win::ComPtr<IBindHost> bindHost;

    // A web page, as a browser hosts a control: when `untrusted`, the
    // container marks the control's callers and data untrusted before it
    // gives it the site and the properties. The page's location, when not
    // empty, is the container's moniker, or (`pageThroughDocument`) the URL
    // of the document its services give. `hostZone`: the container's own
    // zone for the page, through its host security manager.
    bool untrusted = false;
    std::wstring pageUrl;
    bool pageThroughDocument = false;
    std::optional<DWORD> hostZone;

    // What the control asked of its site.
    RECT position{0, 0, 0, 0};
    std::vector<RECT> posRectRequests;
    int controlInfoChanges = 0;
    bool inPlaceActive = false;
    bool uiActive = false;
    // The control's IOleInPlaceObject while it is in place active.
    win::ComPtr<IOleInPlaceObject> inPlaceObject;

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override;
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleInPlaceSiteEx (with IOleWindow and IOleInPlaceSite)
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
    HRESULT STDMETHODCALLTYPE OnUIActivate() override;
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame,
                                               IOleInPlaceUIWindow** document, LPRECT position,
                                               LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override;
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT position) override;
    HRESULT STDMETHODCALLTYPE OnInPlaceActivateEx(BOOL* noRedraw, DWORD) override;
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivateEx(BOOL) override;
    HRESULT STDMETHODCALLTYPE RequestUIActivate() override { return S_OK; }

    // IOleControlSite
    HRESULT STDMETHODCALLTYPE OnControlInfoChanged() override {
        ++controlInfoChanges;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE LockInPlaceActive(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetExtendedControl(IDispatch** extender) override;
    HRESULT STDMETHODCALLTYPE TransformCoords(POINTL*, POINTF*, DWORD) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE OnFocus(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ShowPropertyFrame() override { return E_NOTIMPL; }

    // IDispatch: the ambient properties
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*,
                                     VARIANT* result, EXCEPINFO*, UINT*) override;

    // IServiceProvider
    HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID iid, void** out) override;

    // IInternetHostSecurityManager: the page's zone, in its security identifier.
    HRESULT STDMETHODCALLTYPE GetSecurityId(BYTE* id, DWORD* size, DWORD_PTR) override;
    HRESULT STDMETHODCALLTYPE ProcessUrlAction(DWORD, BYTE*, DWORD, BYTE*, DWORD, DWORD,
                                               DWORD) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE QueryCustomPolicy(REFGUID, BYTE**, DWORD*, BYTE*, DWORD,
                                                DWORD) override {
        return E_NOTIMPL;
    }

private:
    Frame& mFrame;
    Extender& mExtender;
    Document mDocument;
};

// One control on a form: its site and extender, which live as long as the
// place, and the control from Create to Destroy.
class HostedControl {
public:
    HostedControl(Frame& frame, bool userMode);
    HostedControl(const HostedControl&) = delete;
    HostedControl& operator=(const HostedControl&) = delete;
    ~HostedControl();

    // Creates the control by ProgID, starts it as a new instance (or loads it
    // from `saved`, as a form being opened does) and activates it in place at
    // `position` (client pixels of the frame window).
    HRESULT Create(const wchar_t* progId, const RECT& position, IPropertyBag* saved = nullptr);
    // The same, loading the control from the stream a container saved it into.
    HRESULT CreateFromStream(const wchar_t* progId, const RECT& position, IStream& saved);
    // The same through the class object that a form loader asks COM for once
    // and keeps for all its controls of one class. Like a form loader, it
    // leaves the control's first paint to the form's (the calls by ProgID
    // pump the messages the new control has queued).
    HRESULT CreateFromStream(IClassFactory& factory, const RECT& position, IStream& saved);
    // Deactivates, closes and releases the control.
    void Destroy();

    IUnknown* Control() const { return mControl.Get(); }
    win::ComPtr<IDispatch> Dispatch() const;
    // The control's window, as IOleWindow reports it.
    HWND Window() const;
    ControlSite& Site() { return mSite; }
    Extender& GetExtender() { return mExtender; }

    // Switches design and run mode and tells the control.
    void SetUserMode(bool userMode);

    // Late-bound property access by name; objects (pictures, fonts) are
    // assigned by reference, as Set does.
    HRESULT Put(const wchar_t* name, const VARIANT& value);
    HRESULT PutRef(const wchar_t* name, IDispatch* object);
    HRESULT Get(const wchar_t* name, VARIANT* value);

private:
    // Creates (through `make`), sites, loads (through `load`) and activates the
    // control; the messages this queues wait for the caller.
    HRESULT Start(const std::function<HRESULT(IUnknown**)>& make, const RECT& position,
                  const std::function<HRESULT(IPersistStreamInit&)>& load);
    // Tells a control in an untrusted page so, as a browser does.
    HRESULT MarkUntrusted();

    Frame& mFrame;
    Extender mExtender;
    ControlSite mSite{mFrame, mExtender};
    win::ComPtr<IUnknown> mControl;
};

// A top-level window with a client area of `clientSize` pixels holding any
// number of controls, each at its own place.
class Form {
public:
    Form(const wchar_t* title, SIZE clientSize, bool userMode = true);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    ~Form() = default;

    // A new, empty place for a control; it lives as long as the form.
    HostedControl& AddPlace();

    HWND Window() const { return mWindow.Get(); }
    Frame& GetFrame() { return mFrame; }

    // Lets pending paint cycles run.
    void Settle();

private:
    win::Window mWindow;
    Frame mFrame;
    bool mUserMode;
    // Declared after the window: the controls go before it.
    std::vector<std::unique_ptr<HostedControl>> mPlaces;
};

// A form holding one control: what most tests need.
class Container {
public:
    explicit Container(bool userMode = true);

    HRESULT Create(const wchar_t* progId, const RECT& position, IPropertyBag* saved = nullptr) {
        return mPlace.Create(progId, position, saved);
    }
    void Destroy() { mPlace.Destroy(); }

    IUnknown* Control() const { return mPlace.Control(); }
    win::ComPtr<IDispatch> Dispatch() const { return mPlace.Dispatch(); }
    HWND FrameWindow() const { return mForm.Window(); }
    HWND ControlWindow() const { return mPlace.Window(); }
    ControlSite& Site() { return mPlace.Site(); }
    Extender& GetExtender() { return mPlace.GetExtender(); }
    Frame& GetFrame() { return mForm.GetFrame(); }

    void SetUserMode(bool userMode) { mPlace.SetUserMode(userMode); }
    HRESULT Put(const wchar_t* name, const VARIANT& value) { return mPlace.Put(name, value); }
    HRESULT Get(const wchar_t* name, VARIANT* value) { return mPlace.Get(name, value); }
    void Settle() { mForm.Settle(); }

private:
    Form mForm;
    HostedControl& mPlace;
};

} // namespace tovabel::olehost
