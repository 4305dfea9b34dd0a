#include "control/style_traits.h"

#include "control/types.h"

#include <array>

namespace tovabel {

namespace {

// Indexed by style number; each row names what differs from the neutral row.
constexpr std::array<StyleTraits, 11> kStyles = {{
    // Normal
    {.known = true, .allowsTransparent = true, .clicks = true, .valueAction = ValueAction::Click},
    // Check
    {.known = true,
     .checks = true,
     .allowsTransparent = true,
     .clicks = true,
     .valueAction = ValueAction::ToggleChecked},
    // Separator
    {.known = true, .separator = SeparatorKind::Toolbar, .role = StyleRole::Separator},
    // DropDown
    {.known = true,
     .dropDown = true,
     .split = true,
     .keyboardDropDown = true,
     .raisedWhenOpen = true,
     .clicks = true, // on the main part only
     .valueAction = ValueAction::Click,
     .arrow = ArrowKind::Split,
     .dropDownWidth = 9,
     .role = StyleRole::SplitButton},
    // DropDownNoSeparator
    {.known = true,
     .dropDown = true,
     .opensOnPress = true,
     .keyboardDropDown = true,
     .sinksWhenPressed = false,
     .valueAction = ValueAction::ToggleDropDown,
     .arrow = ArrowKind::Corner,
     .dropDownWidth = 11,
     .role = StyleRole::ButtonDropDown},
    // Menu
    {.known = true,
     .dropDown = true,
     .opensOnPress = true,
     .keyboardDropDown = true,
     .menuTitle = true,
     .valueAction = ValueAction::ToggleDropDown,
     .role = StyleRole::MenuItem},
    // MenuItem
    {.known = true,
     .menuItem = true,
     .sinksWhenPressed = false,
     .litWhenPressed = true,
     .clicks = true,
     .valueAction = ValueAction::Click,
     .role = StyleRole::MenuItem},
    // MenuItemCheck
    {.known = true,
     .menuItem = true,
     .checks = true,
     .sinksWhenPressed = false,
     .sinksWhenChecked = false,
     .clicks = true,
     .valueAction = ValueAction::ToggleChecked,
     .role = StyleRole::MenuItem},
    // MenuItemCascade
    {.known = true,
     .menuItem = true,
     .dropDown = true,
     .opensOnPress = true,
     .cascade = true,
     .sinksWhenPressed = false,
     .litWhenPressed = true,
     .raisedWhenOpen = true,
     .valueAction = ValueAction::ToggleDropDown,
     .arrow = ArrowKind::Cascade,
     .role = StyleRole::MenuItem},
    // MenuItemSeparator
    {.known = true, .separator = SeparatorKind::Menu, .role = StyleRole::Separator},
    // NonFlat
    {.known = true, .flat = false, .clicks = true, .valueAction = ValueAction::Click},
}};

constexpr StyleTraits kNeutral{};

static_assert(kStyles.size() == tvStyle::NonFlat + 1, "one row per style");

} // namespace

const StyleTraits& TraitsOf(std::int32_t style) {
    if (style < 0 || style >= static_cast<std::int32_t>(kStyles.size())) {
        return kNeutral;
    }
    return kStyles[static_cast<std::size_t>(style)];
}

} // namespace tovabel
