// Downloads of the pictures, the cursor and the sounds named by URL
// properties, as a container sees them: fetched over HTTP from a server of the
// test's own, from files and through the container's bind host; failures that
// leave the property as it was; controls that go away meanwhile; and what a
// control in an untrusted web page may fetch.
#include "com_client.h"
#include "http_server.h"
#include "test_files.h"
#include "win/common/guids.h"
#include "win/common/reg_key.h"

#include <gtest/gtest.h>

#include <objsafe.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace tovabel::wintest {
namespace {

using namespace std::chrono_literals;
using olehost::Container;
using olehost::PumpMessages;

constexpr DISPID kPropertyDownloaded = 9;
constexpr std::size_t kHundredMegabytes = 100u << 20;

DWORD gEventThread = 0;

// A response of the test's server: `bytes` as its body.
HttpServer::Response Body(FileBytes bytes) {
    HttpServer::Response response;
    response.body = std::move(bytes);
    return response;
}

// A file of the test's own, in the working directory or in the temporary
// one; gone with the holder.
struct LocalFile {
    LocalFile(const wchar_t* name, bool temporary, const FileBytes& bytes) {
        wchar_t folder[MAX_PATH] = L"";
        if (temporary) {
            GetTempPathW(MAX_PATH, folder);
        }
        wchar_t full[MAX_PATH];
        GetFullPathNameW((std::wstring(folder) + name).c_str(), MAX_PATH, full, nullptr);
        path = full;
        saved = SaveFile(path, bytes);
    }
    LocalFile(const LocalFile&) = delete;
    LocalFile& operator=(const LocalFile&) = delete;
    ~LocalFile() { DeleteFileW(path.c_str()); }
    // "file:///C:/dir/name"
    std::wstring Url() const {
        std::wstring url = L"file:///" + path;
        std::replace(url.begin(), url.end(), L'\\', L'/');
        return url;
    }

    std::wstring path;
    bool saved = false;
};

// The platform's zone map names `localhost` an intranet site while this
// lives, as an administrator's would.
class IntranetName {
public:
    IntranetName() {
        const DWORD intranet = URLZONE_INTRANET;
        const win::RegKey key = win::CreateRegKey(HKEY_CURRENT_USER, kKey);
        RegSetValueExW(key.Get(), L"http", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&intranet),
                       sizeof intranet);
    }
    IntranetName(const IntranetName&) = delete;
    IntranetName& operator=(const IntranetName&) = delete;
    ~IntranetName() { RegDeleteKeyW(HKEY_CURRENT_USER, kKey); }

private:
    static constexpr const wchar_t* kKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\"
                                           L"Internet Settings\\ZoneMap\\Domains\\localhost";
};

// How the container describes the page the control sits in.
enum class Page {
    Trusting,        // no page: the container sets no safety options
    Internet,        // untrusted, at http://127.0.0.1:port/page.html, by its moniker
    ThroughDocument, // the same, known only through the document's URL
    Unknown,         // untrusted, and the container does not say where
    Restricted,      // the Internet page, which the container puts in the restricted zone
};

