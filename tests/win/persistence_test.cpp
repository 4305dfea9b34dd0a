// Saving and loading the control as containers do: through a property bag
// that keeps the types it was given, through IPersistStreamInit and through
// IPersistStorage, with a stream saved by an earlier build, and with bags and
// streams that are damaged or hostile.
#include "com_client.h"
#include "test_files.h"
#include "test_paths.h"
#include "win/olehost/container.h"
#include "win/olehost/pixels.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace tovabel::wintest {
namespace {

// An in-memory property bag that keeps the types its values were written with
// (a container's bag may hand them back in other types, which the control converts).
class MemoryBag final : public win::LocalObject<IPropertyBag> {
public:
    std::map<std::wstring, Var> entries;

    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
        const auto stored = entries.find(name);
        if (stored == entries.end()) {
            return E_INVALIDARG;
        }
        VariantClear(value);
        return VariantCopy(value, stored->second.Get());
    }
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override {
        entries[name] = Var::CopyOf(*value);
        return S_OK;
    }
};

Ref<IDispatch> NewUnstarted() {
    return CreateControl(false, false);
}

// Every saved property away from its default. The pictures' URL is empty for
// the three stored pictures, and set for the disabled picture, whose URL wins.
struct Setting {
    const wchar_t* name;
    Var value;
};

std::vector<Setting> ChangedProperties() {
    const Ref<IFontDisp> font = MakeFont(L"Tahoma");
    font.As<IFont>(IID_IFont)->put_Bold(TRUE);
    return {
        {L"Style", Long(1)},
        {L"AlignCaption", Long(3)},
        {L"AlignPicture", Long(2)},
        {L"AutoSize", Bool(false)},
        {L"BackColor", Long(0x123456)},
        {L"BorderStyle", Long(0)},
        {L"Font", Object(font.Get())},
        {L"FontDirection", Long(1)},
        {L"HighlightColor", Long(0x00FF00)},
        {L"MaskColor", Long(0xFF00FF)},
        {L"MouseIcon", Object(MakeIconPicture().Get())},
        {L"MousePointer", Long(5)},
        {L"PlaySounds", Bool(false)},
        {L"SoundEnterURL", Str(L"Z:\\nowhere\\enter.wav")},
        {L"SoundLeaveURL", Str(L"Z:\\nowhere\\leave.wav")},
        {L"SoundClickURL", Str(L"Z:\\nowhere\\click.wav")},
        {L"ShadowColor", Long(0x0000FF)},
        {L"TextColor", Long(0x00AA00)},
        {L"ToolTipText", Str(L"Saved tip")},
        {L"UseSystemSounds", Bool(false)},
        {L"Picture", Object(MakeSquarePicture(16, RGB(192, 192, 192), RGB(0, 0, 255)).Get())},
        {L"PictureOver", Object(MakeIconPicture().Get())},
        {L"PictureDown", Object(MakeSquarePicture(24, RGB(192, 192, 192), RGB(0, 255, 0)).Get())},
        {L"URLPictureDisabled", Str(L"Z:\\nowhere\\disabled.bmp")},
        {L"Caption", Str(L"Saved &Caption")},
        {L"Checked", Bool(true)},
        {L"Enabled", Bool(false)},
    };
}

Ref<IDispatch> ChangedControl() {
    const Ref<IDispatch> control = CreateControl();
    for (const Setting& setting : ChangedProperties()) {
        EXPECT_EQ(S_OK, Put(control.Get(), setting.name, setting.value)) << ToNarrow(setting.name);
    }
    return control;
}

void ExpectSameProperties(IDispatch* saved, IDispatch* loaded) {
    for (const Setting& setting : ChangedProperties()) {
        SCOPED_TRACE(ToNarrow(setting.name));
        const std::string before = Describe(Get(saved, setting.name));
        EXPECT_EQ(Describe(Get(loaded, setting.name)), before);
    }
}

