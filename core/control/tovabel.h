// The Tovabel button: its properties with their rules, its methods and the
// notifications it reacts to. It talks to its container only through Host.
#pragma once

#include "control/host.h"
#include "control/property_bag.h"
#include "control/saved_properties.h"
#include "control/style_traits.h"
#include "control/types.h"
#include "download/async_property.h"
#include "render/face.h"
#include "render/painter.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tovabel {

using SoundBytes = std::vector<std::uint8_t>;

class Tovabel {
public:
    explicit Tovabel(Host& host);
    ~Tovabel() = default;
    Tovabel(const Tovabel&) = delete;
    Tovabel& operator=(const Tovabel&) = delete;

    // Life cycle notifications.
    void Initialize();
    void Terminate();
    void InitProperties();
    // Loading from and saving to the container's property bag.
    void ReadProperties(PropertyBag& bag);
    void WriteProperties(PropertyBag& bag);
    void OnTimer(TimerId id);
    // Pointer, keyboard and focus notifications (button codes: 1 left, 2 right,
    // 4 middle; shift codes: 1 Shift, 2 Ctrl, 4 Alt; X and Y in pixels).
    void MouseDown(std::int16_t button, std::int16_t shift, float x, float y);
    void MouseMove(std::int16_t button, std::int16_t shift, float x, float y);
    void MouseUp(std::int16_t button, std::int16_t shift, float x, float y);
    // The left button went down for the second time of a double click. A form
    // reports that press as a double click, not as a press: it raises nothing,
    // and its release raises MouseUp only, without a toggle or a click.
    void DoubleClick();
    void KeyDown(std::int16_t keyCode, std::int16_t shift);
    void KeyPress(std::int16_t& keyAscii);
    void AccessKeyPress(std::int16_t keyAscii);
    void EnterFocus();
    void ExitFocus();
    // The system cancelled the mouse mode (a menu or dialog took over).
    void CancelMode();
    // The system colours changed: the face is built again with the new ones.
    void SystemColorsChanged();
    // The text the shared tooltip shows when it asks for this button's, or
    // nullopt to leave its request unanswered: a disabled button whose
    // container gave the tip shows none, and without the container's
    // ToolTipText there is no tip at all. The container's text, when it has
    // one, becomes the button's. A single character shows no tip.
    std::optional<Text> ToolTipTextToShow();
    // Whether a text request now would show a tip, asked as the request asks
    // but leaving the button's own text as it is.
    bool HasToolTipToShow();
    // The container changed the control's size.
    void OnResize();
    // The container changed one of its ambient properties.
    void AmbientChanged(std::string_view name);
    // A download started with the host's AsyncRead has finished.
    void AsyncReadComplete(AsyncProperty property);

    // The face's visible lines, the one brought to the front last at the end.
    std::vector<Line> VisibleLines() const;

