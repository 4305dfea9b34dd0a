// The tooltip window that all run-mode buttons of a thread share: created by
// the first user, destroyed after the last. Each button's window is a tool
// whose text the tooltip asks the button for when it is about to show.
#pragma once

#include <windows.h>

namespace tovabel::win::tooltip {

// One more button uses the window; the first creates it (a failure is not
// retried while users remain: the buttons then work without tips).
void AddUser();
// One button less; the last one destroys the window.
void RemoveUser();
// The window, or null when there is none.
HWND Window();

// Registers `control` as a tool whose text is asked for by notification.
void AddTool(HWND control);
void RemoveTool(HWND control);
// Hands the tooltip a mouse message of `control`, so it knows when to show.
void Relay(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace tovabel::win::tooltip
