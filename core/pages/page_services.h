// What a property page of the control needs around it: the first control of
// the designer's selection, reached by property name, and the page's own
// window with its controls, which a page changes through the view.
#pragma once

#include "control/types.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>

namespace tovabel::pages {

// A property value as the pages pass it: check states as booleans, the
// numbers behind the combo boxes as 16-bit integers, texts as strings.
using PropertyValue = std::variant<bool, std::int16_t, Text>;

// The first selected control. Every call may fail: the control refuses a
// value, or the object is not a button at all.
class SelectedControl {
public:
    virtual ~SelectedControl() = default;
    virtual std::optional<PropertyValue> Get(std::string_view property) = 0;
    virtual bool Set(std::string_view property, const PropertyValue& value) = 0;
    // The picture type of `Picture` (0 none, 3 icon, ...); nullopt when unreadable.
    virtual std::optional<std::int32_t> PictureType() = 0;
};

// The page's window. Changes made through it raise no edit handler: the page
// runs its handlers itself.
class PageView {
public:
    virtual ~PageView() = default;
    virtual void ShowCheck(int control, bool checked) = 0;
    // Shows the text in an edit box, or selects it in a drop-down list.
    virtual void ShowText(int control, const Text& text) = 0;
    virtual void Enable(int control, bool enabled) = 0;
    // The page has edits to apply (the frame enables its Apply button).
    virtual void MarkChanged() = 0;
    // A modal message box with an OK button and the default title.
    virtual void ShowMessage(const Text& prompt) = 0;
    virtual void ShowAbout() = 0;
};

} // namespace tovabel::pages
