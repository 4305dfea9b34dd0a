#include "dialog_watch.h"

#include <utility>

namespace tovabel::wintest {

namespace {

DialogWatch* gWatch = nullptr; // the one watch of the test thread

std::wstring TextOf(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM out) {
    if (GetParent(child) != nullptr) {
        reinterpret_cast<std::vector<HWND>*>(out)->push_back(child);
    }
    return TRUE;
}

std::vector<HWND> Children(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(window, &CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

BOOL CALLBACK CollectClickable(HWND window, LPARAM out) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
        reinterpret_cast<std::vector<HWND>*>(out)->push_back(window);
    }
    return TRUE;
}

// The visible, enabled top-level windows of this thread other than `dialog`.
std::vector<HWND> ClickableBeside(HWND dialog) {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), &CollectClickable, reinterpret_cast<LPARAM>(&windows));
    std::erase(windows, dialog);
    return windows;
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM out) {
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (IsWindowVisible(window) && std::wstring(className) == L"#32770") {
        reinterpret_cast<std::vector<HWND>*>(out)->push_back(window);
    }
    return TRUE;
}

} // namespace

std::vector<std::wstring> ChildTexts(HWND window) {
    std::vector<std::wstring> texts;
    for (HWND child : Children(window)) {
        texts.push_back(TextOf(child));
    }
    return texts;
}

DialogWatch::DialogWatch(std::wstring closeButton)
    : closeButton_(std::move(closeButton)), timer_(SetTimer(nullptr, 0, 50, &Tick)) {
    gWatch = this;
}

DialogWatch::~DialogWatch() {
    KillTimer(nullptr, timer_);
    gWatch = nullptr;
}

void CALLBACK DialogWatch::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (gWatch != nullptr) {
        gWatch->CloseOpenDialogs();
    }
}

void DialogWatch::CloseOpenDialogs() {
    std::vector<HWND> dialogs;
    EnumThreadWindows(GetCurrentThreadId(), &CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
    for (HWND dialog : dialogs) {
        seen_.push_back({TextOf(dialog), GetWindow(dialog, GW_OWNER), ChildTexts(dialog),
                         ClickableBeside(dialog)});
        for (HWND child : Children(dialog)) {
            if (TextOf(child) == closeButton_) {
                SendMessageW(child, BM_CLICK, 0, 0);
            }
        }
    }
}

} // namespace tovabel::wintest
