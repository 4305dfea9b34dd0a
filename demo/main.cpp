// Tovabel demo: registers the control library, creates a button by its ProgID
// as any client would, prints the control's type information and walks a
// property round trip, printing the events the button raises; then writes the
// gallery of every look (--gallery PATH, a Unix or Windows path) and runs the
// demo form, whose picture goes beside the gallery as form.png; with --pages
// the property pages of its Open button are pictured beside it and shown in
// the platform's property frame; with --stay-open the form stays open for a person.
#include "control/identity.h"
#include "events.h"
#include "form.h"
#include "gallery.h"
#include "win/common/bstr.h"
#include "win/common/com_ptr.h"
#include "win/common/late_bound.h"
#include "win/common/variant.h"
#include "win/olehost/library.h"

#include <windows.h>

#include <ocidl.h>
#include <oleauto.h>

#include <cstdio>
#include <string>

namespace {

template <class T> using Ref = tovabel::win::ComPtr<T>;
using tovabel::olehost::WinePath;
using tovabel::win::Bstr;
using tovabel::win::Variant;
namespace late_bound = tovabel::win::late_bound;

std::string Narrow(const Bstr& text) {
    std::string out;
    for (wchar_t c : text.View()) {
        out += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return out;
}

const char* KindName(INVOKEKIND kind) {
    switch (kind) {
    case INVOKE_PROPERTYGET:
        return "get";
    case INVOKE_PROPERTYPUT:
        return "put";
    case INVOKE_PROPERTYPUTREF:
        return "putref";
    default:
        return "method";
    }
}

void PrintMembers(ITypeInfo* info) {
    TYPEATTR* attr = nullptr;
    if (FAILED(info->GetTypeAttr(&attr))) {
        return;
    }
    for (UINT i = 0; i < attr->cFuncs; ++i) {
        FUNCDESC* func = nullptr;
        if (FAILED(info->GetFuncDesc(i, &func))) {
            continue;
        }
        Bstr name;
        Bstr help;
        info->GetDocumentation(func->memid, name.Put(), help.Put(), nullptr, nullptr);
        std::printf("  %-20s %-7s dispid 0x%08lX  %s\n", Narrow(name).c_str(),
                    KindName(func->invkind), static_cast<unsigned long>(func->memid),
                    Narrow(help).c_str());
        info->ReleaseFuncDesc(func);
    }
    info->ReleaseTypeAttr(attr);
}

// Reads a property, or calls a method without arguments (Version).
void PrintProperty(IDispatch* control, const wchar_t* name) {
    DISPID id = DISPID_UNKNOWN;
    Variant result;
    if (FAILED(late_bound::IdOf(*control, name, id)) ||
        FAILED(late_bound::Invoke(*control, id, DISPATCH_PROPERTYGET | DISPATCH_METHOD, {},
                                  result.Put()))) {
        std::printf("  %ls = <error>\n", name);
        return;
    }
    if (result.Type() == VT_UI4) { // colours read best as &H00BBGGRR or &H800000NN
        std::printf("  %ls = &H%08lX\n", name, static_cast<unsigned long>(result.Get()->ulVal));
        return;
    }
    if (FAILED(VariantChangeType(result.Get(), result.Get(), VARIANT_ALPHABOOL, VT_BSTR))) {
        std::printf("  %ls = <object>\n", name);
        return;
    }
    std::printf("  %ls = %ls\n", name, result.Get()->bstrVal);
}

VARIANT Long(long value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

VARIANT Bool(bool value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

int RunDemo() {
    if (!tovabel::olehost::RegisterLibrary(WinePath(TOVABEL_OCX_PATH))) {
        std::printf("Tovabel2.ocx could not be registered\n");
        return 1;
    }
    CLSID clsid{};
    Ref<IDispatch> control;
    if (FAILED(CLSIDFromProgID(tovabel::identity::kWideProgId.text, &clsid)) ||
        FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                control.PutVoid()))) {
        std::printf("%s could not be created\n", tovabel::identity::kProgId);
        return 1;
    }
    Ref<IPersistStreamInit> persist;
    if (SUCCEEDED(control->QueryInterface(IID_IPersistStreamInit, persist.PutVoid()))) {
        persist->InitNew();
    }

    Ref<ITypeInfo> info;
    if (SUCCEEDED(control->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.Put()))) {
        std::printf("Members of _Tovabel:\n");
        PrintMembers(info.Get());
    }

    tovabel::demo::EventPrinter printer;
    printer.Connect(control.Get());

    std::printf("\nA new button:\n");
    for (const wchar_t* name : {L"Version", L"Style", L"Caption", L"AlignCaption", L"AutoSize",
                                L"MaskColor", L"HighlightColor", L"ShadowColor"}) {
        PrintProperty(control.Get(), name);
    }

    std::printf("\nA check button, clicked from code twice:\n");
    late_bound::Put(*control.Get(), L"Style", Long(1));
    late_bound::Put(*control.Get(), L"Value", Bool(true));
    PrintProperty(control.Get(), L"Checked");
    late_bound::Put(*control.Get(), L"Value", Bool(true));
    PrintProperty(control.Get(), L"Checked");

    std::printf("\nA menu button opened and closed from code:\n");
    late_bound::Put(*control.Get(), L"Style", Long(5));
    late_bound::Put(*control.Get(), L"Value", Bool(true));
    PrintProperty(control.Get(), L"DroppedDown");
    late_bound::Put(*control.Get(), L"Value", Bool(true));
    PrintProperty(control.Get(), L"DroppedDown");

    std::printf("\nA menu item keeps its caption on the left:\n");
    late_bound::Put(*control.Get(), L"Style", Long(6));
    late_bound::Put(*control.Get(), L"AlignCaption", Long(3));
    PrintProperty(control.Get(), L"AlignCaption");
    return 0;
}

// The gallery's path: the argument after --gallery, else gallery.png here.
std::wstring GalleryPath(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--gallery") {
            return WinePath(argv[i + 1]);
        }
    }
    return L"gallery.png";
}

// The file `name` in the folder of `path`.
std::wstring Beside(const std::wstring& path, const wchar_t* name) {
    const std::size_t slash = path.find_last_of(L"\\");
    return (slash == std::wstring::npos ? L"" : path.substr(0, slash + 1)) + name;
}

bool HasFlag(int argc, char** argv, const char* flag) {
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == flag) {
            return true;
        }
    }
    return false;
}

int WriteGallery(const std::wstring& path) {
    if (!tovabel::demo::WriteGallery(path)) {
        std::printf("\nThe gallery could not be written to %ls\n", path.c_str());
        return 1;
    }
    std::printf("\nGallery of every style and look: %ls\n", path.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        return 1;
    }
    const std::wstring gallery = GalleryPath(argc, argv);
    int result = RunDemo();
    if (result == 0) {
        result = WriteGallery(gallery);
    }
    if (result == 0) {
        tovabel::demo::RunForm(Beside(gallery, L"form.png"), HasFlag(argc, argv, "--pages"),
                               HasFlag(argc, argv, "--stay-open"));
    }
    CoUninitialize();
    return result;
}
