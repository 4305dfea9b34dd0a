// Self-registration and the safe-for-scripting marks that every instance
// writes. Registration runs against a private registry root (the classes root
// redirected for this process), so that the tests see exactly what was written;
// regsvr32 runs against the run's own.
#include "com_client.h"
#include "test_paths.h"

#include "control/tovabel_interface.h"
#include "win/common/guids.h"
#include "win/common/handle.h"
#include "win/common/reg_key.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace tovabel::wintest {
namespace {

using Entry = HRESULT(STDAPICALLTYPE*)();
using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

std::wstring Braced(const std::string& text) {
    return L"{" + std::wstring(text.begin(), text.end()) + L"}";
}

const std::wstring kSafeForScripting = L"{7DD95801-9882-11CF-9FA9-00AA006C42C4}";
const std::wstring kSafeForInitialising = L"{7DD95802-9882-11CF-9FA9-00AA006C42C4}";

class Library {
public:
    template <class F> F Export(const char* name) const {
        return mModule ? reinterpret_cast<F>(
                             reinterpret_cast<void*>(GetProcAddress(mModule.Get(), name)))
                       : nullptr;
    }

private:
    win::Module mModule{LoadLibraryW(OcxPath().c_str())};
};

// Every key below `root` with its values, as "path" and "path|name=data" lines.
void Snapshot(HKEY root, const std::wstring& path, std::map<std::wstring, std::wstring>& out) {
    const win::RegKey key = win::OpenRegKey(root, path);
    if (!key) {
        return;
    }
    if (!path.empty()) {
        out[path] = L"";
    }
    wchar_t name[512];
    wchar_t data[2048];
    for (DWORD i = 0, length = 512, size = sizeof data, type = 0;
         RegEnumValueW(key.Get(), i, name, &length, nullptr, &type, reinterpret_cast<BYTE*>(data),
                       &size) == ERROR_SUCCESS;
         ++i, length = 512, size = sizeof data) {
        out[path + L"|" + name] = type == REG_SZ ? std::wstring(data) : L"<binary>";
    }
    for (DWORD i = 0, length = 512; RegEnumKeyExW(key.Get(), i, name, &length, nullptr, nullptr,
                                                  nullptr, nullptr) == ERROR_SUCCESS;
         ++i, length = 512) {
        Snapshot(root, path.empty() ? name : path + L"\\" + name, out);
    }
}

// Redirects the classes root of this process to a fresh private key.
class PrivateClassesRoot {
public:
    // A volatile root refuses the ordinary (non-volatile) keys that
    // registration and the instances write, like a root without write access.
    explicit PrivateClassesRoot(bool refuseWrites = false) {
        RegDeleteTreeW(HKEY_CURRENT_USER, mPath.c_str());
        HKEY created = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, mPath.c_str(), 0, nullptr,
                        refuseWrites ? REG_OPTION_VOLATILE : 0, KEY_ALL_ACCESS, nullptr, &created,
                        nullptr);
        mRoot = win::RegKey(created);
        mOverridden =
            mRoot && RegOverridePredefKey(HKEY_CLASSES_ROOT, mRoot.Get()) == ERROR_SUCCESS;
    }
    ~PrivateClassesRoot() {
        RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        mRoot = win::RegKey();
        RegDeleteTreeW(HKEY_CURRENT_USER, mPath.c_str());
    }
    PrivateClassesRoot(const PrivateClassesRoot&) = delete;
    PrivateClassesRoot& operator=(const PrivateClassesRoot&) = delete;

    bool ok() const { return mOverridden; }
    std::map<std::wstring, std::wstring> Contents() const {
        std::map<std::wstring, std::wstring> out;
        Snapshot(mRoot.Get(), L"", out);
        return out;
    }

private:
    const std::wstring mPath = L"Software\\TovabelTests\\" + std::to_wstring(GetCurrentProcessId());
    win::RegKey mRoot;
    bool mOverridden = false;
};

