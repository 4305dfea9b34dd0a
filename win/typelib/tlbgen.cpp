// tovabel_tlbgen: writes the OrnisTovabel type library.
//
//   tovabel_tlbgen <output.tlb> <win32|win64>
//   tovabel_tlbgen --dump <library.tlb|.ocx>   lists a built library's contract
//
// The library is built with oleaut32's ICreateTypeLib2 rather than from IDL
// because two enumerations have member names with spaces ("Align Top",
// "Normal Text"), which IDL cannot spell. Vtable offsets depend on the pointer
// size, so each architecture gets its own library. The members of _Tovabel and
// of the events come from their tables (win/control/tovabel_members.def,
// core/control/tovabel_events.def). After saving, the program reloads the file
// and checks the vtable layout, repairing what the platform's writer gets
// wrong (vtable_size_repair.h). Any failure prints the step that failed,
// removes the partial output and exits non-zero.

#include <windows.h>

#include <oleauto.h>
#include <olectl.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "failure.h"
#include "typelib_dump.h"
#include "vtable_size_repair.h"
#include "win/common/bstr.h"
#include "win/common/com_ptr.h"
#include "win/common/guids.h"

namespace {

using tovabel::typelib::Check;
using tovabel::typelib::Failure;
using tovabel::typelib::kDispatchSlots;
using tovabel::win::Bstr;
using tovabel::win::ComPtr;

// The typelib interfaces take non-const strings they never modify.
LPOLESTR Ole(const wchar_t* text) {
    return const_cast<LPOLESTR>(text);
}

std::string Narrow(const wchar_t* text) {
    std::string out;
    for (; *text != L'\0'; ++text) {
        out.push_back(*text < 128 ? static_cast<char>(*text) : '?');
    }
    return out;
}

// The value types of the control's public interface.
enum class Type {
    Boolean,
    String,
    Long,
    Integer,
    Single,
    Color,
    Picture,
    Font,
    SoundData, // a Variant holding a byte array, passed by reference on put
    Style,
    BorderStyle,
    Align,
    FontDirection,
};

// Type descriptions from stdole2 and from this library that members refer to.
struct KnownTypes {
    ComPtr<ITypeInfo> dispatch;
    ComPtr<ITypeInfo> color;
    ComPtr<ITypeInfo> picture;
    ComPtr<ITypeInfo> font;
    ComPtr<ITypeInfo> style;
    ComPtr<ITypeInfo> borderStyle;
    ComPtr<ITypeInfo> align;
    ComPtr<ITypeInfo> fontDirection;

    ITypeInfo* UserDefined(Type type) const {
        switch (type) {
        case Type::Color:
            return color.Get();
        case Type::Picture:
            return picture.Get();
        case Type::Font:
            return font.Get();
        case Type::Style:
            return style.Get();
        case Type::BorderStyle:
            return borderStyle.Get();
        case Type::Align:
            return align.Get();
        case Type::FontDirection:
            return fontDirection.Get();
        default:
            return nullptr;
        }
    }
};

// Builds TYPEDESC trees for one type description being created; hreftypes
// belong to the type description that added the reference.
class TypeDescs {
public:
    TypeDescs(ICreateTypeInfo* owner, const KnownTypes& known) : mOwner(owner), mKnown(known) {}

    TYPEDESC* Basic(VARTYPE vt) {
        TYPEDESC& desc = mPool.emplace_back();
        desc.vt = vt;
        return &desc;
    }
    TYPEDESC* PointerTo(TYPEDESC* inner) {
        TYPEDESC* desc = Basic(VT_PTR);
        desc->lptdesc = inner;
        return desc;
    }
    TYPEDESC* Reference(ITypeInfo* target) {
        HREFTYPE href = 0;
        Check(mOwner->AddRefTypeInfo(target, &href), "AddRefTypeInfo");
        TYPEDESC* desc = Basic(VT_USERDEFINED);
        desc->hreftype = href;
        return desc;
    }

