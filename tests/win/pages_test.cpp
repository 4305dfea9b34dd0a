// The design-time pages of the control: the list it gives a designer, and the
// About box read from the real dialog.
#include "com_client.h"
#include "dialog_watch.h"

#include "guids.h"

#include <initguid.h>

#include <msstkppg.h>

#include <gtest/gtest.h>

namespace tovabel::wintest {
namespace {

constexpr DISPID kAboutBox = 0x60030013;
constexpr DISPID kVersion = 0x60030014;

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

TEST(Pages, AboutBoxShowsTitleAndVersionEachTimeWithoutOwner) {
    const Ref<IDispatch> control = CreateControl();
    Var version;
    ASSERT_EQ(Call(control.Get(), kVersion, version), S_OK);
    const std::wstring versionText = L"Version " + std::wstring(version.Get()->bstrVal);

    const DialogWatch watch;
    for (int i = 0; i < 2; ++i) {
        Var none;
        ASSERT_EQ(Call(control.Get(), kAboutBox, none), S_OK);
    }
    ASSERT_EQ(watch.Seen().size(), 2u); // each call showed one box, and OK closed it
    for (const SeenDialog& box : watch.Seen()) {
        EXPECT_EQ(box.caption, L"About Tovabel");
        EXPECT_EQ(box.owner, nullptr);
        ASSERT_EQ(box.texts.size(), 5u);
        EXPECT_EQ(box.texts[0], L"Tovabel");
        EXPECT_EQ(box.texts[1], versionText);
        EXPECT_EQ(box.texts[2], L"Source Code Release");
        EXPECT_NE(box.texts[3].find(L"Copyright"), std::wstring::npos);
        EXPECT_EQ(box.texts[4], L"OK");
    }
}

} // namespace
} // namespace tovabel::wintest
