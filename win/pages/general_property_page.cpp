#include "general_property_page.h"

#include "pages/general_page.h"
#include "property_page.h"
#include "win/common/text.h"
#include "win/common/version_info.h"

#include <string>

namespace tovabel::win {

namespace {

namespace G = pages::General;

constexpr int kVersionLabel = 1041;
constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;
constexpr DWORD kCheckBox = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kList = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;

// In tab order; labels stand before the control they name.
const ControlSpec kControls[] = {
    {-1, L"STATIC", L"Properties:", kLabel, {144, 144, 1416, 324}},
    {kVersionLabel, L"STATIC", L"Version", kLabel, {1620, 150, 4800, 330}},
    {G::AutoSize, L"BUTTON", L"A&utoSize", kCheckBox, {180, 495, 1572, 204}},
    {G::Checked, L"BUTTON", L"Checked", kCheckBox, {2025, 495, 1212, 216}},
    {G::Enabled, L"BUTTON", L"&Enabled", kCheckBox, {4230, 495, 1812, 204}},
    {G::PlaySound, L"BUTTON", L"Play &Sound", kCheckBox, {165, 795, 1812, 204}},
    {G::UseSystemSounds, L"BUTTON", L"Use S&ystem Sounds", kCheckBox, {2010, 795, 2190, 204}},
    {G::Transparent, L"BUTTON", L"Tra&nsparent", kCheckBox, {4230, 795, 1812, 204}},
    {-1,
     L"STATIC",
     L"The Transparent Background feature has the following restrictions: It does not work "
     L"with Icons, buttons cannot have captions or borders, AutoSize must be enabled and the "
     L"Style must be Normal or Check.",
     kLabel,
     {165, 1110, 6210, 795}},
    {-1, L"STATIC", L"Border Style:", kLabel, {210, 2010, 975, 225}},
    {G::BorderStyle, L"COMBOBOX", L"", kList, {1350, 1995, 1704, 360}},
    {-1, L"STATIC", L"Style:", kLabel, {3630, 2010, 525, 225}},
    {G::Style, L"COMBOBOX", L"", kList, {4230, 1995, 2160, 360}},
    {-1, L"STATIC", L"Align Caption:", kLabel, {75, 2415, 1110, 210}},
    {G::AlignCaption, L"COMBOBOX", L"", kList, {1350, 2370, 1704, 360}},
    {-1, L"STATIC", L"Align Picture:", kLabel, {3150, 2415, 1005, 210}},
    {G::AlignPicture, L"COMBOBOX", L"", kList, {4230, 2370, 1704, 360}},
    {-1, L"STATIC", L"Caption:", kLabel, {420, 2820, 765, 225}},
    {G::Caption, L"EDIT", L"", kEdit, {1350, 2790, 1152, 288}},
    {-1, L"STATIC", L"Font Direction:", kLabel, {2925, 2820, 1230, 225}},
    {G::FontDirection, L"COMBOBOX", L"", kList, {4230, 2790, 1704, 360}},
    {-1, L"STATIC", L"ToolTip:", kLabel, {450, 3210, 750, 225}},
    {G::ToolTip, L"EDIT", L"", kEdit, {1350, 3195, 1152, 288}},
    {G::About, L"BUTTON", L"Abou&t...", BS_PUSHBUTTON | WS_TABSTOP, {4230, 3180, 1068, 324}},
};

const PageLayout kLayout = {L"General", 6570, 3690, kControls};

bool IsCheck(int control) {
    return control >= G::AutoSize && control <= G::Transparent;
}
bool IsCombo(int control) {
    return control >= G::BorderStyle && control <= G::FontDirection;
}
bool IsEdit(int control) {
    return control == G::Caption || control == G::ToolTip;
}

Text SelectedItem(HWND combo) {
    const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (index < 0 || length < 0) {
        return {};
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return FromWide(text);
}

// "Product Version M.m.r" from the library's version resource.
std::wstring VersionLine() {
    const ComponentInfo app = ReadComponentInfo();
    return std::wstring(AsWide(app.productName)) + L" Version " + std::to_wstring(app.major) +
           L"." + std::to_wstring(app.minor) + L"." + std::to_wstring(app.revision);
}

class GeneralPropertyPage final : public ContentPage<pages::GeneralPage> {
public:
    GeneralPropertyPage() : ContentPage(kLayout) {}

private:
    void FillControls(HWND dialog) override {
        for (int combo = G::BorderStyle; combo <= G::FontDirection; ++combo) {
            for (const Text& item : pages::GeneralComboItems(static_cast<G::Combo>(combo))) {
                const std::wstring wide(AsWide(item));
                SendDlgItemMessageW(dialog, combo, CB_ADDSTRING, 0,
                                    reinterpret_cast<LPARAM>(wide.c_str()));
            }
        }
        SetDlgItemTextW(dialog, kVersionLabel, VersionLine().c_str());
    }

    // Errors of the selected control are skipped inside the page's rules.
    HRESULT LoadContent() override {
        mPage->Load();
        return S_OK;
    }
    HRESULT ApplyContent() override {
        mPage->Apply();
        return S_OK;
    }

    void OnCommand(HWND dialog, int control, int notification) override {
        if (IsCheck(control) && notification == BN_CLICKED) {
            mPage->OnCheckClicked(static_cast<G::Check>(control),
                                  IsDlgButtonChecked(dialog, control) == BST_CHECKED);
        } else if (IsCombo(control) && notification == CBN_SELCHANGE) {
            mPage->OnComboChosen(static_cast<G::Combo>(control),
                                 SelectedItem(GetDlgItem(dialog, control)));
        } else if (IsEdit(control) && notification == EN_CHANGE) {
            mPage->OnEditChanged(static_cast<G::Edit>(control), ControlText(dialog, control));
        } else if (control == G::About && notification == BN_CLICKED) {
            mPage->OnAboutClicked();
        }
    }
};

} // namespace

HRESULT CreateGeneralPage(REFIID iid, void** out) {
    return HandOut<GeneralPropertyPage>(iid, out);
}

} // namespace tovabel::win