    // The type as a by-value [in] parameter and as a property value.
    TYPEDESC* Value(Type type) {
        switch (type) {
        case Type::Boolean:
            return Basic(VT_BOOL);
        case Type::String:
            return Basic(VT_BSTR);
        case Type::Long:
            return Basic(VT_I4);
        case Type::Integer:
            return Basic(VT_I2);
        case Type::Single:
            return Basic(VT_R4);
        case Type::SoundData:
            return Basic(VT_VARIANT);
        case Type::Picture:
        case Type::Font:
            return PointerTo(Reference(mKnown.UserDefined(type)));
        case Type::Color:
        case Type::Style:
        case Type::BorderStyle:
        case Type::Align:
        case Type::FontDirection:
            return Reference(mKnown.UserDefined(type));
        }
        throw Failure{"unknown value type", E_UNEXPECTED};
    }

private:
    ICreateTypeInfo* mOwner;
    const KnownTypes& mKnown;
    std::deque<TYPEDESC> mPool;
};

ELEMDESC Element(TYPEDESC* type, USHORT flags) {
    ELEMDESC elem{};
    elem.tdesc = *type;
    elem.paramdesc.wParamFlags = flags;
    return elem;
}

// ---------------------------------------------------------------------------
// What the library contains.

constexpr wchar_t kLibraryHelp[] = L"Tovabel flat button control";

struct EnumMember {
    const wchar_t* name;
    LONG value;
};

struct EnumDef {
    const wchar_t* name;
    const GUID& guid;
    std::initializer_list<EnumMember> members;
};

// clang-format off
#define TOVABEL_ENUM_BEGIN(Enum) {L"" #Enum, tovabel::GUID_##Enum, {
#define TOVABEL_ENUM_MEMBER(Name, Value, Listed) {L"" Listed, Value},
#define TOVABEL_ENUM_END(Enum) }},
// clang-format on
const EnumDef kEnums[] = {
#include "control/tovabel_enums.def"
};
#undef TOVABEL_ENUM_BEGIN
#undef TOVABEL_ENUM_MEMBER
#undef TOVABEL_ENUM_END

// Whether property browsers list a property.
enum class Listing { Browsable, NonBrowsable };

struct PropertyDef {
    const wchar_t* name;
    MEMBERID dispid;
    Type type;
    Listing listing;
    const wchar_t* help; // empty: none
};

// What a method returns.
enum class Result { None, String };

struct MethodDef {
    const wchar_t* name;
    MEMBERID dispid;
    Result result;
    const wchar_t* help; // empty: none
};

// The properties and methods of _Tovabel, one constant each.
#define TOVABEL_PROPERTY(Name, Dispid, ValueType, Shown, Help)                                     \
    constexpr PropertyDef kProperty_##Name{L"" #Name, Dispid, Type::ValueType, Listing::Shown,     \
                                           L"" Help};
#define TOVABEL_METHOD(Name, Dispid, Returns, Help)                                                \
    constexpr MethodDef kMethod_##Name{L"" #Name, Dispid, Result::Returns, L"" Help};
#include "control/tovabel_members.def"

enum class Slot { Get, Put, PutRef, Method };

// One vtable slot: an accessor of a property or a method.
struct SlotDef {
    const PropertyDef* property;
    const MethodDef* method;
    Slot slot;
};

// The vtable of _Tovabel after IDispatch, in order.
constexpr SlotDef kSlots[] = {
#define TOVABEL_GET(Name) {&kProperty_##Name, nullptr, Slot::Get},
#define TOVABEL_PUT(Name) {&kProperty_##Name, nullptr, Slot::Put},
#define TOVABEL_PUTREF(Name) {&kProperty_##Name, nullptr, Slot::PutRef},
#define TOVABEL_METHOD(Name, Dispid, Returns, Help) {nullptr, &kMethod_##Name, Slot::Method},
#include "control/tovabel_members.def"
};

struct ParamDef {
    const wchar_t* name;
    Type type;
    bool byReference; // [in, out]: the handler may change the value
};

struct EventDef {
    const wchar_t* name;
    MEMBERID dispid;
    const wchar_t* help; // empty: none
    std::initializer_list<ParamDef> params;
};