    // Properties.
    std::int32_t AlignCaption() const { return mAlignCaption; }
    void SetAlignCaption(std::int32_t value);
    std::int32_t AlignPicture() const { return mAlignPicture; }
    void SetAlignPicture(std::int32_t value);
    bool AutoSize() const { return mAutoSize; }
    void SetAutoSize(bool value);
    OleColor BackColor() const { return mBackColor; }
    void SetBackColor(OleColor value);
    std::int32_t BorderStyle() const { return mBorderStyle; }
    void SetBorderStyle(std::int32_t value);
    const Text& Caption() const { return mCaption; }
    void SetCaption(const Text& value);
    bool Checked() const { return mChecked; }
    void SetChecked(bool value);
    bool DroppedDown() const { return mDroppedDown; }
    bool Enabled() const { return mEnabled; }
    void SetEnabled(bool value);
    const Font& GetFont() const { return mFont; }
    void SetFont(const Font& value);
    std::int32_t FontDirection() const { return mFontDirection; }
    void SetFontDirection(std::int32_t value);
    OleColor HighlightColor() const { return mHighlightColor; }
    void SetHighlightColor(OleColor value);
    std::int32_t hwnd() const;
    OleColor MaskColor() const { return mMaskColor; }
    void SetMaskColor(OleColor value);
    const Picture& MouseIcon() const { return mMouseIcon; }
    void SetMouseIcon(const Picture& value);
    std::int32_t MousePointer() const { return mMousePointer; }
    void SetMousePointer(std::int32_t value);
    const Picture& GetPicture() const { return mPicture; }
    void SetPicture(const Picture& value);
    const Picture& PictureDisabled() const { return mPictureDisabled; }
    void SetPictureDisabled(const Picture& value);
    const Picture& PictureDown() const { return mPictureDown; }
    void SetPictureDown(const Picture& value);
    const Picture& PictureOver() const { return mPictureOver; }
    void SetPictureOver(const Picture& value);
    bool PlaySounds() const { return mPlaySounds; }
    void SetPlaySounds(bool value);
    OleColor ShadowColor() const { return mShadowColor; }
    void SetShadowColor(OleColor value);
    const SoundBytes& SoundClick() const { return mSoundClick; }
    void SetSoundClick(const std::optional<SoundBytes>& value);
    const Text& SoundClickURL() const { return mSoundClickURL; }
    void SetSoundClickURL(const Text& value);
    const SoundBytes& SoundEnter() const { return mSoundEnter; }
    void SetSoundEnter(const std::optional<SoundBytes>& value);
    const Text& SoundEnterURL() const { return mSoundEnterURL; }
    void SetSoundEnterURL(const Text& value);
    const SoundBytes& SoundLeave() const { return mSoundLeave; }
    void SetSoundLeave(const std::optional<SoundBytes>& value);
    const Text& SoundLeaveURL() const { return mSoundLeaveURL; }
    void SetSoundLeaveURL(const Text& value);
    std::int32_t Style() const { return mStyle; }
    void SetStyle(std::int32_t value);
    OleColor TextColor() const { return mTextColor; }
    void SetTextColor(OleColor value);
    const Text& ToolTipText() const { return mToolTipText; }
    void SetToolTipText(const Text& value);
    bool Transparent() const { return mTransparent; }
    void SetTransparent(bool value);
    const Text& URLMouseIcon() const { return mURLMouseIcon; }
    void SetURLMouseIcon(const Text& value);
    const Text& URLPicture() const { return mURLPicture; }
    void SetURLPicture(const Text& value);
    const Text& URLPictureDisabled() const { return mURLPictureDisabled; }
    void SetURLPictureDisabled(const Text& value);
    const Text& URLPictureDown() const { return mURLPictureDown; }
    void SetURLPictureDown(const Text& value);
    const Text& URLPictureOver() const { return mURLPictureOver; }
    void SetURLPictureOver(const Text& value);
    bool UseSystemSounds() const { return mUseSystemSounds; }
    void SetUseSystemSounds(bool value);
    bool Value() const { return mValue; }
    void SetValue(bool value);

    // The rules of the current style, as the control's window layer asks for them.
    const StyleTraits& Traits() const { return TraitsOf(mStyle); }
    // Separators and disabled buttons ignore the mouse.
    bool Inert() const;
    // What Value = True does now: nothing in design mode, else by style.
    ValueAction ActionOfValue() const;
    bool PointerOver() const { return mMouseOver && !Inert(); }
    // Whether the window takes input: Enabled as last set, not as loaded.
    bool WindowEnabled() const { return mWindowEnabled; }
    // The caption's access key, empty for none.
    const Text& AccessKeys() const { return mAccessKeys; }
    // The left button went down on the button and is held with the pointer over it.
    bool HeldDown() const { return mLeftButtonDown && PointerOver(); }

    // Methods.
    void AboutBox();
    Text Version() const;
    void CancelDropDown();
    void SubClass();
    void UnSubClass();

private:
    // The tip a text request shows, given the container's text.
    std::optional<Text> ToolTipShownWith(const std::optional<Text>& fromContainer) const;
    // Layout and painting steps.
    void LayoutControl();
    void PaintState(VisualState state);
    void DrawPicture();
    void LayoutArrow();
    void AutoSizeControl();
    void DrawCaption();

    bool DesignMode() const { return !mHost.AmbientUserMode(); }

    Host& mHost;