std::vector<std::uint8_t> SaveToStream(IDispatch* control) {
    Ref<IStream> stream;
    CreateStreamOnHGlobal(nullptr, TRUE, stream.Put());
    EXPECT_EQ(S_OK, Ref<IDispatch>::Share(control)
                        .As<IPersistStreamInit>(IID_IPersistStreamInit)
                        ->Save(stream.Get(), TRUE));
    HGLOBAL memory = nullptr;
    GetHGlobalFromStream(stream.Get(), &memory);
    ULARGE_INTEGER end{}; // where the save left the stream
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &end);
    const auto* bytes = static_cast<const std::uint8_t*>(GlobalLock(memory));
    std::vector<std::uint8_t> saved(bytes, bytes + end.QuadPart);
    GlobalUnlock(memory);
    return saved;
}

HRESULT LoadFromStream(IDispatch* control, const std::vector<std::uint8_t>& bytes) {
    Ref<IStream> stream;
    CreateStreamOnHGlobal(nullptr, TRUE, stream.Put());
    ULONG written = 0;
    stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    const LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return Ref<IDispatch>::Share(control)
        .As<IPersistStreamInit>(IID_IPersistStreamInit)
        ->Load(stream.Get());
}

TEST(Persistence, EveryChangedPropertySurvivesEachWayOfSaving) {
    const Ref<IDispatch> saved = ChangedControl();
    {
        SCOPED_TRACE("property bag");
        MemoryBag bag;
        const auto persist = saved.As<IPersistPropertyBag>(IID_IPersistPropertyBag);
        ASSERT_EQ(S_OK, persist->Save(&bag, TRUE, TRUE));
        EXPECT_EQ(bag.entries.count(L"Picture"), 1u);
        EXPECT_EQ(bag.entries.count(L"PictureDisabled"), 0u) << "its URL takes its place";
        const Ref<IDispatch> loaded = NewUnstarted();
        ASSERT_EQ(S_OK,
                  loaded.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(&bag, nullptr));
        ExpectSameProperties(saved.Get(), loaded.Get());
    }
    {
        SCOPED_TRACE("stream");
        const std::vector<std::uint8_t> bytes = SaveToStream(saved.Get());
        ULARGE_INTEGER size{};
        ASSERT_EQ(S_OK, saved.As<IPersistStreamInit>(IID_IPersistStreamInit)->GetSizeMax(&size));
        EXPECT_EQ(size.QuadPart, bytes.size());
        const Ref<IDispatch> loaded = NewUnstarted();
        ASSERT_EQ(S_OK, LoadFromStream(loaded.Get(), bytes));
        ExpectSameProperties(saved.Get(), loaded.Get());
    }
    {
        SCOPED_TRACE("storage");
        Ref<ILockBytes> memory;
        ASSERT_EQ(S_OK, CreateILockBytesOnHGlobal(nullptr, TRUE, memory.Put()));
        Ref<IStorage> storage;
        ASSERT_EQ(S_OK, StgCreateDocfileOnILockBytes(
                            memory.Get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
                            storage.Put()));
        const auto persist = saved.As<IPersistStorage>(IID_IPersistStorage);
        ASSERT_TRUE(persist);
        ASSERT_EQ(S_OK, persist->Save(storage.Get(), FALSE));
        ASSERT_EQ(S_OK, persist->SaveCompleted(nullptr));
        EXPECT_EQ(S_FALSE, persist->IsDirty());
        const Ref<IDispatch> loaded = NewUnstarted();
        ASSERT_EQ(S_OK, loaded.As<IPersistStorage>(IID_IPersistStorage)->Load(storage.Get()));
        ExpectSameProperties(saved.Get(), loaded.Get());
    }
}

