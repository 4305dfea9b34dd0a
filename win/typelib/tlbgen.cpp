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
// and checks the vtable layout. Any failure prints the step that failed,
// removes the partial output and exits non-zero.

#include <windows.h>

#include <oleauto.h>
#include <olectl.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "guids.h"
#include "typelib_dump.h"

namespace {

struct Failure {
    std::string step;
    HRESULT hr;
};

void check(HRESULT hr, const std::string& step) {
    if (FAILED(hr)) {
        throw Failure{step, hr};
    }
}

// The typelib interfaces take non-const strings they never modify.
LPOLESTR ole(const wchar_t* text) {
    return const_cast<LPOLESTR>(text);
}

std::string narrow(const wchar_t* text) {
    std::string out;
    for (; *text != L'\0'; ++text) {
        out.push_back(*text < 128 ? static_cast<char>(*text) : '?');
    }
    return out;
}

// Owns one COM reference.
template <class T> class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() { reset(); }

    void reset() {
        if (ptr_ != nullptr) {
            ptr_->Release();
            ptr_ = nullptr;
        }
    }
    T** out() {
        reset();
        return &ptr_;
    }
    T* get() const { return ptr_; }
    T* operator->() const { return ptr_; }

private:
    T* ptr_ = nullptr;
};

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
    ComRef<ITypeInfo> dispatch;
    ComRef<ITypeInfo> color;
    ComRef<ITypeInfo> picture;
    ComRef<ITypeInfo> font;
    ComRef<ITypeInfo> style;
    ComRef<ITypeInfo> border_style;
    ComRef<ITypeInfo> align;
    ComRef<ITypeInfo> font_direction;

    ITypeInfo* user_defined(Type type) const {
        switch (type) {
        case Type::Color:
            return color.get();
        case Type::Picture:
            return picture.get();
        case Type::Font:
            return font.get();
        case Type::Style:
            return style.get();
        case Type::BorderStyle:
            return border_style.get();
        case Type::Align:
            return align.get();
        case Type::FontDirection:
            return font_direction.get();
        default:
            return nullptr;
        }
    }
};

// Builds TYPEDESC trees for one type description being created; hreftypes
// belong to the type description that added the reference.
class TypeDescs {
public:
    TypeDescs(ICreateTypeInfo* owner, const KnownTypes& known) : owner_(owner), known_(known) {}

    TYPEDESC* basic(VARTYPE vt) {
        TYPEDESC& desc = pool_.emplace_back();
        desc.vt = vt;
        return &desc;
    }
    TYPEDESC* pointer_to(TYPEDESC* inner) {
        TYPEDESC* desc = basic(VT_PTR);
        desc->lptdesc = inner;
        return desc;
    }
    TYPEDESC* reference(ITypeInfo* target) {
        HREFTYPE href = 0;
        check(owner_->AddRefTypeInfo(target, &href), "AddRefTypeInfo");
        TYPEDESC* desc = basic(VT_USERDEFINED);
        desc->hreftype = href;
        return desc;
    }

    // The type as a by-value [in] parameter and as a property value.
    TYPEDESC* value(Type type) {
        switch (type) {
        case Type::Boolean:
            return basic(VT_BOOL);
        case Type::String:
            return basic(VT_BSTR);
        case Type::Long:
            return basic(VT_I4);
        case Type::Integer:
            return basic(VT_I2);
        case Type::Single:
            return basic(VT_R4);
        case Type::SoundData:
            return basic(VT_VARIANT);
        case Type::Picture:
        case Type::Font:
            return pointer_to(reference(known_.user_defined(type)));
        case Type::Color:
        case Type::Style:
        case Type::BorderStyle:
        case Type::Align:
        case Type::FontDirection:
            return reference(known_.user_defined(type));
        }
        throw Failure{"unknown value type", E_UNEXPECTED};
    }

private:
    ICreateTypeInfo* owner_;
    const KnownTypes& known_;
    std::deque<TYPEDESC> pool_;
};

ELEMDESC element(TYPEDESC* type, USHORT flags) {
    ELEMDESC elem{};
    elem.tdesc = *type;
    elem.paramdesc.wParamFlags = flags;
    return elem;
}

