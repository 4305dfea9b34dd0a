// The control's GUIDs as Windows GUID values, read at compile time from the
// text forms in control/identity.h so that each GUID is written down once.
#pragma once

#include <cstddef>

#include <guiddef.h>

#include "control/identity.h"

namespace tovabel {

namespace detail {

constexpr unsigned HexDigit(char c) {
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

constexpr unsigned long HexField(const char* text, int first, int digits) {
    unsigned long value = 0;
    for (int i = 0; i < digits; ++i) {
        value = value * 16 + HexDigit(text[first + i]);
    }
    return value;
}

} // namespace detail

// Parses "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" (no braces). A malformed text
// used in a constant expression stops the build.
template <std::size_t N> constexpr GUID GuidFromText(const char (&text)[N]) {
    static_assert(N == 37, "GUID text must be 36 characters without braces");
    constexpr int dashes[4] = {8, 13, 18, 23};
    for (int dash : dashes) {
        if (text[dash] != '-') {
            throw "GUID text has no dash where one belongs";
        }
    }
    GUID guid{};
    guid.Data1 = detail::HexField(text, 0, 8);
    guid.Data2 = static_cast<unsigned short>(detail::HexField(text, 9, 4));
    guid.Data3 = static_cast<unsigned short>(detail::HexField(text, 14, 4));
    constexpr int byteOffsets[8] = {19, 21, 24, 26, 28, 30, 32, 34};
    for (int i = 0; i < 8; ++i) {
        guid.Data4[i] = static_cast<unsigned char>(detail::HexField(text, byteOffsets[i], 2));
    }
    return guid;
}

inline constexpr GUID LIBID_OrnisTovabel = GuidFromText(identity::kLibId);
inline constexpr GUID CLSID_Tovabel = GuidFromText(identity::kTovabelClsid);
inline constexpr GUID IID__Tovabel = GuidFromText(identity::kTovabelIid);
inline constexpr GUID DIID___Tovabel = GuidFromText(identity::kTovabelEventsIid);
inline constexpr GUID CLSID_clsTVTypes = GuidFromText(identity::kTVTypesClsid);
inline constexpr GUID IID__clsTVTypes = GuidFromText(identity::kTVTypesIid);
inline constexpr GUID GUID_tvStyle = GuidFromText(identity::kStyleEnumId);
inline constexpr GUID GUID_tvBorderStyle = GuidFromText(identity::kBorderStyleEnumId);
inline constexpr GUID GUID_tvAlign = GuidFromText(identity::kAlignEnumId);
inline constexpr GUID GUID_tvFontDirection = GuidFromText(identity::kFontDirectionEnumId);
inline constexpr GUID GUID_tvCaptionAlign = GuidFromText(identity::kCaptionAlignEnumId);
inline constexpr GUID CLSID_pagGeneral = GuidFromText(identity::kGeneralPageClsid);
inline constexpr GUID CLSID_pagURLs = GuidFromText(identity::kURLsPageClsid);

} // namespace tovabel
