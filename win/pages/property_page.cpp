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
    updating_ = true;
    CheckDlgButton(dialog_, control, checked ? BST_CHECKED : BST_UNCHECKED);
    updating_ = false;
}

void DialogView::ShowText(int control, const Text& text) {
    updating_ = true;
    HWND child = GetDlgItem(dialog_, control);
    const std::wstring wide(AsWide(text));
    if (IsComboBox(child)) {
        const LRESULT index = SendMessageW(child, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(wide.c_str()));
        SendMessageW(child, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    } else {
        SetWindowTextW(child, wide.c_str());
    }
    updating_ = false;
}

void DialogView::Enable(int control, bool enabled) {
    EnableWindow(GetDlgItem(dialog_, control), enabled);
}

void DialogView::MarkChanged() {
    if (site_ != nullptr) {
        site_->OnStatusChange(PROPPAGESTATUS_DIRTY);
    }
}

void DialogView::ShowMessage(const Text& prompt) {
    const std::wstring text(AsWide(prompt));
    const std::wstring title(AsWide(ReadComponentInfo().title));
    MessageBoxW(dialog_, text.c_str(), title.c_str(), MB_OK);
}

void DialogView::ShowAbout() {
    ShowAboutBox(ReadComponentInfo());
}

// ---------------------------------------------------------------------------
// PropertyPage

PropertyPage::PropertyPage(const PageLayout& layout) : layout_(layout) {}

HRESULT PropertyPage::SetPageSite(IPropertyPageSite* site) {
    site_ = ComPtr<IPropertyPageSite>::Share(site);
    view_.Attach(window_.Get(), site_.Get());
    return S_OK;
}

HRESULT PropertyPage::Activate(HWND parent, LPCRECT bounds, BOOL) {
    if (window_) {
        return E_UNEXPECTED;
    }
    const DialogTemplate page(WS_CHILD | DS_CONTROL | WS_CLIPSIBLINGS, layout_.title);
    window_ = Window(CreateDialogIndirectParamW(module::Handle(), page.Get(), parent,
                                                &PropertyPage::DialogProc,
                                                reinterpret_cast<LPARAM>(this)));
    if (!window_) {
        return HRESULT_FROM_WIN32(GetLastError());
    }
    view_.Attach(window_.Get(), site_.Get());
    AddControls(window_.Get(), layout_.controls);
    CreateContent();
    FillControls(window_.Get());
    if (bounds != nullptr) {
        Move(bounds);
    }
    LoadSelection();
    return S_OK;
}

HRESULT PropertyPage::Deactivate() {
    window_.Reset();
    view_.Attach(nullptr, site_.Get());
    DestroyContent();
    return S_OK;
}

HRESULT PropertyPage::GetPageInfo(PROPPAGEINFO* info) {
    if (info == nullptr) {
        return E_POINTER;
    }
    info->cb = sizeof(PROPPAGEINFO);
    info->pszTitle = TaskString(layout_.title);
    info->size = PixelSize(layout_.widthTwips, layout_.heightTwips);
    info->pszDocString = nullptr;
    info->pszHelpFile = nullptr;
    info->dwHelpContext = 0;
    return info->pszTitle != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT PropertyPage::SetObjects(ULONG count, IUnknown** objects) {
    control_.Select(count, objects);
    if (!window_) {
        return S_OK; // loaded when the page opens
    }
    return LoadSelection();
}

// Loading runs the edit handlers: a page that shows anything other than it
// did, a transparency correction included, has that to apply.
HRESULT PropertyPage::LoadSelection() {
    return control_.HasSelection() ? LoadContent() : S_OK;
}

HRESULT PropertyPage::Show(UINT command) {
    ShowWindow(window_.Get(), static_cast<int>(command));
    return window_ ? S_OK : E_UNEXPECTED;
}

HRESULT PropertyPage::Move(LPCRECT bounds) {
    if (bounds == nullptr) {
        return E_POINTER;
    }
    MoveWindow(window_.Get(), bounds->left, bounds->top, bounds->right - bounds->left,
               bounds->bottom - bounds->top, TRUE);
    return window_ ? S_OK : E_UNEXPECTED;
}

HRESULT PropertyPage::IsPageDirty() {
    return window_ && ContentChanged() ? S_OK : S_FALSE;
}

HRESULT PropertyPage::Apply() {
    if (!window_ || !control_.HasSelection()) {
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
    if (message == nullptr || !window_) {
        return S_FALSE;
    }
    return IsDialogMessageW(window_.Get(), message) ? S_OK : S_FALSE;
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
    if (message != WM_COMMAND || page == nullptr || page->view_.Updating()) {
        return FALSE;
    }
    page->OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    return TRUE;
}

} // namespace tovabel::win