// ---------------------------------------------------------------------------
// What the library contains.

constexpr wchar_t kLibraryHelp[] = L"Tovabel flat button control";

struct EnumDef {
    const wchar_t* name;
    const GUID& guid;
    std::initializer_list<const wchar_t*> members; // values 0, 1, 2, ...
};

const EnumDef kEnums[] = {
    {L"tvStyle",
     tovabel::GUID_tvStyle,
     {L"Normal", L"Check", L"Separator", L"DropDown", L"DropDownNoSeparator", L"Menu", L"MenuItem",
      L"MenuItemCheck", L"MenuItemCascade", L"MenuItemSeparator", L"NonFlat"}},
    {L"tvBorderStyle", tovabel::GUID_tvBorderStyle, {L"None", L"FixedSingle"}},
    {L"tvAlign",
     tovabel::GUID_tvAlign,
     {L"Align Top", L"Align Bottom", L"Align Left", L"Align Right", L"Align Middle"}},
    {L"tvFontDirection",
     tovabel::GUID_tvFontDirection,
     {L"Normal Text", L"Downward Text", L"Reverse Text", L"Upward Text"}},
    {L"tvCaptionAlign",
     tovabel::GUID_tvCaptionAlign,
     {L"AlignTop", L"AlignBottom", L"AlignLeft", L"AlignRight", L"AlignCenter"}},
};

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

constexpr unsigned kDispatchSlots = 7; // IUnknown and IDispatch come first

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
    bool by_reference; // [in, out]: the handler may change the value
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
void as_type_info(ICreateTypeInfo* creator, ComRef<ITypeInfo>& out) {
    check(creator->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(out.out())),
          "QueryInterface(ITypeInfo)");
}

void find_in(ITypeLib* library, const wchar_t* name, TYPEKIND kind, ComRef<ITypeInfo>& out) {
    const UINT count = library->GetTypeInfoCount();
    for (UINT i = 0; i < count; ++i) {
        BSTR found = nullptr;
        TYPEKIND found_kind{};
        if (FAILED(library->GetDocumentation(static_cast<INT>(i), &found, nullptr, nullptr,
                                             nullptr))) {
            continue;
        }
        const bool same = found != nullptr && std::wcscmp(found, name) == 0;
        SysFreeString(found);
        if (same && SUCCEEDED(library->GetTypeInfoType(i, &found_kind)) && found_kind == kind) {
            check(library->GetTypeInfo(i, out.out()), "GetTypeInfo(" + narrow(name) + ")");
            return;
        }
    }
    throw Failure{"finding " + narrow(name), TYPE_E_ELEMENTNOTFOUND};
}

void load_stdole(KnownTypes& known) {
    ComRef<ITypeLib> stdole;
    if (FAILED(LoadRegTypeLib(IID_StdOle, 2, 0, LOCALE_NEUTRAL, stdole.out()))) {
        check(LoadTypeLib(L"stdole2.tlb", stdole.out()), "LoadTypeLib(stdole2.tlb)");
    }
    find_in(stdole.get(), L"IDispatch", TKIND_INTERFACE, known.dispatch);
    find_in(stdole.get(), L"OLE_COLOR", TKIND_ALIAS, known.color);
    find_in(stdole.get(), L"Picture", TKIND_DISPATCH, known.picture);
    find_in(stdole.get(), L"Font", TKIND_DISPATCH, known.font);
}

class LibraryBuilder {
public:
    LibraryBuilder(ICreateTypeLib2* library, KnownTypes& known, short pointer_size)
        : library_(library), known_(known), pointer_size_(pointer_size) {}

    void create(const wchar_t* name, TYPEKIND kind, const GUID& guid, UINT flags,
                ComRef<ICreateTypeInfo>& out) {
        const std::string what = narrow(name);
        check(library_->CreateTypeInfo(ole(name), kind, out.out()), "CreateTypeInfo " + what);
        check(out->SetGuid(guid), "SetGuid " + what);
        if (flags != 0) {
            check(out->SetTypeFlags(flags), "SetTypeFlags " + what);
        }
    }

    void derive_from(ICreateTypeInfo* creator, ITypeInfo* base, const char* what) {
        HREFTYPE href = 0;
        check(creator->AddRefTypeInfo(base, &href), std::string("AddRefTypeInfo base of ") + what);
        check(creator->AddImplType(0, href), std::string("AddImplType ") + what);
    }

