// IQuickActivate: the container hands over its site, sinks and ambients in
// one call and gets the control's status bits and connection cookies back.
#pragma once

#include "com_object.h"

#include <windows.h>

#include <ocidl.h>

namespace tovabel::win {

class TovabelControl;

// How the control draws: opaque, on a background it fills itself.
inline constexpr DWORD kViewStatus = VIEWSTATUS_OPAQUE | VIEWSTATUS_SOLIDBKGND;

class QuickActivatePart final : public Part<IQuickActivate> {
public:
    explicit QuickActivatePart(TovabelControl& control);

    HRESULT STDMETHODCALLTYPE QuickActivate(QACONTAINER* container, QACONTROL* control) override;
    HRESULT STDMETHODCALLTYPE SetContentExtent(LPSIZEL size) override;
    HRESULT STDMETHODCALLTYPE GetContentExtent(LPSIZEL size) override;

private:
    TovabelControl& mControl;
};

} // namespace tovabel::win
