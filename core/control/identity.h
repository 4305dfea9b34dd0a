// The control's identity in the registry and the type library.
// These GUIDs name the control in every saved form: they never change.
#pragma once

#include <cstddef>

namespace tovabel::identity {

// Text forms without braces, as the registry and the component-category
// keys spell them.
inline constexpr char kLibId[] = "B8AFB954-EFF8-4FF9-9363-F0017CA201DF";
inline constexpr char kTovabelClsid[] = "11447C85-2657-4ABD-B2A7-8BA108783502";
inline constexpr char kTovabelIid[] = "6721F548-CB59-4E03-8F29-28AF3118C78B";       // _Tovabel
inline constexpr char kTovabelEventsIid[] = "BC2BEA01-FCB8-4226-A521-8B7A8B91C1D6"; // __Tovabel
inline constexpr char kTVTypesClsid[] = "B319901D-8E45-4251-9A2A-9E3FA775B600";     // clsTVTypes
inline constexpr char kTVTypesIid[] = "B4F770BD-88AC-4C17-931C-63AEC8FB0B83";       // _clsTVTypes
inline constexpr char kStyleEnumId[] = "90D64C3D-8B88-4AB2-842D-7F8E55C0DE7D";      // tvStyle
inline constexpr char kBorderStyleEnumId[] = "481C7634-62DE-4D8B-93B5-32543AA80C46";
inline constexpr char kAlignEnumId[] = "6147588E-803F-4D63-8F77-4069F1F79E7F";
inline constexpr char kFontDirectionEnumId[] = "6B8B99D9-AAEA-4AFB-A530-C57CD8174C1F";
inline constexpr char kCaptionAlignEnumId[] = "821E6AE7-835C-428E-8684-F4B122A03F8E";
inline constexpr char kGeneralPageClsid[] = "8F0F7C18-472E-4EED-9154-2D5AFFF14829"; // pagGeneral
inline constexpr char kURLsPageClsid[] = "0BBC2DAE-7E63-4507-9AEC-45925AB2A756";    // pagURLs

inline constexpr char kLibraryName[] = "OrnisTovabel";
// The name clients create the control by (CreateObject): the version-independent
// ProgID. The versioned one carries the type library's major version.
inline constexpr char kProgId[] = "OrnisTovabel.Tovabel";
inline constexpr char kVersionedProgId[] = "OrnisTovabel.Tovabel.2";
inline constexpr char kClassDescription[] = "Tovabel Control";
inline constexpr unsigned short kTypeLibMajor = 2;
inline constexpr unsigned short kTypeLibMinor = 10;
inline constexpr unsigned long kTypeLibLcid = 0x0409;
static_assert(kVersionedProgId[sizeof kVersionedProgId - 2] == '0' + kTypeLibMajor,
              "the versioned ProgID ends in the type library's major version");

// An ASCII text above as a wide string constant, for the platform's calls.
template <std::size_t N> struct WideText {
    wchar_t text[N] = {};
    constexpr explicit WideText(const char (&ascii)[N]) {
        for (std::size_t i = 0; i < N; ++i) {
            text[i] = static_cast<wchar_t>(ascii[i]);
        }
    }
};

inline constexpr WideText kWideLibraryName(kLibraryName);
inline constexpr WideText kWideProgId(kProgId);
inline constexpr WideText kWideVersionedProgId(kVersionedProgId);
inline constexpr WideText kWideClassDescription(kClassDescription);

} // namespace tovabel::identity