    void add_enum(const EnumDef& def, ComRef<ITypeInfo>& out) {
        ComRef<ICreateTypeInfo> creator;
        create(def.name, TKIND_ENUM, def.guid, 0, creator);
        const std::string what = narrow(def.name);
        UINT index = 0;
        for (const wchar_t* member : def.members) {
            VARIANT value;
            VariantInit(&value);
            V_VT(&value) = VT_I4;
            V_I4(&value) = static_cast<LONG>(index);
            VARDESC var{};
            var.memid = MEMBERID_NIL;
            var.lpvarValue = &value;
            var.elemdescVar.tdesc.vt = VT_I4;
            var.varkind = VAR_CONST;
            check(creator->AddVarDesc(index, &var), "AddVarDesc " + what);
            check(creator->SetVarName(index, ole(member)), "SetVarName " + narrow(member));
            check(creator->SetVarDocString(index, ole(member)),
                  "SetVarDocString " + narrow(member));
            ++index;
        }
        check(creator->LayOut(), "LayOut " + what);
        as_type_info(creator.get(), out);
    }

    // A dual interface with no members of its own.
    void add_empty_dual(const wchar_t* name, const GUID& guid, ComRef<ITypeInfo>& out) {
        ComRef<ICreateTypeInfo> creator;
        create(name, TKIND_INTERFACE, guid, kDualFlags, creator);
        derive_from(creator.get(), known_.dispatch.get(), "dual interface");
        check(creator->LayOut(), "LayOut " + narrow(name));
        as_type_info(creator.get(), out);
    }

    void add_control_interface(ComRef<ITypeInfo>& out) {
        ComRef<ICreateTypeInfo> creator;
        create(L"_Tovabel", TKIND_INTERFACE, tovabel::IID__Tovabel, kDualFlags, creator);
        derive_from(creator.get(), known_.dispatch.get(), "_Tovabel");
        UINT index = 0;
        for (const SlotDef& slot : kSlots) {
            add_slot(creator.get(), index++, slot);
        }
        check(creator->LayOut(), "LayOut _Tovabel");
        as_type_info(creator.get(), out);
    }

    void add_events(ComRef<ITypeInfo>& out) {
        ComRef<ICreateTypeInfo> creator;
        create(L"__Tovabel", TKIND_DISPATCH, tovabel::DIID___Tovabel,
               TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE, creator);
        derive_from(creator.get(), known_.dispatch.get(), "__Tovabel");
        UINT index = 0;
        for (const EventDef& event : kEvents) {
            add_event(creator.get(), index++, event);
        }
        check(creator->LayOut(), "LayOut __Tovabel");
        as_type_info(creator.get(), out);
    }

    struct Implemented {
        ITypeInfo* type;
        INT flags;
    };

    void add_class(const wchar_t* name, const GUID& guid, UINT flags, const wchar_t* help,
                   std::initializer_list<Implemented> implemented) {
        ComRef<ICreateTypeInfo> creator;
        create(name, TKIND_COCLASS, guid, flags, creator);
        const std::string what = narrow(name);
        if (help != nullptr) {
            check(creator->SetDocString(ole(help)), "SetDocString " + what);
        }
        UINT index = 0;
        for (const Implemented& item : implemented) {
            HREFTYPE href = 0;
            check(creator->AddRefTypeInfo(item.type, &href), "AddRefTypeInfo " + what);
            check(creator->AddImplType(index, href), "AddImplType " + what);
            check(creator->SetImplTypeFlags(index, item.flags), "SetImplTypeFlags " + what);
            ++index;
        }
        check(creator->LayOut(), "LayOut " + what);
    }

private:
    static constexpr UINT kDualFlags =
        TYPEFLAG_FDUAL | TYPEFLAG_FHIDDEN | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FNONEXTENSIBLE;

