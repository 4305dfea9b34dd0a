// The button's property pages as a designer shows them: each page drawn into
// a PNG, then the platform's property frame over the button.
#pragma once

#include <windows.h>

#include <string>

namespace tovabel::demo {

// Writes page-general.png and page-urls.png into `folder` (ending in a
// separator) and opens the property frame for `button`; without `stayOpen`
// the frame is pictured into pages-frame.png and closed again.
void ShowPages(IUnknown* button, const std::wstring& folder, bool stayOpen);

} // namespace tovabel::demo
