// The binary contract of the OrnisTovabel type library, as saved forms and
// compiled clients depend on it: names, DISPIDs, vtable slots, parameter types,
// enumeration members and help strings. The expected tables are written here
// by hand from the contract, independently of the generator's own tables, and
// are checked against the generated .tlb file and against the copy embedded in
// the control library.
#include "test_paths.h"

#include "guids.h"
#include "type_descriptions.h"
#include "win/common/bstr.h"
#include "win/common/com_ptr.h"

#include <windows.h>

#include <oleauto.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace tovabel::wintest {
namespace {

std::string Narrow(const wchar_t* text) {
    std::string out;
    for (; text != nullptr && *text != L'\0'; ++text) {
        out.push_back(static_cast<char>(*text));
    }
    return out;
}

std::wstring Wide(const char* text) {
    std::wstring out;
    for (; *text != '\0'; ++text) {
        out.push_back(static_cast<wchar_t>(*text));
    }
    return out;
}

using win::Bstr;
using win::FuncDesc;
using win::TypeAttr;
using win::VarDesc;

std::string TypeName(ITypeInfo* info) {
    Bstr name;
    info->GetDocumentation(MEMBERID_NIL, name.Put(), nullptr, nullptr, nullptr);
    return Narrow(name.Get());
}

std::string MemberName(ITypeInfo* info, MEMBERID id) {
    Bstr name;
    info->GetDocumentation(id, name.Put(), nullptr, nullptr, nullptr);
    return Narrow(name.Get());
}

// A type as C++ spells it; a type from a library is qualified by the library's
// name ("stdole.OLE_COLOR", "OrnisTovabel.tvAlign").
std::string Describe(ITypeInfo* owner, const TYPEDESC& type) {
    switch (type.vt) {
    case VT_PTR:
        return Describe(owner, *type.lptdesc) + "*";
    case VT_USERDEFINED: {
        win::ComPtr<ITypeInfo> target;
        if (FAILED(owner->GetRefTypeInfo(type.hreftype, target.Put()))) {
            return "<unresolved reference>";
        }
        win::ComPtr<ITypeLib> library;
        UINT index = 0;
        if (FAILED(target->GetContainingTypeLib(library.Put(), &index))) {
            return "<no library>." + TypeName(target.Get());
        }
        Bstr library_name;
        library->GetDocumentation(-1, library_name.Put(), nullptr, nullptr, nullptr);
        return Narrow(library_name.Get()) + "." + TypeName(target.Get());
    }
    case VT_BOOL:
        return "VARIANT_BOOL";
    case VT_BSTR:
        return "BSTR";
    case VT_I4:
        return "long";
    case VT_I2:
        return "short";
    case VT_R4:
        return "float";
    case VT_VARIANT:
        return "VARIANT";
    case VT_HRESULT:
        return "HRESULT";
    case VT_VOID:
        return "void";
    default:
        return "vt" + std::to_string(type.vt);
    }
}

std::string DescribeParam(ITypeInfo* owner, const ELEMDESC& param) {
    const USHORT flags = param.paramdesc.wParamFlags;
    std::string text;
    if ((flags & PARAMFLAG_FRETVAL) != 0) {
        text = "[out,retval] ";
    } else if ((flags & PARAMFLAG_FIN) != 0 && (flags & PARAMFLAG_FOUT) != 0) {
        text = "[in,out] ";
    } else if ((flags & PARAMFLAG_FIN) != 0) {
        text = "[in] ";
    } else if ((flags & PARAMFLAG_FOUT) != 0) {
        text = "[out] ";
    }
    return text + Describe(owner, param.tdesc);
}

enum class Source { TypeLibraryFile, ControlLibrary };

class TypeLibContract : public ::testing::TestWithParam<Source> {
protected:
    void SetUp() override {
        const std::wstring path = GetParam() == Source::TypeLibraryFile ? TlbPath() : OcxPath();
        const HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, library_.Put());
        ASSERT_TRUE(SUCCEEDED(hr))
            << "loading the type library from " << Narrow(path.c_str()) << " failed with 0x"
            << std::hex << static_cast<std::uint32_t>(hr);
    }

