// The control as a client program sees it: created by ProgID, every property
// read and written late-bound by DISPID, refusals, wrong argument types, and
// events through the connection point.
#include "com_client.h"

#include "control/tovabel_interface.h"
#include "win/common/guids.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace tovabel::wintest {
namespace {

// DISPIDs of the control's properties and methods, as saved programs call them.
namespace dispid = win::dispid;

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
    Get(control, dispid::Font, value);
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
        ASSERT_TRUE(control) << identity::kProgId << " could not be created";
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
        {"AlignCaption", dispid::AlignCaption, "L:1"},
        {"AlignPicture", dispid::AlignPicture, "L:0"},
        {"AutoSize", dispid::AutoSize, "B:1"},
        {"BackColor", dispid::BackColor,
         "L:" + std::to_string(static_cast<std::int32_t>(0x8000000F))},
        {"BorderStyle", dispid::BorderStyle, "L:1"},
        {"Caption", dispid::Caption, "S:"},
        {"Checked", dispid::Checked, "B:0"},
        {"DroppedDown", dispid::DroppedDown, "B:0"},
        {"Enabled", dispid::Enabled, "B:1"},
        {"Font", dispid::Font, "obj"},
        {"FontDirection", dispid::FontDirection, "L:0"},
        {"HighlightColor", dispid::HighlightColor,
         "L:" + std::to_string(static_cast<std::int32_t>(0x80000014))},
        {"MaskColor", dispid::MaskColor, "L:" + std::to_string(0xC0C0C0)},
        {"MouseIcon", dispid::MouseIcon, "null"},
        {"MousePointer", dispid::MousePointer, "L:0"},
        {"Picture", dispid::Picture, "null"},
        {"PictureDisabled", dispid::PictureDisabled, "null"},
        {"PictureDown", dispid::PictureDown, "null"},
        {"PictureOver", dispid::PictureOver, "null"},
        {"PlaySounds", dispid::PlaySounds, "B:1"},
        {"ShadowColor", dispid::ShadowColor,
         "L:" + std::to_string(static_cast<std::int32_t>(0x80000010))},
        {"SoundClick", dispid::SoundClick, "bytes:0"},
        {"SoundClickURL", dispid::SoundClickURL, "S:"},
        {"SoundEnter", dispid::SoundEnter, "bytes:0"},
        {"SoundEnterURL", dispid::SoundEnterURL, "S:"},
        {"SoundLeave", dispid::SoundLeave, "bytes:0"},
        {"SoundLeaveURL", dispid::SoundLeaveURL, "S:"},
        {"Style", dispid::Style, "L:0"},
        {"TextColor", dispid::TextColor,
         "L:" + std::to_string(static_cast<std::int32_t>(0x80000012))},
        {"ToolTipText", dispid::ToolTipText, "S:"},
        {"Transparent", dispid::Transparent, "B:0"},
        {"URLMouseIcon", dispid::URLMouseIcon, "S:"},
        {"URLPicture", dispid::URLPicture, "S:"},
        {"URLPictureDisabled", dispid::URLPictureDisabled, "S:"},
        {"URLPictureDown", dispid::URLPictureDown, "S:"},
        {"URLPictureOver", dispid::URLPictureOver, "S:"},
        {"UseSystemSounds", dispid::UseSystemSounds, "B:1"},
        {"Value", dispid::Value, "B:0"},
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
    ASSERT_EQ(Call(control.Get(), dispid::Version, version), S_OK);
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
        {"Style", dispid::Style, Long(1), "L:1"},
        {"Checked", dispid::Checked, Bool(true), "B:1"},
        {"AlignCaption", dispid::AlignCaption, Long(3), "L:3"},
        {"AlignPicture", dispid::AlignPicture, Long(4), "L:4"},
        {"AutoSize", dispid::AutoSize, Bool(false), "B:0"},
        {"BackColor", dispid::BackColor, Long(0x00FF0000), "L:" + std::to_string(0x00FF0000)},
        {"BorderStyle", dispid::BorderStyle, Long(0), "L:0"},
        {"Caption", dispid::Caption, Str(L"&Open"), "S:&Open"},
        {"Enabled", dispid::Enabled, Bool(false), "B:0"},
        {"FontDirection", dispid::FontDirection, Long(2), "L:2"},
        {"HighlightColor", dispid::HighlightColor, Long(0x123456), "L:" + std::to_string(0x123456)},
        {"MaskColor", dispid::MaskColor, Long(0xFF00FF), "L:" + std::to_string(0xFF00FF)},
        {"MousePointer", dispid::MousePointer, Long(11), "L:11"},
        {"PlaySounds", dispid::PlaySounds, Bool(false), "B:0"},
        {"ShadowColor", dispid::ShadowColor, Long(0x404040), "L:" + std::to_string(0x404040)},
        {"SoundClickURL", dispid::SoundClickURL, Str(L"click.wav"), "S:click.wav"},
        {"SoundEnterURL", dispid::SoundEnterURL, Str(L"enter.wav"), "S:enter.wav"},
        {"SoundLeaveURL", dispid::SoundLeaveURL, Str(L"leave.wav"), "S:leave.wav"},
        {"TextColor", dispid::TextColor, Long(0x0000FF), "L:" + std::to_string(0x0000FF)},
        {"ToolTipText", dispid::ToolTipText, Str(L"Opens a file"), "S:Opens a file"},
        {"URLPicture", dispid::URLPicture, Str(L"pic.bmp"), "S:pic.bmp"},
        {"URLPictureOver", dispid::URLPictureOver, Str(L"over.bmp"), "S:over.bmp"},
        {"URLPictureDown", dispid::URLPictureDown, Str(L"down.bmp"), "S:down.bmp"},
        {"URLPictureDisabled", dispid::URLPictureDisabled, Str(L"off.bmp"), "S:off.bmp"},
        {"URLMouseIcon", dispid::URLMouseIcon, Str(L"hand.cur"), "S:hand.cur"},
        {"UseSystemSounds", dispid::UseSystemSounds, Bool(false), "B:0"},
        {"SoundClick", dispid::SoundClick, Bytes({'R', 'I', 'F', 'F', 1}), "bytes:5"},
        {"SoundEnter", dispid::SoundEnter, Bytes({1, 2}), "bytes:2"},
        {"SoundLeave", dispid::SoundLeave, Bytes({7}), "bytes:1"},
    };
    for (const Case& tc : cases) {
        EXPECT_EQ(Put(control.Get(), tc.id, *tc.value), S_OK) << tc.name;
        EXPECT_EQ(Read(control.Get(), tc.id), tc.expected) << tc.name;
    }
    // The cursor's URL chose the custom pointer at once.
    EXPECT_EQ(Read(control.Get(), dispid::MousePointer), "L:99");
}