class Downloads : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(server.Port(), 0);
        const std::pair<const char*, FileBytes> files[] = {
            {"/pic.bmp", BitmapFile(8, 8, RGB(200, 0, 0))},
            {"/pic.ico", IconFile(16, false)},
            {"/pic.cur", IconFile(32, true)},
            {"/bad.jpg",
             {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00, 0x13, 0x37, 0xFF, 0x00,
              0xFF, 0xD9}},
            {"/empty.bmp", {}},
            {"/click.wav", kWave},
        };
        for (const auto& [path, bytes] : files) {
            server.Serve(path, Body(bytes));
        }
        HttpServer::Response cutShort = Body(BitmapFile(8, 8, RGB(1, 2, 3)));
        cutShort.length = cutShort.body.size() + 4000; // more than ever comes
        server.Serve("/short.bmp", cutShort);
        HttpServer::Response gone = Body(BitmapFile(8, 8, RGB(1, 2, 3)));
        gone.status = 404; // a page that happens to be a picture
        server.Serve("/gone.bmp", gone);
        HttpServer::Response slow = Body(BitmapFile(16, 16, RGB(9, 9, 9)));
        slow.delay = 800ms;
        server.Serve("/slow.bmp", slow);
        HttpServer::Response huge;
        huge.generated = kHundredMegabytes;
        server.Serve("/huge", huge);
        huge.announce = false;
        server.Serve("/huge-unannounced", huge);
        HostIn(Page::Trusting);
        sink.during = [](EventSink&, DISPID) { gEventThread = GetCurrentThreadId(); };
    }
    void TearDown() override { container.Destroy(); }

    void Put(const wchar_t* property, const std::wstring& text) {
        ASSERT_EQ(S_OK, container.Put(property, *Str(text)));
    }
    // A property's value as text, a picture by its kind and size.
    std::string Shown(const wchar_t* property) {
        return Describe(Get(container.Dispatch().Get(), property));
    }
    FileBytes Sound(const wchar_t* property) {
        const Var value = Get(container.Dispatch().Get(), property);
        if (value.Type() != (VT_ARRAY | VT_UI1)) {
            return {};
        }
        const win::SafeArrayData data(V_ARRAY(value.Get()));
        const auto* first = static_cast<const std::uint8_t*>(data.Data());
        return first ? FileBytes(first, first + V_ARRAY(value.Get())->rgsabound[0].cElements)
                     : FileBytes();
    }
    // The PropertyDownloaded events so far, by their argument.
    std::vector<std::string> Downloaded() const {
        std::vector<std::string> names;
        for (const EventSink::Event& event : sink.events) {
            if (event.id == kPropertyDownloaded) {
                names.push_back(event.args.size() == 1 && event.args[0].Type() == VT_BSTR
                                    ? ToNarrow(V_BSTR(event.args[0].Get()))
                                    : "<bad arguments>");
            }
        }
        return names;
    }
    // Pumps messages until `count` completions arrived, and a little more so
    // that one too many would show.
    bool AwaitDownloads(std::size_t count, std::chrono::milliseconds limit = 20s) {
        const bool arrived = PumpMessages(limit, [&] { return Downloaded().size() >= count; });
        PumpMessages(100ms);
        return arrived;
    }
    // A new control with the sink on its events, in a page of the given kind.
    void HostIn(Page page) {
        container.Destroy();
        olehost::ControlSite& site = container.Site();
        site.untrusted = page != Page::Trusting;
        site.pageUrl =
            page == Page::Trusting || page == Page::Unknown ? L"" : server.Url("/page.html");
        site.pageThroughDocument = page == Page::ThroughDocument;
        site.hostZone =
            page == Page::Restricted ? std::optional<DWORD>(URLZONE_UNTRUSTED) : std::nullopt;
        ASSERT_EQ(S_OK, container.Create(kProgId, {0, 0, 40, 22}));
        ASSERT_NE(sink.Advise(container.Dispatch().Get(), DIID___Tovabel), 0u);
    }
    void ShowSmallPicture(const wchar_t* property) {
        ASSERT_EQ(S_OK, container.Put(property, *Object(MakeBitmapPicture(4).Get())));
        ASSERT_EQ(Shown(property), "bitmap 4x4");
    }

    const FileBytes kWave = WaveFile(0x41, 300);
    EventSink sink; // declared before the container: the control lets go of it first
    HttpServer server;
    Container container;
};

