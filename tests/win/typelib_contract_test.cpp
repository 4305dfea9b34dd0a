// The binary contract of the OrnisTovabel type library, as saved forms and
// compiled clients depend on it: names, DISPIDs, vtable slots, parameter types,
// flags, enumeration members and help strings. The listing of the library (see
// win/typelib/typelib_dump.h) must equal docs/typelib.txt,
// line for line, for the generated file, the copy inside the control library
// and the registered library, in the x86 and the x64 build alike.
//
// The golden listing changes only when the contract changes on purpose; write
// it again with `tovabel_tlbgen.exe --dump build/x64/win/typelib/OrnisTovabel.tlb`.
#include "test_paths.h"

#include "win/common/com_ptr.h"
#include "win/common/guids.h"
#include "win/common/type_descriptions.h"
#include "win/typelib/typelib_dump.h"

#include <windows.h>

#include <oleauto.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace tovabel::wintest {
namespace {

using win::ComPtr;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back(); // a checkout with Windows line ends
        }
        lines.push_back(line);
    }
    return lines;
}

std::string GoldenListing() {
    const std::string path = std::string(TOVABEL_SOURCE_DIR) + "/docs/typelib.txt";
    std::ifstream file(std::filesystem::path(WinePath(path.c_str())), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The lines that differ, each as "line N: expected ... / actual ...".
std::string Differences(const std::vector<std::string>& expected,
                        const std::vector<std::string>& actual) {
    std::string out;
    int shown = 0;
    const std::size_t count = std::max(expected.size(), actual.size());
    for (std::size_t i = 0; i < count && shown < 20; ++i) {
        const std::string want = i < expected.size() ? expected[i] : "<none>";
        const std::string got = i < actual.size() ? actual[i] : "<none>";
        if (want != got) {
            out += "line " + std::to_string(i + 1) + ":\n  expected " + want + "\n  actual   " +
                   got + "\n";
            ++shown;
        }
    }
    return out;
}

enum class Source { TypeLibraryFile, ControlLibrary, Registered };

ComPtr<ITypeLib> Load(Source source, HRESULT& hr) {
    ComPtr<ITypeLib> library;
    switch (source) {
    case Source::TypeLibraryFile:
        hr = LoadTypeLibEx(TlbPath().c_str(), REGKIND_NONE, library.Put());
        break;
    case Source::ControlLibrary:
        hr = LoadTypeLibEx(OcxPath().c_str(), REGKIND_NONE, library.Put());
        break;
    case Source::Registered:
        hr = LoadRegTypeLib(LIBID_OrnisTovabel, identity::kTypeLibMajor, identity::kTypeLibMinor,
                            identity::kTypeLibLcid, library.Put());
        break;
    }
    return library;
}

class TypeLibContract : public ::testing::TestWithParam<Source> {};

// The vtable offsets, which the listing leaves out, are laid out for this
// program's pointer size.
TEST_P(TypeLibContract, ListingEqualsTheGoldenListing) {
    HRESULT hr = E_FAIL;
    const ComPtr<ITypeLib> library = Load(GetParam(), hr);
    ASSERT_TRUE(SUCCEEDED(hr)) << "loading the type library failed with 0x" << std::hex
                               << static_cast<std::uint32_t>(hr);
    const std::vector<std::string> golden = Lines(GoldenListing());
    ASSERT_FALSE(golden.empty()) << "the golden listing is missing";
    const std::vector<std::string> listed = Lines(win::DumpTypeLibrary(library.Get()));
    EXPECT_TRUE(listed == golden) << Differences(golden, listed);
    const win::LibAttr attr(library.Get());
    ASSERT_TRUE(attr);
    EXPECT_EQ(attr->syskind, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
}

std::string SourceName(const ::testing::TestParamInfo<Source>& info) {
    const char* names[] = {"TypeLibraryFile", "ControlLibrary", "Registered"};
    return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Sources, TypeLibContract,
                         ::testing::Values(Source::TypeLibraryFile, Source::ControlLibrary,
                                           Source::Registered),
                         SourceName);

} // namespace
} // namespace tovabel::wintest
