// ISpecifyPropertyPages: the pages a designer shows for the control, in order:
// General, URLs, then the platform's stock colour, picture and font pages.
#pragma once

#include "com_object.h"

#include <windows.h>

#include <ocidl.h>

namespace tovabel::win {

class PropertyPagesPart final : public Part<ISpecifyPropertyPages> {
public:
    explicit PropertyPagesPart(IUnknown& owner) : Part(owner) {}

    HRESULT STDMETHODCALLTYPE GetPages(CAUUID* pages) override;
};

} // namespace tovabel::win
