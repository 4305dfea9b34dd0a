// The button as screen readers and automation tools see it: the IAccessible
// that the control's window answers for its client area, and the win events
// that announce what changes in it.
#pragma once

#include "control/types.h"
#include "win/common/com_ptr.h"

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
    // Tells the win event hooks what a call changed in the name, the
    // description or the state; a call that changed none of them tells nothing.
    void AnnounceChanges();

private:
    // What the hooks were last told.
    struct Announced {
        Text name;
        Text description;
        LONG state = 0;
    };

    TovabelControl& mControl;
    ComPtr<AccessibleButton> mObject;
    Announced mAnnounced;
};

} // namespace tovabel::win
