#include "dialog_watch.h"

namespace tovabel::wintest {

namespace {

DialogWatch* gWatch = nullptr; // the one watch of the test thread

std::wstring TextOf(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

BOOL CALLBACK Collect(HWND window, LPARAM out) {
    reinterpret_cast<std::vector<HWND>*>(out)->push_back(window);
    return TRUE;
}

std::vector<HWND> Children(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(window, &Collect, reinterpret_cast<LPARAM>(&children));
    return children;
}

bool IsOpenDialog(HWND window) {
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    return IsWindowVisible(window) && std::wstring(className) == L"#32770";
}

bool IsClickable(HWND window) {
    return IsWindowVisible(window) && IsWindowEnabled(window);
}

} // namespace

std::vector<HWND> ThreadWindowsWhere(bool (*keep)(HWND)) {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), &Collect, reinterpret_cast<LPARAM>(&windows));
    std::erase_if(windows, [keep](HWND window) { return !keep(window); });
    return windows;
}

std::vector<std::wstring> ChildTexts(HWND window) {
    std::vector<std::wstring> texts;
    for (HWND child : Children(window)) {
        texts.push_back(TextOf(child));
    }
    return texts;
}

DialogWatch::DialogWatch() : mTimer(SetTimer(nullptr, 0, 50, &Tick)) {
    gWatch = this;
}

DialogWatch::~DialogWatch() {
    KillTimer(nullptr, mTimer);
    gWatch = nullptr;
}

void CALLBACK DialogWatch::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (gWatch != nullptr) {
        gWatch->CloseOpenDialogs();
    }
}

void DialogWatch::CloseOpenDialogs() {
    for (HWND dialog : ThreadWindowsWhere(&IsOpenDialog)) {
        std::vector<HWND> beside = ThreadWindowsWhere(&IsClickable);
        std::erase(beside, dialog);
        mSeen.push_back({TextOf(dialog), GetWindow(dialog, GW_OWNER), ChildTexts(dialog), beside});
        for (HWND child : Children(dialog)) {
            if (TextOf(child) == L"OK") {
                SendMessageW(child, BM_CLICK, 0, 0);
            }
        }
    }
}

} // namespace tovabel::wintest
