// What each Style means for the button's behaviour and look, in one table. A
// saved form or a client may store any number as the style: numbers outside the
// enumeration read a neutral row (laid out by nobody, clicked by nobody).
#pragma once

#include <cstdint>

namespace tovabel {

// What setting Value to True does: a click, a click that turns Checked over,
// opening or closing the drop-down, or nothing.
enum class ValueAction { None, Click, ToggleChecked, ToggleDropDown };

// Which separator a style is: an upright one of a toolbar or a flat one of a menu.
enum class SeparatorKind { None, Toolbar, Menu };

// The arrow a style draws: beside a split button's line, in the corner of a
// drop-down button, or pointing right on a cascade menu item.
enum class ArrowKind { None, Split, Corner, Cascade };

// The platform control a style stands for, as screen readers are told.
enum class StyleRole { PushButton, SplitButton, ButtonDropDown, MenuItem, Separator };

struct StyleTraits {
    bool known = false; // one of the eleven styles: the layout places its face
    SeparatorKind separator = SeparatorKind::None; // ignores the mouse, shows no caption
    bool menuItem = false;          // keeps everything left and frames only its picture
    bool checks = false;            // Checked holds, a click turns it over
    bool dropDown = false;          // has a drop-down that opens and closes
    bool split = false;             // the drop-down is a part of its own, right of a line
    bool opensOnPress = false;      // a press anywhere opens or closes the drop-down
    bool keyboardDropDown = false;  // keys open and close it; entering it is quiet
    bool cascade = false;           // opens when the pointer rests on it
    bool menuTitle = false;         // looks pressed while open or held
    bool flat = true;               // lies flat until the pointer comes
    bool sinksWhenPressed = true;   // picture and caption move when pressed
    bool sinksWhenChecked = true;   // picture and caption move when checked
    bool litWhenPressed = false;    // a pressed face stays raised
    bool raisedWhenOpen = false;    // an open drop-down leaves the face raised
    bool allowsTransparent = false; // a transparent button keeps this style
    bool clicks = false;            // a click on it raises Click
    ValueAction valueAction = ValueAction::None;
    ArrowKind arrow = ArrowKind::None;
    std::int32_t dropDownWidth = 0; // pixels of the drop-down part at the right
    StyleRole role = StyleRole::PushButton;
};

// The traits of `style`; the neutral row for numbers outside the enumeration.
const StyleTraits& TraitsOf(std::int32_t style);

} // namespace tovabel
