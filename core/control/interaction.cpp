// The interaction state machine: pointer, keyboard and focus notifications
// turned into visual states, drop-downs and the control's events.
#include "control/tovabel.h"

#include "render/geometry.h"

#include <utility>

namespace tovabel {

namespace {

constexpr std::int16_t kLeftButton = 1;
constexpr std::int16_t kRightButton = 2;
constexpr std::int16_t kKeyReturn = 13;
constexpr std::int16_t kKeySpace = 32;
constexpr std::int16_t kKeyDown = 40;
constexpr std::int16_t kShiftAlt = 4;

} // namespace

// Separators and disabled buttons ignore the mouse (moves are still reported).
bool Tovabel::Inert() const {
    return !mEnabled || Traits().separator != SeparatorKind::None;
}

bool Tovabel::OnDropDownArea(float x) const {
    return x >= mHost.ScaleWidth() - mDDWidth;
}

bool Tovabel::InsideClient(float x, float y) const {
    return IsInsideClient(x, y, RoundHalfEven(mHost.ScaleWidth()),
                          RoundHalfEven(mHost.ScaleHeight()), mEnabled);
}

void Tovabel::RaiseMouseEvent(std::int32_t dispid, std::int16_t button, std::int16_t shift, float x,
                              float y) {
    EventArg args[] = {button, shift, x, y};
    mHost.RaiseEvent(dispid, args);
}

void Tovabel::MouseDown(std::int16_t button, std::int16_t shift, float x, float y) {
    if (button & kLeftButton) {
        mDoubleClickHeld = false;
    }
    if (Inert()) {
        return;
    }
    if ((button & kLeftButton) && InsideClient(x, y)) {
        mLeftButtonDown = true;
        mArrowPressed = OnDropDownArea(x) && Traits().split;
        if (mArrowPressed || Traits().opensOnPress) {
            if (Traits().cascade) {
                SetTimer(MenuPopTimer, TimerId::MenuPop, false);
                mDroppedDown = true; // pressing a cascade item always opens it
            } else {
                mDroppedDown = !mDroppedDown;
            }
            if (mDroppedDown) {
                ForceRepaint(vsNormal);
                RaiseEvent(EventId::DropDown);
            } else {
                ForceRepaint(vsHover);
                RaiseEvent(EventId::DropDownCancelled);
            }
        } else if (mDroppedDown) {
            mDroppedDown = false; // closes without DropDownCancelled
            PaintState(vsHover);
        } else {
            PaintState(vsPressed);
        }
    }
    RaiseMouseEvent(EventId::MouseDown, button, shift, x, y);
}

// The control learns that the pointer left by holding the mouse capture while
// the pointer is over it.
void Tovabel::MouseMove(std::int16_t button, std::int16_t shift, float x, float y) {
    RaiseMouseEvent(EventId::MouseMove, button, shift, x, y);
    if (Inert()) {
        return;
    }
    mMouseOver = InsideClient(x, y);
    mLeftButtonDown = (button & kLeftButton) != 0;
    if (mMouseOver) {
        if (mLeftButtonDown) {
            mArrowPressed = OnDropDownArea(x) && Traits().split;
            PaintState(vsPressed);
        } else {
            mArrowPressed = false;
            PaintState(vsHover);
        }
        if (!mCaptured) {
            mHost.ReleaseCapture(); // another control may still hold it
        }
        mHost.SetCapture();
        mCaptured = true;
        if (Traits().cascade) {
            SetTimer(MenuPopTimer, TimerId::MenuPop, true);
        }
        return;
    }
    if (Traits().cascade) {
        SetTimer(MenuPopTimer, TimerId::MenuPop, false);
    }
    mArrowPressed = false;
    if (mLeftButtonDown) {
        PaintState(vsHover); // dragging out keeps the raised look and the capture
    } else {
        PaintState(vsNormal);
        if (mCaptured) {
            mHost.ReleaseCapture();
            mCaptured = false;
        }
    }
    mEnterSoundDone = false;
}

void Tovabel::DoubleClick() {
    mDoubleClickHeld = true;
}

void Tovabel::MouseUp(std::int16_t button, std::int16_t shift, float x, float y) {
    // The release of a double click ends no press of the button.
    const bool clicks = !((button & kLeftButton) && std::exchange(mDoubleClickHeld, false));
    if (Inert()) {
        return;
    }
    if (button & kLeftButton) {
        mLeftButtonDown = false;
        mMouseOver = InsideClient(x, y);
        mEnterSoundDone = true;
        mLeaveSoundDone = true;
        mArrowPressed = false;
        if (Traits().checks && mMouseOver && clicks) {
            mChecked = !mChecked;
        }
        PaintState(mMouseOver ? vsHover : vsNormal);
    }
    RaiseMouseEvent(EventId::MouseUp, button, shift, x, y);
    // The capture is taken again after every release so that leaving is seen.
    mCaptured = true;
    mState = vsUnknown;
    mHost.SetCapture();
    if (button == kLeftButton && mMouseOver && clicks) {
        PlayClickSound();
        DrawPicture();
        LayoutArrow();
        ClickByStyle(x);
    } else if (button == kRightButton && x >= 0 && x <= mHost.ScaleWidth() && y >= 0 &&
               y <= mHost.ScaleHeight()) {
        RaiseEvent(EventId::RightClick);
    }
    mEnterSoundDone = true;
    mLeaveSoundDone = false;
}

void Tovabel::ClickByStyle(float x) {
    if (!Traits().clicks) {
        return;
    }
    // A split button clicks on its main part only, and only when its drop-down was not open.
    if (Traits().split && (x >= mHost.ScaleWidth() - mDDWidth || mDroppedDown)) {
        return;
    }
    mValue = true;
    RaiseEvent(EventId::Click);
    mValue = false;
}

void Tovabel::PlayClickSound() {
    // A button that the click has just checked, or a drop-down that it opened,
    // stays quiet.
    if (!mPlaySounds || mDroppedDown || mChecked) {
        return;
    }
    if (mUseSystemSounds) {
        mHost.PlaySound(Sound(std::string("MenuCommand")), SoundFlags::SystemSound);
    } else if (mHasSoundClick) {
        PlayWave(mSoundClick);
    }
}

void Tovabel::KeyDown(std::int16_t keyCode, std::int16_t shift) {
    const bool space = keyCode == kKeySpace || keyCode == kKeyReturn;
    if (Traits().keyboardDropDown) {
        if (mDroppedDown) {
            CancelDropDown(); // any key closes the drop-down, without an event
        } else if (keyCode == kKeyDown && shift == kShiftAlt) {
            mDroppedDown = true;
            ForceRepaint(vsNormal);
            RaiseEvent(EventId::DropDown);
        } else if (space) {
            SetValue(true);
        }
        return;
    }
    if (space) {
        SetValue(true);
    }
}

void Tovabel::KeyPress(std::int16_t& keyAscii) {
    EventArg args[] = {keyAscii};
    mHost.RaiseEvent(EventId::KeyPress, args);
    if (const auto* changed = std::get_if<std::int16_t>(&args[0])) {
        keyAscii = *changed; // the handler may change or cancel the key
    }
}

void Tovabel::AccessKeyPress(std::int16_t) {
    if (mEnabled) {
        SetValue(true);
    }
}

// A focused button looks hovered until the pointer moves; the capture makes
// that first move arrive here, and a move outside returns it to Normal.
void Tovabel::EnterFocus() {
    const std::optional<bool> tabStop = mHost.ExtenderTabStop();
    if (!tabStop || !*tabStop) {
        return;
    }
    mHasFocus = true;
    if (Traits().checks && !Traits().menuItem && mChecked) {
        if (mState != vsNormal) {
            mCaptured = true;
            mHost.SetCapture();
            PaintState(vsNormal);
        }
        return;
    }
    if (mMouseOver || mState == vsHover || Traits().separator != SeparatorKind::None) {
        return;
    }
    mCaptured = true;
    mHost.SetCapture();
    PaintState(vsHover);
}

void Tovabel::ExitFocus() {
    mHasFocus = false;
    CancelDropDown();
    PaintState(vsNormal);
}

void Tovabel::CancelMode() {
    ForceRepaint(vsNormal);
    mHost.ReleaseCapture();
    mHasFocus = false;
    mLeftButtonDown = false;
    mDoubleClickHeld = false;
    mMouseOver = false;
    mCaptured = false;
    mEnterSoundDone = true;
}

void Tovabel::SystemColorsChanged() {
    Cls();
    LayoutControl();
}

std::optional<Text> Tovabel::ToolTipTextToShow() {
    const std::optional<Text> fromContainer = mHost.ExtenderToolTipText();
    if (fromContainer && !fromContainer->empty() && mEnabled) {
        mToolTipText = *fromContainer;
    }
    return ToolTipShownWith(fromContainer);
}

bool Tovabel::HasToolTipToShow() {
    const std::optional<Text> shown = ToolTipShownWith(mHost.ExtenderToolTipText());
    return shown && !shown->empty();
}

std::optional<Text> Tovabel::ToolTipShownWith(const std::optional<Text>& fromContainer) const {
    if (!fromContainer || (!fromContainer->empty() && !mEnabled)) {
        return std::nullopt;
    }
    const Text& text = fromContainer->empty() ? mToolTipText : *fromContainer;
    return text.size() == 1 ? Text() : text;
}

} // namespace tovabel
