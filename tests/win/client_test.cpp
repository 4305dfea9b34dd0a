// The control as a client program sees it: created by ProgID, properties of
// each kind read and written late-bound by DISPID, wrong arguments, events
// through the connection points and its class information. Which values a
// button refuses and the events of each style are the native tests' tables.
#include "com_client.h"

#include "control/tovabel_interface.h"
#include "win/common/guids.h"

#include <gtest/gtest.h>

#include <string>

namespace tovabel::wintest {
namespace {

// DISPIDs of the control's properties and methods, as saved programs call them.
namespace dispid = win::dispid;

std::string Read(IDispatch* control, DISPID id) {
    Var value;
    const HRESULT hr = Get(control, id, value);
    return SUCCEEDED(hr) ? Describe(value) : "error:" + std::to_string(hr);
}

// The font of a control that has no container to ask for one, as the platform names it.
std::string DefaultFont() {
    return Describe(Object(MakeFont(L"MS Sans Serif", 8.25).Get()));
}

class Client : public ::testing::Test {
protected:
    void SetUp() override {
        control = CreateControl();
        ASSERT_TRUE(control) << identity::kProgId << " could not be created";
    }
    Ref<IDispatch> control;
};

// Both ways of starting a new instance give it the new values, one per kind.
TEST_F(Client, NewInstanceReadsItsNewValues) {
    const std::pair<DISPID, std::string> cases[] = {
        {dispid::AlignCaption, "1"},       {dispid::AutoSize, "-1"},
        {dispid::BackColor, "2147483663"}, {dispid::Caption, ""},
        {dispid::Font, DefaultFont()},     {dispid::Picture, "Nothing"},
        {dispid::SoundClick, "bytes:0"},   {dispid::Enabled, "-1"},
    };
    for (bool throughBag : {false, true}) {
        SCOPED_TRACE(throughBag ? "property bag" : "stream");
        Ref<IDispatch> fresh = CreateControl(throughBag);
        ASSERT_TRUE(fresh);
        for (const auto& [id, expected] : cases) {
            EXPECT_EQ(Read(fresh.Get(), id), expected) << id;
        }
    }
    Var version;
    ASSERT_EQ(Call(control.Get(), dispid::Version, version), S_OK);
    EXPECT_EQ(Describe(version), "1.0.0");
}

// A property of each kind reads back what was written; objects are kept as given.
TEST_F(Client, PropertiesReadBackWhatWasWritten) {
    const Ref<IPictureDisp> bitmap = MakeBitmapPicture();
    const struct {
        DISPID id;
        Var value;
        WORD kind;
    } cases[] = {
        {dispid::Style, Long(1), DISPATCH_PROPERTYPUT},
        {dispid::AutoSize, Bool(false), DISPATCH_PROPERTYPUT},
        {dispid::BackColor, Long(0xFF0000), DISPATCH_PROPERTYPUT},
        {dispid::Caption, Str(L"&Open"), DISPATCH_PROPERTYPUT},
        {dispid::SoundClick, Bytes({'R', 'I', 'F', 'F', 1}), DISPATCH_PROPERTYPUT},
        {dispid::URLMouseIcon, Str(L"hand.cur"), DISPATCH_PROPERTYPUT},
        {dispid::Picture, Object(bitmap.Get()), DISPATCH_PROPERTYPUTREF},
        {dispid::PictureDown, Object(bitmap.Get()), DISPATCH_PROPERTYPUT},
        {dispid::MouseIcon, Object(MakeIconPicture().Get()), DISPATCH_PROPERTYPUTREF},
        {dispid::Font, Object(MakeFont(L"Arial").Get()), DISPATCH_PROPERTYPUTREF},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.id);
        EXPECT_EQ(Put(control.Get(), tc.id, *tc.value, tc.kind), S_OK);
        Var back;
        ASSERT_EQ(Get(control.Get(), tc.id, back), S_OK);
        EXPECT_EQ(Describe(back), Describe(tc.value));
        if (tc.value.Type() == VT_DISPATCH && tc.id != dispid::Font) {
            EXPECT_EQ(V_DISPATCH(back.Get()), V_DISPATCH(tc.value.Get()));
        }
    }
    EXPECT_EQ(Read(control.Get(), dispid::MousePointer), "99") << "the cursor's URL chose it";
}

// Wrong types fail and change nothing.
TEST_F(Client, WrongArgumentsFailAndChangeNothing) {
    const struct {
        DISPID id;
        Var value;
        std::string after;
    } cases[] = {
        {dispid::Style, Str(L"abc"), "0"},
        {dispid::BackColor, Str(L"red"), "2147483663"},
        {dispid::Checked, Str(L"maybe"), "0"},
        {dispid::Font, Str(L"Arial"), DefaultFont()},
    };
    for (const auto& tc : cases) {
        const HRESULT hr = Put(control.Get(), tc.id, *tc.value);
        EXPECT_TRUE(hr == DISP_E_TYPEMISMATCH || hr == DISP_E_BADVARTYPE ||
                    hr == DISP_E_MEMBERNOTFOUND)
            << tc.id << " returned " << std::hex << hr;
        EXPECT_EQ(Read(control.Get(), tc.id), tc.after) << tc.id;
    }
}

// Sound data is bytes. An array of anything else, whose storage holds
// addresses (of strings, objects, variants) or wider numbers, counts as no
// array: nothing of it is kept, and the bytes there were stay.
TEST_F(Client, SoundDataTakesByteArraysOnly) {
    const auto arrayOf = [](VARTYPE type, ULONG count) {
        Var array;
        V_VT(array.Get()) = VT_ARRAY | type;
        V_ARRAY(array.Get()) = SafeArrayCreateVector(type, 0, count);
        return array;
    };
    const std::pair<Var, std::string> cases[] = {
        {arrayOf(VT_VARIANT, 2), "bytes:0"}, {arrayOf(VT_BSTR, 2), "bytes:0"},
        {arrayOf(VT_I4, 3), "bytes:0"},      {Bytes({1, 2, 3}), "bytes:3"},
        {arrayOf(VT_I1, 2), "bytes:2"},      {Long(5), "bytes:2"},
        {arrayOf(VT_I4, 3), "bytes:2"},
    };
    for (const auto& [value, after] : cases) {
        SCOPED_TRACE(after + " after vt " + std::to_string(value.Type()));
        EXPECT_EQ(Put(control.Get(), dispid::SoundEnter, *value), S_OK);
        EXPECT_EQ(Read(control.Get(), dispid::SoundEnter), after);
    }
}

// The events and property changes reach the client's sinks (what Value reads
// while its event is delivered is the native tests' table).
TEST_F(Client, EventsAndChangesReachTheConnectionPoints) {
    EventSink sink;
    ASSERT_NE(sink.Advise(control.Get(), DIID___Tovabel), 0u);
    ChangeSink changes;
    const auto points = control.As<IConnectionPointContainer>(IID_IConnectionPointContainer);
    Ref<IConnectionPoint> point;
    ASSERT_EQ(points->FindConnectionPoint(IID_IPropertyNotifySink, point.Put()), S_OK);
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(&changes, &cookie), S_OK);

