#include "events.h"

#include "control/host.h"
#include "win/common/guids.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

namespace tovabel::demo {

namespace {

// What the demo prints for an event of the control.
std::string NameOf(DISPID id) {
    const std::string_view name = EventName(id);
    return name.empty() ? "another event" : std::string(name);
}

} // namespace

bool EventPrinter::Connect(IUnknown* button) {
    Disconnect();
    win::ComPtr<IConnectionPointContainer> points;
    win::ComPtr<IConnectionPoint> point;
    if (FAILED(button->QueryInterface(IID_IConnectionPointContainer, points.PutVoid())) ||
        FAILED(points->FindConnectionPoint(DIID___Tovabel, point.Put())) ||
        FAILED(point->Advise(this, &mCookie))) {
        return false;
    }
    mPoint = point;
    return true;
}

void EventPrinter::Disconnect() {
    if (mPoint) {
        mPoint->Unadvise(std::exchange(mCookie, 0));
        mPoint.Reset();
    }
}

HRESULT EventPrinter::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                             EXCEPINFO*, UINT*) {
    if (id == EventId::MouseMove) {
        return S_OK;
    }
    ++mCount[id];
    // PropertyDownloaded names the property that was fetched.
    if (id == EventId::PropertyDownloaded && params != nullptr && params->cArgs == 1 &&
        V_VT(&params->rgvarg[0]) == VT_BSTR) {
        std::printf("  %-10s event: PropertyDownloaded(\"%ls\") (dispid 9)\n", mLabel.c_str(),
                    V_BSTR(&params->rgvarg[0]));
        std::fflush(stdout);
        return S_OK;
    }
    if (mLabel.empty()) {
        std::printf("  event: %s (dispid %ld)\n", NameOf(id).c_str(), static_cast<long>(id));
    } else {
        std::printf("  %-10s event: %s (dispid %ld)\n", mLabel.c_str(), NameOf(id).c_str(),
                    static_cast<long>(id));
    }
    std::fflush(stdout);
    return S_OK;
}

} // namespace tovabel::demo
