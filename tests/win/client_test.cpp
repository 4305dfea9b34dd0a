// The control as a client program sees it: created by ProgID, every property
// read and written late-bound by DISPID, refusals, wrong argument types, and
// events through the connection point.
#include "com_client.h"

#include "guids.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace tovabel::wintest {
namespace {

// DISPIDs of the control's properties and methods, as saved programs call them.
enum : DISPID {
    kAlignCaption = 0x6803FE0E,
    kAlignPicture = 0x6803FE0D,
    kAutoSize = 0x68030017,
    kBackColor = 0x68030012,
    kBorderStyle = 0x6803FE0A,
    kCaption = 0x68030011,
    kChecked = 0x68030016,
    kDroppedDown = 0x6803FE09,
    kEnabled = 0x68030010,
    kFont = static_cast<DISPID>(0xFFFFFE00),
    kFontDirection = 0x6803FE0F,
    kHighlightColor = 0x6803000F,
    kHwnd = 0x6803FE10,
    kMaskColor = 0x6803000E,
    kMouseIcon = 0x6803FE08,
    kMousePointer = 0x6803FE07,
    kPicture = 0x6803000D,
    kPictureDisabled = 0x6803FE0C,
    kPictureDown = 0x6803000B,
    kPictureOver = 0x6803000C,
    kPlaySounds = 0x6803000A,
    kShadowColor = 0x68030009,
    kSoundClick = 0x6803FE06,
    kSoundClickURL = 0x68030008,
    kSoundEnter = 0x6803FE05,
    kSoundEnterURL = 0x68030007,
    kSoundLeave = 0x6803FE04,
    kSoundLeaveURL = 0x68030006,
    kStyle = 0x68030015,
    kTextColor = 0x68030004,
    kToolTipText = 0x68030003,
    kTransparent = 0x6803FE03,
    kURLMouseIcon = 0x6803FE02,
    kURLPicture = 0x68030002,
    kURLPictureDisabled = 0x6803FE0B,
    kURLPictureDown = 0x68030001,
    kURLPictureOver = 0x68030000,
    kUseSystemSounds = 0x68030005,
    kValue = 0x6803FE01,
    kVersion = 0x60030014,
    kCancelDropDown = 0x60030018,
};

// A property value reduced to text so that tables of expectations stay short:
// "L:<n>" for numbers and colours, "B:<0|1>", "S:<text>", "null", "obj",
// "bytes:<n>".
std::string Describe(const Var& value) {
    const VARIANT& v = *value;
    switch (v.vt) {
    case VT_I4:
        return "L:" + std::to_string(v.lVal);
    case VT_UI4:
        return "L:" + std::to_string(static_cast<std::int32_t>(v.ulVal));
    case VT_I2:
        return "L:" + std::to_string(v.iVal);
    case VT_BOOL:
        return std::string("B:") + (v.boolVal == VARIANT_TRUE ? "1" : v.boolVal ? "?" : "0");
    case VT_BSTR:
        return "S:" + ToNarrow(v.bstrVal);
    case VT_DISPATCH:
        return v.pdispVal ? "obj" : "null";
    case VT_ARRAY | VT_UI1:
        return "bytes:" + std::to_string(v.parray ? v.parray->rgsabound[0].cElements : 0);
    default:
        return "vt:" + std::to_string(v.vt);
    }
}

std::string Read(IDispatch* control, DISPID id) {
    Var value;
    const HRESULT hr = Get(control, id, value);
    return SUCCEEDED(hr) ? Describe(value) : "error:" + std::to_string(hr);
}

std::wstring NameOf(IUnknown* object) {
    Ref<IFont> font;
    if (!object || FAILED(object->QueryInterface(IID_IFont, font.PutVoid()))) {
        return L"<none>";
    }
    BSTR name = nullptr;
    font->get_Name(&name);
    std::wstring out(name ? name : L"");
    SysFreeString(name);
    return out;
}

std::wstring FontName(IDispatch* control) {
    Var value;
    Get(control, kFont, value);
    return value.Get()->vt == VT_DISPATCH ? NameOf(value.Get()->pdispVal) : L"<none>";
}

// The face the platform picks for a font asked for by this name (a prefix
// without the font substitutes another face, and reports that one).
std::wstring PlatformFaceFor(const wchar_t* name) {
    Ref<IFontDisp> font = MakeFont(name);
    return NameOf(font.Get());
}

class Client : public ::testing::Test {
protected:
    void SetUp() override {
        control = CreateControl();
        ASSERT_TRUE(control) << "OrnisTovabel.Tovabel could not be created";
    }
    Ref<IDispatch> control;
};

TEST_F(Client, NewInstanceReadsItsNewValues) {
    struct Case {
        const char* name;
        DISPID id;
        std::string expected;
    };
    const Case cases[] = {
        {"AlignCaption", kAlignCaption, "L:1"},
        {"AlignPicture", kAlignPicture, "L:0"},
        {"AutoSize", kAutoSize, "B:1"},
        {"BackColor", kBackColor, "L:" + std::to_string(static_cast<std::int32_t>(0x8000000F))},
        {"BorderStyle", kBorderStyle, "L:1"},
        {"Caption", kCaption, "S:"},
        {"Checked", kChecked, "B:0"},
        {"DroppedDown", kDroppedDown, "B:0"},
        {"Enabled", kEnabled, "B:1"},
        {"Font", kFont, "obj"},
        {"FontDirection", kFontDirection, "L:0"},
        {"HighlightColor", kHighlightColor,
         "L:" + std::to_string(static_cast<std::int32_t>(0x80000014))},
        {"MaskColor", kMaskColor, "L:" + std::to_string(0xC0C0C0)},
        {"MouseIcon", kMouseIcon, "null"},
        {"MousePointer", kMousePointer, "L:0"},
        {"Picture", kPicture, "null"},
        {"PictureDisabled", kPictureDisabled, "null"},
        {"PictureDown", kPictureDown, "null"},
        {"PictureOver", kPictureOver, "null"},
        {"PlaySounds", kPlaySounds, "B:1"},
        {"ShadowColor", kShadowColor, "L:" + std::to_string(static_cast<std::int32_t>(0x80000010))},
        {"SoundClick", kSoundClick, "bytes:0"},
        {"SoundClickURL", kSoundClickURL, "S:"},
        {"SoundEnter", kSoundEnter, "bytes:0"},
        {"SoundEnterURL", kSoundEnterURL, "S:"},
        {"SoundLeave", kSoundLeave, "bytes:0"},
        {"SoundLeaveURL", kSoundLeaveURL, "S:"},
        {"Style", kStyle, "L:0"},
        {"TextColor", kTextColor, "L:" + std::to_string(static_cast<std::int32_t>(0x80000012))},
        {"ToolTipText", kToolTipText, "S:"},
        {"Transparent", kTransparent, "B:0"},
        {"URLMouseIcon", kURLMouseIcon, "S:"},
        {"URLPicture", kURLPicture, "S:"},
        {"URLPictureDisabled", kURLPictureDisabled, "S:"},
        {"URLPictureDown", kURLPictureDown, "S:"},
        {"URLPictureOver", kURLPictureOver, "S:"},
        {"UseSystemSounds", kUseSystemSounds, "B:1"},
        {"Value", kValue, "B:0"},
    };
    for (bool throughBag : {false, true}) {
        Ref<IDispatch> fresh = CreateControl(throughBag);
        ASSERT_TRUE(fresh);
        for (const Case& tc : cases) {
            EXPECT_EQ(Read(fresh.Get(), tc.id), tc.expected)
                << tc.name << (throughBag ? " (property bag)" : " (stream)");
        }
        EXPECT_EQ(FontName(fresh.Get()), PlatformFaceFor(L"MS Sans Serif"));
    }
    Var version;
    ASSERT_EQ(Call(control.Get(), kVersion, version), S_OK);
    EXPECT_EQ(Describe(version), "S:1.0.0");
}

TEST_F(Client, EveryWritablePropertyReadsBackWhatWasWritten) {
    struct Case {
        const char* name;
        DISPID id;
        Var value;
        std::string expected;
    };
    const Case cases[] = {
        {"Style", kStyle, Long(1), "L:1"},
        {"Checked", kChecked, Bool(true), "B:1"},
        {"AlignCaption", kAlignCaption, Long(3), "L:3"},
        {"AlignPicture", kAlignPicture, Long(4), "L:4"},
        {"AutoSize", kAutoSize, Bool(false), "B:0"},
        {"BackColor", kBackColor, Long(0x00FF0000), "L:" + std::to_string(0x00FF0000)},
        {"BorderStyle", kBorderStyle, Long(0), "L:0"},
        {"Caption", kCaption, Str(L"&Open"), "S:&Open"},
        {"Enabled", kEnabled, Bool(false), "B:0"},
        {"FontDirection", kFontDirection, Long(2), "L:2"},
        {"HighlightColor", kHighlightColor, Long(0x123456), "L:" + std::to_string(0x123456)},
        {"MaskColor", kMaskColor, Long(0xFF00FF), "L:" + std::to_string(0xFF00FF)},
        {"MousePointer", kMousePointer, Long(11), "L:11"},
        {"PlaySounds", kPlaySounds, Bool(false), "B:0"},
        {"ShadowColor", kShadowColor, Long(0x404040), "L:" + std::to_string(0x404040)},
        {"SoundClickURL", kSoundClickURL, Str(L"click.wav"), "S:click.wav"},
        {"SoundEnterURL", kSoundEnterURL, Str(L"enter.wav"), "S:enter.wav"},
        {"SoundLeaveURL", kSoundLeaveURL, Str(L"leave.wav"), "S:leave.wav"},
        {"TextColor", kTextColor, Long(0x0000FF), "L:" + std::to_string(0x0000FF)},
        {"ToolTipText", kToolTipText, Str(L"Opens a file"), "S:Opens a file"},
        {"URLPicture", kURLPicture, Str(L"pic.bmp"), "S:pic.bmp"},
        {"URLPictureOver", kURLPictureOver, Str(L"over.bmp"), "S:over.bmp"},
        {"URLPictureDown", kURLPictureDown, Str(L"down.bmp"), "S:down.bmp"},
        {"URLPictureDisabled", kURLPictureDisabled, Str(L"off.bmp"), "S:off.bmp"},
        {"URLMouseIcon", kURLMouseIcon, Str(L"hand.cur"), "S:hand.cur"},
        {"UseSystemSounds", kUseSystemSounds, Bool(false), "B:0"},
        {"SoundClick", kSoundClick, Bytes({'R', 'I', 'F', 'F', 1}), "bytes:5"},
        {"SoundEnter", kSoundEnter, Bytes({1, 2}), "bytes:2"},
        {"SoundLeave", kSoundLeave, Bytes({7}), "bytes:1"},
    };
    for (const Case& tc : cases) {
        EXPECT_EQ(Put(control.Get(), tc.id, *tc.value), S_OK) << tc.name;
        EXPECT_EQ(Read(control.Get(), tc.id), tc.expected) << tc.name;
    }
    // The cursor's URL chose the custom pointer at once.
    EXPECT_EQ(Read(control.Get(), kMousePointer), "L:99");
}

TEST_F(Client, PicturesAndFontAreTheObjectsGiven) {
    struct Case {
        const char* name;
        DISPID id;
        Ref<IPictureDisp> picture;
        WORD kind;
    };
    const Case cases[] = {
        {"Picture by reference", kPicture, MakeBitmapPicture(), DISPATCH_PROPERTYPUTREF},
        {"Picture by value", kPicture, MakeBitmapPicture(), DISPATCH_PROPERTYPUT},
        {"PictureOver", kPictureOver, MakeIconPicture(), DISPATCH_PROPERTYPUTREF},
        {"PictureDown", kPictureDown, MakeBitmapPicture(), DISPATCH_PROPERTYPUT},
        {"PictureDisabled", kPictureDisabled, MakeBitmapPicture(), DISPATCH_PROPERTYPUTREF},
        {"MouseIcon", kMouseIcon, MakeIconPicture(), DISPATCH_PROPERTYPUTREF},
    };
    for (const Case& tc : cases) {
        ASSERT_TRUE(tc.picture) << tc.name;
        const Var value = Object(tc.picture.Get());
        EXPECT_EQ(Put(control.Get(), tc.id, *value, tc.kind), S_OK) << tc.name;
        Var back;
        ASSERT_EQ(Get(control.Get(), tc.id, back), S_OK) << tc.name;
        ASSERT_EQ(back.Get()->vt, VT_DISPATCH) << tc.name;
        EXPECT_EQ(back.Get()->pdispVal, static_cast<IDispatch*>(tc.picture.Get())) << tc.name;
    }

    Ref<IFontDisp> font = MakeFont(L"Arial");
    const Var value = Object(font.Get());
    EXPECT_EQ(Put(control.Get(), kFont, *value, DISPATCH_PROPERTYPUTREF), S_OK);
    EXPECT_EQ(FontName(control.Get()), NameOf(font.Get()));
}

TEST_F(Client, RefusalsAreSilentAtRunTimeAndChangeNothing) {
    Ref<IPictureDisp> bitmap = MakeBitmapPicture();
    const Var bitmapValue = Object(bitmap.Get());
    ASSERT_EQ(Put(control.Get(), kPicture, *bitmapValue, DISPATCH_PROPERTYPUTREF), S_OK);
    Ref<IPictureDisp> metafile = MakeMetafilePicture();
    ASSERT_TRUE(metafile);
    const Var metafileValue = Object(metafile.Get());

    struct Case {
        const char* name;
        DISPID id;
        const Var* value;
        std::string expected;
    };
    const Var caption = Str(L"No");
    const Var on = Bool(true);
    const Var off = Bool(false);
    const Case cases[] = {
        {"metafile as Picture", kPicture, &metafileValue, "obj"},
        {"metafile as PictureDown", kPictureDown, &metafileValue, "null"},
        {"bitmap as MouseIcon", kMouseIcon, &bitmapValue, "null"},
        {"Transparent", kTransparent, &on, "B:1"},
        {"caption on a transparent button", kCaption, &caption, "S:"},
        {"AutoSize off while transparent", kAutoSize, &off, "B:1"},
    };
    for (const Case& tc : cases) {
        const WORD kind =
            tc.value->Get()->vt == VT_DISPATCH ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
        EXPECT_EQ(Put(control.Get(), tc.id, **tc.value, kind), S_OK) << tc.name;
        EXPECT_EQ(Read(control.Get(), tc.id), tc.expected) << tc.name;
    }
    Var picture;
    Get(control.Get(), kPicture, picture);
    EXPECT_EQ(picture.Get()->pdispVal, static_cast<IDispatch*>(bitmap.Get()));
}

TEST_F(Client, WrongArgumentTypesFailAndChangeNothing) {
    struct Case {
        const char* name;
        DISPID id;
        Var value;
        std::string unchanged;
    };
    const Case cases[] = {
        {"text for Style", kStyle, Str(L"abc"), "L:0"},
        {"text for BackColor", kBackColor, Str(L"red"),
         "L:" + std::to_string(static_cast<std::int32_t>(0x8000000F))},
        {"text for Checked", kChecked, Str(L"maybe"), "B:0"},
        {"text for AutoSize", kAutoSize, Str(L"perhaps"), "B:1"},
        {"text for Font", kFont, Str(L"Arial"), "obj"},
    };
    for (const Case& tc : cases) {
        const HRESULT hr = Put(control.Get(), tc.id, *tc.value);
        EXPECT_TRUE(hr == DISP_E_TYPEMISMATCH || hr == DISP_E_BADVARTYPE ||
                    hr == DISP_E_MEMBERNOTFOUND)
            << tc.name << " returned " << std::hex << hr;
        EXPECT_EQ(Read(control.Get(), tc.id), tc.unchanged) << tc.name;
    }
    EXPECT_EQ(FontName(control.Get()), PlatformFaceFor(L"MS Sans Serif"));
}

TEST_F(Client, OutOfRangeValuesAndHugeTextAreKept) {
    for (std::int32_t v : {-1, 11, 1000, 0x7FFFFFFF}) {
        EXPECT_EQ(Put(control.Get(), kStyle, *Long(v)), S_OK);
        EXPECT_EQ(Read(control.Get(), kStyle), "L:" + std::to_string(v));
        EXPECT_EQ(Put(control.Get(), kAlignPicture, *Long(v)), S_OK);
        EXPECT_EQ(Read(control.Get(), kAlignPicture), "L:" + std::to_string(v));
    }
    const std::wstring huge(1 << 20, L'x');
    EXPECT_EQ(Put(control.Get(), kCaption, *Str(huge)), S_OK);
    Var back;
    ASSERT_EQ(Get(control.Get(), kCaption, back), S_OK);
    ASSERT_EQ(back.Get()->vt, VT_BSTR);
    EXPECT_EQ(SysStringLen(back.Get()->bstrVal), huge.size());
}

// Sound data is bytes. An array of anything else, whose storage holds
// addresses (of strings, objects, variants) or wider numbers, counts as no
// array: nothing of it is kept, and the bytes there were stay.
TEST_F(Client, SoundDataTakesByteArraysOnly) {
    const auto arrayOf = [](VARTYPE type, ULONG count) {
        Var array;
        array.Get()->vt = VT_ARRAY | type;
        array.Get()->parray = SafeArrayCreateVector(type, 0, count);
        return array;
    };
    const struct {
        const char* what;
        Var value;
        std::string after;
    } cases[] = {
        {"variants", arrayOf(VT_VARIANT, 2), "bytes:0"},
        {"strings", arrayOf(VT_BSTR, 2), "bytes:0"},
        {"longs", arrayOf(VT_I4, 3), "bytes:0"},
        {"bytes", Bytes({1, 2, 3}), "bytes:3"},
        {"signed bytes", arrayOf(VT_I1, 2), "bytes:2"},
        {"a number", Long(5), "bytes:2"},
        {"longs after bytes", arrayOf(VT_I4, 3), "bytes:2"},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.what);
        EXPECT_EQ(Put(control.Get(), kSoundEnter, *tc.value), S_OK);
        EXPECT_EQ(Read(control.Get(), kSoundEnter), tc.after);
    }
}

