// Prints the events a button raises as they arrive, by name, with the button's
// label in front when it has one. Pointer moves are left out: there are many.
#pragma once

#include "win/common/com_ptr.h"
#include "win/olehost/event_receiver.h"

#include <windows.h>

#include <ocidl.h>

#include <map>
#include <string>
#include <utility>

namespace tovabel::demo {

class EventPrinter final : public olehost::EventReceiver {
public:
    explicit EventPrinter(std::string label = {}) : mLabel(std::move(label)) {}

    // Connects to the button's events; false when it offers none.
    bool Connect(IUnknown* button);
    // Disconnects again (also done when the printer goes).
    void Disconnect();
    ~EventPrinter() { Disconnect(); }
    EventPrinter(const EventPrinter&) = delete;
    EventPrinter& operator=(const EventPrinter&) = delete;

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                     EXCEPINFO*, UINT*) override;

    // How many events with `id` arrived so far.
    int Count(DISPID id) const {
        const auto found = mCount.find(id);
        return found == mCount.end() ? 0 : found->second;
    }

private:
    std::string mLabel;
    std::map<DISPID, int> mCount;
    win::ComPtr<IConnectionPoint> mPoint; // while connected
    DWORD mCookie = 0;
};

} // namespace tovabel::demo