// A container's bag may hand values back in other types: they convert as
// automation converts them, and what does not convert keeps what the unstarted
// control had (which values a load keeps is the native tests' table).
TEST(Persistence, BagsWithWrongValuesLoadWhatTheyCanAndKeepTheRest) {
    const Ref<IDispatch> font = Ref<IFontDisp>(MakeFont(L"Tahoma")).As<IDispatch>(IID_IDispatch);
    struct Case {
        const char* name;
        std::vector<Setting> entries;
        std::vector<std::pair<const wchar_t*, std::string>> expected;
    };
    const Case cases[] = {
        {"text where numbers belong",
         {{L"Style", Str(L"abc")}, {L"BackColor", Str(L"red")}, {L"AutoSize", Str(L"maybe")}},
         {{L"Style", "0"}, {L"BackColor", "2147483663"}, {L"AutoSize", "0"}}},
        {"numbers as text convert",
         {{L"Style", Str(L" 3 ")}, {L"Checked", Str(L"True")}, {L"BorderStyle", Str(L"0")}},
         {{L"Style", "3"}, {L"BorderStyle", "0"}}},
        // Automation turns an object into text through its default property:
        // a font gives its name.
        {"an object where text belongs",
         {{L"Caption", Object(font.Get())}, {L"ToolTipText", Object(font.Get())}},
         {{L"Caption", Describe(*Object(font.Get()).As(VT_BSTR))},
          {L"ToolTipText", Describe(*Object(font.Get()).As(VT_BSTR))}}},
        {"text or a font where a picture belongs",
         {{L"Picture", Str(L"not a picture")},
          {L"PictureOver", Object(font.Get())},
          {L"Font", Long(12)}},
         {{L"Picture", "Nothing"}, {L"PictureOver", "Nothing"}}},
        {"no keys at all", {}, {{L"Caption", ""}, {L"Style", "0"}, {L"Enabled", "-1"}}},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        MemoryBag bag;
        for (const Setting& entry : tc.entries) {
            bag.entries[entry.name] = entry.value;
        }
        const Ref<IDispatch> control = NewUnstarted();
        ASSERT_EQ(S_OK,
                  control.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(&bag, nullptr));
        for (const auto& [property, value] : tc.expected) {
            EXPECT_EQ(Describe(Get(control.Get(), property)), value) << ToNarrow(property);
        }
        // The control keeps working after the load.
        EXPECT_EQ(S_OK, Put(control.Get(), L"Caption", Str(L"after")));
        EXPECT_EQ(Describe(Get(control.Get(), L"Caption")), "after");
    }
}

// How a stream's damage reaches the container: the load fails with a reason,
// and the control that tried keeps what it had and still works. (Every
// truncation and kind of damage the decoder refuses is the native tests' table.)
TEST(Persistence, DamagedStreamsFailClearlyAndChangeNothing) {
    const std::vector<std::uint8_t> good = SaveToStream(ChangedControl().Get());
    ASSERT_GT(good.size(), 1000u);
    struct Case {
        const char* name;
        std::size_t offset;
        std::vector<std::uint8_t> bytes;
        std::size_t length; // of the stream, cut short
        HRESULT expected;
    };
    const HRESULT invalid = HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
    const HRESULT ended = HRESULT_FROM_WIN32(ERROR_HANDLE_EOF);
    const Case cases[] = {
        {"another magic", 0, {'X'}, good.size(), invalid},
        {"a newer version", 4, {9, 0}, good.size(), STG_E_OLDDLL},
        {"a body of 2^31 bytes", 8, {0, 0, 0, 0x80}, good.size(), invalid},
        {"a negative count", 6, {0xFF, 0xFF}, good.size(), invalid},
        {"cut inside the header", 0, {}, 7, ended},
        {"cut inside the body", 0, {}, good.size() / 2, ended},
        {"cut by one byte", 0, {}, good.size() - 1, ended},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        std::vector<std::uint8_t> bytes = good;
        std::copy(tc.bytes.begin(), tc.bytes.end(), bytes.begin() + tc.offset);
        bytes.resize(tc.length);
        const Ref<IDispatch> control = CreateControl();
        ASSERT_EQ(S_OK, Put(control.Get(), L"Caption", Str(L"before")));
        EXPECT_EQ(LoadFromStream(control.Get(), bytes), tc.expected);
        EXPECT_EQ(Describe(Get(control.Get(), L"Caption")), "before");
    }
    // Random bytes after a valid header, and random bytes altogether.
    std::mt19937 random(7);
    for (int round = 0; round < 100; ++round) {
        std::vector<std::uint8_t> bytes = good;
        const std::size_t from = round % 2 == 0 ? 12 : 0;
        for (std::size_t i = from; i < bytes.size(); ++i) {
            bytes[i] = static_cast<std::uint8_t>(random());
        }
        const Ref<IDispatch> control = NewUnstarted();
        LoadFromStream(control.Get(), bytes); // may fail, must not crash
        EXPECT_EQ(S_OK, Put(control.Get(), L"Caption", Str(L"alive")));
    }
}