TEST_F(Client, EventsReachTheConnectionPointInOrder) {
    EventSink sink;
    sink.control = control.Get();
    sink.during = [](EventSink& s, DISPID id) {
        Var value;
        Get(s.control, kValue, value);
        s.valueDuring.emplace_back(id, value.Get()->boolVal == VARIANT_TRUE);
    };
    ASSERT_NE(sink.Advise(control.Get(), DIID___Tovabel), 0u);

    const Var on = Bool(true);
    ASSERT_EQ(Put(control.Get(), kValue, *on), S_OK); // Normal: Click
    ASSERT_EQ(Put(control.Get(), kStyle, *Long(5)), S_OK);
    ASSERT_EQ(Put(control.Get(), kValue, *on), S_OK); // Menu: DropDown
    EXPECT_EQ(Read(control.Get(), kDroppedDown), "B:1");
    ASSERT_EQ(Put(control.Get(), kValue, *on), S_OK); // Menu again: DropDownCancelled
    ASSERT_EQ(Put(control.Get(), kValue, *on), S_OK);
    Var ignored;
    ASSERT_EQ(Call(control.Get(), kCancelDropDown, ignored), S_OK); // no event
    EXPECT_EQ(Read(control.Get(), kDroppedDown), "B:0");

    const std::vector<std::pair<DISPID, bool>> expected = {
        {1, true}, {4, true}, {5, true}, {4, true}};
    EXPECT_EQ(sink.valueDuring, expected); // Value reads true only inside the handlers
    EXPECT_EQ(Read(control.Get(), kValue), "B:0");
    for (const auto& event : sink.events) {
        EXPECT_TRUE(event.args.empty());
    }
    control = Ref<IDispatch>(); // the sink lives on this frame: let go of it first
}

