// Value types shared by the control and its host: colours, pictures, fonts,
// text, the public enumerations and the visual states.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace tovabel {

// Text as the host hands it over (UTF-16, exactly as an automation string holds it);
// it is converted to the system's ANSI code page only where GDI measures or draws it.
using Text = std::u16string;

// An OLE_COLOR: &H800000NN names system colour NN, anything else is &H00BBGGRR.
using OleColor = std::uint32_t;

// Automation picture types.
namespace PicType {
inline constexpr std::int32_t None = 0;
inline constexpr std::int32_t Bitmap = 1;
inline constexpr std::int32_t Metafile = 2;
inline constexpr std::int32_t Icon = 3; // icons and cursors
inline constexpr std::int32_t EnhMetafile = 4;
} // namespace PicType

// A standard picture object as the host holds it. The control only looks at its
// type, its GDI handle and its size; the host keeps the object itself alive.
class PictureObject {
public:
    virtual ~PictureObject() = default;
    virtual std::int32_t Type() const = 0;
    virtual std::uint64_t Handle() const = 0;
    // Size in HIMETRIC, as the picture reports it.
    virtual std::int32_t Width() const = 0;
    virtual std::int32_t Height() const = 0;
};
using Picture = std::shared_ptr<PictureObject>;

// Handle of a picture, 0 for none.
inline std::uint64_t HandleOf(const Picture& p) {
    return p ? p->Handle() : 0;
}

// A standard font object as the host holds it.
class FontObject {
public:
    virtual ~FontObject() = default;
    virtual Text Name() const = 0;
    // Point size in ten-thousandths of a point (the automation currency value).
    virtual std::int64_t Size() const = 0;
    virtual bool Bold() const = 0;
    virtual bool Italic() const = 0;
    virtual bool Underline() const = 0;
    virtual bool Strikethrough() const = 0;
    virtual std::int16_t Weight() const = 0;
    virtual std::int16_t Charset() const = 0;
};
using Font = std::shared_ptr<FontObject>;

// The public enumerations. They are Longs on the wire: values outside the
// named members are stored as given, never refused.
namespace tvStyle {
inline constexpr std::int32_t Normal = 0;
inline constexpr std::int32_t Check = 1;
inline constexpr std::int32_t Separator = 2;
inline constexpr std::int32_t DropDown = 3;
inline constexpr std::int32_t DropDownNoSeparator = 4;
inline constexpr std::int32_t Menu = 5;
inline constexpr std::int32_t MenuItem = 6;
inline constexpr std::int32_t MenuItemCheck = 7;
inline constexpr std::int32_t MenuItemCascade = 8;
inline constexpr std::int32_t MenuItemSeparator = 9;
inline constexpr std::int32_t NonFlat = 10;
} // namespace tvStyle

namespace tvBorderStyle {
inline constexpr std::int32_t None = 0;
inline constexpr std::int32_t FixedSingle = 1;
} // namespace tvBorderStyle

namespace tvAlign {
inline constexpr std::int32_t AlignTop = 0;
inline constexpr std::int32_t AlignBottom = 1;
inline constexpr std::int32_t AlignLeft = 2;
inline constexpr std::int32_t AlignRight = 3;
inline constexpr std::int32_t AlignMiddle = 4;
} // namespace tvAlign

namespace tvFontDirection {
inline constexpr std::int32_t NormalText = 0;
inline constexpr std::int32_t DownwardText = 1;
inline constexpr std::int32_t ReverseText = 2;
inline constexpr std::int32_t UpwardText = 3;
} // namespace tvFontDirection

// Published for containers that use it; no property of the control takes it.
namespace tvCaptionAlign {
inline constexpr std::int32_t AlignTop = 0;
inline constexpr std::int32_t AlignBottom = 1;
inline constexpr std::int32_t AlignLeft = 2;
inline constexpr std::int32_t AlignRight = 3;
inline constexpr std::int32_t AlignCenter = 4;
} // namespace tvCaptionAlign

// The look last painted. vsUnknown is stored to force the next repaint.
enum VisualState : std::int32_t { vsUnknown = -1, vsNormal = 0, vsHover = 1, vsPressed = 2 };

// Mouse pointer codes of the host's surface.
namespace MousePointerCode {
inline constexpr std::int32_t Default = 0;
inline constexpr std::int32_t Arrow = 1;
inline constexpr std::int32_t Custom = 99;
} // namespace MousePointerCode

// Automation booleans are all bits set for true.
inline constexpr std::int16_t kVariantTrue = -1;

} // namespace tovabel
