#include "control.h"

#include "win/common/guids.h"

#include <olectl.h>

#include <string_view>
#include <utility>
#include <vector>

namespace tovabel::win {

TovabelControl::TovabelControl()
    : mPoints(*this), mAccessibility(*this), mInPlace(*this),
      mHost(
          *this, mSite, mTypes, mPoints, mInPlace, [this] { NotifyResize(); },
          [this](AsyncProperty property) { NotifyDownloaded(std::move(property)); }),
      mCore(mHost), mDual(*this), mClassInfo(*this), mPersistStream(*this), mPersistBag(*this),
      mPersistStorage(*this), mOleObject(*this), mInPlaceObject(*this), mInPlaceActiveObject(*this),
      mOleControl(*this), mViewObject(*this), mQuickActivate(*this), mPropertyPages(*this),
      mObjectSafety(*this) {}

HRESULT TovabelControl::Create(REFIID iid, void** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    try {
        TovabelControl* control = new TovabelControl();
        const HRESULT loaded = control->mTypes.Load();
        if (FAILED(loaded)) {
            delete control;
            return loaded;
        }
        control->mCore.Initialize();
        const HRESULT hr = control->QueryInterface(iid, out);
        control->Release(); // the creation reference; `out` holds one on success
        return hr;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT TovabelControl::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    IUnknown* found = nullptr;
    if (IsEqualIID(iid, IID_IUnknown)) {
        found = this;
    } else if (IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID__Tovabel)) {
        found = static_cast<ITovabel*>(&mDual);
    } else if (IsEqualIID(iid, IID_IProvideClassInfo) || IsEqualIID(iid, IID_IProvideClassInfo2)) {
        found = &mClassInfo;
    } else if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
        found = &mPoints;
    } else if (IsEqualIID(iid, IID_IPersist) || IsEqualIID(iid, IID_IPersistStreamInit)) {
        found = &mPersistStream;
    } else if (IsEqualIID(iid, IID_IPersistPropertyBag)) {
        found = &mPersistBag;
    } else if (IsEqualIID(iid, IID_IPersistStorage)) {
        found = &mPersistStorage;
    } else if (IsEqualIID(iid, IID_IOleObject)) {
        found = &mOleObject;
    } else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceObject)) {
        found = &mInPlaceObject;
    } else if (IsEqualIID(iid, IID_IOleInPlaceActiveObject)) {
        found = &mInPlaceActiveObject;
    } else if (IsEqualIID(iid, IID_IOleControl)) {
        found = &mOleControl;
    } else if (IsEqualIID(iid, IID_IViewObject) || IsEqualIID(iid, IID_IViewObject2)) {
        found = &mViewObject;
    } else if (IsEqualIID(iid, IID_IQuickActivate)) {
        found = &mQuickActivate;
    } else if (IsEqualIID(iid, IID_ISpecifyPropertyPages)) {
        found = &mPropertyPages;
    } else if (IsEqualIID(iid, IID_IObjectSafety)) {
        found = &mObjectSafety;
    }
    *out = found;
    if (found == nullptr) {
        return E_NOINTERFACE;
    }
    found->AddRef();
    return S_OK;
}

ULONG TovabelControl::AddRef() {
    return ++mRefs;
}

ULONG TovabelControl::Release() {
    const ULONG left = --mRefs;
    if (left == 0) {
        // Terminate may hand the object around (events, notifications): a
        // guard reference keeps it from being deleted twice.
        mRefs = 1;
        try {
            mCore.Terminate();
        } catch (...) {
            // Nothing can be reported from a final release.
        }
        delete this;
    }
    return left;
}

HRESULT TovabelControl::InitNew() {
    if (mInitialized) {
        return S_OK; // already started (for instance by a property access)
    }
    mInitialized = true;
    mCore.InitProperties();
    mHost.SetDirty(false);
    return S_OK;
}

HRESULT TovabelControl::Load(PropertyBag& bag) {
    const ComPtr<IUnknown> keepAlive = ComPtr<IUnknown>::Share(this);
    try {
        mInitialized = true;
        mCore.ReadProperties(bag);
        mHost.SetDirty(false);
        ShowChanges();
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

void TovabelControl::NotifyResize() {
    mCore.OnResize();
}

void TovabelControl::NotifyAmbientChanged(DISPID id) {
    static constexpr struct {
        DISPID id;
        std::string_view name;
    } kAmbients[] = {
        {DISPID_AMBIENT_USERMODE, "UserMode"},
        {DISPID_AMBIENT_FONT, "Font"},
        {DISPID_AMBIENT_DISPLAYASDEFAULT, "DisplayAsDefault"},
        {DISPID_AMBIENT_DISPLAYNAME, "DisplayName"},
        {DISPID_AMBIENT_BACKCOLOR, "BackColor"},
        {DISPID_AMBIENT_FORECOLOR, "ForeColor"},
    };
    for (const auto& ambient : kAmbients) {
        if (id == ambient.id || id == DISPID_UNKNOWN) {
            mCore.AmbientChanged(ambient.name);
        }
    }
}

void TovabelControl::NotifyDownloaded(AsyncProperty property) {
    Run([&] {
        mCore.AsyncReadComplete(std::move(property));
        return S_OK;
    });
}

void TovabelControl::Draw(HDC dc, const RECT& bounds) {
    const std::vector<Line> lines = mCore.VisibleLines();
    mHost.Draw(dc, bounds, lines);
}

void TovabelControl::ShowChanges() {
    RepaintIfFaceChanged();
    mAccessibility.AnnounceChanges();
}

void TovabelControl::RepaintIfFaceChanged() {
    std::vector<Line> lines = mCore.VisibleLines();
    if (!mHost.TakeCanvasChange() && lines == mShownLines) {
        return;
    }
    mShownLines = std::move(lines);
    Repaint();
}

void TovabelControl::Repaint() {
    if (mInPlace.Window() != nullptr) {
        mInPlace.Repaint();
    } else {
        mViewObject.ViewChanged();
    }
}

} // namespace tovabel::win
