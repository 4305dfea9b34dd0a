// The design-time face of the control: the pages it lists for a designer, the
// About box, and the message boxes that explain a refused value, all read from
// the real dialogs.
#include "com_client.h"
#include "dialog_watch.h"
#include "win/olehost/container.h"

#include "control/tovabel_interface.h"
#include "win/common/guids.h"

#include <initguid.h>

#include <msstkppg.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace tovabel::wintest {
namespace {

constexpr DISPID kAboutBox = win::dispid::AboutBox;
constexpr DISPID kVersion = win::dispid::Version;

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
        ASSERT_EQ(Call(control.Get(), kAboutBox, none), S_OK);
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
// no title of its own, the component's; an accepted one shows nothing. At run
// time the same refusals are silent.
TEST(Pages, RefusedValuesExplainThemselvesInDesignModeOnly) {
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
    for (const bool designMode : {true, false}) {
        SCOPED_TRACE(designMode ? "design mode" : "run mode");
        olehost::Container container(!designMode);
        ASSERT_EQ(S_OK, container.Create(kProgId, {0, 0, 60, 30}));
        for (const Step& step : steps) {
            SCOPED_TRACE(step.property);
            const DialogWatch watch;
            const Var value = step.value();
            EXPECT_EQ(S_OK, container.Put(step.property, *value.Get())) << "a refusal is no error";
            if (!designMode || step.message == nullptr) {
                EXPECT_TRUE(watch.Seen().empty());
                continue;
            }
            ASSERT_EQ(watch.Seen().size(), 1u);
            const SeenDialog& box = watch.Seen()[0];
            EXPECT_EQ(box.caption, step.title); // closed through its OK button
            EXPECT_NE(std::find(box.texts.begin(), box.texts.end(), step.message), box.texts.end());
        }
    }
}

} // namespace
} // namespace tovabel::wintest
