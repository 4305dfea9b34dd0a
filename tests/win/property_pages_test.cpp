// The design-time face of the control, read from the real dialogs: the pages
// it lists for a designer, the About box, the message boxes that explain a
// refused value, and the General and URLs pages as a designer's frame drives
// them: created by CLSID, given a site and a selection of one or several
// buttons, activated in a window, edited through their dialog controls and applied.
#include "com_client.h"
#include "dialog_watch.h"

#include "control/tovabel_interface.h"
#include "pages/general_page.h"
#include "pages/urls_page.h"
#include "win/common/guids.h"

#include <initguid.h>

#include <msstkppg.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace tovabel::wintest {
namespace {

namespace G = pages::General;
namespace U = pages::Urls;

constexpr DISPID kVersion = win::dispid::Version;

// The values of `names` as text, separated by spaces.
std::string Read(IDispatch* control, std::initializer_list<const wchar_t*> names) {
    std::string text;
    for (const wchar_t* name : names) {
        text += Describe(Get(control, name)) + " ";
    }
    return text.substr(0, text.size() - 1);
}

void Write(IDispatch* control, const wchar_t* name, const Var& value) {
    ASSERT_EQ(Put(control, name, value), S_OK) << ToNarrow(name);
}

// The frame's side: records the status the page reports.
class PageSite final : public win::LocalObject<IPropertyPageSite> {
public:
    DWORD status = 0;

