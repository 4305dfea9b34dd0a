#include "control.h"

#include "win/common/guids.h"

#include <olectl.h>

#include <string_view>
#include <utility>
#include <vector>

namespace tovabel::win {

TovabelControl::TovabelControl()
    : points_(*this), accessibility_(*this), inPlace_(*this),
      host_(
          *this, site_, types_, points_, inPlace_, [this] { NotifyResize(); },
          [this](AsyncProperty property) { NotifyDownloaded(std::move(property)); }),
      core_(host_), dual_(*this), classInfo_(*this), persistStream_(*this), persistBag_(*this),
      persistStorage_(*this), oleObject_(*this), inPlaceObject_(*this), inPlaceActiveObject_(*this),
      oleControl_(*this), viewObject_(*this), quickActivate_(*this), propertyPages_(*this),
      objectSafety_(*this) {}

HRESULT TovabelControl::Create(REFIID iid, void** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    try {
        TovabelControl* control = new TovabelControl();
        const HRESULT loaded = control->types_.Load();
        if (FAILED(loaded)) {
            delete control;
            return loaded;
        }
        control->core_.Initialize();
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
        found = static_cast<ITovabel*>(&dual_);
    } else if (IsEqualIID(iid, IID_IProvideClassInfo) || IsEqualIID(iid, IID_IProvideClassInfo2)) {
        found = &classInfo_;
    } else if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
        found = &points_;
    } else if (IsEqualIID(iid, IID_IPersist) || IsEqualIID(iid, IID_IPersistStreamInit)) {
        found = &persistStream_;
    } else if (IsEqualIID(iid, IID_IPersistPropertyBag)) {
        found = &persistBag_;
    } else if (IsEqualIID(iid, IID_IPersistStorage)) {
        found = &persistStorage_;
    } else if (IsEqualIID(iid, IID_IOleObject)) {
        found = &oleObject_;
    } else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceObject)) {
        found = &inPlaceObject_;
    } else if (IsEqualIID(iid, IID_IOleInPlaceActiveObject)) {
        found = &inPlaceActiveObject_;
    } else if (IsEqualIID(iid, IID_IOleControl)) {
        found = &oleControl_;
    } else if (IsEqualIID(iid, IID_IViewObject) || IsEqualIID(iid, IID_IViewObject2)) {
        found = &viewObject_;
    } else if (IsEqualIID(iid, IID_IQuickActivate)) {
        found = &quickActivate_;
    } else if (IsEqualIID(iid, IID_ISpecifyPropertyPages)) {
        found = &propertyPages_;
    } else if (IsEqualIID(iid, IID_IObjectSafety)) {
        found = &objectSafety_;
    }
    *out = found;
    if (found == nullptr) {
        return E_NOINTERFACE;
    }
    found->AddRef();
    return S_OK;
}

ULONG TovabelControl::AddRef() {
    return ++refs_;
}

ULONG TovabelControl::Release() {
    const ULONG left = --refs_;
    if (left == 0) {
        // Terminate may hand the object around (events, notifications): a
        // guard reference keeps it from being deleted twice.
        refs_ = 1;
        try {
            core_.Terminate();
        } catch (...) {
            // Nothing can be reported from a final release.
        }
        delete this;
    }
    return left;
}

HRESULT TovabelControl::InitNew() {
    if (initialized_) {
        return S_OK; // already started (for instance by a property access)
    }
    initialized_ = true;
    core_.InitProperties();
    host_.SetDirty(false);
    return S_OK;
}

HRESULT TovabelControl::Load(PropertyBag& bag) {
    const ComPtr<IUnknown> keepAlive = ComPtr<IUnknown>::Share(this);
    try {
        initialized_ = true;
        core_.ReadProperties(bag);
        host_.SetDirty(false);
        ShowChanges();
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

void TovabelControl::NotifyResize() {
    core_.OnResize();
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
            core_.AmbientChanged(ambient.name);
        }
    }
}

void TovabelControl::NotifyDownloaded(AsyncProperty property) {
    Run([&] {
        core_.AsyncReadComplete(std::move(property));
        return S_OK;
    });
}

void TovabelControl::Draw(HDC dc, const RECT& bounds) {
    const std::vector<Line> lines = core_.VisibleLines();
    host_.Draw(dc, bounds, lines);
}

void TovabelControl::ShowChanges() {
    InvalidateIfFaceChanged();
    accessibility_.AnnounceChanges();
}

void TovabelControl::InvalidateIfFaceChanged() {
    std::vector<Line> lines = core_.VisibleLines();
    if (!host_.TakeCanvasChange() && lines == invalidatedLines_) {
        return;
    }
    invalidatedLines_ = std::move(lines);
    Invalidate();
}

void TovabelControl::Invalidate() {
    if (inPlace_.Window() != nullptr) {
        inPlace_.Invalidate();
    } else {
        viewObject_.ViewChanged();
    }
}

} // namespace tovabel::win
