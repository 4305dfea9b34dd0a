// Giving the face the look of a visual state: which frame lines show, in which
// colours, which picture, where, and the enter and leave sounds. Lines are
// never moved here.
#include "control/tovabel.h"

namespace tovabel {

void Tovabel::PaintState(VisualState state) {
    if (mState == state || mFaceHeld) {
        return; // mouse moves repaint only on a real change of look; a load paints once
    }
    if (state == vsHover && mDroppedDown) {
        return; // a dropped-down button keeps its look under the pointer
    }
    const bool defaultLook = !Traits().flat && mHost.AmbientDisplayAsDefault();
    for (int edge : {Edge::Top, Edge::Left, Edge::Bottom, Edge::Right}) {
        lnBorder[edge].BorderWidth = defaultLook ? 2 : 1;
    }
    mState = state;
    switch (state) {
    case vsNormal:
        PaintNormal();
        break;
    case vsHover:
        PaintHover();
        break;
    case vsPressed:
        PaintPressed();
        break;
    default:
        break;
    }
}

void Tovabel::PaintNormal() {
    const bool fs = FixedSingle();
    if (!Traits().flat) {
        SetFrame(lnBorder, true);
        ShowFrame(lnBorder, fs);
    } else {
        ShowFrame(lnBorder, false);
    }
    ShowFrame(lnDDBorder, false);
    if (DisabledPictureApplies()) {
        AssignPicture(mPictureDisabled);
    } else if (mPicture) {
        SwapPicture(mPicture);
    }
    if (mChecked) {
        SetFrame(lnBorder, false);
        ShowFrame(lnBorder, fs);
        if (DisabledPictureApplies()) {
            AssignPicture(mPictureDisabled);
        } else if (mPictureDown) {
            SwapPicture(mPictureDown);
        }
    }
    if (mDroppedDown) {
        if (Traits().raisedWhenOpen) {
            SetFrame(lnBorder, true);
            SetFrame(lnDDBorder, false);
            ShowFrame(lnDDBorder, Traits().split && fs);
        } else {
            SetFrame(lnBorder, false);
        }
        ShowFrame(lnBorder, fs);
        if (DisabledPictureApplies()) {
            AssignPicture(mPictureDisabled);
        } else if (mPictureOver) {
            SwapPicture(mPictureOver);
        }
    }
    PlacePicture(vsNormal);
    PlayLeaveSound();
    if (mDroppedDown && Traits().menuTitle) {
        ++mPictureX; // an open menu looks pressed
        ++mPictureY;
    }
    FinishPaint(false);
}

void Tovabel::PaintHover() {
    if ((mHasFocus && !mEnabled) || Traits().separator == SeparatorKind::Menu) {
        return;
    }
    const bool fs = FixedSingle();
    SetFrame(lnBorder, true);
    ShowFrame(lnBorder, fs);
    SetFrame(lnDDBorder, true);
    ShowFrame(lnDDBorder, Traits().split && fs);
    if (DisabledPictureApplies()) {
        AssignPicture(mPictureDisabled);
    } else if (mPictureOver) {
        SwapPicture(mPictureOver);
    } else if (mPicture && mPictureDown) {
        // Leaving the pressed picture when the button is released or the
        // pointer comes back in.
        if (HandleOf(imgPicture) == HandleOf(mPictureDown)) {
            AssignPicture(mPicture);
        }
    } else if (!mPicture) {
        AssignPicture(nullptr);
    }
    if (mChecked) {
        SetFrame(lnBorder, false);
        ShowFrame(lnBorder, fs);
    }
    PlacePicture(vsHover);
    if (mChecked && fs && Traits().sinksWhenChecked) {
        ++mPictureX;
        ++mPictureY;
    }
    PlayEnterSound();
    FinishPaint(true);
}

void Tovabel::PaintPressed() {
    if (!mEnabled) {
        return;
    }
    const bool fs = FixedSingle();
    if (Traits().split && mArrowPressed) {
        SetFrame(lnBorder, true);
        SetFrame(lnDDBorder, false);
        ShowFrame(lnDDBorder, fs);
    } else if (Traits().litWhenPressed) {
        SetFrame(lnBorder, true); // a pressed menu item stays lit, it does not sink
    } else {
        SetFrame(lnBorder, false);
    }
    ShowFrame(lnBorder, fs);
    if (mPictureDown) {
        SwapPicture(mPictureDown);
    } else if (mPictureOver) {
        SwapPicture(mPictureOver);
    }
    PlacePicture(vsPressed);
    if (mChecked && fs && Traits().sinksWhenChecked) {
        ++mPictureX;
        ++mPictureY;
    }
    FinishPaint(true);
}

void Tovabel::FinishPaint(bool armRedrawTimer) {
    Cls();
    DrawPicture();
    LayoutArrow();
    DrawCaption();
    if (armRedrawTimer) {
        SetTimer(RedrawTimer, TimerId::Redraw, true);
    }
}

// Raised: light top and left, dark bottom and right; sunken the other way.
void Tovabel::SetFrame(FrameLines& lines, bool raised) {
    const OleColor light = raised ? mHighlightColor : mShadowColor;
    const OleColor dark = raised ? mShadowColor : mHighlightColor;
    lines[Edge::Top].BorderColor = light;
    lines[Edge::Left].BorderColor = light;
    lines[Edge::Bottom].BorderColor = dark;
    lines[Edge::Right].BorderColor = dark;
}

void Tovabel::ShowFrame(FrameLines& lines, bool visible) {
    for (Line& line : lines) {
        line.Visible = visible;
    }
}

bool Tovabel::DisabledPictureApplies() const {
    return mPictureDisabled && !mEnabled;
}

// A picture the face already shows is not assigned again.
void Tovabel::SwapPicture(const Picture& picture) {
    if (imgPicture && HandleOf(imgPicture) == HandleOf(picture)) {
        return;
    }
    AssignPicture(picture);
}

// Changing the picture may resize the surface; that is not a layout request.
void Tovabel::AssignPicture(const Picture& picture) {
    mInLayout = true;
    SetMaskPicture(picture);
    imgPicture = picture;
    mInLayout = false;
}

// ---------------------------------------------------------------------------
// Sounds: each entry plays the enter sound once and arms the leave sound; each
// leave plays the leave sound once and arms the enter sound.

void Tovabel::PlayEnterSound() {
    if (mHost.AmbientUserMode() && !mEnterSoundDone && mPlaySounds) {
        if (mUseSystemSounds) {
            // Buttons that open a drop-down are quiet on entry.
            if (!Traits().keyboardDropDown) {
                mHost.PlaySound(Sound(std::string("MenuPopup")), SoundFlags::SystemSound);
            }
        } else if (mHasSoundEnter) {
            PlayWave(mSoundEnter);
        }
        mEnterSoundDone = true;
    }
    mLeaveSoundDone = false;
}

void Tovabel::PlayLeaveSound() {
    if (mHost.AmbientUserMode() && !mLeaveSoundDone && mPlaySounds) {
        if (!mUseSystemSounds && mHasSoundLeave) {
            PlayWave(mSoundLeave);
        }
        mLeaveSoundDone = true;
    }
    mEnterSoundDone = false;
}

void Tovabel::PlayWave(const SoundBytes& bytes) {
    mHost.PlaySound(Sound(std::span<const std::uint8_t>(bytes)), SoundFlags::WaveData);
}

} // namespace tovabel
