#include "about_box.h"

#include "dialog_controls.h"
#include "module.h"
#include "text.h"

#include <string>

namespace tovabel::win {

namespace {

enum : int { kTitleId = 100, kVersionId, kNotice1Id, kNotice2Id };

constexpr int kWidthTwips = 5580;
constexpr int kHeightTwips = 2700;

const ControlSpec kControls[] = {
    {kTitleId, L"STATIC", L"", SS_LEFT | SS_NOPREFIX, {84, 132, 5412, 228}},
    {kVersionId, L"STATIC", L"", SS_LEFT | SS_NOPREFIX, {84, 360, 5412, 228}},
    {kNotice1Id, L"STATIC", L"Source Code Release", SS_LEFT, {84, 816, 5412, 324}},
    {kNotice2Id,
     L"STATIC",
     L"Copyright \u00a9 2026 the Tovabel authors at Ornis. All rights reserved. "
     L"https://tovabel.ornis.example",
     SS_LEFT | SS_NOPREFIX,
     {600, 1236, 4380, 828}},
    {IDOK, L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, {2340, 2232, 912, 324}},
};

// The dialog of this thread while it is open.
thread_local HWND tOpenBox = nullptr;

std::wstring VersionText(const ComponentInfo& component) {
    return L"Version " + std::to_wstring(component.major) + L"." +
           std::to_wstring(component.minor) + L"." + std::to_wstring(component.revision);
}

void Load(HWND dialog, const ComponentInfo& component) {
    const std::wstring title(AsWide(component.title));
    SetWindowTextW(dialog, (L"About " + title).c_str());
    SetClientSize(dialog, kWidthTwips, kHeightTwips);
    AddControls(dialog, kControls);
    SetDlgItemTextW(dialog, kTitleId, title.c_str());
    SetDlgItemTextW(dialog, kVersionId, VersionText(component).c_str());
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        tOpenBox = dialog;
        Load(dialog, *reinterpret_cast<const ComponentInfo*>(lParam));
        SetFocus(GetDlgItem(dialog, IDOK));
        return FALSE; // the focus is set
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY:
        tOpenBox = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

void ShowAboutBox(const ComponentInfo& component) {
    if (tOpenBox != nullptr) {
        SetForegroundWindow(tOpenBox);
        return;
    }
    const DialogTemplate dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER,
                                L"About Box");
    DialogBoxIndirectParamW(module::Handle(), dialog.Get(), nullptr, &AboutProc,
                            reinterpret_cast<LPARAM>(&component));
}

} // namespace tovabel::win
