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

// The public enumerations: tvStyle::Normal and so on.
#define TOVABEL_ENUM_BEGIN(Enum) namespace Enum {
#define TOVABEL_ENUM_MEMBER(Name, Value, Listed) inline constexpr std::int32_t Name = Value;
#define TOVABEL_ENUM_END(Enum) }
#include "control/tovabel_enums.def"
#undef TOVABEL_ENUM_BEGIN
#undef TOVABEL_ENUM_MEMBER
#undef TOVABEL_ENUM_END

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
