#include "dialog_controls.h"

#include "win/common/screen.h"

#include <cmath>
#include <cstring>
#include <string_view>

namespace tovabel::win {

namespace {

// Appends `text` and its terminating NUL as 16-bit units to a template being built.
void AppendText(std::vector<WORD>& units, std::wstring_view text) {
    units.insert(units.end(), text.begin(), text.end());
    units.push_back(0);
}

} // namespace

DialogTemplate::DialogTemplate(DWORD style, const wchar_t* title) {
    DLGTEMPLATE head{};
    head.style = style | DS_SETFONT;
    std::vector<WORD> units(sizeof(head) / sizeof(WORD));
    std::memcpy(units.data(), &head, sizeof(head));
    units.push_back(0); // no menu
    units.push_back(0); // the predefined dialog class
    AppendText(units, title);
    units.push_back(8); // point size of the font
    AppendText(units, L"MS Shell Dlg");
    mWords.resize((units.size() + 1) / 2);
    std::memcpy(mWords.data(), units.data(), units.size() * sizeof(WORD));
}

int PixelsX(int twips) {
    return static_cast<int>(std::lround(twips / TwipsPerPixelX()));
}

int PixelsY(int twips) {
    return static_cast<int>(std::lround(twips / TwipsPerPixelY()));
}

SIZE PixelSize(int widthTwips, int heightTwips) {
    return {PixelsX(widthTwips), PixelsY(heightTwips)};
}

namespace {

// A drop-down list's window height includes its list: room for a dozen items.
int WindowHeight(const ControlSpec& spec) {
    const int height = PixelsY(spec.bounds.height);
    return std::wstring_view(spec.windowClass) == L"COMBOBOX" ? height * 8 : height;
}

} // namespace

void AddControls(HWND dialog, std::span<const ControlSpec> controls) {
    const auto font = static_cast<WPARAM>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
    for (const ControlSpec& spec : controls) {
        // The dialog owns its children and destroys them with itself.
        HWND child = CreateWindowExW(
            0, spec.windowClass, spec.text, WS_CHILD | WS_VISIBLE | spec.style,
            PixelsX(spec.bounds.left), PixelsY(spec.bounds.top), PixelsX(spec.bounds.width),
            WindowHeight(spec), dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)),
            instance, nullptr);
        SendMessageW(child, WM_SETFONT, font, FALSE);
    }
}

void SetClientSize(HWND dialog, int widthTwips, int heightTwips) {
    RECT bounds{0, 0, PixelsX(widthTwips), PixelsY(heightTwips)};
    AdjustWindowRectEx(&bounds, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    SetWindowPos(dialog, nullptr, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace tovabel::win