TEST(Registration, WritesTheClassAndRemovesExactlyWhatItWrote) {
    Library library;
    const auto registerServer = library.Export<Entry>("DllRegisterServer");
    const auto unregisterServer = library.Export<Entry>("DllUnregisterServer");
    ASSERT_TRUE(registerServer && unregisterServer);

    PrivateClassesRoot root;
    ASSERT_TRUE(root.ok());
    ASSERT_EQ(registerServer(), S_OK);
    const auto written = root.Contents();

    const std::wstring clsid = L"CLSID\\" + Braced(identity::kTovabelClsid);
    const std::wstring libid = Braced(identity::kLibId);
    struct Expect {
        std::wstring entry;
        std::wstring data; // empty: only its presence is checked
    };
    const Expect expected[] = {
        {clsid + L"\\InprocServer32|", OcxPath()},
        {clsid + L"\\InprocServer32|ThreadingModel", L"Apartment"},
        {clsid + L"\\Control", L""},
        {clsid + L"\\ToolboxBitmap32|", L""},
        {clsid + L"\\MiscStatus\\1|", L""},
        {clsid + L"\\TypeLib|", libid},
        {clsid + L"\\VersionIndependentProgID|", kProgId},
        {std::wstring(kProgId) + L"\\CLSID|", Braced(identity::kTovabelClsid)},
        {L"TypeLib\\" + libid + L"\\2.a", L""},
        {L"Interface\\" + Braced(identity::kTovabelEventsIid), L""},
    };
    for (const Expect& e : expected) {
        const auto found = written.find(e.entry);
        ASSERT_NE(found, written.end()) << ToNarrow(e.entry);
        if (!e.data.empty()) {
            EXPECT_EQ(_wcsicmp(found->second.c_str(), e.data.c_str()), 0) << ToNarrow(e.entry);
        }
    }
    // The toolbox picture names this library.
    EXPECT_NE(written.at(clsid + L"\\ToolboxBitmap32|").find(OcxPath()), std::wstring::npos);

    ASSERT_EQ(unregisterServer(), S_OK);
    const auto left = root.Contents();
    std::wstring leftover;
    for (const auto& [entry, data] : left) {
        leftover += entry + L"\n";
    }
    EXPECT_TRUE(left.empty()) << "left behind:\n" << ToNarrow(leftover);
}

// Creates a new instance straight from the library's class object, so that no
// registry lookup stands between the test and the control.
Ref<IDispatch> CreateFromLibrary(const Library& library) {
    const auto getClassObject = library.Export<GetClassObject>("DllGetClassObject");
    Ref<IClassFactory> factory;
    if (!getClassObject ||
        FAILED(getClassObject(CLSID_Tovabel, IID_IClassFactory, factory.PutVoid()))) {
        return {};
    }
    Ref<IDispatch> control;
    factory->CreateInstance(nullptr, IID_IDispatch, control.PutVoid());
    auto persist = control.As<IPersistStreamInit>(IID_IPersistStreamInit);
    if (!persist || FAILED(persist->InitNew())) {
        return {};
    }
    return control;
}

// Every instance marks the class safe for scripting and initialising; where
// the registry refuses the marks, the instance works all the same.
TEST(Registration, EveryInstanceMarksTheClassSafe) {
    Library library;
    {
        PrivateClassesRoot root;
        ASSERT_TRUE(root.ok());
        const std::wstring base =
            L"CLSID\\" + Braced(identity::kTovabelClsid) + L"\\Implemented Categories\\";
        ASSERT_TRUE(CreateFromLibrary(library));
        const auto marks = root.Contents();
        EXPECT_TRUE(marks.count(base + kSafeForScripting));
        EXPECT_TRUE(marks.count(base + kSafeForInitialising));
        // The keys carry no values: their presence is the mark.
        for (const auto& [entry, data] : marks) {
            EXPECT_EQ(entry.find(L'|'), std::wstring::npos) << ToNarrow(entry);
        }
        // A second instance finds them there and leaves the registry as it was.
        ASSERT_TRUE(CreateFromLibrary(library));
        EXPECT_EQ(root.Contents(), marks);
    }
    PrivateClassesRoot readOnly(true);
    ASSERT_TRUE(readOnly.ok());
    const Ref<IDispatch> control = CreateFromLibrary(library);
    ASSERT_TRUE(control);
    EXPECT_EQ(Put(control.Get(), L"Caption", Str(L"Still works")), S_OK);
    EXPECT_EQ(ToNarrow(V_BSTR(Get(control.Get(), L"Caption").Get())), "Still works");
    EXPECT_TRUE(readOnly.Contents().empty()); // nothing could be written
}

// regsvr32 unregisters and registers the library. It changes the registry
// every other test process relies on, so ctest runs it alone.
DWORD RunRegsvr32(const std::wstring& options) {
    std::wstring command = L"regsvr32.exe /s " + options + L" \"" + OcxPath() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return ~0u;
    }
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = ~0u;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

TEST(Regsvr32, UnregistersAndRegistersTheLibrary) {
    CLSID clsid{};
    EXPECT_EQ(RunRegsvr32(L"/u"), 0u);
    EXPECT_FALSE(SUCCEEDED(CLSIDFromProgID(kProgId, &clsid)));
    ITypeLib* library = nullptr;
    EXPECT_TRUE(FAILED(LoadRegTypeLib(LIBID_OrnisTovabel, 2, 10, 0x0409, &library)));
    if (library) {
        library->Release();
    }

    EXPECT_EQ(RunRegsvr32(L""), 0u);
    EXPECT_TRUE(SUCCEEDED(CLSIDFromProgID(kProgId, &clsid)));
    ASSERT_EQ(LoadRegTypeLib(LIBID_OrnisTovabel, 2, 10, 0x0409, &library), S_OK);
    library->Release();
    EXPECT_TRUE(CreateControl());
}

} // namespace
} // namespace tovabel::wintest
