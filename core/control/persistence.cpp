// Loading and saving the control's properties through the container's bag. Every
// step stands alone: a read that fails (or a value the bag cannot convert) skips
// that step only, and what it would have set keeps its previous value.
//
// Keys, kinds and defaults come from the table of saved properties.
#include "control/saved_properties.h"
#include "control/tovabel.h"

#include <functional>

namespace tovabel {

namespace {

template <typename T> void ReadInto(PropertyBag& bag, const SavedProperty& property, T& field) {
    if (const auto value = ReadSaved<T>(bag, property)) {
        field = *value;
    }
}

template <typename T, typename Apply>
void ReadThrough(PropertyBag& bag, const SavedProperty& property, Apply&& apply,
                 const Font& font = nullptr) {
    if (const auto value = ReadSaved<T>(bag, property, font)) {
        std::invoke(std::forward<Apply>(apply), *value);
    }
}

void WritePictureOrURL(PropertyBag& bag, const SavedProperty& urlProperty, const Text& url,
                       const SavedProperty& pictureProperty, const Picture& picture) {
    if (url.empty()) {
        WriteSaved(bag, pictureProperty, BagValue{picture});
    } else {
        WriteSaved(bag, urlProperty, BagValue{url});
    }
}

} // namespace

// The setters that the saved values pass through leave the face alone: it is
// laid out and painted once, from all of them.
void Tovabel::ReadProperties(PropertyBag& bag) {
    mFaceHeld = true;
    try {
        ReadSavedValues(bag);
    } catch (...) {
        mFaceHeld = false;
        throw;
    }
    mFaceHeld = false;
    Cls();
    LayoutControl();
    FinishStartUp();
    SetTimer(RedrawTimer, TimerId::Redraw, true);
}

void Tovabel::ReadSavedValues(PropertyBag& bag) {
    SetPicture(nullptr);
    mCaptured = false;
    mValue = false;
    mLeaveSoundDone = true;

    ReadStyleAndAlignments(bag);
    ReadInto(bag, saved::PlaySounds, mPlaySounds);
    ReadInto(bag, saved::UseSystemSounds, mUseSystemSounds);
    ReadThrough<Text>(bag, saved::SoundEnterURL, [this](const Text& v) { SetSoundEnterURL(v); });
    ReadThrough<Text>(bag, saved::SoundLeaveURL, [this](const Text& v) { SetSoundLeaveURL(v); });
    ReadThrough<Text>(bag, saved::SoundClickURL, [this](const Text& v) { SetSoundClickURL(v); });
    ReadThrough<std::int16_t>(bag, saved::MousePointer,
                              [this](std::int16_t v) { SetMousePointer(v); });

    ReadPictureOrURL(bag, saved::URLMouseIcon, saved::MouseIcon, &Tovabel::SetURLMouseIcon,
                     &Tovabel::SetMouseIcon);
    for (const PictureSlot* slot : {&kPicture, &kPictureOver, &kPictureDown, &kPictureDisabled}) {
        ReadPictureOrURL(bag, *slot->urlProperty, *slot->property, slot->setURL, slot->setPicture);
    }
    // Through the setter, so that a tooltip the container already holds wins.
    ReadThrough<Text>(bag, saved::ToolTipText, [this](const Text& v) { SetToolTipText(v); });

    ReadColorsAndEdges(bag);
    ReadThrough<Font>(
        bag, saved::Font, [this](const Font& v) { SetFont(v); }, mHost.AmbientFont());
    if (const auto color = ReadSavedColor(bag, saved::TextColor)) {
        mTextColor = *color;
    }
    // Straight into the fields: the window stays enabled as it was, Checked is
    // not held against the style.
    ReadInto(bag, saved::Enabled, mEnabled);
    ReadInto(bag, saved::AutoSize, mAutoSize);
    ReadInto(bag, saved::Checked, mChecked);
    // The transparency rules run here: an icon shown or a caption refuses.
    ReadThrough<bool>(bag, saved::Transparent, [this](bool v) { SetTransparent(v); });
    ReadThrough<Text>(bag, saved::Caption, [this](const Text& v) { SetCaption(v); });
}

// Menu items keep both alignments left whatever the bag says.
void Tovabel::ReadStyleAndAlignments(PropertyBag& bag) {
    ReadInto(bag, saved::Style, mStyle);
    if (Traits().menuItem) {
        mAlignCaption = tvAlign::AlignLeft;
        mAlignPicture = tvAlign::AlignLeft;
        return;
    }
    ReadInto(bag, saved::AlignCaption, mAlignCaption);
    ReadInto(bag, saved::AlignPicture, mAlignPicture);
}

// A non-empty URL wins: it starts the download and the stored picture is not read.
// Otherwise the stored picture is assigned, and only when there is one.
void Tovabel::ReadPictureOrURL(PropertyBag& bag, const SavedProperty& urlProperty,
                               const SavedProperty& pictureProperty,
                               void (Tovabel::*setURL)(const Text&),
                               void (Tovabel::*setPicture)(const Picture&)) {
    const Text url = ReadSaved<Text>(bag, urlProperty).value_or(Text());
    if (!url.empty()) {
        (this->*setURL)(url);
        return;
    }
    const Picture picture = ReadSaved<Picture>(bag, pictureProperty).value_or(nullptr);
    if (picture) {
        (this->*setPicture)(picture);
    }
}

// Straight into the fields, without the setters' rules: the symbol-font rule of
// FontDirection does not apply to a loaded direction.
void Tovabel::ReadColorsAndEdges(PropertyBag& bag) {
    ReadInto(bag, saved::BorderStyle, mBorderStyle);
    ReadInto(bag, saved::FontDirection, mFontDirection);
    if (const auto color = ReadSavedColor(bag, saved::BackColor)) {
        mBackColor = *color;
    }
    if (const auto color = ReadSavedColor(bag, saved::MaskColor)) {
        mMaskColor = *color;
        ApplyShape();
    }
    mHighlightColor = ReadSavedColor(bag, saved::HighlightColor).value_or(mHighlightColor);
    mShadowColor = ReadSavedColor(bag, saved::ShadowColor).value_or(mShadowColor);
}

void Tovabel::WriteProperties(PropertyBag& bag) {
    WriteBasics(bag);
    WriteSoundsAndColors(bag);
    // The cursor keeps its place in the list above whatever its URL; like each
    // picture it is written here once more unless its URL stands for it.
    WritePictureOrURL(bag, saved::URLMouseIcon, mURLMouseIcon, saved::MouseIcon, mMouseIcon);
    for (const PictureSlot* slot : {&kPicture, &kPictureOver, &kPictureDown, &kPictureDisabled}) {
        WritePictureOrURL(bag, *slot->urlProperty, this->*slot->url, *slot->property,
                          this->*slot->picture);
    }
}

void Tovabel::WriteBasics(PropertyBag& bag) {
    WriteSaved(bag, saved::Style, BagValue{mStyle});
    WriteSaved(bag, saved::AlignCaption, BagValue{mAlignCaption});
    WriteSaved(bag, saved::AlignPicture, BagValue{mAlignPicture});
    WriteSaved(bag, saved::AutoSize, BagValue{mAutoSize});
    WriteSavedColor(bag, saved::BackColor, mBackColor);
    WriteSaved(bag, saved::BorderStyle, BagValue{mBorderStyle});
    WriteSaved(bag, saved::Caption, BagValue{mCaption});
    WriteSaved(bag, saved::Checked, BagValue{mChecked});
    WriteSaved(bag, saved::Enabled, BagValue{mEnabled});
    WriteSaved(bag, saved::Font, BagValue{mFont}, mHost.AmbientFont());
    WriteSaved(bag, saved::FontDirection, BagValue{mFontDirection});
    WriteSavedColor(bag, saved::HighlightColor, mHighlightColor);
    WriteSavedColor(bag, saved::MaskColor, mMaskColor);
    WriteSaved(bag, saved::MouseIcon, BagValue{mMouseIcon});
    WriteSaved(bag, saved::MousePointer, BagValue{static_cast<std::int16_t>(mMousePointer)});
}

void Tovabel::WriteSoundsAndColors(PropertyBag& bag) {
    WriteSaved(bag, saved::PlaySounds, BagValue{mPlaySounds});
    WriteSaved(bag, saved::SoundEnterURL, BagValue{mSoundEnterURL});
    WriteSaved(bag, saved::SoundLeaveURL, BagValue{mSoundLeaveURL});
    WriteSaved(bag, saved::SoundClickURL, BagValue{mSoundClickURL});
    WriteSavedColor(bag, saved::ShadowColor, mShadowColor);
    WriteSavedColor(bag, saved::TextColor, mTextColor);
    WriteSaved(bag, saved::ToolTipText, BagValue{mToolTipText});
    WriteSaved(bag, saved::Transparent, BagValue{mTransparent});
    WriteSaved(bag, saved::UseSystemSounds, BagValue{mUseSystemSounds});
}

} // namespace tovabel