    // Property backing fields.
    OleColor mBackColor = saved::BackColor.DefaultColor();
    OleColor mTextColor = 0x80000012; // a new surface's button text, not the saved default
    OleColor mMaskColor = saved::MaskColor.DefaultColor();
    Font mFont;
    std::int32_t mMousePointer = saved::MousePointer.DefaultNumber();
    Picture mMouseIcon;
    std::int32_t mAlignCaption = saved::AlignCaption.DefaultNumber();
    std::int32_t mAlignPicture = saved::AlignPicture.DefaultNumber();
    std::int32_t mBorderStyle = saved::BorderStyle.DefaultNumber();
    std::int32_t mStyle = saved::Style.DefaultNumber();
    std::int32_t mFontDirection = saved::FontDirection.DefaultNumber();
    Text mCaption;
    Text mToolTipText;
    bool mAutoSize = false;
    bool mEnabled = false;
    bool mChecked = false;
    bool mDroppedDown = false;
    bool mValue = false;
    bool mTransparent = false;
    bool mPlaySounds = false;
    bool mUseSystemSounds = false;
    Text mSoundEnterURL;
    Text mSoundLeaveURL;
    Text mSoundClickURL;
    SoundBytes mSoundEnter;
    SoundBytes mSoundLeave;
    SoundBytes mSoundClick;
    bool mHasSoundEnter = false;
    bool mHasSoundLeave = false;
    bool mHasSoundClick = false;
    std::int32_t mState = vsUnknown;
    OleColor mHighlightColor = 0;
    OleColor mShadowColor = 0;
    Picture mPicture;
    Picture mPictureOver;
    Picture mPictureDown;
    Picture mPictureDisabled;
    Text mURLPicture;
    Text mURLPictureOver;
    Text mURLPictureDown;
    Text mURLPictureDisabled;
    Text mURLMouseIcon;
    bool mClearingURL = false;
    bool mFaceHeld = false; // while a load reads the saved values
    bool mPictureFromURL = false;
    bool mMouseIconFromURL = false;
    bool mToolTipGuard = false;

    // The surface: what its window shows of the picture and how it takes input.
    Picture mMaskPicture; // the shape of a transparent button
    Picture mBackground;  // drawn by every Cls once a transparent button showed it
    bool mOpaque = true;  // false: the window's shape follows the mask picture
    bool mWindowEnabled = true;
    Text mAccessKeys;

    // Interaction state.
    bool mHasFocus = false;
    bool mMouseOver = false;
    bool mLeftButtonDown = false;
    bool mDoubleClickHeld = false; // the left button is down for a double click
    bool mArrowPressed = false;
    bool mCaptured = false;
    bool mRedrawInitDone = false;
    bool mEnterSoundDone = false;
    bool mLeaveSoundDone = false;

    // Layout results.
    std::int32_t mDDWidth = 0;
    bool mInLayout = false;
    bool mInResize = false;
    std::int32_t mPictureX = 0;
    std::int32_t mPictureY = 0;
    Text mDisplayCaption;
    std::int32_t mAccessKeyPos = 0;
    std::int32_t mCaptionWidth = 0;
    std::int32_t mCaptionHeight = 0;
    std::int32_t mCaptionX = 0;
    std::int32_t mCaptionY = 0;

    // The caption font: whether the surface holds one, and its description.
    bool mCaptionFont = false;
    CaptionLogFont mCaptionLogFont;

    // Constituents of the face.
    FrameLines lnBorder{};
    FrameLines lnDDBorder{};
    std::array<Line, 2> lnSeparator{};
    std::array<Line, 4> lnArrow{};
    std::int32_t mNextZOrder = 1;
    Picture imgPicture; // the picture the face shows now
    TimerState MenuPopTimer{false, 500};
    TimerState RedrawTimer{false, 1};

    // One of the four state pictures with its URL property.
    struct PictureSlot {
        Picture Tovabel::*picture;
        Text Tovabel::*url;
        void (Tovabel::*setPicture)(const Picture&);
        void (Tovabel::*setURL)(const Text&);
        const SavedProperty* property;
        const SavedProperty* urlProperty;
        std::string_view Name() const { return property->key; }
    };
    // One of the three sounds with its URL property.
    struct SoundSlot {
        SoundBytes Tovabel::*bytes;
        bool Tovabel::*usable;
        Text Tovabel::*url;
        std::string_view name; // not saved: only its URL is
        const SavedProperty* urlProperty;
    };
    static const PictureSlot kPicture, kPictureOver, kPictureDown, kPictureDisabled;
    static const SoundSlot kSoundEnter, kSoundLeave, kSoundClick;

