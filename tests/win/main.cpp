// The Windows test program: registers the freshly built control library in
// this run's Wine prefix, then runs the tests on a single-threaded apartment,
// as a form's thread would.
#include "test_paths.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

bool RegisterLibrary() {
    const std::wstring path = tovabel::wintest::OcxPath();
    HMODULE library = LoadLibraryW(path.c_str());
    if (!library) {
        return false;
    }
    using Entry = HRESULT(STDAPICALLTYPE*)();
    const auto registerServer = reinterpret_cast<Entry>(
        reinterpret_cast<void*>(GetProcAddress(library, "DllRegisterServer")));
    const bool ok = registerServer && SUCCEEDED(registerServer());
    FreeLibrary(library);
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        std::fprintf(stderr, "COM could not be initialised\n");
        return 2;
    }
    if (!RegisterLibrary()) {
        std::fprintf(stderr, "the control library could not be registered\n");
        CoUninitialize();
        return 2;
    }
    const int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
