#include "pages/general_page.h"

#include "pages/conversions.h"

#include <algorithm>

namespace tovabel::pages {

namespace {

constexpr std::int16_t kStyleNormal = 0;
constexpr std::int16_t kStyleCheck = 1;
constexpr std::int32_t kIconPicture = 3;

std::optional<bool> ReadBool(SelectedControl& control, std::string_view property) {
    const auto value = control.Get(property);
    const bool* flag = value ? std::get_if<bool>(&*value) : nullptr;
    return flag ? std::optional<bool>(*flag) : std::nullopt;
}

std::optional<std::int16_t> ReadNumber(SelectedControl& control, std::string_view property) {
    const auto value = control.Get(property);
    const std::int16_t* number = value ? std::get_if<std::int16_t>(&*value) : nullptr;
    return number ? std::optional<std::int16_t>(*number) : std::nullopt;
}

std::optional<Text> ReadText(SelectedControl& control, std::string_view property) {
    const auto value = control.Get(property);
    const Text* text = value ? std::get_if<Text>(&*value) : nullptr;
    return text ? std::optional<Text>(*text) : std::nullopt;
}

bool Listed(General::Combo combo, const Text& text) {
    const auto items = GeneralComboItems(combo);
    return std::find(items.begin(), items.end(), text) != items.end();
}

} // namespace

std::span<const Text> GeneralComboItems(General::Combo combo) {
    switch (combo) {
    case General::BorderStyle:
        return BorderStyleItems();
    case General::Style:
        return StyleItems();
    case General::FontDirection:
        return FontDirectionItems();
    case General::AlignCaption:
    case General::AlignPicture:
        break;
    }
    return AlignItems();
}

void GeneralPage::Load() {
    using namespace General;
    if (const auto value = ReadBool(control_, "AutoSize")) {
        SetCheck(AutoSize, *value);
    }
    if (const auto value = ReadNumber(control_, "AlignCaption")) {
        alignCaptionValue_ = *value;
        SetComboText(AlignCaption, AlignToText(*value));
    }
    if (const auto value = ReadNumber(control_, "AlignPicture")) {
        alignPictureValue_ = *value;
        SetComboText(AlignPicture, AlignToText(*value));
    }
    if (const auto value = ReadNumber(control_, "BorderStyle")) {
        borderStyleValue_ = *value;
        SetComboText(BorderStyle, BorderStyleToText(*value));
    }
    if (const auto value = ReadText(control_, "Caption")) {
        SetEditText(Caption, *value);
    }
    if (const auto value = ReadBool(control_, "Checked")) {
        SetCheck(Checked, *value);
    }
    if (const auto value = ReadBool(control_, "Enabled")) {
        SetCheck(Enabled, *value);
    }
    if (const auto value = ReadNumber(control_, "FontDirection")) {
        fontDirectionValue_ = *value;
        SetComboText(FontDirection, FontDirectionToText(*value));
    }
    if (const auto value = ReadBool(control_, "PlaySounds")) {
        SetCheck(PlaySound, *value);
    }
    if (const auto value = ReadNumber(control_, "Style")) {
        styleValue_ = *value;
        SetComboText(Style, StyleToText(*value));
        EnableCheckedForStyle();
    }
    if (const auto value = ReadText(control_, "ToolTipText")) {
        SetEditText(ToolTip, *value);
    }
    if (const auto value = ReadBool(control_, "Transparent")) {
        SetCheck(Transparent, *value);
    }
    if (const auto value = ReadBool(control_, "UseSystemSounds")) {
        SetCheck(UseSystemSounds, *value);
    }
}

void GeneralPage::Apply() {
    using namespace General;
    // Style first and Caption before Transparent: the control's own checks of a
    // transparent button see the new style and caption.
    control_.Set("Style", styleValue_);
    control_.Set("AutoSize", IsChecked(AutoSize));
    control_.Set("AlignCaption", alignCaptionValue_);
    control_.Set("AlignPicture", alignPictureValue_);
    control_.Set("BorderStyle", borderStyleValue_);
    control_.Set("Caption", EditText(Caption));
    control_.Set("Checked", IsChecked(Checked));
    control_.Set("Enabled", IsChecked(Enabled));
    control_.Set("FontDirection", fontDirectionValue_);
    control_.Set("PlaySounds", IsChecked(PlaySound));
    control_.Set("ToolTipText", EditText(ToolTip));
    control_.Set("Transparent", IsChecked(Transparent));
    control_.Set("UseSystemSounds", IsChecked(UseSystemSounds));
}

void GeneralPage::OnCheckClicked(General::Check check, bool checked) {
    checks_[check - General::AutoSize] = checked;
    if (check != General::Transparent) {
        MarkChanged();
        return;
    }
    if (checked && control_.PictureType() == kIconPicture) {
        SetCheck(General::Transparent, false);
        view_.ShowMessage(u"The transparency feature does not work with Icons - use a bitmap "
                          u"based image (bmp, gif, jpeg) instead");
        return;
    }
    MarkChanged();
    if (checked) {
        ApplyTransparencyRules();
    }
}

void GeneralPage::OnComboChosen(General::Combo combo, const Text& text) {
    combos_[Combo(combo)] = text;
    MarkChanged();
    switch (combo) {
    case General::AlignCaption:
        alignCaptionValue_ = TextToAlign(text);
        break;
    case General::AlignPicture:
        alignPictureValue_ = TextToAlign(text);
        break;
    case General::BorderStyle:
        borderStyleValue_ = TextToBorderStyle(text);
        break;
    case General::FontDirection:
        fontDirectionValue_ = TextToFontDirection(text);
        break;
    case General::Style:
        styleValue_ = TextToStyle(text);
        EnableCheckedForStyle();
        break;
    }
}

void GeneralPage::OnEditChanged(General::Edit edit, const Text& text) {
    edits_[edit - General::Caption] = text;
    MarkChanged();
}

void GeneralPage::SetCheck(General::Check check, bool checked) {
    if (IsChecked(check) == checked) {
        return;
    }
    view_.ShowCheck(check, checked);
    OnCheckClicked(check, checked);
}

void GeneralPage::SetComboText(General::Combo combo, const Text& text) {
    // A drop-down list shows only its own items: anything else leaves it as it is.
    if (!Listed(combo, text) || ComboText(combo) == text) {
        return;
    }
    view_.ShowText(combo, text);
    OnComboChosen(combo, text);
}

void GeneralPage::SetEditText(General::Edit edit, const Text& text) {
    if (EditText(edit) == text) {
        return;
    }
    view_.ShowText(edit, text);
    OnEditChanged(edit, text);
}

void GeneralPage::MarkChanged() {
    changed_ = true;
    view_.MarkChanged();
}

// The Checked box means something only for the Check style.
void GeneralPage::EnableCheckedForStyle() {
    view_.Enable(General::Checked, styleValue_ == kStyleCheck);
}

// A transparent button sizes itself, has no caption and no border, and is a
// Normal or Check button.
void GeneralPage::ApplyTransparencyRules() {
    using namespace General;
    SetCheck(AutoSize, true);
    SetEditText(Caption, Text());
    SetComboText(BorderStyle, BorderStyleToText(0));
    borderStyleValue_ = TextToBorderStyle(ComboText(BorderStyle));
    const Text& style = ComboText(Style);
    if (style != StyleToText(kStyleNormal) && style != StyleToText(kStyleCheck)) {
        SetComboText(Style, StyleToText(kStyleNormal));
        styleValue_ = TextToStyle(ComboText(Style));
    }
}

} // namespace tovabel::pages
