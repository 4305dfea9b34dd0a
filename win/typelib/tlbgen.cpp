// tovabel_tlbgen: writes the OrnisTovabel type library.
//
//   tovabel_tlbgen <output.tlb> <win32|win64>
//   tovabel_tlbgen --dump <library.tlb|.ocx>   lists a built library's contract
//
// The library is built with oleaut32's ICreateTypeLib2 rather than from IDL
// because two enumerations have member names with spaces ("Align Top",
// "Normal Text"), which IDL cannot spell. Vtable offsets depend on the pointer
// size, so each architecture gets its own library. After saving, the program
// reloads the file and checks the vtable layout. Any failure prints the step
// that failed, removes the partial output and exits non-zero.

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

struct PropertyDef {
    const wchar_t* name;
    MEMBERID dispid;
    Type type;
    const wchar_t* help; // nullptr: none
    bool browsable;
};

constexpr wchar_t kSoundDataHelp[] =
    L"Gets / Sets the contents of the sound file downloaded throught the corresponding URL "
    L"property, so that sounds can be shared among Tovabels at run-time (saves download time)";

const PropertyDef kProperties[] = {
    {L"AlignCaption", 0x6803FE0E, Type::Align, L"Gets / Sets where the caption should be displayed",
     true},
    {L"AlignPicture", 0x6803FE0D, Type::Align, L"Gets / Sets where the picture should be displayed",
     true},
    {L"AutoSize", 0x68030017, Type::Boolean,
     L"Gets / Sets whether the control should automatically resize itself to fit the picture or "
     L"caption",
     true},
    {L"BackColor", 0x68030012, Type::Color, L"Gets / Sets the control background color", true},
    {L"BorderStyle", 0x6803FE0A, Type::BorderStyle,
     L"Gets / Sets whether the control should display a border around it when the mouse is passed "
     L"over it",
     true},
    {L"Caption", 0x68030011, Type::String, L"Gets / Sets the caption for the button", true},
    {L"Checked", 0x68030016, Type::Boolean,
     L"Gets / Sets whether a Check-Style button is Checked down.", true},
    {L"DroppedDown", 0x6803FE09, Type::Boolean,
     L"Returns whether the button is currently dropped down for drop down styles", false},
    {L"Enabled", 0x68030010, Type::Boolean, L"Gets / Sets whether the control is enabled", true},
    {L"Font", DISPID_FONT, Type::Font, L"Gets / Sets the font used for displaying the caption",
     true},
    {L"FontDirection", 0x6803FE0F, Type::FontDirection,
     L"Gets / Sets the font direction for the caption", true},
    {L"HighlightColor", 0x6803000F, Type::Color,
     L"Gets / Sets the color used to draw light areas of the button", true},
    {L"hwnd", 0x6803FE10, Type::Long, nullptr, true},
    {L"MaskColor", 0x6803000E, Type::Color,
     L"Gets / Sets the color used to mask out parts of the pictures", true},
    {L"MouseIcon", 0x6803FE08, Type::Picture,
     L"Gets / Sets icon to display as a cursor if MousePointer is set to Custom", true},
    {L"MousePointer", 0x6803FE07, Type::Long, L"Gets / Sets the Mouse Pointer to display", true},
    {L"Picture", 0x6803000D, Type::Picture,
     L"Gets / Sets the picture to be displayed when the mouse is not over the control", true},
    {L"PictureDisabled", 0x6803FE0C, Type::Picture,
     L"Gets / Sets the picture to be displayed when the button is disabled (optional)", true},
    {L"PictureDown", 0x6803000B, Type::Picture,
     L"Gets / Sets the picture to be displayed when the mouse is pressed down over the control "
     L"(optional)",
     true},
    {L"PictureOver", 0x6803000C, Type::Picture,
     L"Gets / Sets the picture to be displayed when the mouse is over the control (optional)",
     true},
    {L"PlaySounds", 0x6803000A, Type::Boolean,
     L"Gets / Sets whether the control should play sounds to respond to user events", true},
    {L"ShadowColor", 0x68030009, Type::Color,
     L"Gets / Sets the color used to draw dark areas of the button", true},
    {L"SoundClick", 0x6803FE06, Type::SoundData, kSoundDataHelp, false},
    {L"SoundClickURL", 0x68030008, Type::String,
     L"Gets / Sets the URL or file location for the sound to be played when the user clicks the "
     L"control",
     true},
    {L"SoundEnter", 0x6803FE05, Type::SoundData, kSoundDataHelp, false},
    {L"SoundEnterURL", 0x68030007, Type::String,
     L"Gets / Sets the URL or file location for the sound to be played when the mouse moves onto "
     L"the control",
     true},
    {L"SoundLeave", 0x6803FE04, Type::SoundData, kSoundDataHelp, false},
    {L"SoundLeaveURL", 0x68030006, Type::String,
     L"Gets / Sets the URL or file location for the sound to be played when the mouse moves off "
     L"of the control",
     true},
    {L"Style", 0x68030015, Type::Style,
     L"Gets / Sets the button style: a push button, a check button, a drop down button with or "
     L"without a separator before its arrow, a menu style button or a toolbar separator",
     true},
    {L"TextColor", 0x68030004, Type::Color,
     L"Gets / Sets the color used for the caption and drop down arrow", true},
    {L"ToolTipText", 0x68030003, Type::String,
     L"Gets / Sets the ToolTip to display when the mouse hovers over the control", true},
    {L"Transparent", 0x6803FE03, Type::Boolean,
     L"Gets / Sets whether the control should be fully transparent and show other controls behind "
     L"it",
     true},
    {L"URLMouseIcon", 0x6803FE02, Type::String,
     L"Gets / Sets the URL / file location for the icon or cursor to display as a cursor", true},
    {L"URLPicture", 0x68030002, Type::String,
     L"Gets / Sets the URL or file location for the picture to be displayed when the mouse is not "
     L"over the control",
     true},
    {L"URLPictureDisabled", 0x6803FE0B, Type::String,
     L"Gets / Sets the URL or file location for the picture to be displayed when the button is "
     L"disabled (optional)\r\n",
     true},
    {L"URLPictureDown", 0x68030001, Type::String,
     L"Gets / Sets the URL or file location for the picture to be displayed when the mouse is "
     L"pressed down over the control",
     true},
    {L"URLPictureOver", 0x68030000, Type::String,
     L"Gets / Sets the URL or file location for the picture to be displayed when the mouse is "
     L"over the control",
     true},
    {L"UseSystemSounds", 0x68030005, Type::Boolean,
     L"Gets / Sets whether the button should play the user defined menu popup / menu click sounds "
     L"or the sounds specified by the SoundURL properties",
     true},
    {L"Value", 0x6803FE01, Type::Boolean,
     L"Gets / Sets the value of the button (setting to True at run time raises the Click event)",
     true},
};

