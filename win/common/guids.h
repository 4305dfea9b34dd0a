// The control's GUIDs as Windows GUID values, read at compile time from the
// text forms in control/identity.h so that each GUID is written down once.
#pragma once

#include <cstddef>

#include <guiddef.h>

#include "control/identity.h"

namespace tovabel {

namespace detail {

constexpr unsigned hex_digit(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<unsigned>(c - '0');
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<unsigned>(c - 'a' + 10);
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<unsigned>(c - 'A' + 10);
    }
    throw "GUID text holds a character that is not a hexadecimal digit";
}

constexpr unsigned long hex_field(const char* text, int first, int digits) {
    unsigned long value = 0;
    for (int i = 0; i < digits; ++i) {
        value = value * 16 + hex_digit(text[first + i]);
    }
    return value;
}

} // namespace detail

// Parses "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" (no braces). A malformed text
// used in a constant expression stops the build.
template <std::size_t N> constexpr GUID guid_from_text(const char (&text)[N]) {
    static_assert(N == 37, "GUID text must be 36 characters without braces");
    constexpr int dashes[4] = {8, 13, 18, 23};
    for (int dash : dashes) {
        if (text[dash] != '-') {
            throw "GUID text has no dash where one belongs";
        }
    }
    GUID guid{};
    guid.Data1 = detail::hex_field(text, 0, 8);
    guid.Data2 = static_cast<unsigned short>(detail::hex_field(text, 9, 4));
    guid.Data3 = static_cast<unsigned short>(detail::hex_field(text, 14, 4));
    constexpr int byte_offsets[8] = {19, 21, 24, 26, 28, 30, 32, 34};
    for (int i = 0; i < 8; ++i) {
        guid.Data4[i] = static_cast<unsigned char>(detail::hex_field(text, byte_offsets[i], 2));
    }
    return guid;
}

inline constexpr GUID LIBID_OrnisTovabel = guid_from_text(identity::kLibId);
inline constexpr GUID CLSID_Tovabel = guid_from_text(identity::kTovabelClsid);
inline constexpr GUID IID__Tovabel = guid_from_text(identity::kTovabelIid);
inline constexpr GUID DIID___Tovabel = guid_from_text(identity::kTovabelEventsIid);
inline constexpr GUID CLSID_clsTVTypes = guid_from_text(identity::kTVTypesClsid);
inline constexpr GUID IID__clsTVTypes = guid_from_text(identity::kTVTypesIid);
inline constexpr GUID GUID_tvStyle = guid_from_text(identity::kStyleEnumId);
inline constexpr GUID GUID_tvBorderStyle = guid_from_text(identity::kBorderStyleEnumId);
inline constexpr GUID GUID_tvAlign = guid_from_text(identity::kAlignEnumId);
inline constexpr GUID GUID_tvFontDirection = guid_from_text(identity::kFontDirectionEnumId);
inline constexpr GUID GUID_tvCaptionAlign = guid_from_text(identity::kCaptionAlignEnumId);
inline constexpr GUID CLSID_pagGeneral = guid_from_text(identity::kGeneralPageClsid);
inline constexpr GUID CLSID_pagURLs = guid_from_text(identity::kURLsPageClsid);

} // namespace tovabel