// A loaded control lays itself out again once its window is there (the first
// tick of its redraw timer auto-sizes it) and repaints once a second later:
// in design mode that second paint shows the flat look the loading did not.
TEST(Persistence, LoadedControlSizesItselfThenRepaintsOnce) {
    MemoryBag bag;
    bag.entries = {{L"Caption", Str(L"A caption wider than the place")},
                   {L"AutoSize", Bool(true)},
                   {L"BackColor", Colour(kBack)},
                   {L"HighlightColor", Colour(kLight)}};
    {
        SCOPED_TRACE("run mode");
        olehost::Container container;
        ASSERT_EQ(S_OK, container.Create(kProgId, {0, 0, 30, 30}, &bag));
        const std::size_t before = container.Site().posRectRequests.size();
        EXPECT_TRUE(olehost::PumpMessages(std::chrono::milliseconds(2000), [&] {
            return container.Site().posRectRequests.size() > before;
        })) << "the first tick asks for the caption's size";
        RECT client{};
        GetClientRect(container.ControlWindow(), &client);
        EXPECT_GT(client.right, 100);
    }
    {
        SCOPED_TRACE("design mode");
        bag.entries[L"AutoSize"] = Bool(false);
        olehost::Container container(false);
        ASSERT_EQ(S_OK, container.Create(kProgId, {0, 0, 60, 30}, &bag));
        container.Settle();
        EXPECT_EQ(olehost::ReadWindow(container.ControlWindow()).At(0, 10), kLight)
            << "loaded in design mode: raised";
        olehost::PumpMessages(std::chrono::milliseconds(1500));
        container.Settle();
        EXPECT_EQ(olehost::ReadWindow(container.ControlWindow()).At(0, 10), kBack)
            << "a second later: flat, as nothing holds it raised";
    }
}

// A stream saved by the first release of the stream format. Loading it must
// give the same control in every later build. To write it again (only when a
// release changes the format on purpose), run this test with
// TOVABEL_WRITE_SAVED_STREAM=1 and keep both files.
TEST(Persistence, StreamSavedByTheFirstReleaseLoads) {
    const std::string path =
        std::string(TOVABEL_SOURCE_DIR) + "/tests/win/data/saved-stream-v1.bin";
    if (std::getenv("TOVABEL_WRITE_SAVED_STREAM") != nullptr) {
        ASSERT_TRUE(SaveFile(WinePath(path.c_str()), SaveToStream(ChangedControl().Get())));
    }
    std::ifstream file(std::filesystem::path(WinePath(path.c_str())), std::ios::binary);
    ASSERT_TRUE(file) << path;
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                          std::istreambuf_iterator<char>());
    const Ref<IDispatch> loaded = NewUnstarted();
    ASSERT_EQ(S_OK, LoadFromStream(loaded.Get(), bytes));
    ExpectSameProperties(ChangedControl().Get(), loaded.Get());
}

} // namespace
} // namespace tovabel::wintest
