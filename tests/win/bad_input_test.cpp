// Input a well-made control survives: pictures of every kind (metafiles,
// empty pictures, pictures that lie about their handle or size), a huge
// bitmap, a control of no size, fonts that do not exist and very long
// captions. Nothing crashes, refused values change nothing, and the button
// keeps painting and answering.
#include "com_client.h"

#include <gtest/gtest.h>

#include <olectl.h>

#include <climits>
#include <string>

namespace tovabel::wintest {
namespace {

using olehost::Container;
using olehost::Pixels;
using olehost::ReadView;
using olehost::ReadWindow;

// A picture object that reports whatever it is told: a bitmap without a
// handle, a handle that is no bitmap, sizes no picture has.
class LyingPicture final
    : public win::LocalObject<IPicture, win::Answers<IDispatch, IPictureDisp>> {
public:
    LyingPicture(SHORT type, OLE_HANDLE handle, OLE_XSIZE_HIMETRIC width, OLE_YSIZE_HIMETRIC height)
        : mType(type), mHandle(handle), mWidth(width), mHeight(height) {}

    // IPicture
    HRESULT STDMETHODCALLTYPE get_Handle(OLE_HANDLE* out) override { return Give(out, mHandle); }
    HRESULT STDMETHODCALLTYPE get_hPal(OLE_HANDLE* out) override { return Give(out, 0u); }
    HRESULT STDMETHODCALLTYPE get_Type(SHORT* out) override { return Give(out, mType); }
    HRESULT STDMETHODCALLTYPE get_Width(OLE_XSIZE_HIMETRIC* out) override {
        return Give(out, mWidth);
    }
    HRESULT STDMETHODCALLTYPE get_Height(OLE_YSIZE_HIMETRIC* out) override {
        return Give(out, mHeight);
    }
    HRESULT STDMETHODCALLTYPE Render(HDC, LONG, LONG, LONG, LONG, OLE_XPOS_HIMETRIC,
                                     OLE_YPOS_HIMETRIC, OLE_XSIZE_HIMETRIC, OLE_YSIZE_HIMETRIC,
                                     LPCRECT) override {
        return E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE set_hPal(OLE_HANDLE) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE get_CurDC(HDC* out) override { return Give(out, HDC{}); }
    HRESULT STDMETHODCALLTYPE SelectPicture(HDC, HDC*, OLE_HANDLE*) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE get_KeepOriginalFormat(BOOL* out) override {
        return Give(out, FALSE);
    }
    HRESULT STDMETHODCALLTYPE put_KeepOriginalFormat(BOOL) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE PictureChanged() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SaveAsFile(LPSTREAM, BOOL, LONG*) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE get_Attributes(DWORD* out) override { return Give(out, 0ul); }

    // IDispatch, with nothing behind it
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return Give(count, 0u); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    template <class T, class V> static HRESULT Give(T* out, V value) {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = static_cast<T>(value);
        return S_OK;
    }

    SHORT mType;
    OLE_HANDLE mHandle;
    OLE_XSIZE_HIMETRIC mWidth;
    OLE_YSIZE_HIMETRIC mHeight;
};

Ref<IPictureDisp> CursorPicture() {
    PICTDESC desc{};
    desc.picType = PICTYPE_ICON;
    desc.icon.hicon = CopyCursor(LoadCursor(nullptr, IDC_HAND));
    return PictureOf(desc);
}

Ref<IPictureDisp> WindowsMetafilePicture() {
    HDC recorder = CreateMetaFileW(nullptr);
    Rectangle(recorder, 0, 0, 10, 10);
    PICTDESC desc{};
    desc.picType = PICTYPE_METAFILE;
    desc.wmf.hmeta = CloseMetaFile(recorder);
    desc.wmf.xExt = 264;
    desc.wmf.yExt = 264;
    return PictureOf(desc);
}

// Runs the button through hover, press, release, leave and disabled, then
// reads its face: a crash or a hang anywhere fails the test.
Pixels Exercise(Container& container) {
    HWND window = container.ControlWindow();
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(-5, -5));
    EXPECT_EQ(S_OK, container.Put(L"Enabled", *Bool(false)));
    EXPECT_EQ(S_OK, container.Put(L"Enabled", *Bool(true)));
    container.Settle();
    return ReadWindow(window);
}

TEST(BadInput, PicturesOfEveryKind) {
    struct Case {
        const char* name;
        Ref<IPictureDisp> picture;
        const char* held; // bitmaps and icons are taken, other kinds refused
    };
    const Case cases[] = {
        {"bitmap", MakeSquarePicture(16, RGB(192, 192, 192), RGB(0, 0, 255)), "bitmap 16x16"},
        {"icon", MakeIconPicture(), "icon"},
        {"cursor", CursorPicture(), "icon"},
        {"metafile", WindowsMetafilePicture(), "Nothing"},
        {"enhanced metafile", MakeMetafilePicture(), "Nothing"},
        {"empty picture", PictureOf(PICTDESC{}), "Nothing"},
    };
    const wchar_t* properties[] = {L"Picture", L"PictureOver", L"PictureDown", L"PictureDisabled",
                                   L"MouseIcon"};
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        ASSERT_TRUE(tc.picture);
        Container container;
        ASSERT_EQ(S_OK, container.Create(kProgId, {0, 0, 60, 40}));
        for (const wchar_t* property : properties) {
            container.Put(property, *Object(tc.picture.Get()));
            if (std::wstring(property) != L"MouseIcon") {
                EXPECT_EQ(Describe(Get(container.Dispatch().Get(), property)), tc.held)
                    << "after setting " << ToNarrow(property);
            }
        }
        EXPECT_EQ(S_OK, container.Put(L"Style", *Long(1)));
        EXPECT_EQ(S_OK, container.Put(L"Checked", *Bool(true)));
        EXPECT_GT(Exercise(container).width, 0);
    }
}

TEST(BadInput, PicturesThatLieAboutThemselves) {
    struct Case {
        const char* name;
        SHORT type;
        OLE_HANDLE handle;
        LONG width;
        LONG height;
    };
    const Case cases[] = {
        {"bitmap without a handle", PICTYPE_BITMAP, 0, 423, 423},
        {"icon without a handle", PICTYPE_ICON, 0, 423, 423},
        {"handle that is no bitmap", PICTYPE_BITMAP, 0xDEAD, 423, 423},
        {"negative size", PICTYPE_BITMAP, 0, -5000, -5000},
        {"largest size", PICTYPE_BITMAP, 0, LONG_MAX, LONG_MAX},
        {"smallest size", PICTYPE_ICON, 0, LONG_MIN, LONG_MIN},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        LyingPicture picture(tc.type, tc.handle, tc.width, tc.height);
        {
            Container container;
            ASSERT_EQ(S_OK, container.Create(kProgId, {0, 0, 60, 40}));
            container.Put(L"AutoSize", *Bool(true));
            container.Put(L"Caption", *Str(L"Text"));
            for (const wchar_t* property : {L"Picture", L"PictureOver", L"PictureDown"}) {
                container.Put(property, *Object(static_cast<IDispatch*>(&picture)));
            }
            container.Put(L"Enabled", *Bool(false));
            EXPECT_GT(Exercise(container).width, 0);
            // The control still works: a caption change is taken.
            EXPECT_EQ(S_OK, container.Put(L"Caption", *Str(L"Other")));
        }
        EXPECT_EQ(picture.References(), 1u) << "every reference the control took is given back";
    }
}

TEST(BadInput, HugeBitmapGrowsTheButtonAndStillPaints) {
    Container container;
    ASSERT_EQ(S_OK, container.Create(kProgId, {0, 0, 40, 40}));
    ASSERT_EQ(S_OK, container.Put(L"BackColor", *Colour(kBack)));
    const Ref<IPictureDisp> huge = MakeSquarePicture(4000, RGB(192, 192, 192), RGB(0, 0, 255));
    ASSERT_TRUE(huge);
    ASSERT_EQ(S_OK, container.Put(L"Picture", *Object(huge.Get())));
    const Pixels window = Exercise(container);
    EXPECT_GE(window.width, 4000);
    EXPECT_GE(window.height, 4000);
    // The screen is smaller than the button: read its whole face through its view.
    const Pixels face = ReadView(container.Control(), window.width, window.height);
    EXPECT_EQ(face.At(2000, 2000), RGB(0, 0, 255));
    EXPECT_EQ(face.At(500, 500), kBack) << "the mask colour is left out";
}

TEST(BadInput, ButtonsOfNoSizeOrWithoutRoomForTheirCaption) {
    struct Case {
        const char* name;
        RECT position;
        int style;
    };
    const Case cases[] = {
        {"no size", {0, 0, 0, 0}, 0},
        {"no size, drop-down", {0, 0, 0, 0}, 3},
        {"one pixel, framed", {0, 0, 1, 1}, 10},
        {"narrower than its frame", {0, 0, 5, 30}, 3},
        {"no size, menu item", {0, 0, 0, 0}, 6},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        Container container;
        ASSERT_EQ(S_OK, MakeButton(container, tc.position, tc.style));
        // Less room than nothing: the caption is drawn as it is.
        ASSERT_EQ(S_OK, container.Put(L"Caption", *Str(L"&Caption")));
        for (const int direction : {0, 1, 2, 3}) {
            ASSERT_EQ(S_OK, container.Put(L"FontDirection", *Long(direction)));
        }
        const Pixels face = Exercise(container);
        EXPECT_GE(face.width, 10) << "a button is at least 10 pixels wide";
    }
}

TEST(BadInput, FontsThatDoNotExistAndVeryLongCaptions) {
    Container container;
    ASSERT_EQ(S_OK, MakeButton(container, {0, 0, 80, 30}));
    ASSERT_EQ(S_OK, PutAll(container, {{L"Font", Object(MakeFont(L"No Such Font 42").Get())},
                                       {L"Caption", Str(L"Drawn")}}));
    EXPECT_GT(Exercise(container).Count(kText), 0u) << "a stand-in font draws it";

    std::wstring longCaption(10000, L'W');
    longCaption[5000] = L'&';
    for (const int direction : {0, 1}) {
        ASSERT_EQ(S_OK, PutAll(container, {{L"FontDirection", Long(direction)},
                                           {L"Caption", Str(longCaption)}}));
        EXPECT_GT(Exercise(container).Count(kText), 0u) << "shortened and drawn";
    }
    ASSERT_EQ(S_OK, container.Put(L"AutoSize", *Bool(true)));
    EXPECT_GT(Exercise(container).width, 0);
    Var caption;
    ASSERT_EQ(S_OK, container.Get(L"Caption", caption.Get()));
    EXPECT_EQ(SysStringLen(caption.Get()->bstrVal), 10000u) << "the caption is kept whole";
}

} // namespace
} // namespace tovabel::wintest
