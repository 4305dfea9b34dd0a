#include "tooltip.h"

#include "win/common/module.h"
#include "win/common/window.h"

#include "common/per_thread.h"

#include <commctrl.h>

namespace tovabel::win::tooltip {

namespace {

struct Shared {
    win::Window window;
    long users = 0;
};

PerThread<Shared> gShared;

// The tool record for `control`; the first fields only, in the size every
// version of the tooltip understands.
TTTOOLINFOA ToolFor(HWND control) {
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = control;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.hinst = module::Handle();
    return tool;
}

} // namespace

void AddUser() {
    Shared& shared = gShared.GetOrMake();
    if (shared.users++ > 0) {
        return;
    }
    InitCommonControls();
    shared.window = win::Window(
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, module::Handle(), nullptr));
    SendMessageA(shared.window.Get(), TTM_ACTIVATE, TRUE, 0);
}

void RemoveUser() {
    Shared* shared = gShared.Get();
    if (shared != nullptr && --shared->users == 0) {
        gShared.Destroy();
    }
}

HWND Window() {
    const Shared* shared = gShared.Get();
    return shared != nullptr ? shared->window.Get() : nullptr;
}

void AddTool(HWND control) {
    HWND window = Window();
    if (window == nullptr || control == nullptr) {
        return;
    }
    TTTOOLINFOA tool = ToolFor(control);
    tool.uFlags = TTF_IDISHWND;
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(window, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(window, TTM_ACTIVATE, TRUE, reinterpret_cast<LPARAM>(control));
}

void RemoveTool(HWND control) {
    HWND window = Window();
    if (window == nullptr || control == nullptr) {
        return;
    }
    TTTOOLINFOA tool = ToolFor(control);
    SendMessageA(window, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Relay(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = Window();
    if (window == nullptr) {
        return;
    }
    MSG relayed{control, message, wParam, lParam, 0, {0, 0}};
    SendMessageA(window, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

} // namespace tovabel::win::tooltip