    // Start-up and persistence.
    void FinishStartUp();
    void ReadSavedValues(PropertyBag& bag);
    void ReadStyleAndAlignments(PropertyBag& bag);
    void ReadPictureOrURL(PropertyBag& bag, const SavedProperty& urlProperty,
                          const SavedProperty& pictureProperty,
                          void (Tovabel::*setURL)(const Text&),
                          void (Tovabel::*setPicture)(const Picture&));
    void ReadColorsAndEdges(PropertyBag& bag);
    void WriteBasics(PropertyBag& bag);
    void WriteSoundsAndColors(PropertyBag& bag);

    void AssignStatePicture(const PictureSlot& slot, const Picture& value);
    void AssignPictureURL(const PictureSlot& slot, const Text& value);
    void AssignSoundURL(const SoundSlot& slot, const Text& value);
    void AssignSoundBytes(const SoundSlot& slot, const std::optional<SoundBytes>& value);
    void StoreSoundBytes(const SoundSlot& slot, SoundBytes bytes);
    void ShowPicture(const Picture& picture);
    void SetEdgeColor(OleColor color, bool highlight);
    void SetAlignment(std::int32_t& field, std::int32_t value, std::string_view name);
    // Erases the surface to the back colour (and the background picture).
    void Cls();
    void ClsLayoutNotify(std::string_view name);
    void SetMaskPicture(const Picture& picture);
    void SetOpaque(bool opaque);
    void ApplyShape();
    void ShowBackground(const Picture& picture);
    void SetAccessKeys(const Text& keys);
    void ForceRepaint(VisualState state);
    void RepaintForPointer();
    void RaiseEvent(std::int32_t dispid);
    void Refuse(std::u16string_view message, bool titledWithName);
    void SetTimer(TimerState& timer, TimerId id, bool enabled);
    void MenuPopTimerTick();
    void RedrawTimerTick();

    // Download completion.
    void ApplyDownload(AsyncProperty& property);
    void AssignDownloadedCursor(const DownloadedValue& value);
    void AssignDownloadedPicture(const PictureSlot& slot, const DownloadedValue& value);
    void StoreDownloadedSound(const SoundSlot& slot, DownloadedValue& value);

    // Layout.
    void LayoutSeparator();
    void PlaceFrame(double sep);
    void PlaceDropDownFrame();
    void LayoutCaption();
    void PlacePicture(std::int32_t state);
    void BringToFront(Line& line) { line.ZOrder = mNextZOrder++; }
    double PictureWidth() const;
    double PictureHeight() const;
    bool FixedSingle() const { return mBorderStyle == tvBorderStyle::FixedSingle; }

    // Face painting.
    void PaintNormal();
    void PaintHover();
    void PaintPressed();
    void FinishPaint(bool armRedrawTimer);
    void SwapPicture(const Picture& picture);
    void AssignPicture(const Picture& picture);
    void SetFrame(FrameLines& lines, bool raised);
    void ShowFrame(FrameLines& lines, bool visible);
    bool DisabledPictureApplies() const;

    // Caption: the text in up to three segments, the access key underlined.
    struct CaptionSegments {
        bool underline = false;
        Text before;
        Text key;
        Text after;
        std::int32_t keyDx = 0; // pen advance to the key and past it
        std::int32_t keyDy = 0;
        std::int32_t afterDx = 0;
        std::int32_t afterDy = 0;
    };
    void SelectCaptionFont(bool force, bool underlineKey);
    void DrawCaptionText(std::int32_t x, std::int32_t y, const CaptionSegments& segments,
                         bool forceFont);

    // Interaction.
    bool OnDropDownArea(float x) const;
    bool InsideClient(float x, float y) const;
    void RaiseMouseEvent(std::int32_t dispid, std::int16_t button, std::int16_t shift, float x,
                         float y);
    void ClickByStyle(float x);
    void PlayClickSound();

    // Sounds.
    void PlayEnterSound();
    void PlayLeaveSound();
    void PlayWave(const SoundBytes& bytes);
};

// Instances alive on this thread; the last one releases the shared painting objects.
int InstanceCount();

} // namespace tovabel