    void add_function(ICreateTypeInfo* creator, UINT index, FUNCDESC& func, const wchar_t* name,
                      const std::vector<const wchar_t*>& param_names, const wchar_t* help) {
        const std::string what = narrow(name);
        check(creator->AddFuncDesc(index, &func), "AddFuncDesc " + what);
        std::vector<LPOLESTR> names{ole(name)};
        for (const wchar_t* param : param_names) {
            names.push_back(ole(param));
        }
        check(creator->SetFuncAndParamNames(index, names.data(), static_cast<UINT>(names.size())),
              "SetFuncAndParamNames " + what);
        if (*help != L'\0') {
            check(creator->SetFuncDocString(index, ole(help)), "SetFuncDocString " + what);
        }
    }

    void add_slot(ICreateTypeInfo* creator, UINT index, const SlotDef& slot) {
        TypeDescs types(creator, known_);
        FUNCDESC func{};
        func.funckind = FUNC_PUREVIRTUAL;
        func.callconv = CC_STDCALL;
        func.elemdescFunc.tdesc.vt = VT_HRESULT;
        // Given explicitly: laying out on its own, Wine counts the inherited
        // IDispatch slots in this process's pointer size, which is wrong when a
        // 64-bit process writes the 32-bit library.
        func.oVft = static_cast<SHORT>((kDispatchSlots + index) * pointer_size_);
        ELEMDESC param{};

        if (slot.slot == Slot::Method) {
            const MethodDef& method = *slot.method;
            func.memid = method.dispid;
            func.invkind = INVOKE_FUNC;
            if (method.result == Result::String) {
                param = element(types.pointer_to(types.basic(VT_BSTR)),
                                PARAMFLAG_FOUT | PARAMFLAG_FRETVAL);
                func.cParams = 1;
                func.lprgelemdescParam = &param;
            }
            add_function(creator, index, func, method.name, {}, method.help);
            return;
        }

        const PropertyDef& property = *slot.property;
        func.memid = property.dispid;
        func.cParams = 1;
        func.lprgelemdescParam = &param;
        func.wFuncFlags = property.listing == Listing::Browsable ? 0 : FUNCFLAG_FNONBROWSABLE;
        TYPEDESC* value = types.value(property.type);
        switch (slot.slot) {
        case Slot::Get:
            func.invkind = INVOKE_PROPERTYGET;
            param = element(types.pointer_to(value), PARAMFLAG_FOUT | PARAMFLAG_FRETVAL);
            break;
        case Slot::Put:
        case Slot::PutRef:
            func.invkind = slot.slot == Slot::Put ? INVOKE_PROPERTYPUT : INVOKE_PROPERTYPUTREF;
            param = element(property.type == Type::SoundData ? types.pointer_to(value) : value,
                            PARAMFLAG_FIN);
            break;
        case Slot::Method:
            break;
        }
        add_function(creator, index, func, property.name, {}, property.help);
    }