    HRESULT STDMETHODCALLTYPE OnStatusChange(DWORD flags) override {
        status |= flags;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetLocaleID(LCID* locale) override {
        *locale = LOCALE_USER_DEFAULT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPageContainer(IUnknown**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override { return S_FALSE; }
};

// One page, open in a window of its own over a selection.
class OpenPage {
public:
    OpenPage(const CLSID& clsid, const std::vector<IDispatch*>& selection)
        : mParent(CreateWindowExW(0, L"STATIC", L"frame", WS_POPUP | WS_VISIBLE, 0, 0, 640, 360,
                                  nullptr, nullptr, nullptr, nullptr)) {
        created = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage,
                                   page.PutVoid());
        if (FAILED(created)) {
            return;
        }
        page->SetPageSite(&site);
        std::vector<IUnknown*> objects(selection.begin(), selection.end());
        page->SetObjects(static_cast<ULONG>(objects.size()), objects.data());
        const RECT bounds{0, 0, 600, 320};
        activated = page->Activate(mParent, &bounds, TRUE);
        dialog = GetWindow(mParent, GW_CHILD);
    }
    ~OpenPage() {
        if (page) {
            page->Deactivate();
            page->SetObjects(0, nullptr);
            page->SetPageSite(nullptr);
        }
        DestroyWindow(mParent);
    }
    OpenPage(const OpenPage&) = delete;
    OpenPage& operator=(const OpenPage&) = delete;

    HWND Item(int id) const { return GetDlgItem(dialog, id); }
    std::wstring TextOf(int id) const {
        wchar_t text[512] = {};
        GetWindowTextW(Item(id), text, 512);
        return text;
    }
    bool IsChecked(int id) const { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) != 0; }
    // As the user does it: the control's state changes, then its notification arrives.
    void SetCheck(int id, bool checked) const {
        SendMessageW(Item(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
        Notify(id, BN_CLICKED);
    }
    void Choose(int id, const wchar_t* item) const {
        const LRESULT index = SendMessageW(Item(id), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(item));
        ASSERT_GE(index, 0) << ToNarrow(item);
        SendMessageW(Item(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        Notify(id, CBN_SELCHANGE);
    }
    void Type(int id, const wchar_t* text) const { SetWindowTextW(Item(id), text); } // EN_CHANGE

    Ref<IPropertyPage> page;
    PageSite site;
    HRESULT created = E_FAIL;
    HRESULT activated = E_FAIL;
    HWND dialog = nullptr;

private:
    void Notify(int id, WORD code) const {
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
    }
    HWND mParent;
};

TEST(Pages, ControlListsItsFivePagesInOrder) {
    const Ref<IDispatch> control = CreateControl();
    const auto pages = control.As<ISpecifyPropertyPages>(IID_ISpecifyPropertyPages);
    ASSERT_TRUE(pages);
    CAUUID list{};
    ASSERT_EQ(pages->GetPages(&list), S_OK);
    const std::vector<GUID> got(list.pElems, list.pElems + list.cElems);
    CoTaskMemFree(list.pElems);
    const std::vector<GUID> expected = {CLSID_pagGeneral, CLSID_pagURLs, CLSID_StockColorPage,
                                        CLSID_StockPicturePage, CLSID_StockFontPage};
    EXPECT_EQ(got, expected);
}

// Called from a form at run time, the box is modal without an owner: the
// form cannot be clicked until the box is closed.
TEST(Pages, AboutBoxShowsTitleAndVersionEachTimeModally) {
    olehost::Container container;
    ASSERT_EQ(S_OK, container.Create(kProgId, {0, 0, 60, 30}));
    const Ref<IDispatch> control = container.Dispatch();
    Var version;
    ASSERT_EQ(Call(control.Get(), kVersion, version), S_OK);
    const std::wstring versionText = L"Version " + std::wstring(version.Get()->bstrVal);

    const DialogWatch watch;
    for (int i = 0; i < 2; ++i) {
        Var none;
        ASSERT_EQ(Call(control.Get(), win::dispid::AboutBox, none), S_OK);
        EXPECT_TRUE(IsWindowEnabled(container.FrameWindow()));
    }
    ASSERT_EQ(watch.Seen().size(), 2u); // each call showed one box, and OK closed it
    for (const SeenDialog& box : watch.Seen()) {
        EXPECT_EQ(box.caption, L"About Tovabel");
        EXPECT_EQ(box.owner, nullptr);
        EXPECT_EQ(box.clickable, std::vector<HWND>{});
        ASSERT_EQ(box.texts.size(), 5u);
        EXPECT_EQ(box.texts[0], L"Tovabel");
        EXPECT_EQ(box.texts[1], versionText);
        EXPECT_EQ(box.texts[2], L"Source Code Release");
        EXPECT_NE(box.texts[3].find(L"Copyright"), std::wstring::npos);
        EXPECT_EQ(box.texts[4], L"OK");
    }
}

// A value the control refuses explains itself to the designer in a message box
// with an OK button, titled with the control's name or, when the message has
// no title of its own, the component's; an accepted one shows nothing. (That
// a running program hears of no refusal is the native tests' table.)
TEST(Pages, RefusedValuesExplainThemselvesToTheDesigner) {
    const Ref<IPictureDisp> icon = MakeIconPicture();
    const Ref<IPictureDisp> metafile = MakeMetafilePicture();
    struct Step {
        const wchar_t* property;
        std::function<Var()> value;
        const wchar_t* message; // null: accepted
        const wchar_t* title;
    };
    const Step steps[] = {
        {L"Caption", [] { return Str(L"Hi"); }, nullptr, nullptr},
        {L"Transparent", [] { return Bool(true); },
         L"The transparency feature does not work with captions - use a bitmap based image (bmp, "
         L"gif, jpeg) for your button",
         L"Tovabel"},
        {L"PictureOver", [&] { return Object(metafile.Get()); },
         L"Picture properties must be an icon, bitmap, metafile, GIF or JPEG.", L"Tovabel1"},
        {L"MouseIcon", [&] { return Object(icon.Get()); }, nullptr, nullptr},
    };
    olehost::Container container(false);
    ASSERT_EQ(S_OK, container.Create(kProgId, {0, 0, 60, 30}));
    for (const Step& step : steps) {
        SCOPED_TRACE(step.property);
        const DialogWatch watch;
        const Var value = step.value();
        EXPECT_EQ(S_OK, container.Put(step.property, *value.Get())) << "a refusal is no error";
        ASSERT_EQ(watch.Seen().size(), step.message ? 1u : 0u);
        if (step.message) {
            const SeenDialog& box = watch.Seen()[0];
            EXPECT_EQ(box.caption, step.title); // closed through its OK button
            EXPECT_NE(std::find(box.texts.begin(), box.texts.end(), step.message), box.texts.end());
        }
    }
}

// The frame names each page's tab by the page's title.
TEST(PropertyPages, DescribeThemselvesToTheFrame) {
    for (const auto& [clsid, title] :
         {std::pair{CLSID_pagGeneral, L"General"}, std::pair{CLSID_pagURLs, L"URLs"}}) {
        Ref<IPropertyPage2> page;
        ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage2,
                                   page.PutVoid()),
                  S_OK);
        PROPPAGEINFO info{};
        ASSERT_EQ(page->GetPageInfo(&info), S_OK);
        EXPECT_STREQ(info.pszTitle, title);
        EXPECT_GT(info.size.cx, 0);
        CoTaskMemFree(info.pszTitle);
        EXPECT_EQ(page->IsPageDirty(), S_FALSE);
    }
}

TEST(PropertyPages, GeneralLoadsFromAndAppliesToTheFirstSelectedButtonOnly) {
    const Ref<IDispatch> first = CreateControl();
    const Ref<IDispatch> second = CreateControl();
    Write(first.Get(), L"Style", Long(3));
    Write(first.Get(), L"Caption", Str(L"Save"));
    Write(first.Get(), L"ToolTipText", Str(L"Saves the file"));
    Write(first.Get(), L"AlignCaption", Long(2));
    Write(second.Get(), L"Caption", Str(L"Other"));

    const OpenPage open(CLSID_pagGeneral, {first.Get(), second.Get()});
    ASSERT_EQ(open.activated, S_OK);
    Var version;
    Call(first.Get(), kVersion, version);
    EXPECT_EQ(ChildTexts(open.dialog)[1],
              L"Tovabel Version " + std::wstring(version.Get()->bstrVal));
    EXPECT_EQ(open.TextOf(G::Style), L"DropDown");
    EXPECT_EQ(open.TextOf(G::Caption), L"Save");
    EXPECT_EQ(open.TextOf(G::ToolTip), L"Saves the file");
    EXPECT_TRUE(open.IsChecked(G::Enabled));
    EXPECT_FALSE(IsWindowEnabled(open.Item(G::Checked)));
    // Loading changed what the fresh page showed, as edits do: Apply is offered.
    EXPECT_EQ(open.page->IsPageDirty(), S_OK);
    EXPECT_TRUE(open.site.status & PROPPAGESTATUS_DIRTY);

    open.Choose(G::Style, L"Check");
    EXPECT_TRUE(IsWindowEnabled(open.Item(G::Checked)));
    open.SetCheck(G::Checked, true);
    open.Type(G::Caption, L"Open");
    open.Choose(G::FontDirection, L"Upward");
    open.SetCheck(G::Enabled, false);
    ASSERT_EQ(open.page->Apply(), S_OK);
    EXPECT_EQ(open.page->IsPageDirty(), S_FALSE);
    // Loading again what the page already shows changes nothing on it.
    IUnknown* selection[] = {first.Get(), second.Get()};
    ASSERT_EQ(open.page->SetObjects(2, selection), S_OK);
    EXPECT_EQ(open.page->IsPageDirty(), S_FALSE);
    EXPECT_EQ(Read(first.Get(), {L"Style", L"Caption", L"Checked", L"Enabled", L"FontDirection"}),
              "1 Open -1 0 3");
    EXPECT_EQ(Read(second.Get(), {L"Caption", L"Style"}), "Other 0");

    open.Choose(G::Style, L"Menu Item Check");
    EXPECT_EQ(open.page->IsPageDirty(), S_OK);

    const DialogWatch watch;
    SendMessageW(open.Item(G::About), BM_CLICK, 0, 0);
    ASSERT_EQ(watch.Seen().size(), 1u);
    EXPECT_EQ(watch.Seen()[0].caption, L"About Tovabel");
    EXPECT_EQ(watch.Seen()[0].owner, nullptr);
    EXPECT_EQ(watch.Seen()[0].clickable, std::vector<HWND>{}); // the frame waits for it
    EXPECT_TRUE(IsWindowEnabled(GetAncestor(open.dialog, GA_ROOT)));
}

// An icon cannot be transparent: the box unchecks itself and says why in a dialog.
TEST(PropertyPages, GeneralRefusesTransparencyForAnIconInADialog) {
    const Ref<IDispatch> withIcon = CreateControl();
    const Ref<IDispatch> other = CreateControl();
    const Ref<IPictureDisp> icon = MakeIconPicture();
    Write(withIcon.Get(), L"Picture", Object(icon.Get()));
    const OpenPage open(CLSID_pagGeneral, {withIcon.Get(), other.Get()});
    const DialogWatch watch;
    open.SetCheck(G::Transparent, true);
    EXPECT_FALSE(open.IsChecked(G::Transparent));
    ASSERT_EQ(watch.Seen().size(), 1u);
    EXPECT_EQ(watch.Seen()[0].caption, L"Tovabel");
    const auto& texts = watch.Seen()[0].texts;
    EXPECT_NE(std::find(texts.begin(), texts.end(),
                        L"The transparency feature does not work with Icons - use a bitmap based "
                        L"image (bmp, gif, jpeg) instead"),
              texts.end());
    EXPECT_EQ(open.TextOf(G::Style), L"Normal"); // nothing else moved
    ASSERT_EQ(open.page->Apply(), S_OK);
    EXPECT_EQ(Read(withIcon.Get(), {L"Transparent"}) + Read(other.Get(), {L"Transparent"}), "00");
}

TEST(PropertyPages, UrlsLoadAndApplyTheFirstButtonAndReportFailures) {
    const Ref<IDispatch> first = CreateControl();
    const Ref<IDispatch> second = CreateControl();
    Write(first.Get(), L"SoundEnterURL", Str(L"enter.wav"));
    Write(first.Get(), L"URLPictureDown", Str(L"down.bmp"));
    {
        const OpenPage open(CLSID_pagURLs, {first.Get(), second.Get()});
        ASSERT_EQ(open.activated, S_OK);
        EXPECT_EQ(open.TextOf(U::SoundEnter), L"enter.wav");
        EXPECT_EQ(open.TextOf(U::PictureDown), L"down.bmp");
        EXPECT_EQ(open.TextOf(U::Picture), L"");
        EXPECT_EQ(open.page->IsPageDirty(), S_OK); // loading changed the boxes
        // The access key of each frame's caption reaches the frame's first box.
        open.page->Show(SW_SHOW);
        for (const auto& [key, box] :
             {std::pair{L'S', U::SoundEnter}, std::pair{L'P', U::Picture}}) {
            MSG message{open.Item(U::SoundClick), WM_SYSCHAR, key, 0, 0, {}};
            EXPECT_EQ(open.page->TranslateAccelerator(&message), S_OK);
            EXPECT_EQ(GetFocus(), open.Item(box)) << static_cast<char>(key);
        }
        open.Type(U::SoundEnter, L"");
        open.Type(U::SoundClick, L"click.wav");
        ASSERT_EQ(open.page->Apply(), S_OK);
    }
    EXPECT_EQ(Read(first.Get(), {L"SoundEnterURL", L"SoundClickURL", L"URLPictureDown"}),
              " click.wav down.bmp");
    EXPECT_EQ(Read(second.Get(), {L"SoundClickURL"}), "");

    // A selected object without the URL properties: the failure reaches the frame.
    const Ref<IFontDisp> font = MakeFont(L"Arial");
    const OpenPage open(CLSID_pagURLs, {font.Get()});
    IUnknown* selection[] = {font.Get()};
    EXPECT_EQ(open.page->SetObjects(1, selection), DISP_E_UNKNOWNNAME);
    open.Type(U::SoundClick, L"click.wav");
    EXPECT_EQ(open.page->Apply(), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(open.page->IsPageDirty(), S_OK);
}

} // namespace
} // namespace tovabel::wintest