constexpr bool ByValue = false;
constexpr bool ByReference = true;

const EventDef kEvents[] = {
#define TOVABEL_PARAM(Name, ValueType, Passing)                                                    \
    { L"" #Name, Type::ValueType, Passing }
#define TOVABEL_EVENT(Name, Dispid, Help, ...) {L"" #Name, Dispid, L"" Help, {__VA_ARGS__}},
#include "control/tovabel_events.def"
};

// ---------------------------------------------------------------------------
// Building.

// The finished type description, for references from later ones.
void AsTypeInfo(ICreateTypeInfo* creator, ComPtr<ITypeInfo>& out) {
    Check(creator->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(out.Put())),
          "QueryInterface(ITypeInfo)");
}

void FindIn(ITypeLib* library, const wchar_t* name, TYPEKIND kind, ComPtr<ITypeInfo>& out) {
    const UINT count = library->GetTypeInfoCount();
    for (UINT i = 0; i < count; ++i) {
        Bstr found;
        TYPEKIND foundKind{};
        if (FAILED(library->GetDocumentation(static_cast<INT>(i), found.Put(), nullptr, nullptr,
                                             nullptr))) {
            continue;
        }
        const bool same = found.View() == name;
        if (same && SUCCEEDED(library->GetTypeInfoType(i, &foundKind)) && foundKind == kind) {
            Check(library->GetTypeInfo(i, out.Put()), "GetTypeInfo(" + Narrow(name) + ")");
            return;
        }
    }
    throw Failure{"finding " + Narrow(name), TYPE_E_ELEMENTNOTFOUND};
}

void LoadStdole(KnownTypes& known) {
    ComPtr<ITypeLib> stdole;
    if (FAILED(LoadRegTypeLib(IID_StdOle, 2, 0, LOCALE_NEUTRAL, stdole.Put()))) {
        Check(LoadTypeLib(L"stdole2.tlb", stdole.Put()), "LoadTypeLib(stdole2.tlb)");
    }
    FindIn(stdole.Get(), L"IDispatch", TKIND_INTERFACE, known.dispatch);
    FindIn(stdole.Get(), L"OLE_COLOR", TKIND_ALIAS, known.color);
    FindIn(stdole.Get(), L"Picture", TKIND_DISPATCH, known.picture);
    FindIn(stdole.Get(), L"Font", TKIND_DISPATCH, known.font);
}

class LibraryBuilder {
public:
    LibraryBuilder(ICreateTypeLib2* library, KnownTypes& known, short pointerSize)
        : mLibrary(library), mKnown(known), mPointerSize(pointerSize) {}

    void Create(const wchar_t* name, TYPEKIND kind, const GUID& guid, UINT flags,
                ComPtr<ICreateTypeInfo>& out) {
        const std::string what = Narrow(name);
        Check(mLibrary->CreateTypeInfo(Ole(name), kind, out.Put()), "CreateTypeInfo " + what);
        Check(out->SetGuid(guid), "SetGuid " + what);
        if (flags != 0) {
            Check(out->SetTypeFlags(flags), "SetTypeFlags " + what);
        }
    }

    void DeriveFrom(ICreateTypeInfo* creator, ITypeInfo* base, const char* what) {
        HREFTYPE href = 0;
        Check(creator->AddRefTypeInfo(base, &href), std::string("AddRefTypeInfo base of ") + what);
        Check(creator->AddImplType(0, href), std::string("AddImplType ") + what);
    }

    void AddEnum(const EnumDef& def, ComPtr<ITypeInfo>& out) {
        ComPtr<ICreateTypeInfo> creator;
        Create(def.name, TKIND_ENUM, def.guid, 0, creator);
        const std::string what = Narrow(def.name);
        UINT index = 0;
        for (const EnumMember& member : def.members) {
            VARIANT value;
            VariantInit(&value);
            V_VT(&value) = VT_I4;
            V_I4(&value) = member.value;
            VARDESC var{};
            var.memid = MEMBERID_NIL;
            var.lpvarValue = &value;
            var.elemdescVar.tdesc.vt = VT_I4;
            var.varkind = VAR_CONST;
            Check(creator->AddVarDesc(index, &var), "AddVarDesc " + what);
            Check(creator->SetVarName(index, Ole(member.name)),
                  "SetVarName " + Narrow(member.name));
            Check(creator->SetVarDocString(index, Ole(member.name)),
                  "SetVarDocString " + Narrow(member.name));
            ++index;
        }
        Check(creator->LayOut(), "LayOut " + what);
        AsTypeInfo(creator.Get(), out);
    }

