// The component's About box: a modal dialog without owner that shows the
// component's title and version and closes with its OK button. While it is
// open, the other windows of its thread take no input.
#pragma once

#include "control/host.h"

namespace tovabel::win {

// Shows the box, loaded afresh, and returns when it is closed. A thread shows
// one About box at a time: asked again while its box is open, the open box
// comes to the front. Failures leave nothing shown.
void ShowAboutBox(const ComponentInfo& component);

} // namespace tovabel::win
