// TovabelControl: one COM object per button. It owns the core `tovabel::Tovabel`,
// the Host that serves it, and one small part per OLE interface; the parts
// share the object's identity and reference count.
#pragma once

#include "accessible.h"
#include "class_info.h"
#include "connection_points.h"
#include "control/tovabel.h"
#include "control_host.h"
#include "dual.h"
#include "in_place.h"
#include "in_place_parts.h"
#include "object_safety.h"
#include "ole_control.h"
#include "ole_object.h"
#include "persist.h"
#include "property_pages.h"
#include "quick_activate.h"
#include "site.h"
#include "type_library.h"
#include "view_object.h"
#include "win/common/module.h"

#include <new>
#include <vector>

namespace tovabel::win {

class TovabelControl final : public IUnknown {
public:
    // The class factory's creator: a new control, initialised (`Initialize`).
    static HRESULT Create(REFIID iid, void** out);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    tovabel::Tovabel& Core() { return mCore; }
    ControlHost& Host() { return mHost; }
    Site& GetSite() { return mSite; }
    InPlace& GetInPlace() { return mInPlace; }
    ConnectionPointContainerPart& Points() { return mPoints; }
    Accessibility& Accessible() { return mAccessibility; }
    const TypeLibrary& Types() const { return mTypes; }

    // The client size changed (the container moved the window, or the extent
    // changed while inactive): the core lays itself out again.
    void NotifyResize();
    // The container reports a changed ambient property (DISPID_UNKNOWN: any).
    void NotifyAmbientChanged(DISPID id);
    // A download that the core started has finished.
    void NotifyDownloaded(AsyncProperty property);
    // The container said that the control's callers or data are untrusted:
    // from now on it fetches only what the page itself may.
    void EnterUntrustedPage() { mHost.EnterUntrustedPage(); }
    // Draws one complete frame of the face into `bounds` of `dc`.
    void Draw(HDC dc, const RECT& bounds);
    // The face may have changed: the window is repainted at once, an inactive
    // control tells its view sink.
    void Repaint();

    // Starts a new instance (`InitProperties`); once only.
    HRESULT InitNew();
    // Starts a saved instance from `bag` (`ReadProperties`), or loads over
    // the properties it has. Not dirty afterwards.
    HRESULT Load(PropertyBag& bag);

    // Runs one call from a client into the core: the control stays alive for
    // the whole call even if a handler drops the caller's last reference, a new
    // instance that nobody initialised gets its defaults first, and no C++
    // exception crosses the COM boundary.
    template <class Body> HRESULT Run(Body&& body) {
        const ComPtr<IUnknown> keepAlive = ComPtr<IUnknown>::Share(this);
        try {
            if (!mInitialized) {
                InitNew();
            }
            const HRESULT hr = body();
            ShowChanges();
            return hr;
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_UNEXPECTED;
        }
    }

private:
    TovabelControl();
    ~TovabelControl() = default; // deleted by its last Release

    // What a call changed reaches the window and the win event hooks.
    void ShowChanges();
    // Repaints only when the call drew on the canvas or changed a frame line:
    // a pointer moving over a button that is already raised, and every other
    // call that leaves the face as it was, repaints nothing.
    void RepaintIfFaceChanged();

    module::Use mUse; // keeps the library loaded
    ULONG mRefs = 1;
    bool mInitialized = false;
    TypeLibrary mTypes;
    Site mSite;
    ConnectionPointContainerPart mPoints;
    Accessibility mAccessibility; // outlives the window, which disconnects it
    InPlace mInPlace;
    ControlHost mHost;
    tovabel::Tovabel mCore;
    std::vector<Line> mShownLines; // the frame lines when the face last changed
    DualPart mDual;
    ClassInfoPart mClassInfo;
    PersistStreamInitPart mPersistStream;
    PersistPropertyBagPart mPersistBag;
    PersistStoragePart mPersistStorage;
    OleObjectPart mOleObject;
    InPlaceObjectPart mInPlaceObject;
    InPlaceActiveObjectPart mInPlaceActiveObject;
    OleControlPart mOleControl;
    ViewObjectPart mViewObject;
    QuickActivatePart mQuickActivate;
    PropertyPagesPart mPropertyPages;
    ObjectSafetyPart mObjectSafety;
};

} // namespace tovabel::win