TEST_F(Client, PicturesAndFontAreTheObjectsGiven) {
    struct Case {
        const char* name;
        DISPID id;
        Ref<IPictureDisp> picture;
        WORD kind;
    };
    const Case cases[] = {
        {"Picture by reference", dispid::Picture, MakeBitmapPicture(), DISPATCH_PROPERTYPUTREF},
        {"Picture by value", dispid::Picture, MakeBitmapPicture(), DISPATCH_PROPERTYPUT},
        {"PictureOver", dispid::PictureOver, MakeIconPicture(), DISPATCH_PROPERTYPUTREF},
        {"PictureDown", dispid::PictureDown, MakeBitmapPicture(), DISPATCH_PROPERTYPUT},
        {"PictureDisabled", dispid::PictureDisabled, MakeBitmapPicture(), DISPATCH_PROPERTYPUTREF},
        {"MouseIcon", dispid::MouseIcon, MakeIconPicture(), DISPATCH_PROPERTYPUTREF},
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
    EXPECT_EQ(Put(control.Get(), dispid::Font, *value, DISPATCH_PROPERTYPUTREF), S_OK);
    EXPECT_EQ(FontName(control.Get()), NameOf(font.Get()));
}

TEST_F(Client, RefusalsAreSilentAtRunTimeAndChangeNothing) {
    Ref<IPictureDisp> bitmap = MakeBitmapPicture();
    const Var bitmapValue = Object(bitmap.Get());
    ASSERT_EQ(Put(control.Get(), dispid::Picture, *bitmapValue, DISPATCH_PROPERTYPUTREF), S_OK);
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
        {"metafile as Picture", dispid::Picture, &metafileValue, "obj"},
        {"metafile as PictureDown", dispid::PictureDown, &metafileValue, "null"},
        {"bitmap as MouseIcon", dispid::MouseIcon, &bitmapValue, "null"},
        {"Transparent", dispid::Transparent, &on, "B:1"},
        {"caption on a transparent button", dispid::Caption, &caption, "S:"},
        {"AutoSize off while transparent", dispid::AutoSize, &off, "B:1"},
    };
    for (const Case& tc : cases) {
        const WORD kind =
            tc.value->Get()->vt == VT_DISPATCH ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
        EXPECT_EQ(Put(control.Get(), tc.id, **tc.value, kind), S_OK) << tc.name;
        EXPECT_EQ(Read(control.Get(), tc.id), tc.expected) << tc.name;
    }
    Var picture;
    Get(control.Get(), dispid::Picture, picture);
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
        {"text for Style", dispid::Style, Str(L"abc"), "L:0"},
        {"text for BackColor", dispid::BackColor, Str(L"red"),
         "L:" + std::to_string(static_cast<std::int32_t>(0x8000000F))},
        {"text for Checked", dispid::Checked, Str(L"maybe"), "B:0"},
        {"text for AutoSize", dispid::AutoSize, Str(L"perhaps"), "B:1"},
        {"text for Font", dispid::Font, Str(L"Arial"), "obj"},
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
        EXPECT_EQ(Put(control.Get(), dispid::Style, *Long(v)), S_OK);
        EXPECT_EQ(Read(control.Get(), dispid::Style), "L:" + std::to_string(v));
        EXPECT_EQ(Put(control.Get(), dispid::AlignPicture, *Long(v)), S_OK);
        EXPECT_EQ(Read(control.Get(), dispid::AlignPicture), "L:" + std::to_string(v));
    }
    const std::wstring huge(1 << 20, L'x');
    EXPECT_EQ(Put(control.Get(), dispid::Caption, *Str(huge)), S_OK);
    Var back;
    ASSERT_EQ(Get(control.Get(), dispid::Caption, back), S_OK);
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
        EXPECT_EQ(Put(control.Get(), dispid::SoundEnter, *tc.value), S_OK);
        EXPECT_EQ(Read(control.Get(), dispid::SoundEnter), tc.after);
    }
}

