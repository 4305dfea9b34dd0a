// The button as screen readers and automation tools see it: the IAccessible
// that the control's window answers for its client area.
#pragma once

#include "com_ptr.h"

#include <windows.h>

#include <oleacc.h>

namespace tovabel::win {

class TovabelControl;
class AccessibleButton;

class Accessibility {
public:
    explicit Accessibility(TovabelControl& control);
    Accessibility(const Accessibility&) = delete;
    Accessibility& operator=(const Accessibility&) = delete;
    ~Accessibility();

    // Answers WM_GETOBJECT: the button's object for the client area; 0 for
    // the other parts of the window, which the system's proxies answer.
    LRESULT Answer(HWND window, WPARAM flags, LPARAM objectId);
    // The window or the control goes: the object handed out answers no more.
    void Disconnect();

private:
    TovabelControl& control_;
    ComPtr<AccessibleButton> object_;
};

} // namespace tovabel::win