    // A dual interface with no members of its own.
    void AddEmptyDual(const wchar_t* name, const GUID& guid, ComPtr<ITypeInfo>& out) {
        ComPtr<ICreateTypeInfo> creator;
        Create(name, TKIND_INTERFACE, guid, kDualFlags, creator);
        DeriveFrom(creator.Get(), mKnown.dispatch.Get(), "dual interface");
        Check(creator->LayOut(), "LayOut " + Narrow(name));
        AsTypeInfo(creator.Get(), out);
    }

    void AddControlInterface(ComPtr<ITypeInfo>& out) {
        ComPtr<ICreateTypeInfo> creator;
        Create(L"_Tovabel", TKIND_INTERFACE, tovabel::IID__Tovabel, kDualFlags, creator);
        DeriveFrom(creator.Get(), mKnown.dispatch.Get(), "_Tovabel");
        UINT index = 0;
        for (const SlotDef& slot : kSlots) {
            AddSlot(creator.Get(), index++, slot);
        }
        Check(creator->LayOut(), "LayOut _Tovabel");
        AsTypeInfo(creator.Get(), out);
    }

    void AddEvents(ComPtr<ITypeInfo>& out) {
        ComPtr<ICreateTypeInfo> creator;
        Create(L"__Tovabel", TKIND_DISPATCH, tovabel::DIID___Tovabel,
               TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE, creator);
        DeriveFrom(creator.Get(), mKnown.dispatch.Get(), "__Tovabel");
        UINT index = 0;
        for (const EventDef& event : kEvents) {
            AddEvent(creator.Get(), index++, event);
        }
        Check(creator->LayOut(), "LayOut __Tovabel");
        AsTypeInfo(creator.Get(), out);
    }

    struct Implemented {
        ITypeInfo* type;
        INT flags;
    };

    void AddClass(const wchar_t* name, const GUID& guid, UINT flags, const wchar_t* help,
                  std::initializer_list<Implemented> implemented) {
        ComPtr<ICreateTypeInfo> creator;
        Create(name, TKIND_COCLASS, guid, flags, creator);
        const std::string what = Narrow(name);
        if (help != nullptr) {
            Check(creator->SetDocString(Ole(help)), "SetDocString " + what);
        }
        UINT index = 0;
        for (const Implemented& item : implemented) {
            HREFTYPE href = 0;
            Check(creator->AddRefTypeInfo(item.type, &href), "AddRefTypeInfo " + what);
            Check(creator->AddImplType(index, href), "AddImplType " + what);
            Check(creator->SetImplTypeFlags(index, item.flags), "SetImplTypeFlags " + what);
            ++index;
        }
        Check(creator->LayOut(), "LayOut " + what);
    }

private:
    static constexpr UINT kDualFlags =
        TYPEFLAG_FDUAL | TYPEFLAG_FHIDDEN | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FNONEXTENSIBLE;

    void AddFunction(ICreateTypeInfo* creator, UINT index, FUNCDESC& func, const wchar_t* name,
                     const std::vector<const wchar_t*>& paramNames, const wchar_t* help) {
        const std::string what = Narrow(name);
        Check(creator->AddFuncDesc(index, &func), "AddFuncDesc " + what);
        std::vector<LPOLESTR> names{Ole(name)};
        for (const wchar_t* param : paramNames) {
            names.push_back(Ole(param));
        }
        Check(creator->SetFuncAndParamNames(index, names.data(), static_cast<UINT>(names.size())),
              "SetFuncAndParamNames " + what);
        if (*help != L'\0') {
            Check(creator->SetFuncDocString(index, Ole(help)), "SetFuncDocString " + what);
        }
    }

