#include "control/tovabel.h"

#include "control/identity.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace tovabel {

namespace {

thread_local int gInstanceCount = 0;

constexpr std::u16string_view kMsgAutoSizeTransparent =
    u"AutoSize must be enabled for transparent buttons";
constexpr std::u16string_view kMsgCaptionTransparent =
    u"Captions are not allowed transparent buttons";
constexpr std::u16string_view kMsgTransparentIcon =
    u"The transparency feature does not work with Icons - use a bitmap based image (bmp, gif, "
    u"jpeg) instead";
constexpr std::u16string_view kMsgTransparentCaption =
    u"The transparency feature does not work with captions - use a bitmap based image (bmp, gif, "
    u"jpeg) for your button";
constexpr std::u16string_view kMsgPictureType =
    u"Picture properties must be an icon, bitmap, metafile, GIF or JPEG.";
constexpr std::u16string_view kMsgMouseIconType =
    u"The MouseIcon property must be an icon or cursor";

// Sets a flag for the duration of one call and puts back what it was.
class FlagScope {
public:
    FlagScope(bool& flag, bool value) : mFlag(flag), mSaved(flag) { mFlag = value; }
    ~FlagScope() { mFlag = mSaved; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& mFlag;
    bool mSaved;
};

char16_t AsciiLower(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}

Text Lowered(Text text) {
    std::transform(text.begin(), text.end(), text.begin(), AsciiLower);
    return text;
}

// Symbol fonts are never rotated: their glyphs are pictures, not letters.
bool IsSymbolFont(const Font& font) {
    if (!font) {
        return false;
    }
    const Text name = Lowered(font->Name());
    return name == u"webdings" || name.starts_with(u"wingdings");
}

bool IsUsablePictureType(std::int32_t type) {
    return type == PicType::Bitmap || type == PicType::Icon;
}

Text DecimalText(std::int32_t n) {
    const std::string s = std::to_string(n);
    return Text(s.begin(), s.end());
}

} // namespace

int InstanceCount() {
    return gInstanceCount;
}

const Tovabel::PictureSlot Tovabel::kPicture{&Tovabel::mPicture,   &Tovabel::mURLPicture,
                                             &Tovabel::SetPicture, &Tovabel::SetURLPicture,
                                             &saved::Picture,      &saved::URLPicture};
const Tovabel::PictureSlot Tovabel::kPictureOver{
    &Tovabel::mPictureOver,      &Tovabel::mURLPictureOver, &Tovabel::SetPictureOver,
    &Tovabel::SetURLPictureOver, &saved::PictureOver,       &saved::URLPictureOver};
const Tovabel::PictureSlot Tovabel::kPictureDown{
    &Tovabel::mPictureDown,      &Tovabel::mURLPictureDown, &Tovabel::SetPictureDown,
    &Tovabel::SetURLPictureDown, &saved::PictureDown,       &saved::URLPictureDown};
const Tovabel::PictureSlot Tovabel::kPictureDisabled{
    &Tovabel::mPictureDisabled,      &Tovabel::mURLPictureDisabled, &Tovabel::SetPictureDisabled,
    &Tovabel::SetURLPictureDisabled, &saved::PictureDisabled,       &saved::URLPictureDisabled};

const Tovabel::SoundSlot Tovabel::kSoundEnter{&Tovabel::mSoundEnter, &Tovabel::mHasSoundEnter,
                                              &Tovabel::mSoundEnterURL, "SoundEnter",
                                              &saved::SoundEnterURL};
const Tovabel::SoundSlot Tovabel::kSoundLeave{&Tovabel::mSoundLeave, &Tovabel::mHasSoundLeave,
                                              &Tovabel::mSoundLeaveURL, "SoundLeave",
                                              &saved::SoundLeaveURL};
const Tovabel::SoundSlot Tovabel::kSoundClick{&Tovabel::mSoundClick, &Tovabel::mHasSoundClick,
                                              &Tovabel::mSoundClickURL, "SoundClick",
                                              &saved::SoundClickURL};

Tovabel::Tovabel(Host& host) : mHost(host) {
    // The colours the face's lines have until the first paint.
    const OleColor light = saved::HighlightColor.DefaultColor();
    const OleColor dark = saved::ShadowColor.DefaultColor();
    for (FrameLines* frame : {&lnBorder, &lnDDBorder}) {
        (*frame)[Edge::Top].BorderColor = light;
        (*frame)[Edge::Left].BorderColor = light;
        (*frame)[Edge::Bottom].BorderColor = dark;
        (*frame)[Edge::Right].BorderColor = dark;
    }
    lnSeparator[0].BorderColor = dark; // dark, then light
    lnSeparator[1].BorderColor = light;
}

// ---------------------------------------------------------------------------
// Life cycle

void Tovabel::Initialize() {
    mHost.MarkSafeForScripting(identity::kTovabelClsid);
    ++gInstanceCount;
    mHost.CreateSharedPainting(); // the first instance of the thread creates them
    Cls();                        // a new surface shows the face colour
}

void Tovabel::Terminate() {
    if (mCaptionFont) {
        mHost.Paint().DeleteCaptionFont();
        mCaptionFont = false;
    }
    if (--gInstanceCount == 0) {
        mHost.ReleaseSharedPainting();
    }
    mHost.RemoveToolTip();
    mHost.UnSubClass();
}

void Tovabel::InitProperties() {
    mValue = false;
    mCaptured = false;
    mLeaveSoundDone = true;

    mAlignCaption = saved::AlignCaption.DefaultNumber();
    mAlignPicture = saved::AlignPicture.DefaultNumber();
    mBorderStyle = saved::BorderStyle.DefaultNumber();
    mTransparent = saved::Transparent.DefaultBool();
    mFontDirection = saved::FontDirection.DefaultNumber();

    SetFont(mHost.AmbientFont());
    SetStyle(saved::Style.DefaultNumber());
    SetCaption(Text());
    SetPlaySounds(saved::PlaySounds.DefaultBool());
    SetEnabled(saved::Enabled.DefaultBool());
    SetUseSystemSounds(saved::UseSystemSounds.DefaultBool());
    SetMaskColor(saved::MaskColor.DefaultColor());
    SetHighlightColor(saved::HighlightColor.DefaultColor());
    SetShadowColor(saved::ShadowColor.DefaultColor());
    SetPicture(nullptr);
    SetAutoSize(saved::AutoSize.DefaultBool());

    FinishStartUp();
}

// The first face, and at run time the window services; only start-up starts them.
void Tovabel::FinishStartUp() {
    mState = vsUnknown;
    if (DesignMode()) {
        PaintState(vsHover); // the designer sees the raised border
        return;
    }
    mHost.CreateToolTipWindow();
    SubClass();
    mHost.AddToolTip();
    PaintState(vsNormal);
}

void Tovabel::AmbientChanged(std::string_view name) {
    if (name == "DisplayAsDefault") {
        ForceRepaint(vsNormal); // a NonFlat button's frame shows whether it is the default
    }
}

void Tovabel::OnTimer(TimerId id) {
    if (id == TimerId::MenuPop) {
        MenuPopTimerTick();
    } else {
        RedrawTimerTick();
    }
}

void Tovabel::MenuPopTimerTick() {
    SetTimer(MenuPopTimer, TimerId::MenuPop, false);
    if (!Traits().cascade) {
        return;
    }
    mDroppedDown = true;
    ForceRepaint(vsNormal);
    RaiseEvent(EventId::DropDown);
}

// The first tick after loading sizes the control; one more repaint follows a
// second later, then the timer stays quiet (its interval is left at 0).
void Tovabel::RedrawTimerTick() {
    RedrawTimer.Interval = 0;
    SetTimer(RedrawTimer, TimerId::Redraw, false);
    if (!mRedrawInitDone) {
        AutoSizeControl();
        mRedrawInitDone = true;
        RedrawTimer.Interval = 1000;
        SetTimer(RedrawTimer, TimerId::Redraw, true);
        return;
    }
    if (!mLeftButtonDown) {
        ForceRepaint((mMouseOver || mHasFocus) ? vsHover : vsNormal);
    }
}

void Tovabel::SetTimer(TimerState& timer, TimerId id, bool enabled) {
    timer.Enabled = enabled;
    mHost.SetTimer(id, timer.Running(), timer.Interval);
}

// ---------------------------------------------------------------------------
// Shared steps of the setters

void Tovabel::Cls() {
    if (mFaceHeld) {
        return;
    }
    mHost.Cls(mBackColor, mBackground);
}

void Tovabel::ClsLayoutNotify(std::string_view name) {
    Cls();
    LayoutControl();
    mHost.PropertyChanged(name);
}

void Tovabel::ForceRepaint(VisualState state) {
    mState = vsUnknown;
    PaintState(state);
}

void Tovabel::RepaintForPointer() {
    ForceRepaint(mMouseOver ? vsHover : vsNormal);
}

void Tovabel::RaiseEvent(std::int32_t dispid) {
    mHost.RaiseEvent(dispid, {});
}

// Refusals are silent at run time; the designer is told why.
void Tovabel::Refuse(std::u16string_view message, bool titledWithName) {
    if (!DesignMode()) {
        return;
    }
    std::optional<Text> title;
    if (titledWithName) {
        title = mHost.DisplayName();
    }
    mHost.MessageBox(Text(message), kMessageBoxOkOnly, title);
}

// ---------------------------------------------------------------------------
// Colours

void Tovabel::SetBackColor(OleColor value) {
    mBackColor = value;
    ClsLayoutNotify("BackColor");
}

void Tovabel::SetTextColor(OleColor value) {
    mTextColor = value;
    ClsLayoutNotify("TextColor");
}

void Tovabel::SetMaskColor(OleColor value) {
    mMaskColor = value;
    ApplyShape();
    ClsLayoutNotify("MaskColor");
}

void Tovabel::SetMaskPicture(const Picture& picture) {
    mMaskPicture = picture;
    ApplyShape();
}

void Tovabel::SetOpaque(bool opaque) {
    mOpaque = opaque;
    ApplyShape();
}

// An opaque window is whole; a transparent one shows the mask picture's shape.
void Tovabel::ApplyShape() {
    mHost.ApplyShape(mOpaque ? nullptr : mMaskPicture, mMaskColor);
}

// A transparent button is its picture: the surface shows it as its background
// from now on, a new one at once.
void Tovabel::ShowBackground(const Picture& picture) {
    if (picture == mBackground) {
        return; // the last Cls drew it
    }
    mBackground = picture;
    Cls();
}

// The container is told only of a change of the keys.
void Tovabel::SetAccessKeys(const Text& keys) {
    if (keys == mAccessKeys) {
        return;
    }
    mAccessKeys = keys;
    mHost.ApplyAccessKeys(keys);
}

// While the left button is held the frame is sunken: the light colour goes to
// the bottom and right edges and the dark one to the top and left.
void Tovabel::SetEdgeColor(OleColor color, bool highlight) {
    const bool onTopLeft = highlight != mLeftButtonDown;
    const int first = onTopLeft ? Edge::Top : Edge::Bottom;
    const int second = onTopLeft ? Edge::Left : Edge::Right;
    lnBorder[first].BorderColor = color;
    lnBorder[second].BorderColor = color;
}

void Tovabel::SetHighlightColor(OleColor value) {
    mHighlightColor = value;
    SetEdgeColor(value, true);
    ClsLayoutNotify("HighlightColor");
}

void Tovabel::SetShadowColor(OleColor value) {
    mShadowColor = value;
    SetEdgeColor(value, false);
    ClsLayoutNotify("ShadowColor");
}

// ---------------------------------------------------------------------------
// Geometry and text

void Tovabel::SetAlignment(std::int32_t& field, std::int32_t value, std::string_view name) {
    if (value == field) {
        return;
    }
    field = Traits().menuItem ? tvAlign::AlignLeft : value; // menu items keep everything left
    ClsLayoutNotify(name);
}

void Tovabel::SetAlignCaption(std::int32_t value) {
    SetAlignment(mAlignCaption, value, "AlignCaption");
}

void Tovabel::SetAlignPicture(std::int32_t value) {
    SetAlignment(mAlignPicture, value, "AlignPicture");
}

void Tovabel::SetAutoSize(bool value) {
    if (value == mAutoSize) {
        return;
    }
    if (mTransparent && !value) {
        Refuse(kMsgAutoSizeTransparent, false);
        mAutoSize = true;
        return;
    }
    mAutoSize = value;
    mHost.PropertyChanged("AutoSize");
    Cls();
    LayoutControl();
}

void Tovabel::SetCaption(const Text& value) {
    if (!value.empty() && mTransparent) {
        Refuse(kMsgCaptionTransparent, false);
        mAutoSize = true;
        return;
    }
    mCaption = value;
    ClsLayoutNotify("Caption");
}

void Tovabel::SetFont(const Font& value) {
    mFont = mHost.CopyFont(value);
    mHost.ApplyFont(mFont);
    ClsLayoutNotify("Font");
}

void Tovabel::SetFontDirection(std::int32_t value) {
    if (IsSymbolFont(mFont)) {
        value = tvFontDirection::NormalText;
    }
    if (value == mFontDirection) {
        return;
    }
    mFontDirection = value;
    ClsLayoutNotify("FontDirection");
}

std::int32_t Tovabel::hwnd() const {
    return static_cast<std::int32_t>(mHost.hWnd());
}

// ---------------------------------------------------------------------------
// Style and state

void Tovabel::SetStyle(std::int32_t value) {
    mStyle = value;
    if (!Traits().checks) {
        SetChecked(false);
    }
    if (Traits().menuItem) {
        SetTransparent(false);
        SetAlignPicture(tvAlign::AlignLeft);
        SetAlignCaption(tvAlign::AlignLeft);
    }
    Cls();
    LayoutControl();
    ForceRepaint(static_cast<VisualState>(mState));
    mHost.PropertyChanged("Style");
}

void Tovabel::SetChecked(bool value) {
    if (!Traits().checks) {
        mChecked = false;
    } else if (value != mChecked) {
        mChecked = value;
        Cls();
        LayoutControl();
        ForceRepaint(vsNormal);
    }
    mHost.PropertyChanged("Checked");
}

void Tovabel::SetBorderStyle(std::int32_t value) {
    mBorderStyle = value;
    if (DesignMode()) {
        ForceRepaint(vsHover); // the designer sees the border at once
    }
    mHost.PropertyChanged("BorderStyle");
}

void Tovabel::SetEnabled(bool value) {
    mEnabled = value;
    mCaptured = false;
    mHost.ReleaseCapture();
    mEnterSoundDone = true;
    mLeaveSoundDone = true;
    mHasFocus = false;
    ForceRepaint(DesignMode() ? vsHover : vsNormal);
    mWindowEnabled = value;
    mHost.ApplyEnabled(value);
    mHost.PropertyChanged("Enabled");
}

void Tovabel::SetTransparent(bool value) {
    if (value == mTransparent) {
        return;
    }
    if (imgPicture && imgPicture->Type() == PicType::Icon) {
        Refuse(kMsgTransparentIcon, false);
        mTransparent = false;
        return;
    }
    if (!mCaption.empty()) {
        Refuse(kMsgTransparentCaption, false);
        mTransparent = false;
        return;
    }
    mTransparent = value;
    mHost.PropertyChanged("Transparent");
    if (!value) {
        SetOpaque(true);
        return;
    }
    SetOpaque(false); // the visible shape follows the mask picture
    if (!mAutoSize) {
        SetAutoSize(true);
    }
    mBorderStyle = tvBorderStyle::None;
    if (!Traits().allowsTransparent) {
        SetStyle(tvStyle::Normal);
    }
}

ValueAction Tovabel::ActionOfValue() const {
    if (DesignMode()) {
        return ValueAction::None;
    }
    return Traits().valueAction;
}

void Tovabel::SetValue(bool value) {
    mValue = value;
    if (value) {
        switch (ActionOfValue()) {
        case ValueAction::Click:
            RepaintForPointer();
            RaiseEvent(EventId::Click);
            break;
        case ValueAction::ToggleChecked:
            mChecked = !mChecked;
            RepaintForPointer();
            RaiseEvent(EventId::Click);
            break;
        case ValueAction::ToggleDropDown:
            mDroppedDown = !mDroppedDown;
            if (mDroppedDown) {
                ForceRepaint(vsNormal);
                RaiseEvent(EventId::DropDown);
            } else {
                RepaintForPointer();
                RaiseEvent(EventId::DropDownCancelled);
            }
            break;
        case ValueAction::None:
            break;
        }
    }
    mValue = false;
}

void Tovabel::CancelDropDown() {
    if (!Traits().dropDown) {
        return;
    }
    mDroppedDown = false;
    mValue = false;
    ForceRepaint(vsNormal);
}

// ---------------------------------------------------------------------------
// Pictures and the cursor

// The face shows `picture` unless the button is disabled and has a picture of
// its own for that; the mask follows whatever is shown.
void Tovabel::ShowPicture(const Picture& picture) {
    if (mEnabled || !mPictureDisabled) {
        if (HandleOf(imgPicture) != HandleOf(picture)) {
            imgPicture = picture;
            SetMaskPicture(picture);
        }
        return;
    }
    imgPicture = mPictureDisabled;
    SetMaskPicture(mPictureDisabled);
}

void Tovabel::AssignStatePicture(const PictureSlot& slot, const Picture& value) {
    if (value && value->Type() == PicType::None) {
        (this->*slot.setPicture)(nullptr);
        return;
    }
    if (value && !IsUsablePictureType(value->Type())) {
        Refuse(kMsgPictureType, true);
        return;
    }
    if (!mPictureFromURL) {
        FlagScope clearing(mClearingURL, true);
        (this->*slot.setURL)(Text());
    }
    this->*slot.picture = (value && value->Handle() == 0) ? nullptr : value;

    if (&slot == &kPicture) {
        Cls();
        ShowPicture(mPicture);
        LayoutControl();
    } else if (&slot == &kPictureOver) {
        if (DesignMode()) {
            ShowPicture(mPictureOver); // the designer sees the hover look
        }
        if (!mFaceHeld) {
            DrawPicture();
            LayoutArrow();
        }
    }
    mHost.PropertyChanged(slot.Name());
}

void Tovabel::SetPicture(const Picture& value) {
    AssignStatePicture(kPicture, value);
}
void Tovabel::SetPictureOver(const Picture& value) {
    AssignStatePicture(kPictureOver, value);
}
void Tovabel::SetPictureDown(const Picture& value) {
    AssignStatePicture(kPictureDown, value);
}
void Tovabel::SetPictureDisabled(const Picture& value) {
    AssignStatePicture(kPictureDisabled, value);
}

void Tovabel::SetMouseIcon(const Picture& value) {
    if (value && value->Type() == PicType::None) {
        SetMouseIcon(nullptr);
        return;
    }
    if (value && value->Type() != PicType::Icon) {
        Refuse(kMsgMouseIconType, true);
        return;
    }
    if (!mMouseIconFromURL) {
        FlagScope clearing(mClearingURL, true);
        SetURLMouseIcon(Text());
    }
    const Picture icon = (value && value->Handle() == 0) ? nullptr : value;
    mMouseIcon = icon;
    if (!icon) {
        SetMousePointer(MousePointerCode::Arrow);
    }
    mHost.PropertyChanged("MouseIcon");
}

void Tovabel::SetMousePointer(std::int32_t value) {
    mMousePointer = value;
    mHost.PropertyChanged("MousePointer");
}

// ---------------------------------------------------------------------------
// URL properties

void Tovabel::AssignPictureURL(const PictureSlot& slot, const Text& value) {
    if (value != this->*slot.url) {
        FlagScope fromURL(mPictureFromURL, !mClearingURL);
        this->*slot.url = value;
        mHost.PropertyChanged(slot.urlProperty->key);
        if (!mClearingURL) {
            if (!value.empty()) {
                mHost.AsyncRead(value, AsyncType::PictureData, slot.Name());
            } else {
                (this->*slot.setPicture)(nullptr);
            }
        }
    }
    mPictureFromURL = false;
}

void Tovabel::SetURLPicture(const Text& value) {
    AssignPictureURL(kPicture, value);
}
void Tovabel::SetURLPictureOver(const Text& value) {
    AssignPictureURL(kPictureOver, value);
}
void Tovabel::SetURLPictureDown(const Text& value) {
    AssignPictureURL(kPictureDown, value);
}
void Tovabel::SetURLPictureDisabled(const Text& value) {
    AssignPictureURL(kPictureDisabled, value);
}

void Tovabel::SetURLMouseIcon(const Text& value) {
    if (value != mURLMouseIcon) {
        FlagScope fromURL(mMouseIconFromURL, !mClearingURL);
        // The custom pointer is chosen at once, so the cursor shows the moment
        // its download is assigned.
        SetMousePointer(MousePointerCode::Custom);
        mURLMouseIcon = value;
        mHost.PropertyChanged("URLMouseIcon");
        if (!mClearingURL) {
            if (!value.empty()) {
                mHost.AsyncRead(value, AsyncType::PictureData, "MouseIcon");
            } else {
                SetMouseIcon(nullptr);
            }
        }
    }
    mMouseIconFromURL = false;
}

// ---------------------------------------------------------------------------
// Sounds

void Tovabel::SetPlaySounds(bool value) {
    mPlaySounds = value;
    mHost.PropertyChanged("PlaySounds");
}

void Tovabel::SetUseSystemSounds(bool value) {
    mUseSystemSounds = value;
    mHost.PropertyChanged("UseSystemSounds");
}

void Tovabel::AssignSoundURL(const SoundSlot& slot, const Text& value) {
    if (value == this->*slot.url) {
        return;
    }
    this->*slot.url = value;
    mHost.PropertyChanged(slot.urlProperty->key);
    if (!value.empty()) {
        mHost.AsyncRead(value, AsyncType::ByteArray, slot.name);
    } else {
        this->*slot.usable = false; // the bytes stay, unused
    }
}

void Tovabel::SetSoundEnterURL(const Text& value) {
    AssignSoundURL(kSoundEnter, value);
}
void Tovabel::SetSoundLeaveURL(const Text& value) {
    AssignSoundURL(kSoundLeave, value);
}
void Tovabel::SetSoundClickURL(const Text& value) {
    AssignSoundURL(kSoundClick, value);
}

// Sound data is never saved, so nothing is notified. An empty array is kept but
// never handed to the player, which expects a whole WAV file.
void Tovabel::AssignSoundBytes(const SoundSlot& slot, const std::optional<SoundBytes>& value) {
    if (!value) {
        this->*slot.usable = false;
        return;
    }
    StoreSoundBytes(slot, *value);
}

void Tovabel::StoreSoundBytes(const SoundSlot& slot, SoundBytes bytes) {
    this->*slot.bytes = std::move(bytes);
    this->*slot.usable = !(this->*slot.bytes).empty();
}

void Tovabel::SetSoundEnter(const std::optional<SoundBytes>& value) {
    AssignSoundBytes(kSoundEnter, value);
}
void Tovabel::SetSoundLeave(const std::optional<SoundBytes>& value) {
    AssignSoundBytes(kSoundLeave, value);
}
void Tovabel::SetSoundClick(const std::optional<SoundBytes>& value) {
    AssignSoundBytes(kSoundClick, value);
}

// ---------------------------------------------------------------------------
// Tooltip

// The control shows the text in its own tooltip, so the extender's copy is
// emptied; an extender text set by the container wins over ours.
void Tovabel::SetToolTipText(const Text& value) {
    const Text fromExtender = mHost.ExtenderToolTipText().value_or(Text());
    if ((mToolTipText == fromExtender && !mToolTipText.empty()) || mToolTipGuard) {
        return;
    }
    mToolTipText = fromExtender.empty() ? value : fromExtender;
    {
        FlagScope guard(mToolTipGuard, true);
        mHost.SetExtenderToolTipText(Text());
    }
    mHost.PropertyChanged("ToolTipText");
}

// ---------------------------------------------------------------------------
// Methods

void Tovabel::AboutBox() {
    mHost.ShowAboutBox();
}

Text Tovabel::Version() const {
    const ComponentInfo app = mHost.App();
    return DecimalText(app.major) + u"." + DecimalText(app.minor) + u"." +
           DecimalText(app.revision);
}

void Tovabel::SubClass() {
    mHost.SubClass();
}

void Tovabel::UnSubClass() {
    mHost.UnSubClass();
}

} // namespace tovabel