// The cursor is chosen at once. (Which kinds of picture each property takes is
// the native tests' table.)
TEST_F(Downloads, PicturesArriveOrTheOldOneStays) {
    const LocalFile local(L"tovabel-download-test.bmp", false, BitmapFile(12, 12, RGB(0, 0, 0)));
    ASSERT_TRUE(local.saved);
    const std::wstring refused =
        L"http://127.0.0.1:" + std::to_wstring(HttpServer::ClosedPort()) + L"/pic.bmp";
    const std::string kept = "bitmap 4x4";
    const struct {
        const char* what;
        const wchar_t* property; // also the download's name; URL and the name give its URL's
        std::wstring url;
        std::string after;
        long pointer;
    } cases[] = {
        {"bitmap over HTTP", L"Picture", server.Url("/pic.bmp"), "bitmap 8x8", 0},
        {"icon", L"PictureDisabled", server.Url("/pic.ico"), "icon", 0},
        {"path on a drive", L"Picture", local.path, "bitmap 12x12", 0},
        {"file URL", L"PictureOver", local.Url(), "bitmap 12x12", 0},
        {"not found", L"PictureOver", server.Url("/gone.bmp"), kept, 0},
        {"connection refused", L"Picture", refused, kept, 0},
        {"body cut short", L"Picture", server.Url("/short.bmp"), kept, 0},
        {"corrupt JPEG", L"PictureDown", server.Url("/bad.jpg"), kept, 0},
        {"empty file", L"Picture", server.Url("/empty.bmp"), kept, 0},
        {"an icon as the cursor", L"MouseIcon", server.Url("/pic.ico"), "icon", 99},
        {"a cursor", L"MouseIcon", server.Url("/pic.cur"), "icon", 99},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.what);
        const std::wstring urlProperty = L"URL" + std::wstring(tc.property);
        // No cursor, the arrow; the small picture empties the URL property.
        ASSERT_EQ(S_OK, PutAll(container, {{urlProperty.c_str(), Str(L"")},
                                           {L"MousePointer", Long(0)},
                                           {tc.property, Object(MakeBitmapPicture(4).Get())}}));
        sink.events.clear();
        gEventThread = 0;
        Put(urlProperty.c_str(), tc.url);
        EXPECT_EQ(V_I4(Get(container.Dispatch().Get(), L"MousePointer").Get()), tc.pointer);
        ASSERT_TRUE(AwaitDownloads(1));
        EXPECT_EQ(Downloaded(), std::vector<std::string>{ToNarrow(tc.property)});
        EXPECT_EQ(Shown(tc.property), tc.after);
        EXPECT_EQ(Shown(urlProperty.c_str()), ToNarrow(tc.url));
        EXPECT_EQ(gEventThread, GetCurrentThreadId());
    }
}

// The window shows a downloaded picture without anyone asking it to repaint.
TEST_F(Downloads, DownloadedPictureShowsOnTheFace) {
    const COLORREF red = RGB(200, 0, 0);
    ASSERT_EQ(olehost::ReadWindow(container.ControlWindow()).Count(red), 0u);
    Put(L"URLPicture", server.Url("/pic.bmp"));
    ASSERT_TRUE(AwaitDownloads(1));
    EXPECT_EQ(olehost::ReadWindow(container.ControlWindow()).Count(red), 8u * 8u);
}

// A location the platform refuses at once still completes, as a failed
// download, after the setter has returned: the picture stays and the URL
// property keeps its text. Only a target that cannot be parsed at all starts
// nothing. A long URL is fetched.
TEST_F(Downloads, TargetsThatCannotBeFetchedFailOrStartNothing) {
    const std::string longPath = "/" + std::string(64 * 1024, 'a');
    server.Serve(longPath, Body(BitmapFile(8, 8, RGB(0, 0, 0))));
    struct Case {
        const char* what;
        std::wstring url;
        std::vector<std::string> events;
        std::string after;
    };
    const Case cases[] = {
        {"missing file", L"C:\\tovabel-no-such-folder\\pic.bmp", {"Picture"}, "bitmap 4x4"},
        {"unknown scheme", L"foo://x/pic.bmp", {"Picture"}, "bitmap 4x4"},
        {"script", L"javascript:alert(1)", {"Picture"}, "bitmap 4x4"},
        {"relative without a bind host", L"pic.bmp", {"Picture"}, "bitmap 4x4"},
        {"64 KB of letters", std::wstring(64 * 1024, L'x'), {"Picture"}, "bitmap 4x4"},
        {"port out of range", L"http://127.0.0.1:99999999/pic.bmp", {}, "bitmap 4x4"},
        {"a URL of 64 KB", server.Url(longPath), {"Picture"}, "bitmap 8x8"},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.what);
        ShowSmallPicture(L"Picture");
        sink.events.clear();
        Put(L"URLPicture", tc.url);
        EXPECT_EQ(Downloaded(), std::vector<std::string>{});
        AwaitDownloads(tc.events.size(), 2s);
        EXPECT_EQ(Downloaded(), tc.events);
        EXPECT_EQ(Shown(L"Picture"), tc.after);
        EXPECT_EQ(Shown(L"URLPicture"), ToNarrow(tc.url));
    }
}

