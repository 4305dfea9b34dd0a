// Dialogs built in code: an empty in-memory dialog template, and child
// controls placed at positions given in twips, so that the About box and the
// property pages keep their layout at every screen resolution.
#pragma once

#include <windows.h>

#include <span>
#include <vector>

namespace tovabel::win {

// Bounds in twips: left, top, width, height.
struct Twips {
    int left;
    int top;
    int width;
    int height;
};

// One child control of a dialog.
struct ControlSpec {
    int id;
    const wchar_t* windowClass; // L"BUTTON", L"STATIC", L"EDIT", L"COMBOBOX"
    const wchar_t* text;
    DWORD style; // added to WS_CHILD | WS_VISIBLE
    Twips bounds;
};

// A dialog template without controls in the dialog font "MS Shell Dlg" 8 pt.
// The words are DWORD-aligned, as the dialog functions require.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, const wchar_t* title);
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(mWords.data()); }

private:
    std::vector<DWORD> mWords;
};

// Twips to pixels of the screen, along x and along y.
int PixelsX(int twips);
int PixelsY(int twips);
SIZE PixelSize(int widthTwips, int heightTwips);

// Creates the controls in order (which is their tab order) in the dialog's font.
void AddControls(HWND dialog, std::span<const ControlSpec> controls);

// Gives the dialog a client area of `widthTwips` x `heightTwips`.
void SetClientSize(HWND dialog, int widthTwips, int heightTwips);

} // namespace tovabel::win
