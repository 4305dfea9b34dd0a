// pagGeneral: the General property page of the control.
#pragma once

#include <windows.h>

namespace tovabel::win {

// The class factory's creator of a new General page.
HRESULT CreateGeneralPage(REFIID iid, void** out);

} // namespace tovabel::win