TEST_F(Client, EventsReachTheConnectionPointInOrder) {
    EventSink sink;
    sink.control = control.Get();
    sink.during = [](EventSink& s, DISPID id) {
        Var value;
        Get(s.control, dispid::Value, value);
        s.valueDuring.emplace_back(id, value.Get()->boolVal == VARIANT_TRUE);
    };
    ASSERT_NE(sink.Advise(control.Get(), DIID___Tovabel), 0u);

    const Var on = Bool(true);
    ASSERT_EQ(Put(control.Get(), dispid::Value, *on), S_OK); // Normal: Click
    ASSERT_EQ(Put(control.Get(), dispid::Style, *Long(5)), S_OK);
    ASSERT_EQ(Put(control.Get(), dispid::Value, *on), S_OK); // Menu: DropDown
    EXPECT_EQ(Read(control.Get(), dispid::DroppedDown), "B:1");
    ASSERT_EQ(Put(control.Get(), dispid::Value, *on), S_OK); // Menu again: DropDownCancelled
    ASSERT_EQ(Put(control.Get(), dispid::Value, *on), S_OK);
    Var ignored;
    ASSERT_EQ(Call(control.Get(), dispid::CancelDropDown, ignored), S_OK); // no event
    EXPECT_EQ(Read(control.Get(), dispid::DroppedDown), "B:0");

    const std::vector<std::pair<DISPID, bool>> expected = {
        {1, true}, {4, true}, {5, true}, {4, true}};
    EXPECT_EQ(sink.valueDuring, expected); // Value reads true only inside the handlers
    EXPECT_EQ(Read(control.Get(), dispid::Value), "B:0");
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
    EXPECT_EQ(Put(raw, dispid::Value, *on), S_OK);
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

    Put(control.Get(), dispid::Caption, *Str(L"Go"));
    Put(control.Get(), dispid::Style, *Long(0)); // also reports Checked first
    const std::vector<DISPID> expected = {dispid::Caption, dispid::Checked, dispid::Style};
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
    EXPECT_EQ(id, dispid::URLPictureDisabled);
}

} // namespace
} // namespace tovabel::wintest
