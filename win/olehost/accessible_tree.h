// Reading accessible objects the way an automation tool lists them: one line
// per object with its role, name, state, shortcut and default action in the
// platform's own words.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string>

namespace tovabel::olehost {

// The child id that names an accessible object itself.
VARIANT SelfChild();

// One line for the object itself (CHILDID_SELF):
//   push button "Open" [focusable, hot tracked] Alt+O: Press
// Parts that the object does not answer, and an empty state, are left out.
std::wstring DescribeAccessible(IAccessible* object);

} // namespace tovabel::olehost
