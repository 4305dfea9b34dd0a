// The first control of a page's selection, reached late-bound through its
// automation interface by property name, as the pages' rules ask for it.
#pragma once

#include "pages/page_services.h"
#include "win/common/com_ptr.h"

#include <windows.h>

#include <oaidl.h>

namespace tovabel::win {

class DispatchControl final : public pages::SelectedControl {
public:
    // Takes the first of `objects`, or none.
    void Select(ULONG count, IUnknown** objects);
    bool HasSelection() const { return static_cast<bool>(mControl); }
    // The failure of the last call that failed (S_OK when none failed).
    HRESULT LastError() const { return mLastError; }

    std::optional<pages::PropertyValue> Get(std::string_view property) override;
    bool Set(std::string_view property, const pages::PropertyValue& value) override;
    std::optional<std::int32_t> PictureType() override;

private:
    // Passes `hr` on, kept as the last error when it is a failure.
    HRESULT Noted(HRESULT hr);
    std::optional<DISPID> IdOf(std::string_view property);

    ComPtr<IDispatch> mControl;
    HRESULT mLastError = S_OK;
};

} // namespace tovabel::win