    void add_event(ICreateTypeInfo* creator, UINT index, const EventDef& event) {
        TypeDescs types(creator, known_);
        std::vector<ELEMDESC> params;
        std::vector<const wchar_t*> names;
        for (const ParamDef& param : event.params) {
            TYPEDESC* value = types.value(param.type);
            params.push_back(param.by_reference
                                 ? element(types.pointer_to(value), PARAMFLAG_FIN | PARAMFLAG_FOUT)
                                 : element(value, PARAMFLAG_FIN));
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
        add_function(creator, index, func, event.name, names, event.help);
    }

    ICreateTypeLib2* library_;
    KnownTypes& known_;
    short pointer_size_;
};

short pointer_size(SYSKIND syskind) {
    return syskind == SYS_WIN64 ? 8 : 4;
}

// Wine sizes an interface's vtable from its base as loaded in this process, so
// a 64-bit process writing the 32-bit library records IDispatch's seven slots
// as 56 bytes instead of 28. The size is corrected in the saved file: the
// typeinfo table entry of the interface holds it as a 16-bit value at 0x4E.
// The entry is found through the file's header and segment directory, and the
// patch only goes ahead when the stored value is exactly the wrong one read
// back through oleaut32.
void repair_vtable_size(const std::wstring& path, UINT index, unsigned wrong, unsigned right) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw Failure{"opening the library to repair its vtable size",
                      HRESULT_FROM_WIN32(GetLastError())};
    }
    struct Closer {
        HANDLE handle;
        ~Closer() { CloseHandle(handle); }
    } closer{file};

    const auto read_at = [&](DWORD offset, void* out, DWORD size) {
        DWORD done = 0;
        if (SetFilePointer(file, static_cast<LONG>(offset), nullptr, FILE_BEGIN) ==
                INVALID_SET_FILE_POINTER ||
            !ReadFile(file, out, size, &done, nullptr) || done != size) {
            throw Failure{"reading the saved library", E_FAIL};
        }
    };
    char magic[4];
    read_at(0, magic, 4);
    if (std::memcmp(magic, "MSFT", 4) != 0) {
        throw Failure{"saved library is not in MSFT format", E_FAIL};
    }
    constexpr DWORD kHeaderSize = 0x54;
    constexpr DWORD kHelpDllFlag = 0x100;
    DWORD varflags = 0;
    DWORD type_count = 0;
    read_at(0x14, &varflags, 4);
    read_at(0x20, &type_count, 4);
    const DWORD segment_directory =
        kHeaderSize + ((varflags & kHelpDllFlag) != 0 ? 4 : 0) + type_count * 4;
    DWORD type_table = 0; // the first segment is the typeinfo table
    read_at(segment_directory, &type_table, 4);
    constexpr DWORD kTypeEntrySize = 0x64;
    constexpr DWORD kVtableSizeField = 0x4E;
    const DWORD field = type_table + index * kTypeEntrySize + kVtableSizeField;
    std::uint16_t stored = 0;
    read_at(field, &stored, 2);
    if (stored != wrong) {
        throw Failure{"vtable size in the file is not where it was expected", E_FAIL};
    }
    const auto fixed = static_cast<std::uint16_t>(right);
    DWORD written = 0;
    if (SetFilePointer(file, static_cast<LONG>(field), nullptr, FILE_BEGIN) ==
            INVALID_SET_FILE_POINTER ||
        !WriteFile(file, &fixed, 2, &written, nullptr) || written != 2) {
        throw Failure{"writing the repaired vtable size", HRESULT_FROM_WIN32(GetLastError())};
    }
}

// Reads the saved library back: the interface's members must sit in the slots
// that follow IDispatch, one after another, and its vtable size must cover
// exactly those slots in the library's own pointer size.
void verify_layout(const std::wstring& path, SYSKIND syskind, const wchar_t* name,
                   unsigned member_count) {
    const std::string what = "layout of " + narrow(name);
    const unsigned expected_size = (kDispatchSlots + member_count) * pointer_size(syskind);
    for (int attempt = 0;; ++attempt) {
        ComRef<ITypeLib> library;
        check(LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.out()), "reloading the library");
        ComRef<ITypeInfo> info;
        find_in(library.get(), name, TKIND_DISPATCH, info);
        HREFTYPE vtable_part = 0;
        check(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtable_part), what);
        ComRef<ITypeInfo> vtable;
        check(info->GetRefTypeInfo(vtable_part, vtable.out()), what);
        TYPEATTR* attr = nullptr;
        check(vtable->GetTypeAttr(&attr), what);
        const unsigned size = attr->cbSizeVft;
        const unsigned funcs = attr->cFuncs;
        vtable->ReleaseTypeAttr(attr);
        if (funcs != member_count) {
            throw Failure{what + ": wrong member count", E_FAIL};
        }
        for (unsigned i = 0; i < funcs; ++i) {
            FUNCDESC* func = nullptr;
            check(vtable->GetFuncDesc(i, &func), what);
            // The loader reports offsets in this process's pointer size.
            const unsigned slot = static_cast<unsigned>(func->oVft) / sizeof(void*);
            vtable->ReleaseFuncDesc(func);
            if (slot != kDispatchSlots + i) {
                throw Failure{what + ": member in the wrong slot", E_FAIL};
            }
        }
        if (size == expected_size) {
            return;
        }
        if (attempt > 0) {
            throw Failure{what + ": vtable size still wrong after repair", E_FAIL};
        }
        UINT index = 0;
        ComRef<ITypeLib> containing;
        check(vtable->GetContainingTypeLib(containing.out(), &index), what);
        library.reset();
        info.reset();
        vtable.reset();
        containing.reset();
        repair_vtable_size(path, index, size, expected_size);
    }
}

