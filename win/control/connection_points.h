// Outgoing interfaces: one connection point per interface (the events
// dispinterface __Tovabel, IPropertyNotifySink) and the container part that
// finds and lists them.
#pragma once

#include "com_object.h"
#include "win/common/com_ptr.h"

#include <windows.h>

#include <ocidl.h>

#include <vector>

namespace tovabel::win {

class ConnectionPoint final : public IConnectionPoint {
public:
    // `acceptDispatch`: a sink that lacks `iid` may connect through IDispatch
    // (script engines' event sinks answer only IDispatch).
    ConnectionPoint(IUnknown& owner, IConnectionPointContainer& container, const IID& iid,
                    bool acceptDispatch);
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;
    ~ConnectionPoint() = default;

    // The connection point is its own COM identity, kept alive by its owner.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return mOwner.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return mOwner.Release(); }

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE
    GetConnectionPointContainer(IConnectionPointContainer** container) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override;

    // The connected sinks at this moment, each held for the caller: a sink may
    // unadvise while it is being called. Each pointer is of the connection
    // interface (or IDispatch), seen as IUnknown.
    std::vector<ComPtr<IUnknown>> Sinks() const;

private:
    struct Connection {
        DWORD cookie;
        ComPtr<IUnknown> sink;
    };

    IUnknown& mOwner;
    IConnectionPointContainer& mContainer;
    const IID& mIid;
    bool mAcceptDispatch;
    std::vector<Connection> mConnections;
    DWORD mNextCookie = 1;
};

class ConnectionPointContainerPart final : public Part<IConnectionPointContainer> {
public:
    explicit ConnectionPointContainerPart(IUnknown& owner);

    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

    ConnectionPoint& Events() { return mEvents; }
    ConnectionPoint& PropertyNotify() { return mPropertyNotify; }

private:
    ConnectionPoint mEvents;
    ConnectionPoint mPropertyNotify;
};

} // namespace tovabel::win
