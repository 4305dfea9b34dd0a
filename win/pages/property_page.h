// The frame's side of a property page (IPropertyPage2): the page's window as a
// child dialog of the frame, the selection, the dirty state and Apply. What a
// page shows and does is its content's; the window shows it through DialogView.
#pragma once

#include "dialog_controls.h"
#include "dispatch_control.h"
#include "pages/page_services.h"
#include "win/common/com_object.h"
#include "win/common/com_ptr.h"
#include "win/common/handle.h"

#include <windows.h>

#include <ocidl.h>

#include <optional>
#include <span>

namespace tovabel::win {

// The page's dialog as the page's rules see it. While the page itself changes
// a control, the control's notifications are not passed on.
class DialogView final : public pages::PageView {
public:
    void Attach(HWND dialog, IPropertyPageSite* site) {
        mDialog = dialog;
        mSite = site;
    }
    bool Updating() const { return mUpdating; }

    void ShowCheck(int control, bool checked) override;
    void ShowText(int control, const Text& text) override;
    void Enable(int control, bool enabled) override;
    void MarkChanged() override;
    void ShowMessage(const Text& prompt) override;
    void ShowAbout() override;

private:
    HWND mDialog = nullptr;
    IPropertyPageSite* mSite = nullptr; // the page holds the reference
    bool mUpdating = false;
};

// What differs from page to page.
struct PageLayout {
    const wchar_t* title;
    int widthTwips;
    int heightTwips;
    std::span<const ControlSpec> controls;
};

class PropertyPage : public Standalone<Answers<IPropertyPage2, IPropertyPage>> {
public:
    HRESULT STDMETHODCALLTYPE SetPageSite(IPropertyPageSite* site) override;
    HRESULT STDMETHODCALLTYPE Activate(HWND parent, LPCRECT bounds, BOOL modal) override;
    HRESULT STDMETHODCALLTYPE Deactivate() override;
    HRESULT STDMETHODCALLTYPE GetPageInfo(PROPPAGEINFO* info) override;
    HRESULT STDMETHODCALLTYPE SetObjects(ULONG count, IUnknown** objects) override;
    HRESULT STDMETHODCALLTYPE Show(UINT command) override;
    HRESULT STDMETHODCALLTYPE Move(LPCRECT bounds) override;
    HRESULT STDMETHODCALLTYPE IsPageDirty() override;
    HRESULT STDMETHODCALLTYPE Apply() override;
    HRESULT STDMETHODCALLTYPE Help(LPCOLESTR helpDir) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG* message) override;
    HRESULT STDMETHODCALLTYPE EditProperty(DISPID id) override;

protected:
    explicit PropertyPage(const PageLayout& layout);

    // The content's part: made fresh for each window, loaded from the selection,
    // applied to it, and told about the user's edits.
    virtual void CreateContent() = 0;
    virtual void DestroyContent() = 0;
    virtual void FillControls(HWND dialog) = 0;
    virtual HRESULT LoadContent() = 0;
    virtual HRESULT ApplyContent() = 0;
    virtual void OnCommand(HWND dialog, int control, int notification) = 0;
    virtual bool ContentChanged() const = 0;
    virtual void ClearContentChanged() = 0;

    DialogView mView;
    DispatchControl mControl;

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    HRESULT LoadSelection();

    const PageLayout& mLayout;
    ComPtr<IPropertyPageSite> mSite;
    Window mWindow;
};

// A page whose content is the rules of `Content`, made over the page's view
// and selection for each window the page shows.
template <class Content> class ContentPage : public PropertyPage {
protected:
    using PropertyPage::PropertyPage;

    void CreateContent() override { mPage.emplace(mView, mControl); }
    void DestroyContent() override { mPage.reset(); }
    bool ContentChanged() const override { return mPage && mPage->Changed(); }
    void ClearContentChanged() override {
        if (mPage) {
            mPage->ClearChanged();
        }
    }

    std::optional<Content> mPage;
};

// The text of a dialog's control.
Text ControlText(HWND dialog, int control);

} // namespace tovabel::win