struct MethodDef {
    const wchar_t* name;
    MEMBERID dispid;
    bool returns_string;
    const wchar_t* help;
};

const MethodDef kMethods[] = {
    {L"AboutBox", 0x60030013, false, L"Displays Control Copyright and Version Details"},
    {L"Version", 0x60030014, true, L"Returns the Control Version"},
    {L"CancelDropDown", 0x60030018, false,
     L"This method restores the button state after it is dropped down and should be called when "
     L"the user has made a selection or clicks away from your drop down list"},
    {L"SubClass", 0x6003FE12, false, nullptr},
    {L"UnSubClass", 0x6003FE13, false, nullptr},
};

enum class Slot { Get, Put, PutRef, Method };

struct SlotDef {
    const wchar_t* name;
    Slot slot;
};

constexpr unsigned kDispatchSlots = 7; // IUnknown and IDispatch come first

// The vtable of _Tovabel after IDispatch, in order. Saved forms and compiled
// clients bind to these positions: never reorder, only append.
const SlotDef kSlots[] = {
    {L"BackColor", Slot::Get},
    {L"BackColor", Slot::Put},
    {L"Caption", Slot::Get},
    {L"Caption", Slot::Put},
    {L"Enabled", Slot::Get},
    {L"Enabled", Slot::Put},
    {L"HighlightColor", Slot::Get},
    {L"HighlightColor", Slot::Put},
    {L"MaskColor", Slot::Get},
    {L"MaskColor", Slot::Put},
    {L"Picture", Slot::Get},
    {L"Picture", Slot::PutRef},
    {L"PictureOver", Slot::Get},
    {L"PictureOver", Slot::PutRef},
    {L"PictureDown", Slot::Get},
    {L"PictureDown", Slot::PutRef},
    {L"PlaySounds", Slot::Get},
    {L"PlaySounds", Slot::Put},
    {L"ShadowColor", Slot::Get},
    {L"ShadowColor", Slot::Put},
    {L"SoundClickURL", Slot::Get},
    {L"SoundClickURL", Slot::Put},
    {L"SoundEnterURL", Slot::Get},
    {L"SoundEnterURL", Slot::Put},
    {L"SoundLeaveURL", Slot::Get},
    {L"SoundLeaveURL", Slot::Put},
    {L"UseSystemSounds", Slot::Get},
    {L"UseSystemSounds", Slot::Put},
    {L"TextColor", Slot::Get},
    {L"TextColor", Slot::Put},
    {L"ToolTipText", Slot::Get},
    {L"ToolTipText", Slot::Put},
    {L"URLPicture", Slot::Get},
    {L"URLPicture", Slot::Put},
    {L"URLPictureDown", Slot::Get},
    {L"URLPictureDown", Slot::Put},
    {L"URLPictureOver", Slot::Get},
    {L"URLPictureOver", Slot::Put},
    {L"AboutBox", Slot::Method},
    {L"Version", Slot::Method},
    {L"Style", Slot::Get},
    {L"Style", Slot::Put},
    {L"AutoSize", Slot::Get},
    {L"AutoSize", Slot::Put},
    {L"Checked", Slot::Get},
    {L"Checked", Slot::Put},
    {L"Font", Slot::Get},
    {L"Font", Slot::PutRef},
    {L"CancelDropDown", Slot::Method},
    {L"BorderStyle", Slot::Get},
    {L"BorderStyle", Slot::Put},
    {L"DroppedDown", Slot::Get},
    {L"MouseIcon", Slot::Get},
    {L"MouseIcon", Slot::PutRef},
    {L"MousePointer", Slot::Get},
    {L"MousePointer", Slot::Put},
    {L"SoundClick", Slot::Get},
    {L"SoundClick", Slot::Put},
    {L"SoundEnter", Slot::Get},
    {L"SoundEnter", Slot::Put},
    {L"SoundLeave", Slot::Get},
    {L"SoundLeave", Slot::Put},
    {L"Transparent", Slot::Get},
    {L"Transparent", Slot::Put},
    {L"URLMouseIcon", Slot::Get},
    {L"URLMouseIcon", Slot::Put},
    {L"Value", Slot::Get},
    {L"Value", Slot::Put},
    {L"PictureDisabled", Slot::Get},
    {L"PictureDisabled", Slot::PutRef},
    {L"URLPictureDisabled", Slot::Get},
    {L"URLPictureDisabled", Slot::Put},
    {L"AlignCaption", Slot::Get},
    {L"AlignCaption", Slot::Put},
    {L"AlignPicture", Slot::Get},
    {L"AlignPicture", Slot::Put},
    {L"FontDirection", Slot::Get},
    {L"FontDirection", Slot::Put},
    {L"hwnd", Slot::Get},
    {L"MouseIcon", Slot::Put},
    {L"Picture", Slot::Put},
    {L"PictureOver", Slot::Put},
    {L"PictureDown", Slot::Put},
    {L"PictureDisabled", Slot::Put},
    {L"SubClass", Slot::Method},
    {L"UnSubClass", Slot::Method},
};