// A control may go while its downloads run, or in the handler of a
// completion: it is freed (it lets go of the event sink), its transfers stop,
// and nothing calls it afterwards.
TEST_F(Downloads, ControlGoneMeanwhileIsNotCalled) {
    const ULONG alone = sink.References() - 1; // the control holds one reference
    Put(L"URLPicture", server.Url("/slow.bmp"));
    Put(L"SoundClickURL", server.Url("/click.wav"));
    Put(L"SoundClickURL", server.Url("/huge-unannounced"));
    container.Destroy();
    EXPECT_EQ(sink.References(), alone);
    PumpMessages(1500ms);
    EXPECT_EQ(Downloaded(), std::vector<std::string>{});
    EXPECT_LT(server.Sent("/huge-unannounced"), kHundredMegabytes / 8);

    HostIn(Page::Trusting);
    static Container* place = nullptr;
    place = &container;
    sink.during = [](EventSink&, DISPID) { place->Destroy(); };
    Put(L"URLPicture", server.Url("/pic.bmp"));
    ASSERT_TRUE(AwaitDownloads(1));
    EXPECT_EQ(sink.References(), alone);
    EXPECT_EQ(Downloaded(), std::vector<std::string>{"Picture"});
}

std::size_t PeakWorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize;
}

// A body beyond the limit fails like any other download, without being held
// whole, let alone twice: with its length announced it is refused before any
// of it is kept; without that, the transfer stops at the limit. (With the
// length announced the platform may still read the rest off the connection
// when the request closes, but it keeps none of it.)
TEST_F(Downloads, HundredMegabytesFailWithoutBeingHeld) {
    struct Case {
        const char* path;
        std::size_t mostGrowth; // of the peak working set, from the start
    };
    const Case cases[] = {
        {"/huge", 16u << 20},
        {"/huge-unannounced", 96u << 20},
    };
    ASSERT_EQ(S_OK, container.Put(L"SoundClick", *Bytes(kWave)));
    const std::size_t before = PeakWorkingSet();
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.path);
        sink.events.clear();
        Put(L"SoundClickURL", server.Url(tc.path));
        ASSERT_TRUE(AwaitDownloads(1, 120s));
        EXPECT_EQ(Downloaded(), std::vector<std::string>{"SoundClick"});
        EXPECT_EQ(Sound(L"SoundClick"), kWave);
        const std::size_t growth = PeakWorkingSet() - before;
        std::printf("%s: the peak working set grew by %zu MB\n", tc.path, growth >> 20);
        EXPECT_LT(growth, tc.mostGrowth);
    }
    EXPECT_LT(server.Sent("/huge-unannounced"), kHundredMegabytes);
}

// A container's bind host that resolves names against a base location of
// its own, and counts the transfers it was asked to start.
class BaseBindHost : public win::LocalObject<IBindHost> {
public:
    explicit BaseBindHost(std::wstring base) : mBase(std::move(base)) {}
    int binds = 0;

    HRESULT STDMETHODCALLTYPE CreateMoniker(LPOLESTR name, IBindCtx*, IMoniker** out,
                                            DWORD) override {
        Ref<IMoniker> base;
        const HRESULT hr = CreateURLMonikerEx(nullptr, mBase.c_str(), base.Put(), URL_MK_UNIFORM);
        return FAILED(hr) ? hr : CreateURLMonikerEx(base.Get(), name, out, URL_MK_UNIFORM);
    }
    HRESULT STDMETHODCALLTYPE MonikerBindToStorage(IMoniker* moniker, IBindCtx* context,
                                                   IBindStatusCallback* callback, REFIID iid,
                                                   void** out) override {
        ++binds;
        RegisterBindStatusCallback(context, callback, nullptr, 0);
        return moniker->BindToStorage(context, nullptr, iid, out);
    }
    HRESULT STDMETHODCALLTYPE MonikerBindToObject(IMoniker*, IBindCtx*, IBindStatusCallback*,
                                                  REFIID, void** out) override {
        *out = nullptr;
        return E_NOTIMPL;
    }

private:
    std::wstring mBase;
};

