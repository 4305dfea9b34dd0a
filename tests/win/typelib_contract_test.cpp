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

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tovabel::wintest {
namespace {

using win::ComPtr;

// The text without carriage returns (a checkout may have Windows line ends).
std::string Unix(std::string text) {
    std::erase(text, '\r');
    return text;
}

std::string GoldenListing() {
    const std::string path = std::string(TOVABEL_SOURCE_DIR) + "/docs/typelib.txt";
    std::ifstream file(std::filesystem::path(WinePath(path.c_str())), std::ios::binary);
    return Unix({std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()});
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
    const std::string golden = GoldenListing();
    ASSERT_FALSE(golden.empty()) << "the golden listing is missing";
    EXPECT_EQ(Unix(win::DumpTypeLibrary(library.Get())), golden); // shown as a diff

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
