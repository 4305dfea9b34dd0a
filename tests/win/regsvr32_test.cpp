// regsvr32 unregisters and registers the library. It changes the registry
// every other test process relies on, so ctest runs it alone.
#include "com_client.h"
#include "test_paths.h"

#include "win/common/guids.h"

#include <gtest/gtest.h>

#include <string>

namespace tovabel::wintest {
namespace {

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

bool ProgIdResolves() {
    CLSID clsid{};
    return SUCCEEDED(CLSIDFromProgID(kProgId, &clsid));
}

TEST(Regsvr32, UnregistersAndRegistersTheLibrary) {
    EXPECT_EQ(RunRegsvr32(L"/u"), 0u);
    EXPECT_FALSE(ProgIdResolves());
    ITypeLib* library = nullptr;
    EXPECT_TRUE(FAILED(LoadRegTypeLib(LIBID_OrnisTovabel, 2, 10, 0x0409, &library)));
    if (library) {
        library->Release();
    }

    EXPECT_EQ(RunRegsvr32(L""), 0u);
    EXPECT_TRUE(ProgIdResolves());
    ASSERT_EQ(LoadRegTypeLib(LIBID_OrnisTovabel, 2, 10, 0x0409, &library), S_OK);
    library->Release();
    EXPECT_TRUE(CreateControl());
}

} // namespace
} // namespace tovabel::wintest