TEST_F(Downloads, RelativeLocationsResolveInTheContainer) {
    server.Serve("/forms/pic.bmp", Body(BitmapFile(7, 7, RGB(0, 0, 0))));
    BaseBindHost bindHost(server.Url("/forms/page.htm"));
    container.Site().bindHost = Ref<IBindHost>::Share(&bindHost);
    Put(L"URLPicture", L"pic.bmp");
    ASSERT_TRUE(AwaitDownloads(1));
    EXPECT_EQ(Shown(L"Picture"), "bitmap 7x7");
    EXPECT_EQ(Shown(L"URLPicture"), "pic.bmp");
    EXPECT_EQ(bindHost.binds, 1);
    container.Destroy();
    container.Site().bindHost.Reset();
}

// In an untrusted page the control fetches only what the page itself may:
// nothing from a zone more trusted than the page's, directly, relative to the
// page or by a server's redirection, and nothing but web locations when the
// container does not say where the page is. A refused target fails as a
// missing file does, after the setter has returned, leaving the sound as it
// was; a host that trusts the control fetches it all.
TEST_F(Downloads, UntrustedPageFetchesOnlyWhatThePageMay) {
    const FileBytes secret = WaveFile(0x33, 40);
    const LocalFile local(L"tovabel-secret.wav", true, secret);
    ASSERT_TRUE(local.saved);
    const IntranetName intranet;
    const std::wstring intranetWave =
        L"http://localhost:" + std::to_wstring(server.Port()) + L"/click.wav";
    HttpServer::Response away;
    away.status = 302;
    away.location = ToNarrow(intranetWave);
    server.Serve("/away.wav", away);
    const FileBytes kept = WaveFile(0x10, 20);
    struct Case {
        const char* what;
        Page page;
        std::wstring target;
        const FileBytes& after;
    };
    const Case cases[] = {
        {"local path", Page::Internet, local.path, kept},
        {"file URL", Page::Internet, local.Url(), kept},
        {"missing file", Page::Internet, L"C:\\tovabel-no-such-folder\\x.wav", kept},
        {"intranet address", Page::Internet, intranetWave, kept},
        {"redirected to the intranet", Page::Internet, server.Url("/away.wav"), kept},
        {"same origin", Page::Internet, server.Url("/click.wav"), kWave},
        {"relative to the page", Page::Internet, L"click.wav", kWave},
        {"relative to the document", Page::ThroughDocument, L"click.wav", kWave},
        {"unknown page: local path", Page::Unknown, local.path, kept},
        {"unknown page: intranet address", Page::Unknown, intranetWave, kept},
        {"unknown page: the web", Page::Unknown, server.Url("/click.wav"), kWave},
        {"restricted page: same origin", Page::Restricted, server.Url("/click.wav"), kept},
        {"trusting host: local path", Page::Trusting, local.path, secret},
        {"trusting host: intranet address", Page::Trusting, intranetWave, kWave},
        {"trusting host: redirected", Page::Trusting, server.Url("/away.wav"), kWave},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.what);
        HostIn(tc.page);
        ASSERT_EQ(S_OK, container.Put(L"SoundClick", *Bytes(kept)));
        sink.events.clear();
        Put(L"SoundClickURL", tc.target);
        EXPECT_EQ(Downloaded(), std::vector<std::string>{});
        ASSERT_TRUE(AwaitDownloads(1));
        EXPECT_EQ(Downloaded(), std::vector<std::string>{"SoundClick"});
        EXPECT_EQ(Sound(L"SoundClick"), tc.after);
    }
}

