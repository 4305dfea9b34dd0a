// Loading and saving the control's properties through the container's bag. Every
// step stands alone: a read that fails (or a value the bag cannot convert) skips
// that step only, and what it would have set keeps its previous value.
//
// Reads ask for the kind the property holds ("Style" and "TextColor" as Long, though
// their listed default is Integer 0); the default's value is the one listed, so an
// absent key reads the same either way. Writes use the listed defaults.
#include "control/tovabel.h"

#include <functional>

namespace tovabel {

namespace {

const BagValue kNoDefault{};

BagValue Integer(std::int16_t value) {
    return BagValue{value};
}

BagValue Long(std::int32_t value) {
    return BagValue{value};
}

// Colours travel as Longs with the same 32 bits.
BagValue Color(OleColor color) {
    return Long(static_cast<std::int32_t>(color));
}

template <typename T>
std::optional<T> Read(PropertyBag& bag, std::string_view key, T defaultValue) {
    const std::optional<BagValue> value = bag.ReadProperty(key, BagValue{std::move(defaultValue)});
    const T* typed = value ? std::get_if<T>(&*value) : nullptr;
    return typed ? std::optional<T>(*typed) : std::nullopt;
}

std::optional<OleColor> ReadColor(PropertyBag& bag, std::string_view key, OleColor defaultColor) {
    const auto value = Read<std::int32_t>(bag, key, static_cast<std::int32_t>(defaultColor));
    return value ? std::optional<OleColor>(static_cast<OleColor>(*value)) : std::nullopt;
}

template <typename T>
void ReadInto(PropertyBag& bag, std::string_view key, T defaultValue, T& field) {
    if (const auto value = Read<T>(bag, key, std::move(defaultValue))) {
        field = *value;
    }
}

template <typename T, typename Apply>
void ReadThrough(PropertyBag& bag, std::string_view key, T defaultValue, Apply&& apply) {
    if (const auto value = Read<T>(bag, key, std::move(defaultValue))) {
        std::invoke(std::forward<Apply>(apply), *value);
    }
}

void WritePictureOrURL(PropertyBag& bag, std::string_view urlKey, const Text& url,
                       std::string_view pictureKey, const Picture& picture) {
    if (url.empty()) {
        bag.WriteProperty(pictureKey, BagValue{picture}, BagValue{Picture()});
    } else {
        bag.WriteProperty(urlKey, BagValue{url}, BagValue{Text()});
    }
}

} // namespace

void Tovabel::ReadProperties(PropertyBag& bag) {
    SetPicture(nullptr);
    mCaptured = false;
    mValue = false;
    mLeaveSoundDone = true;

    ReadStyleAndAlignments(bag);
    ReadInto(bag, "PlaySounds", true, mPlaySounds);
    ReadInto(bag, "UseSystemSounds", true, mUseSystemSounds);
    ReadThrough(bag, "SoundEnterURL", Text(), [this](const Text& v) { SetSoundEnterURL(v); });
    ReadThrough(bag, "SoundLeaveURL", Text(), [this](const Text& v) { SetSoundLeaveURL(v); });
    ReadThrough(bag, "SoundClickURL", Text(), [this](const Text& v) { SetSoundClickURL(v); });
    ReadThrough(bag, "MousePointer", std::int16_t{0},
                [this](std::int16_t v) { SetMousePointer(v); });

    ReadPictureOrURL(bag, "URLMouseIcon", "MouseIcon", &Tovabel::SetURLMouseIcon,
                     &Tovabel::SetMouseIcon);
    for (const PictureSlot* slot : {&kPicture, &kPictureOver, &kPictureDown, &kPictureDisabled}) {
        ReadPictureOrURL(bag, slot->urlName, slot->name, slot->setURL, slot->setPicture);
    }
    // Through the setter, so that a tooltip the container already holds wins.
    ReadThrough(bag, "ToolTipText", Text(), [this](const Text& v) { SetToolTipText(v); });

    ReadColorsAndEdges(bag);
    ReadThrough(bag, "Font", host_.AmbientFont(), [this](const Font& v) { SetFont(v); });
    if (const auto color = ReadColor(bag, "TextColor", 0)) {
        mTextColor = *color;
    }
    // Straight into the fields: the host's Enabled stays, Checked is not held
    // against the style.
    ReadInto(bag, "Enabled", true, mEnabled);
    ReadInto(bag, "AutoSize", true, mAutoSize);
    ReadInto(bag, "Checked", false, mChecked);
    // The transparency rules run here: an icon shown or a caption refuses.
    ReadThrough(bag, "Transparent", false, [this](bool v) { SetTransparent(v); });
    ReadThrough(bag, "Caption", Text(), [this](const Text& v) { SetCaption(v); });

    FinishStartUp();
    SetTimer(RedrawTimer, TimerId::Redraw, true);
}

// Menu items keep both alignments at 2 whatever the bag says.
void Tovabel::ReadStyleAndAlignments(PropertyBag& bag) {
    ReadInto(bag, "Style", std::int32_t{tvStyle::Normal}, mStyle);
    if (Traits().menuItem) {
        mAlignCaption = tvAlign::AlignLeft;
        mAlignPicture = tvAlign::AlignLeft;
        return;
    }
    ReadInto(bag, "AlignCaption", std::int32_t{tvAlign::AlignBottom}, mAlignCaption);
    ReadInto(bag, "AlignPicture", std::int32_t{tvAlign::AlignTop}, mAlignPicture);
}

// A non-empty URL wins: it starts the download and the stored picture is not read.
// Otherwise the stored picture is assigned, and only when there is one.
void Tovabel::ReadPictureOrURL(PropertyBag& bag, std::string_view urlKey,
                               std::string_view pictureKey, void (Tovabel::*setURL)(const Text&),
                               void (Tovabel::*setPicture)(const Picture&)) {
    const Text url = Read<Text>(bag, urlKey, Text()).value_or(Text());
    if (!url.empty()) {
        (this->*setURL)(url);
        return;
    }
    const Picture picture = Read<Picture>(bag, pictureKey, Picture()).value_or(nullptr);
    if (picture) {
        (this->*setPicture)(picture);
    }
}

// Straight into the fields and the surface, without the setters' rules: the
// symbol-font rule of FontDirection does not apply to a loaded direction.
void Tovabel::ReadColorsAndEdges(PropertyBag& bag) {
    ReadInto(bag, "BorderStyle", std::int32_t{tvBorderStyle::FixedSingle}, mBorderStyle);
    ReadInto(bag, "FontDirection", std::int32_t{tvFontDirection::NormalText}, mFontDirection);
    if (const auto color = ReadColor(bag, "BackColor", 0x8000000F)) {
        mBackColor = *color;
    }
    if (const auto color = ReadColor(bag, "MaskColor", 0xC0C0C0)) {
        mMaskColor = *color;
        ApplyShape();
    }
    mHighlightColor = ReadColor(bag, "HighlightColor", 0x80000014).value_or(mHighlightColor);
    mShadowColor = ReadColor(bag, "ShadowColor", 0x80000010).value_or(mShadowColor);
}

void Tovabel::WriteProperties(PropertyBag& bag) {
    WriteBasics(bag);
    WriteSoundsAndColors(bag);
    // The cursor keeps its place in the list above whatever its URL; like each
    // picture it is written here once more unless its URL stands for it.
    WritePictureOrURL(bag, "URLMouseIcon", mURLMouseIcon, "MouseIcon", mMouseIcon);
    for (const PictureSlot* slot : {&kPicture, &kPictureOver, &kPictureDown, &kPictureDisabled}) {
        WritePictureOrURL(bag, slot->urlName, this->*slot->url, slot->name, this->*slot->picture);
    }
}

void Tovabel::WriteBasics(PropertyBag& bag) {
    bag.WriteProperty("Style", Long(mStyle), Integer(0));
    bag.WriteProperty("AlignCaption", Long(mAlignCaption), Long(tvAlign::AlignBottom));
    bag.WriteProperty("AlignPicture", Long(mAlignPicture), Long(tvAlign::AlignTop));
    bag.WriteProperty("AutoSize", BagValue{mAutoSize}, BagValue{true});
    bag.WriteProperty("BackColor", Color(mBackColor), Color(0x8000000F));
    bag.WriteProperty("BorderStyle", Long(mBorderStyle), Long(tvBorderStyle::FixedSingle));
    bag.WriteProperty("Caption", BagValue{mCaption}, kNoDefault);
    bag.WriteProperty("Checked", BagValue{mChecked}, BagValue{false});
    bag.WriteProperty("Enabled", BagValue{mEnabled}, BagValue{true});
    bag.WriteProperty("Font", BagValue{mFont}, BagValue{host_.AmbientFont()});
    bag.WriteProperty("FontDirection", Long(mFontDirection), Long(tvFontDirection::NormalText));
    bag.WriteProperty("HighlightColor", Color(mHighlightColor), Color(0x80000014));
    bag.WriteProperty("MaskColor", Color(mMaskColor), Color(0xC0C0C0));
    bag.WriteProperty("MouseIcon", BagValue{mMouseIcon}, BagValue{Picture()});
    bag.WriteProperty("MousePointer", Integer(static_cast<std::int16_t>(mMousePointer)),
                      Integer(0));
}

void Tovabel::WriteSoundsAndColors(PropertyBag& bag) {
    bag.WriteProperty("PlaySounds", BagValue{mPlaySounds}, BagValue{true});
    bag.WriteProperty("SoundEnterURL", BagValue{mSoundEnterURL}, BagValue{Text()});
    bag.WriteProperty("SoundLeaveURL", BagValue{mSoundLeaveURL}, BagValue{Text()});
    bag.WriteProperty("SoundClickURL", BagValue{mSoundClickURL}, BagValue{Text()});
    bag.WriteProperty("ShadowColor", Color(mShadowColor), Color(0x80000010));
    bag.WriteProperty("TextColor", Color(mTextColor), Integer(0));
    bag.WriteProperty("ToolTipText", BagValue{mToolTipText}, kNoDefault);
    bag.WriteProperty("Transparent", BagValue{mTransparent}, BagValue{false});
    bag.WriteProperty("UseSystemSounds", BagValue{mUseSystemSounds}, BagValue{true});
}

} // namespace tovabel
