// The Windows test program: registers the freshly built control library in
// this run's Wine prefix, then runs the tests on a single-threaded apartment,
// as a form's thread would.
#include "test_paths.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        std::fprintf(stderr, "COM could not be initialised\n");
        return 2;
    }
    if (!tovabel::olehost::RegisterLibrary(tovabel::wintest::OcxPath())) {
        std::fprintf(stderr, "the control library could not be registered\n");
        CoUninitialize();
        return 2;
    }
    const int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
