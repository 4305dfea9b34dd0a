#include "pages.h"

#include "win/common/com_ptr.h"
#include "win/common/guids.h"
#include "win/common/window.h"
#include "win/olehost/container.h"
#include "win/olehost/pixels.h"

#include <olectl.h>

#include <chrono>
#include <cstdio>
#include <vector>

namespace tovabel::demo {

namespace {

using win::ComPtr;

// Opens one page over `button` in a window of its own and pictures it.
void PicturePage(const CLSID& clsid, IUnknown* button, const std::wstring& path) {
    ComPtr<IPropertyPage> page;
    PROPPAGEINFO info{};
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage,
                                page.PutVoid())) ||
        FAILED(page->GetPageInfo(&info))) {
        return;
    }
    std::printf("  page \"%ls\": %ld x %ld pixels\n", info.pszTitle, info.size.cx, info.size.cy);
    CoTaskMemFree(info.pszTitle);
    CoTaskMemFree(info.pszDocString);
    CoTaskMemFree(info.pszHelpFile);
    const win::Window window(CreateWindowExW(0, L"STATIC", L"page", WS_POPUP | WS_VISIBLE, 0, 0,
                                             info.size.cx, info.size.cy, nullptr, nullptr, nullptr,
                                             nullptr));
    IUnknown* selection[] = {button};
    const RECT bounds{0, 0, info.size.cx, info.size.cy};
    page->SetObjects(1, selection);
    if (SUCCEEDED(page->Activate(window.Get(), &bounds, TRUE))) {
        page->Show(SW_SHOW);
        olehost::PumpMessages(std::chrono::milliseconds(200));
        if (olehost::SavePng(olehost::ReadWindow(window.Get()), path)) {
            std::printf("  its picture: %ls\n", path.c_str());
        }
        page->Deactivate();
    }
    page->SetObjects(0, nullptr);
}

std::wstring gFramePicture; // where the timer pictures the frame

BOOL CALLBACK CloseFrame(HWND window, LPARAM) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (!IsWindowVisible(window) || std::wstring(name) != L"#32770") {
        return TRUE;
    }
    if (olehost::SavePng(olehost::ReadWindow(window), gFramePicture)) {
        std::printf("  the frame: %ls\n", gFramePicture.c_str());
    }
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    return FALSE;
}

void CALLBACK OnFrameShown(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    EnumThreadWindows(GetCurrentThreadId(), &CloseFrame, 0);
}

} // namespace

void ShowPages(IUnknown* button, const std::wstring& folder, bool stayOpen) {
    std::printf("\nThe property pages of the Open button:\n");
    PicturePage(CLSID_pagGeneral, button, folder + L"page-general.png");
    PicturePage(CLSID_pagURLs, button, folder + L"page-urls.png");

    const ComPtr<ISpecifyPropertyPages> specify =
        ComPtr<IUnknown>::Share(button).As<ISpecifyPropertyPages>(IID_ISpecifyPropertyPages);
    CAUUID pages{};
    if (!specify || FAILED(specify->GetPages(&pages))) {
        return;
    }
    const std::vector<GUID> list(pages.pElems, pages.pElems + pages.cElems);
    CoTaskMemFree(pages.pElems);
    if (!stayOpen) {
        gFramePicture = folder + L"pages-frame.png";
        SetTimer(nullptr, 0, 500, &OnFrameShown);
    } else {
        std::printf("  The property frame is open; close it to go on.\n");
    }
    std::fflush(stdout);
    IUnknown* selection[] = {button};
    const HRESULT hr = OleCreatePropertyFrame(
        nullptr, 40, 40, L"Open", 1, selection, static_cast<ULONG>(list.size()),
        const_cast<GUID*>(list.data()), LOCALE_USER_DEFAULT, 0, nullptr);
    std::printf("  property frame closed (0x%08lx)\n", static_cast<unsigned long>(hr));
}

} // namespace tovabel::demo
