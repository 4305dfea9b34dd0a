#include "property_page.h"

#include "about_box.h"
#include "win/common/module.h"
#include "win/common/text.h"
#include "win/common/version_info.h"

#include <string>

namespace tovabel::win {

namespace {

bool IsComboBox(HWND control) {
    wchar_t name[16] = {};
    GetClassNameW(control, name, 16);
    return lstrcmpiW(name, L"ComboBox") == 0;
}

// A copy of `text` in task memory, for the frame to free.
LPOLESTR TaskString(const wchar_t* text) {
    const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    auto* copy = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (copy != nullptr) {
        memcpy(copy, text, bytes);
    }
    return copy;
}

} // namespace

Text ControlText(HWND dialog, int control) {
    HWND child = GetDlgItem(dialog, control);
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(child)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(child, text.data(), static_cast<int>(text.size()))));
    return FromWide(text);
}

// ---------------------------------------------------------------------------
// DialogView

void DialogView::ShowCheck(int control, bool checked) {
    mUpdating = true;
    CheckDlgButton(mDialog, control, checked ? BST_CHECKED : BST_UNCHECKED);
    mUpdating = false;
}

void DialogView::ShowText(int control, const Text& text) {
    mUpdating = true;
    HWND child = GetDlgItem(mDialog, control);
    const std::wstring wide(AsWide(text));
    if (IsComboBox(child)) {
        const LRESULT index = SendMessageW(child, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(wide.c_str()));
        SendMessageW(child, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    } else {
        SetWindowTextW(child, wide.c_str());
    }
    mUpdating = false;
}

void DialogView::Enable(int control, bool enabled) {
    EnableWindow(GetDlgItem(mDialog, control), enabled);
}

void DialogView::MarkChanged() {
    if (mSite != nullptr) {
        mSite->OnStatusChange(PROPPAGESTATUS_DIRTY);
    }
}

void DialogView::ShowMessage(const Text& prompt) {
    const std::wstring text(AsWide(prompt));
    const std::wstring title(AsWide(ReadComponentInfo().title));
    MessageBoxW(mDialog, text.c_str(), title.c_str(), MB_OK);
}

void DialogView::ShowAbout() {
    ShowAboutBox(ReadComponentInfo());
}

// ---------------------------------------------------------------------------
// PropertyPage

PropertyPage::PropertyPage(const PageLayout& layout) : mLayout(layout) {}

HRESULT PropertyPage::SetPageSite(IPropertyPageSite* site) {
    mSite = ComPtr<IPropertyPageSite>::Share(site);
    mView.Attach(mWindow.Get(), mSite.Get());
    return S_OK;
}

HRESULT PropertyPage::Activate(HWND parent, LPCRECT bounds, BOOL) {
    if (mWindow) {
        return E_UNEXPECTED;
    }
    const DialogTemplate page(WS_CHILD | DS_CONTROL | WS_CLIPSIBLINGS, mLayout.title);
    mWindow = Window(CreateDialogIndirectParamW(module::Handle(), page.Get(), parent,
                                                &PropertyPage::DialogProc,
                                                reinterpret_cast<LPARAM>(this)));
    if (!mWindow) {
        return HRESULT_FROM_WIN32(GetLastError());
    }
    mView.Attach(mWindow.Get(), mSite.Get());
    AddControls(mWindow.Get(), mLayout.controls);
    CreateContent();
    FillControls(mWindow.Get());
    if (bounds != nullptr) {
        Move(bounds);
    }
    LoadSelection();
    return S_OK;
}

HRESULT PropertyPage::Deactivate() {
    mWindow.Reset();
    mView.Attach(nullptr, mSite.Get());
    DestroyContent();
    return S_OK;
}

HRESULT PropertyPage::GetPageInfo(PROPPAGEINFO* info) {
    if (info == nullptr) {
        return E_POINTER;
    }
    info->cb = sizeof(PROPPAGEINFO);
    info->pszTitle = TaskString(mLayout.title);
    info->size = PixelSize(mLayout.widthTwips, mLayout.heightTwips);
    info->pszDocString = nullptr;
    info->pszHelpFile = nullptr;
    info->dwHelpContext = 0;
    return info->pszTitle != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT PropertyPage::SetObjects(ULONG count, IUnknown** objects) {
    mControl.Select(count, objects);
    if (!mWindow) {
        return S_OK; // loaded when the page opens
    }
    return LoadSelection();
}

// Loading runs the edit handlers: a page that shows anything other than it
// did, a transparency correction included, has that to apply.
HRESULT PropertyPage::LoadSelection() {
    return mControl.HasSelection() ? LoadContent() : S_OK;
}

HRESULT PropertyPage::Show(UINT command) {
    ShowWindow(mWindow.Get(), static_cast<int>(command));
    return mWindow ? S_OK : E_UNEXPECTED;
}

HRESULT PropertyPage::Move(LPCRECT bounds) {
    if (bounds == nullptr) {
        return E_POINTER;
    }
    MoveWindow(mWindow.Get(), bounds->left, bounds->top, bounds->right - bounds->left,
               bounds->bottom - bounds->top, TRUE);
    return mWindow ? S_OK : E_UNEXPECTED;
}

HRESULT PropertyPage::IsPageDirty() {
    return mWindow && ContentChanged() ? S_OK : S_FALSE;
}

HRESULT PropertyPage::Apply() {
    if (!mWindow || !mControl.HasSelection()) {
        return S_OK;
    }
    const HRESULT hr = ApplyContent();
    if (SUCCEEDED(hr)) {
        ClearContentChanged();
    }
    return hr;
}

HRESULT PropertyPage::Help(LPCOLESTR) {
    return E_NOTIMPL;
}

HRESULT PropertyPage::TranslateAccelerator(MSG* message) {
    if (message == nullptr || !mWindow) {
        return S_FALSE;
    }
    return IsDialogMessageW(mWindow.Get(), message) ? S_OK : S_FALSE;
}

HRESULT PropertyPage::EditProperty(DISPID) {
    return E_NOTIMPL;
}

INT_PTR CALLBACK PropertyPage::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, GWLP_USERDATA, lParam);
        return FALSE;
    }
    auto* page = reinterpret_cast<PropertyPage*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
    if (message != WM_COMMAND || page == nullptr || page->mView.Updating()) {
        return FALSE;
    }
    page->OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    return TRUE;
}

} // namespace tovabel::win
