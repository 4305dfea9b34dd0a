#include "about_box.h"

#include "dialog_controls.h"
#include "win/common/module.h"
#include "win/common/text.h"

#include <string>
#include <vector>

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

// The windows of this thread that the user could click, disabled while the
// box is open, as a modal form of the host disables its other forms.
class OtherWindowsDisabled {
public:
    OtherWindowsDisabled() {
        EnumThreadWindows(GetCurrentThreadId(), &Collect, reinterpret_cast<LPARAM>(&mDisabled));
        for (HWND window : mDisabled) {
            EnableWindow(window, FALSE);
        }
    }
    ~OtherWindowsDisabled() { Restore(); }
    OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
    OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;

    // Before the box goes, so that the activation returns to the window behind it.
    void Restore() {
        for (HWND window : mDisabled) {
            EnableWindow(window, TRUE);
        }
        mDisabled.clear();
    }

private:
    static BOOL CALLBACK Collect(HWND window, LPARAM out) {
        if (IsWindowVisible(window) && IsWindowEnabled(window)) {
            reinterpret_cast<std::vector<HWND>*>(out)->push_back(window);
        }
        return TRUE;
    }

    std::vector<HWND> mDisabled;
};

// What the box's dialog procedure is given.
struct AboutRequest {
    const ComponentInfo& component;
    OtherWindowsDisabled& others;
};

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
    case WM_INITDIALOG: {
        const auto* request = reinterpret_cast<const AboutRequest*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&request->others));
        tOpenBox = dialog;
        Load(dialog, request->component);
        SetFocus(GetDlgItem(dialog, IDOK));
        return FALSE; // the focus is set
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            if (auto* others =
                    reinterpret_cast<OtherWindowsDisabled*>(GetWindowLongPtrW(dialog, DWLP_USER))) {
                others->Restore();
            }
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
    OtherWindowsDisabled others;
    AboutRequest request{component, others};
    DialogBoxIndirectParamW(module::Handle(), dialog.Get(), nullptr, &AboutProc,
                            reinterpret_cast<LPARAM>(&request));
}

} // namespace tovabel::win
