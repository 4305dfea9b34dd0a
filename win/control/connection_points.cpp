#include "connection_points.h"

#include "win/common/guids.h"

#include <windows.h>

#include <olectl.h>

#include <utility>

namespace tovabel::win {

namespace {

// A connection as an enumerator holds it: the data handed out and the
// reference that keeps the sink alive while the enumerator lives.
struct HeldConnection {
    ComPtr<IUnknown> sink;
    DWORD cookie;
};

IConnectionPoint* HandOut(const ComPtr<IConnectionPoint>& point) {
    IConnectionPoint* out = nullptr;
    point.CopyTo(&out);
    return out;
}

CONNECTDATA HandOut(const HeldConnection& connection) {
    CONNECTDATA out{nullptr, connection.cookie};
    connection.sink.CopyTo(&out.pUnk);
    return out;
}

// An enumerator over a copy of the items taken when it was made; each item
// handed out carries a reference for the caller.
template <class Enum, class Item, class Held> class SnapshotEnum final : public Standalone<Enum> {
public:
    SnapshotEnum(const IID& iid, std::vector<Held> items, std::size_t position = 0)
        : mIid(iid), mItems(std::move(items)), mPosition(position) {}

    HRESULT STDMETHODCALLTYPE Next(ULONG count, Item* out, ULONG* fetched) override {
        if (out == nullptr || (count > 1 && fetched == nullptr)) {
            return E_POINTER;
        }
        ULONG given = 0;
        while (given < count && mPosition < mItems.size()) {
            out[given++] = HandOut(mItems[mPosition++]);
        }
        if (fetched != nullptr) {
            *fetched = given;
        }
        return given == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const std::size_t left = mItems.size() - mPosition;
        mPosition += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        mPosition = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(Enum** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = new SnapshotEnum(mIid, mItems, mPosition);
        return S_OK;
    }

private:
    const IID& mIid;
    std::vector<Held> mItems;
    std::size_t mPosition;
};

using ConnectionPointsEnum =
    SnapshotEnum<IEnumConnectionPoints, IConnectionPoint*, ComPtr<IConnectionPoint>>;
using ConnectionsEnum = SnapshotEnum<IEnumConnections, CONNECTDATA, HeldConnection>;

} // namespace

ConnectionPoint::ConnectionPoint(IUnknown& owner, IConnectionPointContainer& container,
                                 const IID& iid, bool acceptDispatch)
    : mOwner(owner), mContainer(container), mIid(iid), mAcceptDispatch(acceptDispatch) {}

HRESULT ConnectionPoint::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPoint)) {
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) {
    if (iid == nullptr) {
        return E_POINTER;
    }
    *iid = mIid;
    return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (container == nullptr) {
        return E_POINTER;
    }
    *container = &mContainer;
    mContainer.AddRef();
    return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (cookie == nullptr) {
        return E_POINTER;
    }
    *cookie = 0;
    if (sink == nullptr) {
        return E_POINTER;
    }
    ComPtr<IUnknown> connected;
    if (FAILED(sink->QueryInterface(mIid, connected.PutVoid())) && mAcceptDispatch) {
        sink->QueryInterface(IID_IDispatch, connected.PutVoid());
    }
    if (!connected) {
        return CONNECT_E_CANNOTCONNECT;
    }
    *cookie = mNextCookie++;
    mConnections.push_back({*cookie, std::move(connected)});
    return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) {
    for (auto it = mConnections.begin(); it != mConnections.end(); ++it) {
        if (it->cookie == cookie) {
            // Moved out first: releasing the sink may call back into this point.
            const ComPtr<IUnknown> leaving = std::move(it->sink);
            mConnections.erase(it);
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    std::vector<HeldConnection> items;
    for (const Connection& connection : mConnections) {
        items.push_back({connection.sink, connection.cookie});
    }
    *out = new ConnectionsEnum(IID_IEnumConnections, std::move(items));
    return S_OK;
}

std::vector<ComPtr<IUnknown>> ConnectionPoint::Sinks() const {
    std::vector<ComPtr<IUnknown>> sinks;
    sinks.reserve(mConnections.size());
    for (const Connection& connection : mConnections) {
        sinks.push_back(connection.sink);
    }
    return sinks;
}

ConnectionPointContainerPart::ConnectionPointContainerPart(IUnknown& owner)
    : Part(owner), mEvents(owner, *this, DIID___Tovabel, true),
      mPropertyNotify(owner, *this, IID_IPropertyNotifySink, false) {}

HRESULT ConnectionPointContainerPart::EnumConnectionPoints(IEnumConnectionPoints** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    std::vector<ComPtr<IConnectionPoint>> points{ComPtr<IConnectionPoint>::Share(&mEvents),
                                                 ComPtr<IConnectionPoint>::Share(&mPropertyNotify)};
    *out = new ConnectionPointsEnum(IID_IEnumConnectionPoints, std::move(points));
    return S_OK;
}

HRESULT ConnectionPointContainerPart::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    ConnectionPoint* point = IsEqualIID(iid, DIID___Tovabel)            ? &mEvents
                             : IsEqualIID(iid, IID_IPropertyNotifySink) ? &mPropertyNotify
                                                                        : nullptr;
    if (point == nullptr) {
        return CONNECT_E_NOCONNECTION;
    }
    *out = point;
    point->AddRef();
    return S_OK;
}

} // namespace tovabel::win