// Under Wine a Unix path such as /build/x.tlb names the same file as Z:\build\x.tlb.
std::wstring windows_path(const char* path) {
    std::wstring out;
    if (path[0] == '/') {
        out = L"Z:";
    }
    for (const char* c = path; *c != '\0'; ++c) {
        out.push_back(*c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*c)));
    }
    return out;
}

void generate(const std::wstring& output, SYSKIND syskind) {
    KnownTypes known;
    load_stdole(known);

    ComRef<ICreateTypeLib2> library;
    check(CreateTypeLib2(syskind, output.c_str(), library.out()), "CreateTypeLib2");
    check(library->SetName(ole(L"OrnisTovabel")), "SetName");
    check(library->SetGuid(tovabel::LIBID_OrnisTovabel), "SetGuid");
    check(library->SetVersion(tovabel::identity::kTypeLibMajor, tovabel::identity::kTypeLibMinor),
          "SetVersion");
    check(library->SetLcid(tovabel::identity::kTypeLibLcid), "SetLcid");
    check(library->SetDocString(ole(kLibraryHelp)), "SetDocString");

    LibraryBuilder builder(library.get(), known, pointer_size(syskind));
    ComRef<ITypeInfo> caption_align; // published, used by no member
    ComRef<ITypeInfo>* enum_outputs[] = {&known.style, &known.border_style, &known.align,
                                         &known.font_direction, &caption_align};
    static_assert(std::size(enum_outputs) == std::size(kEnums));
    for (std::size_t i = 0; i < std::size(kEnums); ++i) {
        builder.add_enum(kEnums[i], *enum_outputs[i]);
    }

    ComRef<ITypeInfo> types_interface;
    builder.add_empty_dual(L"_clsTVTypes", tovabel::IID__clsTVTypes, types_interface);
    builder.add_class(L"clsTVTypes", tovabel::CLSID_clsTVTypes, 0, nullptr,
                      {{types_interface.get(), IMPLTYPEFLAG_FDEFAULT}});

    ComRef<ITypeInfo> control_interface;
    builder.add_control_interface(control_interface);
    ComRef<ITypeInfo> events;
    builder.add_events(events);
    builder.add_class(L"Tovabel", tovabel::CLSID_Tovabel, TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL,
                      L"Tovabel flat button",
                      {{control_interface.get(), IMPLTYPEFLAG_FDEFAULT},
                       {events.get(), IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}});

    check(library->SaveAllChanges(), "SaveAllChanges");
    library.reset();

    verify_layout(output, syskind, L"_clsTVTypes", 0);
    verify_layout(output, syskind, L"_Tovabel", static_cast<unsigned>(std::size(kSlots)));
}

// Prints the listing of the library in `path` (a .tlb file or a module holding one).
int dump(const char* path) {
    ComRef<ITypeLib> library;
    const HRESULT hr = LoadTypeLibEx(windows_path(path).c_str(), REGKIND_NONE, library.out());
    if (FAILED(hr)) {
        std::fprintf(stderr, "tovabel_tlbgen: loading %s failed (HRESULT 0x%08lX)\n", path,
                     static_cast<unsigned long>(hr));
        return 1;
    }
    std::fputs(tovabel::win::DumpTypeLibrary(library.get()).c_str(), stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--dump") == 0) {
        return dump(argv[2]);
    }
    if (argc != 3 || (std::strcmp(argv[2], "win32") != 0 && std::strcmp(argv[2], "win64") != 0)) {
        std::fprintf(stderr, "usage: tovabel_tlbgen <output.tlb> <win32|win64>\n"
                             "       tovabel_tlbgen --dump <library>\n");
        return 2;
    }
    const std::wstring output = windows_path(argv[1]);
    const SYSKIND syskind = std::strcmp(argv[2], "win64") == 0 ? SYS_WIN64 : SYS_WIN32;
    try {
        generate(output, syskind);
    } catch (const Failure& failure) {
        DeleteFileW(output.c_str());
        std::fprintf(stderr, "tovabel_tlbgen: %s failed (HRESULT 0x%08lX)\n", failure.step.c_str(),
                     static_cast<unsigned long>(failure.hr));
        return 1;
    }
    return 0;
}