    void AddSlot(ICreateTypeInfo* creator, UINT index, const SlotDef& slot) {
        TypeDescs types(creator, mKnown);
        FUNCDESC func{};
        func.funckind = FUNC_PUREVIRTUAL;
        func.callconv = CC_STDCALL;
        func.elemdescFunc.tdesc.vt = VT_HRESULT;
        // Given explicitly: laying out on its own, Wine counts the inherited
        // IDispatch slots in this process's pointer size, which is wrong when a
        // 64-bit process writes the 32-bit library.
        func.oVft = static_cast<SHORT>((kDispatchSlots + index) * mPointerSize);
        ELEMDESC param{};

        if (slot.slot == Slot::Method) {
            const MethodDef& method = *slot.method;
            func.memid = method.dispid;
            func.invkind = INVOKE_FUNC;
            if (method.result == Result::String) {
                param = Element(types.PointerTo(types.Basic(VT_BSTR)),
                                PARAMFLAG_FOUT | PARAMFLAG_FRETVAL);
                func.cParams = 1;
                func.lprgelemdescParam = &param;
            }
            AddFunction(creator, index, func, method.name, {}, method.help);
            return;
        }

        const PropertyDef& property = *slot.property;
        func.memid = property.dispid;
        func.cParams = 1;
        func.lprgelemdescParam = &param;
        func.wFuncFlags = property.listing == Listing::Browsable ? 0 : FUNCFLAG_FNONBROWSABLE;
        TYPEDESC* value = types.Value(property.type);
        switch (slot.slot) {
        case Slot::Get:
            func.invkind = INVOKE_PROPERTYGET;
            param = Element(types.PointerTo(value), PARAMFLAG_FOUT | PARAMFLAG_FRETVAL);
            break;
        case Slot::Put:
        case Slot::PutRef:
            func.invkind = slot.slot == Slot::Put ? INVOKE_PROPERTYPUT : INVOKE_PROPERTYPUTREF;
            param = Element(property.type == Type::SoundData ? types.PointerTo(value) : value,
                            PARAMFLAG_FIN);
            break;
        case Slot::Method:
            break;
        }
        AddFunction(creator, index, func, property.name, {}, property.help);
    }

    void AddEvent(ICreateTypeInfo* creator, UINT index, const EventDef& event) {
        TypeDescs types(creator, mKnown);
        std::vector<ELEMDESC> params;
        std::vector<const wchar_t*> names;
        for (const ParamDef& param : event.params) {
            TYPEDESC* value = types.Value(param.type);
            params.push_back(param.byReference
                                 ? Element(types.PointerTo(value), PARAMFLAG_FIN | PARAMFLAG_FOUT)
                                 : Element(value, PARAMFLAG_FIN));
            names.push_back(param.name);
        }
        FUNCDESC func{};
        func.memid = event.dispid;
        func.funckind = FUNC_DISPATCH;
        func.invkind = INVOKE_FUNC;
        func.callconv = CC_STDCALL;
        func.elemdescFunc.tdesc.vt = VT_VOID;
        func.cParams = static_cast<SHORT>(params.size());
        func.lprgelemdescParam = params.empty() ? nullptr : params.data();
        AddFunction(creator, index, func, event.name, names, event.help);
    }

    ICreateTypeLib2* mLibrary;
    KnownTypes& mKnown;
    short mPointerSize;
};

short PointerSize(SYSKIND syskind) {
    return syskind == SYS_WIN64 ? 8 : 4;
}

// Under Wine a Unix path such as /build/x.tlb names the same file as Z:\build\x.tlb.
std::wstring WindowsPath(const char* path) {
    std::wstring out;
    if (path[0] == '/') {
        out = L"Z:";
    }
    for (const char* c = path; *c != '\0'; ++c) {
        out.push_back(*c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*c)));
    }
    return out;
}

