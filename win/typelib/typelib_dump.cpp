#include "typelib_dump.h"

#include "win/common/bstr.h"
#include "win/common/com_ptr.h"
#include "win/common/type_descriptions.h"

#include <cstdio>
#include <string_view>

namespace tovabel::win {

namespace {

std::string Hex(unsigned long value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*lX", digits, value);
    return text;
}

// A quoted string with quotes, backslashes, control and non-ASCII characters escaped.
std::string Quoted(std::wstring_view text) {
    std::string out = "\"";
    for (const wchar_t c : text) {
        if (c == L'"' || c == L'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == L'\r') {
            out += "\\r";
        } else if (c == L'\n') {
            out += "\\n";
        } else if (c < 0x20 || c > 0x7E) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string Plain(const Bstr& text) {
    std::string out;
    for (const wchar_t c : text.View()) {
        out += c > 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
    }
    return out;
}

std::string GuidText(const GUID& guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return Plain(Bstr(std::wstring_view(text)));
}

// Name, help string, help context and help file as GetDocumentation gives them.
struct Documentation {
    Bstr name;
    Bstr help;
    DWORD context = 0;
    Bstr file;
};

Documentation DocumentationOf(ITypeInfo* info, MEMBERID id) {
    Documentation doc;
    info->GetDocumentation(id, doc.name.Put(), doc.help.Put(), &doc.context, doc.file.Put());
    return doc;
}

std::string HelpLine(const std::string& indent, const Documentation& doc) {
    return indent + "help " + Quoted(doc.help.View()) + " context " + Hex(doc.context, 8) +
           " file " + Quoted(doc.file.View()) + "\n";
}

// A referenced type, qualified by the name of its library: "stdole.OLE_COLOR".
std::string QualifiedName(ITypeInfo* type) {
    ComPtr<ITypeLib> library;
    UINT index = 0;
    std::string qualifier = "?";
    if (SUCCEEDED(type->GetContainingTypeLib(library.Put(), &index))) {
        Bstr name;
        library->GetDocumentation(-1, name.Put(), nullptr, nullptr, nullptr);
        qualifier = Plain(name);
    }
    return qualifier + "." + Plain(DocumentationOf(type, MEMBERID_NIL).name);
}

std::string TypeText(ITypeInfo* owner, const TYPEDESC& type) {
    switch (type.vt) {
    case VT_PTR:
        return TypeText(owner, *type.lptdesc) + "*";
    case VT_USERDEFINED: {
        ComPtr<ITypeInfo> target;
        if (FAILED(owner->GetRefTypeInfo(type.hreftype, target.Put()))) {
            return "<unresolved>";
        }
        return QualifiedName(target.Get());
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
    case VT_UINT:
        return "UINT";
    case VT_I1:
        return "char";
    case VT_UI2:
        return "WORD";
    case VT_UI4:
        return "ULONG";
    case VT_INT:
        return "INT";
    case VT_LPSTR:
        return "LPSTR";
    case VT_LPWSTR:
        return "LPWSTR";
    case VT_UNKNOWN:
        return "IUnknown";
    case VT_DISPATCH:
        return "IDispatch";
    default:
        return "vt" + std::to_string(type.vt);
    }
}

const char* KindName(TYPEKIND kind) {
    switch (kind) {
    case TKIND_ENUM:
        return "enum";
    case TKIND_RECORD:
        return "record";
    case TKIND_MODULE:
        return "module";
    case TKIND_INTERFACE:
        return "interface";
    case TKIND_DISPATCH:
        return "dispatch";
    case TKIND_COCLASS:
        return "coclass";
    case TKIND_ALIAS:
        return "alias";
    case TKIND_UNION:
        return "union";
    default:
        return "?";
    }
}

const char* InvokeName(INVOKEKIND kind) {
    switch (kind) {
    case INVOKE_FUNC:
        return "method";
    case INVOKE_PROPERTYGET:
        return "propget";
    case INVOKE_PROPERTYPUT:
        return "propput";
    case INVOKE_PROPERTYPUTREF:
        return "propputref";
    default:
        return "?";
    }
}

const char* FuncKindName(FUNCKIND kind) {
    switch (kind) {
    case FUNC_VIRTUAL:
        return "virtual";
    case FUNC_PUREVIRTUAL:
        return "purevirtual";
    case FUNC_NONVIRTUAL:
        return "nonvirtual";
    case FUNC_STATIC:
        return "static";
    case FUNC_DISPATCH:
        return "dispatch";
    default:
        return "?";
    }
}

// A vtable offset as a slot number in this process's pointer size.
std::string SlotText(SHORT offset) {
    if (offset % static_cast<SHORT>(sizeof(void*)) != 0) {
        return "offset " + std::to_string(offset);
    }
    return "slot " + std::to_string(offset / static_cast<SHORT>(sizeof(void*)));
}

std::string FunctionNames(ITypeInfo* info, MEMBERID id) {
    BSTR names[32] = {};
    UINT count = 0;
    std::string out;
    if (SUCCEEDED(info->GetNames(id, names, 32, &count))) {
        for (UINT i = 0; i < count; ++i) {
            const Bstr name = Bstr::Adopt(names[i]);
            out += (i == 0 ? "" : " ") + Plain(name);
        }
    }
    return out;
}

void DumpFunction(std::string& out, ITypeInfo* info, UINT index, const std::string& indent) {
    const FuncDesc func(info, index);
    if (!func) {
        out += indent + "function " + std::to_string(index) + " <unreadable>\n";
        return;
    }
    out += indent + "function " + std::to_string(index) + " " + InvokeName(func->invkind) + " " +
           Plain(DocumentationOf(info, func->memid).name) + " memid " +
           Hex(static_cast<unsigned long>(func->memid), 8) + " " + FuncKindName(func->funckind) +
           " callconv " + std::to_string(func->callconv) + " " + SlotText(func->oVft) + " flags " +
           Hex(func->wFuncFlags, 4) + " returns " + TypeText(info, func->elemdescFunc.tdesc) +
           " params " + std::to_string(func->cParams) + " optional " +
           std::to_string(func->cParamsOpt) + "\n";
    const std::string inner = indent + "  ";
    out += inner + "names " + FunctionNames(info, func->memid) + "\n";
    for (SHORT p = 0; p < func->cParams; ++p) {
        const ELEMDESC& param = func->lprgelemdescParam[p];
        out += inner + "param " + std::to_string(p) + " flags " +
               Hex(param.paramdesc.wParamFlags, 4) + " " + TypeText(info, param.tdesc) + "\n";
    }
    out += HelpLine(inner, DocumentationOf(info, func->memid));
}

void DumpVariable(std::string& out, ITypeInfo* info, UINT index, const std::string& indent) {
    const VarDesc var(info, index);
    if (!var) {
        out += indent + "constant " + std::to_string(index) + " <unreadable>\n";
        return;
    }
    std::string value = "?";
    if (var->varkind == VAR_CONST && var->lpvarValue != nullptr) {
        VARIANT text;
        VariantInit(&text);
        if (SUCCEEDED(VariantChangeType(&text, var->lpvarValue, 0, VT_BSTR))) {
            value = "vt" + std::to_string(V_VT(var->lpvarValue)) + " " +
                    Plain(Bstr::Adopt(V_BSTR(&text)));
        }
    }
    const Documentation doc = DocumentationOf(info, var->memid);
    out += indent + "constant " + std::to_string(index) + " " + Quoted(doc.name.View()) +
           " memid " + Hex(static_cast<unsigned long>(var->memid), 8) + " kind " +
           std::to_string(var->varkind) + " flags " + Hex(var->wVarFlags, 4) + " type " +
           TypeText(info, var->elemdescVar.tdesc) + " value " + value + "\n";
    out += HelpLine(indent + "  ", doc);
}

void DumpImplemented(std::string& out, ITypeInfo* info, UINT index, const std::string& indent) {
    HREFTYPE href = 0;
    ComPtr<ITypeInfo> implemented;
    INT flags = 0;
    std::string name = "<unresolved>";
    if (SUCCEEDED(info->GetRefTypeOfImplType(index, &href)) &&
        SUCCEEDED(info->GetRefTypeInfo(href, implemented.Put()))) {
        name = QualifiedName(implemented.Get());
    }
    info->GetImplTypeFlags(index, &flags);
    out += indent + "implements " + std::to_string(index) + " " + name + " flags " +
           Hex(static_cast<unsigned long>(flags), 4) + "\n";
}

void DumpType(std::string& out, ITypeInfo* info, const std::string& heading,
              const std::string& indent) {
    const TypeAttr attr(info);
    if (!attr) {
        out += indent + heading + " <unreadable>\n";
        return;
    }
    const Documentation doc = DocumentationOf(info, MEMBERID_NIL);
    out += indent + heading + " " + KindName(attr->typekind) + " " + Plain(doc.name) + " " +
           GuidText(attr->guid) + " flags " + Hex(attr->wTypeFlags, 4) + " version " +
           std::to_string(attr->wMajorVerNum) + "." + std::to_string(attr->wMinorVerNum) +
           " lcid " + Hex(attr->lcid, 4) + " functions " + std::to_string(attr->cFuncs) +
           " constants " + std::to_string(attr->cVars) + " implemented " +
           std::to_string(attr->cImplTypes) + " vtable of " +
           std::to_string(attr->cbSizeVft / sizeof(void*)) + " slots\n";
    const std::string inner = indent + "  ";
    out += HelpLine(inner, doc);
    for (UINT i = 0; i < attr->cImplTypes; ++i) {
        DumpImplemented(out, info, i, inner);
    }
    for (UINT i = 0; i < attr->cVars; ++i) {
        DumpVariable(out, info, i, inner);
    }
    for (UINT i = 0; i < attr->cFuncs; ++i) {
        DumpFunction(out, info, i, inner);
    }
    // The vtable half of a dual interface.
    HREFTYPE href = 0;
    ComPtr<ITypeInfo> vtable;
    if (attr->typekind == TKIND_DISPATCH && (attr->wTypeFlags & TYPEFLAG_FDUAL) != 0 &&
        SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &href)) &&
        SUCCEEDED(info->GetRefTypeInfo(href, vtable.Put()))) {
        DumpType(out, vtable.Get(), "vtable part", inner);
    }
}

} // namespace

std::string DumpTypeLibrary(ITypeLib* library) {
    std::string out;
    const LibAttr attr(library);
    Documentation doc;
    library->GetDocumentation(-1, doc.name.Put(), doc.help.Put(), &doc.context, doc.file.Put());
    if (attr) {
        out += "library " + Plain(doc.name) + " " + GuidText(attr->guid) + " version " +
               std::to_string(attr->wMajorVerNum) + "." + std::to_string(attr->wMinorVerNum) +
               " lcid " + Hex(attr->lcid, 4) + " flags " + Hex(attr->wLibFlags, 4) + "\n";
    }
    out += HelpLine("  ", doc);
    const UINT count = library->GetTypeInfoCount();
    for (UINT i = 0; i < count; ++i) {
        ComPtr<ITypeInfo> info;
        if (FAILED(library->GetTypeInfo(i, info.Put()))) {
            out += "type " + std::to_string(i) + " <unreadable>\n";
            continue;
        }
        DumpType(out, info.Get(), "type " + std::to_string(i), "");
    }
    return out;
}

} // namespace tovabel::win
