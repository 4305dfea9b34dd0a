// Reads the dialogs a call opens on this thread: a thread timer, which the
// dialog's own modal loop runs, finds each new dialog of the thread, records
// its caption, owner, the texts of its children and the thread's other windows
// that were open to the user meanwhile, and closes it by clicking its OK button.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tovabel::wintest {

struct SeenDialog {
    std::wstring caption;
    HWND owner = nullptr;
    std::vector<std::wstring> texts; // children in creation order
    std::vector<HWND> clickable;     // the thread's other visible, enabled top-level windows
};

class DialogWatch {
public:
    DialogWatch();
    ~DialogWatch();
    DialogWatch(const DialogWatch&) = delete;
    DialogWatch& operator=(const DialogWatch&) = delete;

    const std::vector<SeenDialog>& Seen() const { return mSeen; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void CloseOpenDialogs();

    std::vector<SeenDialog> mSeen;
    UINT_PTR mTimer;
};

// The top-level windows of this thread that pass `keep`, and the texts of
// `window`'s children in creation order.
std::vector<HWND> ThreadWindowsWhere(bool (*keep)(HWND));
std::vector<std::wstring> ChildTexts(HWND window);

} // namespace tovabel::wintest
