#include "control/saved_properties.h"

namespace tovabel {

BagValue DefaultOf(const SavedProperty& property, const tovabel::Font& font) {
    switch (property.kind) {
    case BagKind::Boolean:
        return BagValue{property.DefaultBool()};
    case BagKind::Integer:
        return BagValue{static_cast<std::int16_t>(property.DefaultNumber())};
    case BagKind::Long:
        return BagValue{property.DefaultNumber()};
    case BagKind::String:
        return BagValue{Text()};
    case BagKind::StdPicture:
        return BagValue{tovabel::Picture()};
    case BagKind::StdFont:
        return BagValue{font};
    case BagKind::Empty:
        break;
    }
    return BagValue{};
}

// Colours travel as Longs with the same 32 bits.
std::optional<OleColor> ReadSavedColor(PropertyBag& bag, const SavedProperty& property) {
    const auto value = ReadSaved<std::int32_t>(bag, property);
    return value ? std::optional<OleColor>(static_cast<OleColor>(*value)) : std::nullopt;
}

void WriteSaved(PropertyBag& bag, const SavedProperty& property, const BagValue& value,
                const tovabel::Font& font) {
    bag.WriteProperty(property.key, value,
                      property.alwaysWritten ? BagValue{} : DefaultOf(property, font));
}

void WriteSavedColor(PropertyBag& bag, const SavedProperty& property, OleColor color) {
    WriteSaved(bag, property, BagValue{static_cast<std::int32_t>(color)});
}

} // namespace tovabel
