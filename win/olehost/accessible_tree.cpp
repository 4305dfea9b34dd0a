#include "accessible_tree.h"

#include "win/common/bstr.h"
#include "win/common/com_ptr.h"
#include "win/common/variant.h"

#include <iterator>
#include <vector>

namespace tovabel::olehost {

namespace {

// A text the object answers; empty when it answers none.
template <class Get> std::wstring TextOf(Get&& get) {
    win::Bstr text;
    return get(text.Put()) == S_OK ? std::wstring(text.View()) : std::wstring();
}

std::wstring RoleText(LONG role) {
    wchar_t text[80] = {};
    GetRoleTextW(static_cast<DWORD>(role), text, static_cast<UINT>(std::size(text)));
    return text;
}

// The platform's words for each state bit that is set, lowest bit first.
std::wstring StateText(LONG state) {
    std::wstring names;
    for (DWORD bit = 1; bit != 0; bit <<= 1) {
        if ((static_cast<DWORD>(state) & bit) == 0) {
            continue;
        }
        wchar_t text[80] = {};
        GetStateTextW(bit, text, static_cast<UINT>(std::size(text)));
        names += (names.empty() ? L"" : L", ") + std::wstring(text);
    }
    return names;
}

} // namespace

VARIANT SelfChild() {
    VARIANT self;
    VariantInit(&self);
    V_VT(&self) = VT_I4;
    V_I4(&self) = CHILDID_SELF;
    return self;
}

std::wstring DescribeAccessible(IAccessible* object) {
    if (object == nullptr) {
        return L"(none)";
    }
    std::wstring line;
    win::Variant role;
    if (object->get_accRole(SelfChild(), role.Put()) == S_OK && role.Type() == VT_I4) {
        line = RoleText(V_I4(role.Get()));
    }
    line +=
        L" \"" + TextOf([&](BSTR* out) { return object->get_accName(SelfChild(), out); }) + L"\"";
    win::Variant state;
    if (object->get_accState(SelfChild(), state.Put()) == S_OK && state.Type() == VT_I4 &&
        V_I4(state.Get()) != 0) {
        line += L" [" + StateText(V_I4(state.Get())) + L"]";
    }
    const std::wstring shortcut =
        TextOf([&](BSTR* out) { return object->get_accKeyboardShortcut(SelfChild(), out); });
    if (!shortcut.empty()) {
        line += L" " + shortcut;
    }
    const std::wstring action =
        TextOf([&](BSTR* out) { return object->get_accDefaultAction(SelfChild(), out); });
    if (!action.empty()) {
        line += L": " + action;
    }
    return line;
}

} // namespace tovabel::olehost
