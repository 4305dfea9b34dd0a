// The General page's rules: what it loads from the first selected control and
// in which order, what each edit does (the transparency rules included), and
// the order in which it writes the edits back. The page keeps the state of its
// controls here; the platform's window only shows it.
#pragma once

#include "pages/page_services.h"

#include <array>
#include <cstdint>
#include <span>

namespace tovabel::pages {

// The General page's controls that hold a value (their identifiers double as
// the dialog's control identifiers).
namespace General {
enum Check : int {
    AutoSize = 1001,
    Checked,
    Enabled,
    PlaySound,
    UseSystemSounds,
    Transparent,
};
enum Combo : int { BorderStyle = 1011, Style, AlignCaption, AlignPicture, FontDirection };
enum Edit : int { Caption = 1021, ToolTip };
enum Button : int { About = 1031 };
} // namespace General

// The items of one of the page's drop-down lists.
std::span<const Text> GeneralComboItems(General::Combo combo);

class GeneralPage {
public:
    GeneralPage(PageView& view, SelectedControl& control) : mView(view), mControl(control) {}

    // Loads the page from the control; each property that cannot be read is skipped.
    void Load();
    // Writes the page to the control through its setters; refusals are skipped.
    void Apply();

    // The user's edits (and the page's own changes, which run the same handlers).
    void OnCheckClicked(General::Check check, bool checked);
    void OnComboChosen(General::Combo combo, const Text& text);
    void OnEditChanged(General::Edit edit, const Text& text);
    void OnAboutClicked() { mView.ShowAbout(); }

    bool Changed() const { return mChanged; }
    void ClearChanged() { mChanged = false; }

    bool IsChecked(General::Check check) const { return mChecks[check - General::AutoSize]; }
    const Text& ComboText(General::Combo combo) const { return mCombos[Combo(combo)]; }
    const Text& EditText(General::Edit edit) const { return mEdits[edit - General::Caption]; }

private:
    static std::size_t Combo(General::Combo combo) { return combo - General::BorderStyle; }

    // Set a control as loading or a rule does: the view shows the value and,
    // when it differs, the control's handler runs as for a user edit.
    void SetCheck(General::Check check, bool checked);
    void SetComboText(General::Combo combo, const Text& text);
    void SetEditText(General::Edit edit, const Text& text);

    void MarkChanged();
    void EnableCheckedForStyle();
    void ApplyTransparencyRules();

    PageView& mView;
    SelectedControl& mControl;
    bool mChanged = false;
    std::array<bool, 6> mChecks{};
    std::array<Text, 5> mCombos{};
    std::array<Text, 2> mEdits{};
    // The numbers behind the combo boxes.
    std::int16_t mStyleValue = 0;
    std::int16_t mBorderStyleValue = 0;
    std::int16_t mAlignCaptionValue = 0;
    std::int16_t mAlignPictureValue = 0;
    std::int16_t mFontDirectionValue = 0;
};

} // namespace tovabel::pages