// An untrusted page runs at most eight transfers at once: the ninth fails
// at once, as a refused target does, without being fetched. A transfer that
// brings nothing fails after thirty seconds, not before, and makes room.
TEST_F(Downloads, UntrustedPageBoundsItsTransfers) {
    HostIn(Page::Internet);
    HttpServer::Response silent;
    silent.delay = std::chrono::hours(1);
    const FileBytes kept = WaveFile(0x10, 20);
    ASSERT_EQ(S_OK, container.Put(L"SoundClick", *Bytes(kept)));
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 8; ++i) {
        const std::string path = "/silent" + std::to_string(i);
        server.Serve(path, silent);
        Put(L"URLPicture", server.Url(path));
    }
    Put(L"SoundClickURL", server.Url("/click.wav"));
    ASSERT_TRUE(AwaitDownloads(1, 5s));
    EXPECT_EQ(Downloaded(), std::vector<std::string>{"SoundClick"});
    EXPECT_EQ(Sound(L"SoundClick"), kept);
    EXPECT_EQ(server.Sent("/click.wav"), 0u);

    ASSERT_TRUE(AwaitDownloads(9, 60s));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 30s);
    Put(L"SoundEnterURL", server.Url("/click.wav"));
    ASSERT_TRUE(AwaitDownloads(10));
    EXPECT_EQ(Sound(L"SoundEnter"), kWave);
}

// A browser asks whether the control is safe with untrusted callers and
// data, for scripting and for each way of loading, and says so. Once it
// has, the control stays in the untrusted page whatever is cleared later.
TEST_F(Downloads, ObjectSafetyCoversScriptingAndLoading) {
    const auto safety =
        Ref<IUnknown>::Share(container.Control()).As<IObjectSafety>(IID_IObjectSafety);
    ASSERT_TRUE(safety);
    constexpr DWORD kCaller = INTERFACESAFE_FOR_UNTRUSTED_CALLER;
    constexpr DWORD kData = INTERFACESAFE_FOR_UNTRUSTED_DATA;
    constexpr DWORD kBoth = kCaller | kData;
    struct Case {
        const char* what;
        const IID& iid;
        DWORD mask;
        DWORD enabled;
        HRESULT set;
        HRESULT get;
        DWORD supportedAfter;
        DWORD enabledAfter;
    };
    const Case cases[] = {
        {"scripting", IID_IDispatch, kCaller, kBoth, S_OK, S_OK, kBoth, kCaller},
        {"property bag", IID_IPersistPropertyBag, kBoth, kData, S_OK, S_OK, kBoth, kData},
        {"stream", IID_IPersistStreamInit, kBoth, kBoth, S_OK, S_OK, kBoth, kBoth},
        {"storage", IID_IPersistStorage, kData, kData, S_OK, S_OK, kBoth, kData},
        {"cleared again", IID_IDispatch, kCaller, 0, S_OK, S_OK, kBoth, 0},
        {"an unknown option", IID_IPersistStorage, kBoth | 4, 0, E_FAIL, S_OK, kBoth, kData},
        {"another interface", IID_IOleObject, kCaller, kCaller, E_NOINTERFACE, E_NOINTERFACE, 0, 0},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.what);
        EXPECT_EQ(safety->SetInterfaceSafetyOptions(tc.iid, tc.mask, tc.enabled), tc.set);
        DWORD supported = ~0u;
        DWORD enabled = ~0u;
        EXPECT_EQ(safety->GetInterfaceSafetyOptions(tc.iid, &supported, &enabled), tc.get);
        EXPECT_EQ(supported, tc.supportedAfter);
        EXPECT_EQ(enabled, tc.enabledAfter);
    }
    for (const IID* iid : {&IID_IDispatch, &IID_IPersistPropertyBag, &IID_IPersistStreamInit,
                           &IID_IPersistStorage}) {
        ASSERT_EQ(S_OK, safety->SetInterfaceSafetyOptions(*iid, kBoth, 0));
    }
    const LocalFile local(L"tovabel-secret.wav", true, kWave);
    ASSERT_TRUE(local.saved);
    Put(L"SoundClickURL", local.path);
    ASSERT_TRUE(AwaitDownloads(1));
    EXPECT_EQ(Sound(L"SoundClick"), FileBytes());
}

} // namespace
} // namespace tovabel::wintest
