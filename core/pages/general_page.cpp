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
    if (const auto value = ReadBool(mControl, "AutoSize")) {
        SetCheck(AutoSize, *value);
    }
    if (const auto value = ReadNumber(mControl, "AlignCaption")) {
        mAlignCaptionValue = *value;
        SetComboText(AlignCaption, AlignToText(*value));
    }
    if (const auto value = ReadNumber(mControl, "AlignPicture")) {
        mAlignPictureValue = *value;
        SetComboText(AlignPicture, AlignToText(*value));
    }
    if (const auto value = ReadNumber(mControl, "BorderStyle")) {
        mBorderStyleValue = *value;
        SetComboText(BorderStyle, BorderStyleToText(*value));
    }
    if (const auto value = ReadText(mControl, "Caption")) {
        SetEditText(Caption, *value);
    }
    if (const auto value = ReadBool(mControl, "Checked")) {
        SetCheck(Checked, *value);
    }
    if (const auto value = ReadBool(mControl, "Enabled")) {
        SetCheck(Enabled, *value);
    }
    if (const auto value = ReadNumber(mControl, "FontDirection")) {
        mFontDirectionValue = *value;
        SetComboText(FontDirection, FontDirectionToText(*value));
    }
    if (const auto value = ReadBool(mControl, "PlaySounds")) {
        SetCheck(PlaySound, *value);
    }
    if (const auto value = ReadNumber(mControl, "Style")) {
        mStyleValue = *value;
        SetComboText(Style, StyleToText(*value));
        EnableCheckedForStyle();
    }
    if (const auto value = ReadText(mControl, "ToolTipText")) {
        SetEditText(ToolTip, *value);
    }
    if (const auto value = ReadBool(mControl, "Transparent")) {
        SetCheck(Transparent, *value);
    }
    if (const auto value = ReadBool(mControl, "UseSystemSounds")) {
        SetCheck(UseSystemSounds, *value);
    }
}

void GeneralPage::Apply() {
    using namespace General;
    // Style first and Caption before Transparent: the control's own checks of a
    // transparent button see the new style and caption.
    mControl.Set("Style", mStyleValue);
    mControl.Set("AutoSize", IsChecked(AutoSize));
    mControl.Set("AlignCaption", mAlignCaptionValue);
    mControl.Set("AlignPicture", mAlignPictureValue);
    mControl.Set("BorderStyle", mBorderStyleValue);
    mControl.Set("Caption", EditText(Caption));
    mControl.Set("Checked", IsChecked(Checked));
    mControl.Set("Enabled", IsChecked(Enabled));
    mControl.Set("FontDirection", mFontDirectionValue);
    mControl.Set("PlaySounds", IsChecked(PlaySound));
    mControl.Set("ToolTipText", EditText(ToolTip));
    mControl.Set("Transparent", IsChecked(Transparent));
    mControl.Set("UseSystemSounds", IsChecked(UseSystemSounds));
}

void GeneralPage::OnCheckClicked(General::Check check, bool checked) {
    mChecks[check - General::AutoSize] = checked;
    if (check != General::Transparent) {
        MarkChanged();
        return;
    }
    if (checked && mControl.PictureType() == kIconPicture) {
        SetCheck(General::Transparent, false);
        mView.ShowMessage(u"The transparency feature does not work with Icons - use a bitmap "
                          u"based image (bmp, gif, jpeg) instead");
        return;
    }
    MarkChanged();
    if (checked) {
        ApplyTransparencyRules();
    }
}

void GeneralPage::OnComboChosen(General::Combo combo, const Text& text) {
    mCombos[Combo(combo)] = text;
    MarkChanged();
    switch (combo) {
    case General::AlignCaption:
        mAlignCaptionValue = TextToAlign(text);
        break;
    case General::AlignPicture:
        mAlignPictureValue = TextToAlign(text);
        break;
    case General::BorderStyle:
        mBorderStyleValue = TextToBorderStyle(text);
        break;
    case General::FontDirection:
        mFontDirectionValue = TextToFontDirection(text);
        break;
    case General::Style:
        mStyleValue = TextToStyle(text);
        EnableCheckedForStyle();
        break;
    }
}

void GeneralPage::OnEditChanged(General::Edit edit, const Text& text) {
    mEdits[edit - General::Caption] = text;
    MarkChanged();
}

void GeneralPage::SetCheck(General::Check check, bool checked) {
    if (IsChecked(check) == checked) {
        return;
    }
    mView.ShowCheck(check, checked);
    OnCheckClicked(check, checked);
}

void GeneralPage::SetComboText(General::Combo combo, const Text& text) {
    // A drop-down list shows only its own items: anything else leaves it as it is.
    if (!Listed(combo, text) || ComboText(combo) == text) {
        return;
    }
    mView.ShowText(combo, text);
    OnComboChosen(combo, text);
}

void GeneralPage::SetEditText(General::Edit edit, const Text& text) {
    if (EditText(edit) == text) {
        return;
    }
    mView.ShowText(edit, text);
    OnEditChanged(edit, text);
}

void GeneralPage::MarkChanged() {
    mChanged = true;
    mView.MarkChanged();
}

// The Checked box means something only for the Check style.
void GeneralPage::EnableCheckedForStyle() {
    mView.Enable(General::Checked, mStyleValue == kStyleCheck);
}

// A transparent button sizes itself, has no caption and no border, and is a
// Normal or Check button.
void GeneralPage::ApplyTransparencyRules() {
    using namespace General;
    SetCheck(AutoSize, true);
    SetEditText(Caption, Text());
    SetComboText(BorderStyle, BorderStyleToText(0));
    mBorderStyleValue = TextToBorderStyle(ComboText(BorderStyle));
    const Text& style = ComboText(Style);
    if (style != StyleToText(kStyleNormal) && style != StyleToText(kStyleCheck)) {
        SetComboText(Style, StyleToText(kStyleNormal));
        mStyleValue = TextToStyle(ComboText(Style));
    }
}

} // namespace tovabel::pages