void Generate(const std::wstring& output, SYSKIND syskind) {
    KnownTypes known;
    LoadStdole(known);

    ComPtr<ICreateTypeLib2> library;
    Check(CreateTypeLib2(syskind, output.c_str(), library.Put()), "CreateTypeLib2");
    Check(library->SetName(Ole(tovabel::identity::kWideLibraryName.text)), "SetName");
    Check(library->SetGuid(tovabel::LIBID_OrnisTovabel), "SetGuid");
    Check(library->SetVersion(tovabel::identity::kTypeLibMajor, tovabel::identity::kTypeLibMinor),
          "SetVersion");
    Check(library->SetLcid(tovabel::identity::kTypeLibLcid), "SetLcid");
    Check(library->SetDocString(Ole(kLibraryHelp)), "SetDocString");

    LibraryBuilder builder(library.Get(), known, PointerSize(syskind));
    ComPtr<ITypeInfo> captionAlign; // published, used by no member
    ComPtr<ITypeInfo>* enumOutputs[] = {&known.style, &known.borderStyle, &known.align,
                                        &known.fontDirection, &captionAlign};
    static_assert(std::size(enumOutputs) == std::size(kEnums));
    for (std::size_t i = 0; i < std::size(kEnums); ++i) {
        builder.AddEnum(kEnums[i], *enumOutputs[i]);
    }

    ComPtr<ITypeInfo> typesInterface;
    builder.AddEmptyDual(L"_clsTVTypes", tovabel::IID__clsTVTypes, typesInterface);
    builder.AddClass(L"clsTVTypes", tovabel::CLSID_clsTVTypes, 0, nullptr,
                     {{typesInterface.Get(), IMPLTYPEFLAG_FDEFAULT}});

    ComPtr<ITypeInfo> controlInterface;
    builder.AddControlInterface(controlInterface);
    ComPtr<ITypeInfo> events;
    builder.AddEvents(events);
    builder.AddClass(L"Tovabel", tovabel::CLSID_Tovabel, TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL,
                     L"Tovabel flat button",
                     {{controlInterface.Get(), IMPLTYPEFLAG_FDEFAULT},
                      {events.Get(), IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}});

    Check(library->SaveAllChanges(), "SaveAllChanges");
    library.Reset();

    tovabel::typelib::VerifyVtableLayout(output, syskind, tovabel::IID__clsTVTypes, "_clsTVTypes",
                                         0);
    tovabel::typelib::VerifyVtableLayout(output, syskind, tovabel::IID__Tovabel, "_Tovabel",
                                         static_cast<unsigned>(std::size(kSlots)));
}

// Prints the listing of the library in `path` (a .tlb file or a module holding one).
int Dump(const char* path) {
    ComPtr<ITypeLib> library;
    const HRESULT hr = LoadTypeLibEx(WindowsPath(path).c_str(), REGKIND_NONE, library.Put());
    if (FAILED(hr)) {
        std::fprintf(stderr, "tovabel_tlbgen: loading %s failed (HRESULT 0x%08lX)\n", path,
                     static_cast<unsigned long>(hr));
        return 1;
    }
    std::fputs(tovabel::win::DumpTypeLibrary(library.Get()).c_str(), stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--dump") == 0) {
        return Dump(argv[2]);
    }
    if (argc != 3 || (std::strcmp(argv[2], "win32") != 0 && std::strcmp(argv[2], "win64") != 0)) {
        std::fprintf(stderr, "usage: tovabel_tlbgen <output.tlb> <win32|win64>\n"
                             "       tovabel_tlbgen --dump <library>\n");
        return 2;
    }
    const std::wstring output = WindowsPath(argv[1]);
    const SYSKIND syskind = std::strcmp(argv[2], "win64") == 0 ? SYS_WIN64 : SYS_WIN32;
    try {
        Generate(output, syskind);
    } catch (const Failure& failure) {
        DeleteFileW(output.c_str());
        std::fprintf(stderr, "tovabel_tlbgen: %s failed (HRESULT 0x%08lX)\n", failure.step.c_str(),
                     static_cast<unsigned long>(failure.hr));
        return 1;
    }
    return 0;
}