    win::ComPtr<ITypeInfo> TypeByName(const char* name) {
        const UINT count = library_->GetTypeInfoCount();
        for (UINT i = 0; i < count; ++i) {
            Bstr found;
            library_->GetDocumentation(static_cast<INT>(i), found.Put(), nullptr, nullptr, nullptr);
            if (Narrow(found.Get()) == name) {
                win::ComPtr<ITypeInfo> info;
                library_->GetTypeInfo(i, info.Put());
                return info;
            }
        }
        return {};
    }

    // The vtable half of a dual interface.
    static win::ComPtr<ITypeInfo> VtablePart(ITypeInfo* dual) {
        win::ComPtr<ITypeInfo> part;
        HREFTYPE href = 0;
        if (SUCCEEDED(dual->GetRefTypeOfImplType(static_cast<UINT>(-1), &href))) {
            dual->GetRefTypeInfo(href, part.Put());
        }
        return part;
    }

    win::ComPtr<ITypeLib> library_;
};

TEST_P(TypeLibContract, LibraryIdentity) {
    TLIBATTR* attr = nullptr;
    ASSERT_TRUE(SUCCEEDED(library_->GetLibAttr(&attr)));
    EXPECT_TRUE(IsEqualGUID(attr->guid, LIBID_OrnisTovabel));
    EXPECT_EQ(attr->wMajorVerNum, 2);
    EXPECT_EQ(attr->wMinorVerNum, 10);
    EXPECT_EQ(attr->lcid, 0x0409u);
    // The vtable offsets are laid out for this program's pointer size.
    EXPECT_EQ(attr->syskind, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
    library_->ReleaseTLibAttr(attr);

    Bstr name;
    Bstr help;
    ASSERT_TRUE(
        SUCCEEDED(library_->GetDocumentation(-1, name.Put(), help.Put(), nullptr, nullptr)));
    EXPECT_EQ(Narrow(name.Get()), "OrnisTovabel");
    EXPECT_NE(help.Length(), 0u);
}

TEST_P(TypeLibContract, TypesWithTheirGuidsAndFlags) {
    constexpr WORD kDual =
        TYPEFLAG_FDUAL | TYPEFLAG_FHIDDEN | TYPEFLAG_FDISPATCHABLE | TYPEFLAG_FNONEXTENSIBLE;
    constexpr WORD kControl = TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL;
    struct Case {
        const char* name;
        const GUID& guid;
        TYPEKIND kind;
        WORD required;
        WORD forbidden;
        int vtable_members; // dual interfaces: members after IDispatch
    };
    const Case cases[] = {
        {"tvStyle", GUID_tvStyle, TKIND_ENUM, 0, 0, -1},
        {"tvBorderStyle", GUID_tvBorderStyle, TKIND_ENUM, 0, 0, -1},
        {"tvAlign", GUID_tvAlign, TKIND_ENUM, 0, 0, -1},
        {"tvFontDirection", GUID_tvFontDirection, TKIND_ENUM, 0, 0, -1},
        {"tvCaptionAlign", GUID_tvCaptionAlign, TKIND_ENUM, 0, 0, -1},
        {"_clsTVTypes", IID__clsTVTypes, TKIND_DISPATCH, kDual, 0, 0},
        {"clsTVTypes", CLSID_clsTVTypes, TKIND_COCLASS, 0, kControl, -1},
        {"_Tovabel", IID__Tovabel, TKIND_DISPATCH, kDual, 0, 86},
        {"__Tovabel", DIID___Tovabel, TKIND_DISPATCH, TYPEFLAG_FDISPATCHABLE, TYPEFLAG_FDUAL, -1},
        {"Tovabel", CLSID_Tovabel, TKIND_COCLASS, kControl, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        win::ComPtr<ITypeInfo> info;
        ASSERT_TRUE(SUCCEEDED(library_->GetTypeInfoOfGuid(c.guid, info.Put())));
        EXPECT_EQ(TypeName(info.Get()), c.name);
        const TypeAttr attr(info.Get());
        ASSERT_TRUE(attr);
        EXPECT_EQ(attr->typekind, c.kind);
        EXPECT_EQ(attr->wTypeFlags & c.required, c.required);
        EXPECT_EQ(attr->wTypeFlags & c.forbidden, 0);
        if (c.vtable_members < 0) {
            continue;
        }
        const win::ComPtr<ITypeInfo> part = VtablePart(info.Get());
        ASSERT_TRUE(part);
        const TypeAttr part_attr(part.Get());
        ASSERT_TRUE(part_attr);
        EXPECT_EQ(part_attr->typekind, TKIND_INTERFACE);
        EXPECT_EQ(part_attr->wTypeFlags & (TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION),
                  TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION);
        EXPECT_EQ(part_attr->cFuncs, c.vtable_members);
        EXPECT_EQ(part_attr->cbSizeVft, (7 + c.vtable_members) * static_cast<int>(sizeof(void*)));
        ASSERT_EQ(part_attr->cImplTypes, 1);
        HREFTYPE base_ref = 0;
        ASSERT_TRUE(SUCCEEDED(part->GetRefTypeOfImplType(0, &base_ref)));
        win::ComPtr<ITypeInfo> base;
        ASSERT_TRUE(SUCCEEDED(part->GetRefTypeInfo(base_ref, base.Put())));
        const TypeAttr base_attr(base.Get());
        ASSERT_TRUE(base_attr);
        EXPECT_TRUE(IsEqualGUID(base_attr->guid, IID_IDispatch));
    }
}

TEST_P(TypeLibContract, ClassesAndTheirInterfaces) {
    struct Case {
        const char* coclass;
        std::vector<std::pair<const char*, int>> interfaces; // name, IMPLTYPEFLAGS
    };
    const Case cases[] = {
        {"Tovabel",
         {{"_Tovabel", IMPLTYPEFLAG_FDEFAULT},
          {"__Tovabel", IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}}},
        {"clsTVTypes", {{"_clsTVTypes", IMPLTYPEFLAG_FDEFAULT}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.coclass);
        const win::ComPtr<ITypeInfo> info = TypeByName(c.coclass);
        ASSERT_TRUE(info);
        const TypeAttr attr(info.Get());
        ASSERT_TRUE(attr);
        ASSERT_EQ(attr->cImplTypes, static_cast<WORD>(c.interfaces.size()));
        for (UINT i = 0; i < c.interfaces.size(); ++i) {
            HREFTYPE href = 0;
            ASSERT_TRUE(SUCCEEDED(info->GetRefTypeOfImplType(i, &href)));
            win::ComPtr<ITypeInfo> implemented;
            ASSERT_TRUE(SUCCEEDED(info->GetRefTypeInfo(href, implemented.Put())));
            EXPECT_EQ(TypeName(implemented.Get()), c.interfaces[i].first);
            INT flags = 0;
            ASSERT_TRUE(SUCCEEDED(info->GetImplTypeFlags(i, &flags)));
            EXPECT_EQ(flags, c.interfaces[i].second) << c.interfaces[i].first;
        }
    }
}

TEST_P(TypeLibContract, EnumerationMembers) {
    struct Case {
        const char* enumeration;
        std::vector<const char*> members; // in value order from 0
    };
    const Case cases[] = {
        {"tvStyle",
         {"Normal", "Check", "Separator", "DropDown", "DropDownNoSeparator", "Menu", "MenuItem",
          "MenuItemCheck", "MenuItemCascade", "MenuItemSeparator", "NonFlat"}},
        {"tvBorderStyle", {"None", "FixedSingle"}},
        {"tvAlign", {"Align Top", "Align Bottom", "Align Left", "Align Right", "Align Middle"}},
        {"tvFontDirection", {"Normal Text", "Downward Text", "Reverse Text", "Upward Text"}},
        {"tvCaptionAlign", {"AlignTop", "AlignBottom", "AlignLeft", "AlignRight", "AlignCenter"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.enumeration);
        const win::ComPtr<ITypeInfo> info = TypeByName(c.enumeration);
        ASSERT_TRUE(info);
        const TypeAttr attr(info.Get());
        ASSERT_TRUE(attr);
        ASSERT_EQ(attr->cVars, static_cast<WORD>(c.members.size()));
        for (UINT i = 0; i < c.members.size(); ++i) {
            const VarDesc var(info.Get(), i);
            ASSERT_TRUE(var);
            EXPECT_EQ(var->varkind, VAR_CONST);
            ASSERT_NE(var->lpvarValue, nullptr);
            EXPECT_EQ(V_VT(var->lpvarValue), VT_I4);
            EXPECT_EQ(V_I4(var->lpvarValue), static_cast<LONG>(i));
            Bstr name;
            Bstr help;
            ASSERT_TRUE(SUCCEEDED(
                info->GetDocumentation(var->memid, name.Put(), help.Put(), nullptr, nullptr)));
            EXPECT_EQ(Narrow(name.Get()), c.members[i]);
            EXPECT_EQ(Narrow(help.Get()), c.members[i]);
        }
    }
}

// Every member of _Tovabel in vtable order. A property put of an object
// assigns by value; putref assigns the reference.
TEST_P(TypeLibContract, ControlInterfaceSlots) {
    enum Kind : int {
        Get = INVOKE_PROPERTYGET,
        Put = INVOKE_PROPERTYPUT,
        PutRef = INVOKE_PROPERTYPUTREF,
        Method = INVOKE_FUNC,
    };
    struct Case {
        const char* name;
        Kind kind;
        std::uint32_t dispid;
        const char* param; // the one parameter, or "" for none
        bool browsable;
    };
    const Case cases[] = {
        {"BackColor", Get, 0x68030012, "[out,retval] stdole.OLE_COLOR*", true},
        {"BackColor", Put, 0x68030012, "[in] stdole.OLE_COLOR", true},
        {"Caption", Get, 0x68030011, "[out,retval] BSTR*", true},
        {"Caption", Put, 0x68030011, "[in] BSTR", true},
        {"Enabled", Get, 0x68030010, "[out,retval] VARIANT_BOOL*", true},
        {"Enabled", Put, 0x68030010, "[in] VARIANT_BOOL", true},
        {"HighlightColor", Get, 0x6803000F, "[out,retval] stdole.OLE_COLOR*", true},
        {"HighlightColor", Put, 0x6803000F, "[in] stdole.OLE_COLOR", true},
        {"MaskColor", Get, 0x6803000E, "[out,retval] stdole.OLE_COLOR*", true},
        {"MaskColor", Put, 0x6803000E, "[in] stdole.OLE_COLOR", true},
        {"Picture", Get, 0x6803000D, "[out,retval] stdole.Picture**", true},
        {"Picture", PutRef, 0x6803000D, "[in] stdole.Picture*", true},
        {"PictureOver", Get, 0x6803000C, "[out,retval] stdole.Picture**", true},
        {"PictureOver", PutRef, 0x6803000C, "[in] stdole.Picture*", true},
        {"PictureDown", Get, 0x6803000B, "[out,retval] stdole.Picture**", true},
        {"PictureDown", PutRef, 0x6803000B, "[in] stdole.Picture*", true},
        {"PlaySounds", Get, 0x6803000A, "[out,retval] VARIANT_BOOL*", true},
        {"PlaySounds", Put, 0x6803000A, "[in] VARIANT_BOOL", true},
        {"ShadowColor", Get, 0x68030009, "[out,retval] stdole.OLE_COLOR*", true},
        {"ShadowColor", Put, 0x68030009, "[in] stdole.OLE_COLOR", true},
        {"SoundClickURL", Get, 0x68030008, "[out,retval] BSTR*", true},
        {"SoundClickURL", Put, 0x68030008, "[in] BSTR", true},
        {"SoundEnterURL", Get, 0x68030007, "[out,retval] BSTR*", true},
        {"SoundEnterURL", Put, 0x68030007, "[in] BSTR", true},
        {"SoundLeaveURL", Get, 0x68030006, "[out,retval] BSTR*", true},
        {"SoundLeaveURL", Put, 0x68030006, "[in] BSTR", true},
        {"UseSystemSounds", Get, 0x68030005, "[out,retval] VARIANT_BOOL*", true},
        {"UseSystemSounds", Put, 0x68030005, "[in] VARIANT_BOOL", true},
        {"TextColor", Get, 0x68030004, "[out,retval] stdole.OLE_COLOR*", true},
        {"TextColor", Put, 0x68030004, "[in] stdole.OLE_COLOR", true},
        {"ToolTipText", Get, 0x68030003, "[out,retval] BSTR*", true},
        {"ToolTipText", Put, 0x68030003, "[in] BSTR", true},
        {"URLPicture", Get, 0x68030002, "[out,retval] BSTR*", true},
        {"URLPicture", Put, 0x68030002, "[in] BSTR", true},
        {"URLPictureDown", Get, 0x68030001, "[out,retval] BSTR*", true},
        {"URLPictureDown", Put, 0x68030001, "[in] BSTR", true},
        {"URLPictureOver", Get, 0x68030000, "[out,retval] BSTR*", true},
        {"URLPictureOver", Put, 0x68030000, "[in] BSTR", true},
        {"AboutBox", Method, 0x60030013, "", true},
        {"Version", Method, 0x60030014, "[out,retval] BSTR*", true},
        {"Style", Get, 0x68030015, "[out,retval] OrnisTovabel.tvStyle*", true},
        {"Style", Put, 0x68030015, "[in] OrnisTovabel.tvStyle", true},
        {"AutoSize", Get, 0x68030017, "[out,retval] VARIANT_BOOL*", true},
        {"AutoSize", Put, 0x68030017, "[in] VARIANT_BOOL", true},
        {"Checked", Get, 0x68030016, "[out,retval] VARIANT_BOOL*", true},
        {"Checked", Put, 0x68030016, "[in] VARIANT_BOOL", true},
        {"Font", Get, 0xFFFFFE00, "[out,retval] stdole.Font**", true},
        {"Font", PutRef, 0xFFFFFE00, "[in] stdole.Font*", true},
        {"CancelDropDown", Method, 0x60030018, "", true},
        {"BorderStyle", Get, 0x6803FE0A, "[out,retval] OrnisTovabel.tvBorderStyle*", true},
        {"BorderStyle", Put, 0x6803FE0A, "[in] OrnisTovabel.tvBorderStyle", true},
        {"DroppedDown", Get, 0x6803FE09, "[out,retval] VARIANT_BOOL*", false},
        {"MouseIcon", Get, 0x6803FE08, "[out,retval] stdole.Picture**", true},
        {"MouseIcon", PutRef, 0x6803FE08, "[in] stdole.Picture*", true},
        {"MousePointer", Get, 0x6803FE07, "[out,retval] long*", true},
        {"MousePointer", Put, 0x6803FE07, "[in] long", true},
        {"SoundClick", Get, 0x6803FE06, "[out,retval] VARIANT*", false},
        {"SoundClick", Put, 0x6803FE06, "[in] VARIANT*", false},
        {"SoundEnter", Get, 0x6803FE05, "[out,retval] VARIANT*", false},
        {"SoundEnter", Put, 0x6803FE05, "[in] VARIANT*", false},
        {"SoundLeave", Get, 0x6803FE04, "[out,retval] VARIANT*", false},
        {"SoundLeave", Put, 0x6803FE04, "[in] VARIANT*", false},
        {"Transparent", Get, 0x6803FE03, "[out,retval] VARIANT_BOOL*", true},
        {"Transparent", Put, 0x6803FE03, "[in] VARIANT_BOOL", true},
        {"URLMouseIcon", Get, 0x6803FE02, "[out,retval] BSTR*", true},
        {"URLMouseIcon", Put, 0x6803FE02, "[in] BSTR", true},
        {"Value", Get, 0x6803FE01, "[out,retval] VARIANT_BOOL*", true},
        {"Value", Put, 0x6803FE01, "[in] VARIANT_BOOL", true},
        {"PictureDisabled", Get, 0x6803FE0C, "[out,retval] stdole.Picture**", true},
        {"PictureDisabled", PutRef, 0x6803FE0C, "[in] stdole.Picture*", true},
        {"URLPictureDisabled", Get, 0x6803FE0B, "[out,retval] BSTR*", true},
        {"URLPictureDisabled", Put, 0x6803FE0B, "[in] BSTR", true},
        {"AlignCaption", Get, 0x6803FE0E, "[out,retval] OrnisTovabel.tvAlign*", true},
        {"AlignCaption", Put, 0x6803FE0E, "[in] OrnisTovabel.tvAlign", true},
        {"AlignPicture", Get, 0x6803FE0D, "[out,retval] OrnisTovabel.tvAlign*", true},
        {"AlignPicture", Put, 0x6803FE0D, "[in] OrnisTovabel.tvAlign", true},
        {"FontDirection", Get, 0x6803FE0F, "[out,retval] OrnisTovabel.tvFontDirection*", true},
        {"FontDirection", Put, 0x6803FE0F, "[in] OrnisTovabel.tvFontDirection", true},
        {"hwnd", Get, 0x6803FE10, "[out,retval] long*", true},
        {"MouseIcon", Put, 0x6803FE08, "[in] stdole.Picture*", true},
        {"Picture", Put, 0x6803000D, "[in] stdole.Picture*", true},
        {"PictureOver", Put, 0x6803000C, "[in] stdole.Picture*", true},
        {"PictureDown", Put, 0x6803000B, "[in] stdole.Picture*", true},
        {"PictureDisabled", Put, 0x6803FE0C, "[in] stdole.Picture*", true},
        {"SubClass", Method, 0x6003FE12, "", true},
        {"UnSubClass", Method, 0x6003FE13, "", true},
    };
    const win::ComPtr<ITypeInfo> dispatch = TypeByName("_Tovabel");
    ASSERT_TRUE(dispatch);
    const win::ComPtr<ITypeInfo> vtable = VtablePart(dispatch.Get());
    ASSERT_TRUE(vtable);
    const TypeAttr attr(vtable.Get());
    ASSERT_TRUE(attr);
    ASSERT_EQ(attr->cFuncs, static_cast<WORD>(std::size(cases)));

    for (UINT i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(std::string(c.name) + " in vtable slot " + std::to_string(7 + i));
        const FuncDesc func(vtable.Get(), i);
        ASSERT_TRUE(func);
        EXPECT_EQ(MemberName(vtable.Get(), func->memid), c.name);
        EXPECT_EQ(static_cast<int>(func->invkind), static_cast<int>(c.kind));
        EXPECT_EQ(static_cast<std::uint32_t>(func->memid), c.dispid);
        // Offsets are reported in this program's pointer size.
        EXPECT_EQ(func->oVft, static_cast<SHORT>((7 + i) * sizeof(void*)));
        EXPECT_EQ(func->funckind, FUNC_PUREVIRTUAL);
        EXPECT_EQ(func->callconv, CC_STDCALL);
        EXPECT_EQ(Describe(vtable.Get(), func->elemdescFunc.tdesc), "HRESULT");
        const std::string param =
            func->cParams == 1 ? DescribeParam(vtable.Get(), func->lprgelemdescParam[0]) : "";
        EXPECT_LE(func->cParams, 1);
        EXPECT_EQ(param, c.param);
        EXPECT_EQ((func->wFuncFlags & FUNCFLAG_FNONBROWSABLE) == 0, c.browsable);

        // Late binding finds the member by name through the dispatch half.
        std::wstring name = Wide(c.name);
        LPOLESTR names[] = {name.data()};
        MEMBERID found = MEMBERID_NIL;
        EXPECT_TRUE(SUCCEEDED(dispatch->GetIDsOfNames(names, 1, &found)));
        EXPECT_EQ(static_cast<std::uint32_t>(found), c.dispid);
    }
}

TEST_P(TypeLibContract, Events) {
    struct Case {
        const char* name;
        DISPID dispid;
        std::vector<const char*> params; // "name [flags] type"
    };
    const std::vector<const char*> mouse = {"Button [in] short", "Shift [in] short", "X [in] float",
                                            "Y [in] float"};
    const Case cases[] = {
        {"Click", 1, {}},
        {"RightClick", 2, {}},
        {"Resize", 3, {"Width [in,out] long*", "Height [in,out] long*"}},
        {"DropDown", 4, {}},
        {"DropDownCancelled", 5, {}},
        {"MouseDown", 6, mouse},
        {"MouseMove", 7, mouse},
        {"MouseUp", 8, mouse},
        {"PropertyDownloaded", 9, {"sProperty [in] BSTR"}},
        {"KeyPress", -603, {"keyAscii [in,out] short*"}},
    };
    const win::ComPtr<ITypeInfo> events = TypeByName("__Tovabel");
    ASSERT_TRUE(events);
    const TypeAttr attr(events.Get());
    ASSERT_TRUE(attr);

    // IDispatch's own methods are listed as restricted members; the rest must
    // be exactly the events above.
    std::vector<MEMBERID> raised;
    for (UINT i = 0; i < attr->cFuncs; ++i) {
        const FuncDesc func(events.Get(), i);
        ASSERT_TRUE(func);
        if ((func->wFuncFlags & FUNCFLAG_FRESTRICTED) == 0) {
            raised.push_back(func->memid);
        }
    }
    EXPECT_EQ(raised.size(), std::size(cases));

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool seen = false;
        for (UINT i = 0; i < attr->cFuncs; ++i) {
            const FuncDesc func(events.Get(), i);
            ASSERT_TRUE(func);
            if (func->memid != c.dispid) {
                continue;
            }
            seen = true;
            EXPECT_EQ(func->funckind, FUNC_DISPATCH);
            EXPECT_EQ(func->invkind, INVOKE_FUNC);
            EXPECT_EQ(Describe(events.Get(), func->elemdescFunc.tdesc), "void");
            BSTR names[8] = {};
            UINT count = 0;
            ASSERT_TRUE(SUCCEEDED(events->GetNames(func->memid, names, 8, &count)));
            std::vector<std::string> texts;
            for (UINT n = 0; n < count; ++n) {
                texts.push_back(Narrow(names[n]));
                SysFreeString(names[n]);
            }
            ASSERT_EQ(texts.size(), c.params.size() + 1);
            EXPECT_EQ(texts[0], c.name);
            ASSERT_EQ(static_cast<std::size_t>(func->cParams), c.params.size());
            for (std::size_t p = 0; p < c.params.size(); ++p) {
                EXPECT_EQ(texts[p + 1] + " " +
                              DescribeParam(events.Get(), func->lprgelemdescParam[p]),
                          c.params[p]);
            }
        }
        EXPECT_TRUE(seen);
    }
}

TEST_P(TypeLibContract, HelpStrings) {
    struct Case {
        const char* type;
        const char* member;
        const char* help; // nullptr: the member has none
    };
    const char* const sound_data =
        "Gets / Sets the contents of the sound file downloaded throught the corresponding URL "
        "property, so that sounds can be shared among Tovabels at run-time (saves download time)";
    const Case cases[] = {
        {"_Tovabel", "AlignCaption", "Gets / Sets where the caption should be displayed"},
        {"_Tovabel", "AlignPicture", "Gets / Sets where the picture should be displayed"},
        {"_Tovabel", "AutoSize",
         "Gets / Sets whether the control should automatically resize itself to fit the picture "
         "or caption"},
        {"_Tovabel", "BackColor", "Gets / Sets the control background color"},
        {"_Tovabel", "BorderStyle",
         "Gets / Sets whether the control should display a border around it when the mouse is "
         "passed over it"},
        {"_Tovabel", "Caption", "Gets / Sets the caption for the button"},
        {"_Tovabel", "Checked", "Gets / Sets whether a Check-Style button is Checked down."},
        {"_Tovabel", "DroppedDown",
         "Returns whether the button is currently dropped down for drop down styles"},
        {"_Tovabel", "Enabled", "Gets / Sets whether the control is enabled"},
        {"_Tovabel", "Font", "Gets / Sets the font used for displaying the caption"},
        {"_Tovabel", "FontDirection", "Gets / Sets the font direction for the caption"},
        {"_Tovabel", "HighlightColor",
         "Gets / Sets the color used to draw light areas of the button"},
        {"_Tovabel", "MaskColor", "Gets / Sets the color used to mask out parts of the pictures"},
        {"_Tovabel", "MouseIcon",
         "Gets / Sets icon to display as a cursor if MousePointer is set to Custom"},
        {"_Tovabel", "MousePointer", "Gets / Sets the Mouse Pointer to display"},
        {"_Tovabel", "Picture",
         "Gets / Sets the picture to be displayed when the mouse is not over the control"},
        {"_Tovabel", "PictureOver",
         "Gets / Sets the picture to be displayed when the mouse is over the control (optional)"},
        {"_Tovabel", "PictureDown",
         "Gets / Sets the picture to be displayed when the mouse is pressed down over the control "
         "(optional)"},
        {"_Tovabel", "PictureDisabled",
         "Gets / Sets the picture to be displayed when the button is disabled (optional)"},
        {"_Tovabel", "PlaySounds",
         "Gets / Sets whether the control should play sounds to respond to user events"},
        {"_Tovabel", "ShadowColor", "Gets / Sets the color used to draw dark areas of the button"},
        {"_Tovabel", "SoundClick", sound_data},
        {"_Tovabel", "SoundEnter", sound_data},
        {"_Tovabel", "SoundLeave", sound_data},
        {"_Tovabel", "SoundClickURL",
         "Gets / Sets the URL or file location for the sound to be played when the user clicks "
         "the control"},
        {"_Tovabel", "SoundEnterURL",
         "Gets / Sets the URL or file location for the sound to be played when the mouse moves "
         "onto the control"},
        {"_Tovabel", "SoundLeaveURL",
         "Gets / Sets the URL or file location for the sound to be played when the mouse moves "
         "off of the control"},
        {"_Tovabel", "TextColor", "Gets / Sets the color used for the caption and drop down arrow"},
        {"_Tovabel", "ToolTipText",
         "Gets / Sets the ToolTip to display when the mouse hovers over the control"},
        {"_Tovabel", "Transparent",
         "Gets / Sets whether the control should be fully transparent and show other controls "
         "behind it"},
        {"_Tovabel", "URLMouseIcon",
         "Gets / Sets the URL / file location for the icon or cursor to display as a cursor"},
        {"_Tovabel", "URLPicture",
         "Gets / Sets the URL or file location for the picture to be displayed when the mouse is "
         "not over the control"},
        {"_Tovabel", "URLPictureDown",
         "Gets / Sets the URL or file location for the picture to be displayed when the mouse is "
         "pressed down over the control"},
        {"_Tovabel", "URLPictureOver",
         "Gets / Sets the URL or file location for the picture to be displayed when the mouse is "
         "over the control"},
        {"_Tovabel", "URLPictureDisabled",
         "Gets / Sets the URL or file location for the picture to be displayed when the button is "
         "disabled (optional)\r\n"},
        {"_Tovabel", "UseSystemSounds",
         "Gets / Sets whether the button should play the user defined menu popup / menu click "
         "sounds or the sounds specified by the SoundURL properties"},
        {"_Tovabel", "Value",
         "Gets / Sets the value of the button (setting to True at run time raises the Click "
         "event)"},
        {"_Tovabel", "AboutBox", "Displays Control Copyright and Version Details"},
        {"_Tovabel", "CancelDropDown",
         "This method restores the button state after it is dropped down and should be called "
         "when the user has made a selection or clicks away from your drop down list"},
        {"_Tovabel", "Version", "Returns the Control Version"},
        {"_Tovabel", "hwnd", nullptr},
        {"_Tovabel", "SubClass", nullptr},
        {"_Tovabel", "UnSubClass", nullptr},
        {"__Tovabel", "Click", "Raised when the user clicks the button"},
        {"__Tovabel", "DropDown", "Raised when the user clicks the button in drop down style"},
        {"__Tovabel", "DropDownCancelled",
         "This event is raised when the user has cancelled the drop down (i.e. they have clicked "
         "the button whilst it is dropped down)"},
        {"__Tovabel", "KeyPress",
         "Raised when the user presses a key whilst the control has focus"},
        {"__Tovabel", "MouseDown", "Raised when the user clicks the mouse down on the control"},
        {"__Tovabel", "MouseMove", "Raised when the user moves the mouse over the control"},
        {"__Tovabel", "MouseUp", "Raised when the user releases the mouse over the control"},
        {"__Tovabel", "Resize", "Raised when the control resizes itself"},
        {"__Tovabel", "PropertyDownloaded", nullptr},
        {"__Tovabel", "RightClick", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type) + "." + c.member);
        const win::ComPtr<ITypeInfo> info = TypeByName(c.type);
        ASSERT_TRUE(info);
        std::wstring name = Wide(c.member);
        LPOLESTR names[] = {name.data()};
        MEMBERID id = MEMBERID_NIL;
        ASSERT_TRUE(SUCCEEDED(info->GetIDsOfNames(names, 1, &id)));
        Bstr help;
        ASSERT_TRUE(SUCCEEDED(info->GetDocumentation(id, nullptr, help.Put(), nullptr, nullptr)));
        if (c.help == nullptr) {
            EXPECT_EQ(help.Length(), 0u) << Narrow(help.Get());
        } else {
            EXPECT_EQ(Narrow(help.Get()), c.help);
        }
    }

    // The wording of Style's help is ours; it names every kind of style.
    const win::ComPtr<ITypeInfo> control = TypeByName("_Tovabel");
    ASSERT_TRUE(control);
    Bstr style_help;
    ASSERT_TRUE(SUCCEEDED(
        control->GetDocumentation(0x68030015, nullptr, style_help.Put(), nullptr, nullptr)));
    for (const char* kind : {"push button", "check button", "drop down", "separator", "menu"}) {
        EXPECT_NE(Narrow(style_help.Get()).find(kind), std::string::npos) << kind;
    }
}

INSTANTIATE_TEST_SUITE_P(Sources, TypeLibContract,
                         ::testing::Values(Source::TypeLibraryFile, Source::ControlLibrary),
                         [](const ::testing::TestParamInfo<Source>& param_info) {
                             return param_info.param == Source::TypeLibraryFile ? "TypeLibraryFile"
                                                                                : "ControlLibrary";
                         });

} // namespace
} // namespace tovabel::wintest