    ASSERT_EQ(Put(control.Get(), dispid::Value, *Bool(true)), S_OK);
    ASSERT_EQ(sink.events.size(), 1u);
    EXPECT_EQ(sink.events[0].id, 1) << "Click";
    EXPECT_TRUE(sink.events[0].args.empty());
    changes.changed.clear();
    ASSERT_EQ(Put(control.Get(), dispid::Style, *Long(5)), S_OK);
    EXPECT_EQ(changes.changed, (std::vector<DISPID>{dispid::Checked, dispid::Style}));
    point->Unadvise(cookie);
    control = Ref<IDispatch>(); // the sink lives on this frame: let go of it first
}

TEST_F(Client, HandlerThatReleasesTheControlDoesNotCrash) {
    EventSink sink;
    ASSERT_NE(sink.Advise(control.Get(), DIID___Tovabel), 0u);
    // The handler drops the client's last reference while Click is delivered.
    static Ref<IDispatch>* owner = nullptr;
    owner = &control;
    sink.during = [](EventSink&, DISPID) { *owner = Ref<IDispatch>(); };
    IDispatch* raw = control.Get();
    raw->AddRef(); // keep a pointer for the call itself, as a caller's stack would
    EXPECT_EQ(Put(raw, dispid::Value, *Bool(true)), S_OK);
    EXPECT_EQ(raw->Release(), 0u) << "the control outlived its last reference";
    EXPECT_EQ(sink.events.size(), 1u);
}

TEST_F(Client, ClassInfoNamesTheControlAndItsEvents) {
    auto info = control.As<IProvideClassInfo2>(IID_IProvideClassInfo2);
    ASSERT_TRUE(info);
    GUID events{};
    ASSERT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events), S_OK);
    EXPECT_TRUE(IsEqualGUID(events, DIID___Tovabel));
    Ref<ITypeInfo> classInfo;
    ASSERT_EQ(info->GetClassInfo(classInfo.Put()), S_OK);
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
    ASSERT_EQ(Put(control.Get(), L"URLPictureDisabled", Str(L"x.bmp")), S_OK);
    EXPECT_EQ(Read(control.Get(), dispid::URLPictureDisabled), "x.bmp");
}

} // namespace
} // namespace tovabel::wintest
