// The properties the control keeps in a property bag: each one's key, the kind of
// value stored under it and its default, the value a new control starts with and
// the one left out when saving. Loading, saving and initialising all read them here;
// the order of the steps and their special rules stay with the control.
#pragma once

#include "control/property_bag.h"
#include "control/types.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace tovabel {

struct SavedProperty {
    std::string_view key;
    BagKind kind;
    // The default of a Boolean (0 or 1), an Integer or a Long (a colour's bits);
    // strings default to empty, pictures to none, the font to the ambient font.
    std::int32_t number = 0;
    // Written whatever it holds: the key is never left out.
    bool alwaysWritten = false;

    constexpr bool DefaultBool() const { return number != 0; }
    constexpr std::int32_t DefaultNumber() const { return number; }
    constexpr OleColor DefaultColor() const { return static_cast<OleColor>(number); }
};

namespace saved {

constexpr std::int32_t Bits(OleColor color) {
    return static_cast<std::int32_t>(color);
}

inline constexpr SavedProperty Style{"Style", BagKind::Long, tvStyle::Normal};
inline constexpr SavedProperty AlignCaption{"AlignCaption", BagKind::Long, tvAlign::AlignBottom};
inline constexpr SavedProperty AlignPicture{"AlignPicture", BagKind::Long, tvAlign::AlignTop};
inline constexpr SavedProperty AutoSize{"AutoSize", BagKind::Boolean, 1};
inline constexpr SavedProperty BackColor{"BackColor", BagKind::Long, Bits(0x8000000F)};
inline constexpr SavedProperty BorderStyle{"BorderStyle", BagKind::Long,
                                           tvBorderStyle::FixedSingle};
inline constexpr SavedProperty Caption{"Caption", BagKind::String, 0, true};
inline constexpr SavedProperty Checked{"Checked", BagKind::Boolean, 0};
inline constexpr SavedProperty Enabled{"Enabled", BagKind::Boolean, 1};
inline constexpr SavedProperty Font{"Font", BagKind::StdFont};
inline constexpr SavedProperty FontDirection{"FontDirection", BagKind::Long,
                                             tvFontDirection::NormalText};
inline constexpr SavedProperty HighlightColor{"HighlightColor", BagKind::Long, Bits(0x80000014)};
inline constexpr SavedProperty MaskColor{"MaskColor", BagKind::Long, Bits(0xC0C0C0)};
inline constexpr SavedProperty MouseIcon{"MouseIcon", BagKind::StdPicture};
inline constexpr SavedProperty MousePointer{"MousePointer", BagKind::Integer,
                                            MousePointerCode::Default};
inline constexpr SavedProperty PlaySounds{"PlaySounds", BagKind::Boolean, 1};
inline constexpr SavedProperty SoundEnterURL{"SoundEnterURL", BagKind::String};
inline constexpr SavedProperty SoundLeaveURL{"SoundLeaveURL", BagKind::String};
inline constexpr SavedProperty SoundClickURL{"SoundClickURL", BagKind::String};
inline constexpr SavedProperty ShadowColor{"ShadowColor", BagKind::Long, Bits(0x80000010)};
inline constexpr SavedProperty TextColor{"TextColor", BagKind::Long, 0};
inline constexpr SavedProperty ToolTipText{"ToolTipText", BagKind::String, 0, true};
inline constexpr SavedProperty Transparent{"Transparent", BagKind::Boolean, 0};
inline constexpr SavedProperty UseSystemSounds{"UseSystemSounds", BagKind::Boolean, 1};
inline constexpr SavedProperty URLMouseIcon{"URLMouseIcon", BagKind::String};
inline constexpr SavedProperty Picture{"Picture", BagKind::StdPicture};
inline constexpr SavedProperty URLPicture{"URLPicture", BagKind::String};
inline constexpr SavedProperty PictureOver{"PictureOver", BagKind::StdPicture};
inline constexpr SavedProperty URLPictureOver{"URLPictureOver", BagKind::String};
inline constexpr SavedProperty PictureDown{"PictureDown", BagKind::StdPicture};
inline constexpr SavedProperty URLPictureDown{"URLPictureDown", BagKind::String};
inline constexpr SavedProperty PictureDisabled{"PictureDisabled", BagKind::StdPicture};
inline constexpr SavedProperty URLPictureDisabled{"URLPictureDisabled", BagKind::String};

} // namespace saved

// The default as a bag value of the property's kind; `font` stands for the font's.
BagValue DefaultOf(const SavedProperty& property, const tovabel::Font& font = nullptr);

// The value stored under the property's key, of its kind; its default when the key
// is absent; nullopt when reading fails or the value has another kind.
template <typename T>
std::optional<T> ReadSaved(PropertyBag& bag, const SavedProperty& property,
                           const tovabel::Font& font = nullptr) {
    const std::optional<BagValue> value = bag.ReadProperty(property.key, DefaultOf(property, font));
    const T* typed = value ? std::get_if<T>(&*value) : nullptr;
    return typed ? std::optional<T>(*typed) : std::nullopt;
}

std::optional<OleColor> ReadSavedColor(PropertyBag& bag, const SavedProperty& property);

// Stores `value` under the property's key, left out when it equals the default.
void WriteSaved(PropertyBag& bag, const SavedProperty& property, const BagValue& value,
                const tovabel::Font& font = nullptr);
void WriteSavedColor(PropertyBag& bag, const SavedProperty& property, OleColor color);

} // namespace tovabel