TEST_F(Client, HandlerThatReleasesTheControlDoesNotCrash) {
    EventSink sink;
    sink.control = control.Get();
    ASSERT_NE(sink.Advise(control.Get(), DIID___Tovabel), 0u);
    // The handler drops the client's last reference while Click is delivered.
    static Ref<IDispatch>* owner = nullptr;
    owner = &control;
    sink.during = [](EventSink&, DISPID) { *owner = Ref<IDispatch>(); };
    IDispatch* raw = control.Get();
    raw->AddRef(); // keep a pointer for the call itself, as a caller's stack would
    const Var on = Bool(true);
    EXPECT_EQ(Put(raw, kValue, *on), S_OK);
    EXPECT_EQ(raw->Release(), 0u) << "the control outlived its last reference";
    EXPECT_EQ(sink.events.size(), 1u);
}

TEST_F(Client, ChangesAreReportedByDispid) {
    ChangeSink changes;
    Ref<IConnectionPointContainer> container =
        control.As<IConnectionPointContainer>(IID_IConnectionPointContainer);
    ASSERT_TRUE(container);
    Ref<IConnectionPoint> point;
    ASSERT_EQ(container->FindConnectionPoint(IID_IPropertyNotifySink, point.Put()), S_OK);
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(&changes, &cookie), S_OK);

    Put(control.Get(), kCaption, *Str(L"Go"));
    Put(control.Get(), kStyle, *Long(0)); // also reports Checked first
    const std::vector<DISPID> expected = {kCaption, kChecked, kStyle};
    EXPECT_EQ(changes.changed, expected);
    point->Unadvise(cookie);
}