struct ParamDef {
    const wchar_t* name;
    Type type;
    bool by_reference; // [in, out]: the handler may change the value
};

struct EventDef {
    const wchar_t* name;
    MEMBERID dispid;
    std::initializer_list<ParamDef> params;
    const wchar_t* help;
};

constexpr ParamDef kMouseParams[] = {
    {L"Button", Type::Integer, false},
    {L"Shift", Type::Integer, false},
    {L"X", Type::Single, false},
    {L"Y", Type::Single, false},
};

const EventDef kEvents[] = {
    {L"Click", 1, {}, L"Raised when the user clicks the button"},
    {L"RightClick", 2, {}, nullptr},
    {L"Resize",
     3,
     {{L"Width", Type::Long, true}, {L"Height", Type::Long, true}},
     L"Raised when the control resizes itself"},
    {L"DropDown", 4, {}, L"Raised when the user clicks the button in drop down style"},
    {L"DropDownCancelled",
     5,
     {},
     L"This event is raised when the user has cancelled the drop down (i.e. they have clicked the "
     L"button whilst it is dropped down)"},
    {L"MouseDown",
     6,
     {kMouseParams[0], kMouseParams[1], kMouseParams[2], kMouseParams[3]},
     L"Raised when the user clicks the mouse down on the control"},
    {L"MouseMove",
     7,
     {kMouseParams[0], kMouseParams[1], kMouseParams[2], kMouseParams[3]},
     L"Raised when the user moves the mouse over the control"},
    {L"MouseUp",
     8,
     {kMouseParams[0], kMouseParams[1], kMouseParams[2], kMouseParams[3]},
     L"Raised when the user releases the mouse over the control"},
    {L"PropertyDownloaded", 9, {{L"sProperty", Type::String, false}}, nullptr},
    // KeyAscii is by reference so that a handler can change or swallow the key.
    {L"KeyPress",
     DISPID_KEYPRESS,
     {{L"keyAscii", Type::Integer, true}},
     L"Raised when the user presses a key whilst the control has focus"},
};

// ---------------------------------------------------------------------------
// Building.

const PropertyDef& find_property(const wchar_t* name) {
    for (const PropertyDef& property : kProperties) {
        if (std::wcscmp(property.name, name) == 0) {
            return property;
        }
    }
    throw Failure{"slot names unknown property " + narrow(name), E_UNEXPECTED};
}

const MethodDef& find_method(const wchar_t* name) {
    for (const MethodDef& method : kMethods) {
        if (std::wcscmp(method.name, name) == 0) {
            return method;
        }
    }
    throw Failure{"slot names unknown method " + narrow(name), E_UNEXPECTED};
}

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
        if (help != nullptr) {
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
            const MethodDef& method = find_method(slot.name);
            func.memid = method.dispid;
            func.invkind = INVOKE_FUNC;
            if (method.returns_string) {
                param = element(types.pointer_to(types.basic(VT_BSTR)),
                                PARAMFLAG_FOUT | PARAMFLAG_FRETVAL);
                func.cParams = 1;
                func.lprgelemdescParam = &param;
            }
            add_function(creator, index, func, method.name, {}, method.help);
            return;
        }

        const PropertyDef& property = find_property(slot.name);
        func.memid = property.dispid;
        func.cParams = 1;
        func.lprgelemdescParam = &param;
        func.wFuncFlags = property.browsable ? 0 : FUNCFLAG_FNONBROWSABLE;
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
