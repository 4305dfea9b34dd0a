// pagURLs: the URLs property page of the control.
#pragma once

#include <windows.h>

namespace tovabel::win {

// The class factory's creator of a new URLs page.
HRESULT CreateUrlsPage(REFIID iid, void** out);

} // namespace tovabel::win