TEST_F(Client, ClassInfoNamesTheControlAndItsEvents) {
    auto info = control.As<IProvideClassInfo2>(IID_IProvideClassInfo2);
    ASSERT_TRUE(info);
    GUID events{};
    ASSERT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events), S_OK);
    EXPECT_TRUE(IsEqualGUID(events, DIID___Tovabel));
    Ref<ITypeInfo> classInfo;
    ASSERT_EQ(info->GetClassInfo(classInfo.Put()), S_OK);
    BSTR name = nullptr;
    ASSERT_EQ(classInfo->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(ToNarrow(name), "Tovabel");
    SysFreeString(name);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(classInfo->GetTypeAttr(&attr), S_OK);
    EXPECT_TRUE(IsEqualGUID(attr->guid, CLSID_Tovabel));
    EXPECT_EQ(attr->typekind, TKIND_COCLASS);
    classInfo->ReleaseTypeAttr(attr);

    Ref<ITypeInfo> dispatchInfo;
    ASSERT_EQ(control->GetTypeInfo(0, LOCALE_USER_DEFAULT, dispatchInfo.Put()), S_OK);
    ASSERT_EQ(dispatchInfo->GetTypeAttr(&attr), S_OK);
    EXPECT_TRUE(IsEqualGUID(attr->guid, IID__Tovabel));
    dispatchInfo->ReleaseTypeAttr(attr);

    // Names resolve to the saved DISPIDs.
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"URLPictureDisabled")};
    DISPID id = 0;
    ASSERT_EQ(control->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    EXPECT_EQ(id, kURLPictureDisabled);
}

} // namespace
} // namespace tovabel::wintest
