// The design-time pages of the control: the list it gives a designer.
#include "com_client.h"

#include "guids.h"

#include <initguid.h>

#include <msstkppg.h>

#include <gtest/gtest.h>

namespace tovabel::wintest {
namespace {

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

} // namespace
} // namespace tovabel::wintest
