// The facts of the module's own version resource, as the About box and the
// property pages show them.
#pragma once

// The platform's headers first: they rename some of the core's member names
// (TextOut, MessageBox, PlaySound) by macro, which must happen alike everywhere.
#include <windows.h>

#include "control/host.h"

namespace tovabel::win {

// Title, product name and version from the module's own version resource.
ComponentInfo ReadComponentInfo();

} // namespace tovabel::win
