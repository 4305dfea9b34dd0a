#include "property_pages.h"

#include "win/common/guids.h"

#include <initguid.h>

#include <msstkppg.h>

#include <algorithm>
#include <iterator>

namespace tovabel::win {

HRESULT PropertyPagesPart::GetPages(CAUUID* pages) {
    if (pages == nullptr) {
        return E_POINTER;
    }
    // The stock pages are listed even where the platform cannot create them:
    // the frame skips a page it cannot make.
    static const GUID kPages[] = {CLSID_pagGeneral, CLSID_pagURLs, CLSID_StockColorPage,
                                  CLSID_StockPicturePage, CLSID_StockFontPage};
    const ULONG count = static_cast<ULONG>(std::size(kPages));
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(kPages)));
    pages->cElems = pages->pElems != nullptr ? count : 0;
    if (pages->pElems == nullptr) {
        return E_OUTOFMEMORY;
    }
    std::copy(std::begin(kPages), std::end(kPages), pages->pElems);
    return S_OK;
}

} // namespace tovabel::win
