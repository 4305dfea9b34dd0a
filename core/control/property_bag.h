// The container's property bag as the control sees it when a form is saved or
// loaded: named values of a few automation kinds, with the rules for defaults.
//
// How the Windows layer implements PropertyBag over an IPropertyBag:
// - ReadProperty: prepare a VARIANT of the default's kind (Boolean VT_BOOL, Integer
//   VT_I2, Long VT_I4, String VT_BSTR, picture and font VT_DISPATCH) and call Read.
//   E_INVALIDARG (no such key) gives the default. A VARIANT of another type is
//   converted with VariantChangeType to the kind asked for; a failed Read or a failed
//   conversion gives nullopt, and a picture or font is accepted only when the object
//   answers IPicture or IFont. VT_EMPTY stands for the Empty kind.
// - WriteProperty: when EqualsDefault(value, defaultValue) leave the key out and
//   return true; otherwise build the VARIANT (the object's IDispatch for a picture
//   or font, VT_EMPTY for a null object) and return whether Write succeeded.
// Key names are ASCII; widen them for the OLE calls.
#pragma once

#include "control/types.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>

namespace tovabel {

// One value in a bag: Empty, Boolean, Integer (16 bits), Long (32 bits), String,
// a picture object or a font object. Object kinds may hold no object (null).
using BagValue =
    std::variant<std::monostate, bool, std::int16_t, std::int32_t, Text, Picture, Font>;

// The kinds, in the order of BagValue's alternatives.
enum class BagKind : std::uint8_t { Empty, Boolean, Integer, Long, String, StdPicture, StdFont };

inline BagKind KindOf(const BagValue& value) {
    return static_cast<BagKind>(value.index());
}

class PropertyBag {
public:
    virtual ~PropertyBag() = default;

    // The value stored under `name`, converted to the kind of `defaultValue`;
    // `defaultValue` itself when the key is absent; nullopt when reading fails or
    // the stored value cannot be converted (the caller then keeps what it had).
    virtual std::optional<BagValue> ReadProperty(std::string_view name,
                                                 const BagValue& defaultValue) = 0;

    // Stores `value` under `name`, or leaves the key out when the value equals
    // `defaultValue` by EqualsDefault. An Empty default means "no default": the
    // key is always written. Returns false when the value could not be stored.
    virtual bool WriteProperty(std::string_view name, const BagValue& value,
                               const BagValue& defaultValue) = 0;
};

// Whether two fonts look the same: equal name, size, weight, charset and styles.
// Two nulls are the same; a null is never the same as a font.
bool SameFont(const Font& a, const Font& b);

// The rule by which a written value is left out. Integer and Long compare by
// number (Integer 0 equals Long 0); a picture equals the default when both are the
// same object or neither holds a picture (null or handle 0); a font equals the
// default when SameFont says so; other kinds compare only with their own kind. An
// Empty default never equals anything.
bool EqualsDefault(const BagValue& value, const BagValue& defaultValue);

// Converts a stored value to `kind` the way automation converts variants, for bags
// that keep their values in memory:
// - Boolean to a number gives -1 or 0, a number to Boolean is true unless 0;
// - numbers convert between sizes when the value fits, and to their decimal text;
// - a String converts to a number when it is a decimal integer (spaces around it
//   and a sign allowed) that fits, to Boolean when it is "True" or "False" in any
//   case or such a number; Boolean converts to "True" or "False";
// - Empty converts to 0, false, the empty string or a null object;
// - objects convert only to their own kind, never to or from a scalar;
// - anything converts to Empty (the value is dropped).
// nullopt when the conversion fails.
std::optional<BagValue> ConvertBagValue(const BagValue& value, BagKind kind);

} // namespace tovabel
