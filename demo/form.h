// The demo form: a menu bar, a toolbar and a menu of buttons hosted in one
// window of our container, a scripted interaction through the buttons' window
// messages that prints the events they raise, the toolbar listed as screen
// readers and automation tools see it, and, for a person at a display, the
// form left open until it is closed.
#pragma once

#include <string>

namespace tovabel::demo {

// Runs the form and writes what it shows after the script to `picturePath`;
// with `showPages` it then shows the property pages of its Open button; with
// `stayOpen` it returns when the person closes it.
void RunForm(const std::wstring& picturePath, bool showPages, bool stayOpen);

} // namespace tovabel::demo
