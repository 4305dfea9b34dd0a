#include "gallery.h"

#include "buttons.h"
#include "control/identity.h"
#include "grid.h"
#include "values.h"

#include <cstdint>
#include <iterator>

namespace tovabel::demo {

using olehost::HostedControl;
using olehost::Pixels;

namespace {

constexpr const wchar_t* kProgId = identity::kWideProgId.text;

constexpr const wchar_t* kAlignNames[] = {L"Top", L"Bottom", L"Left", L"Right", L"Middle"};
constexpr const wchar_t* kDirectionNames[] = {L"Normal Text", L"Downward Text", L"Reverse Text",
                                              L"Upward Text"};

enum class Look { Normal, Hover, Pressed, Checked, DroppedDown, Disabled };

constexpr Look kLooks[] = {Look::Normal,  Look::Hover,       Look::Pressed,
                           Look::Checked, Look::DroppedDown, Look::Disabled};
constexpr const wchar_t* kLookNames[] = {L"Normal",  L"Hover",       L"Pressed",
                                         L"Checked", L"DroppedDown", L"Disabled"};

// How each style appears in the gallery and which looks it has.
struct StyleTraits {
    const wchar_t* name;
    const wchar_t* caption;
    Glyph glyph;
    LONG width;
    bool menuItem;   // a line of a menu: picture and caption on the left
    bool checks;     // has the Checked look
    bool dropsDown;  // has the DroppedDown look
    bool pressOpens; // a press opens the drop-down: Pressed is a press dragged in
};

constexpr StyleTraits kStyles[] = {
    {L"Normal", L"Open", Glyph::Folder, 56, false, false, false, false},
    {L"Check", L"Bold", Glyph::Bold, 56, false, true, false, false},
    {L"Separator", L"", Glyph::None, 4, false, false, false, false},
    {L"DropDown", L"Back", Glyph::Back, 66, false, false, true, false},
    {L"DropDownNoSeparator", L"Back", Glyph::Back, 62, false, false, true, true},
    {L"Menu", L"File", Glyph::Folder, 56, false, false, true, true},
    {L"MenuItem", L"Open", Glyph::Folder, 100, true, false, false, false},
    {L"MenuItemCheck", L"Bold", Glyph::Bold, 100, true, true, false, false},
    {L"MenuItemCascade", L"Go back", Glyph::Back, 100, true, false, true, true},
    {L"MenuItemSeparator", L"", Glyph::None, 100, true, false, false, false},
    {L"NonFlat", L"OK", Glyph::Folder, 56, false, false, false, false},
};

// A button as one cell of the gallery shows it.
struct Button {
    ButtonFace face;
    SIZE size{56, 22};
    Look look = Look::Normal;
};

bool Applies(const StyleTraits& traits, Look look) {
    return (look != Look::Checked || traits.checks) &&
           (look != Look::DroppedDown || traits.dropsDown);
}

Button StyleButton(std::int32_t style, bool withPicture, Look look) {
    const StyleTraits& traits = kStyles[style];
    Button button;
    button.face.style = style;
    button.face.caption = traits.caption;
    button.face.glyph = withPicture ? traits.glyph : Glyph::None;
    button.look = look;
    button.size = {traits.width, 22};
    if (traits.menuItem) {
        button.face.alignPicture = kAlignLeft;
        button.face.alignCaption = kAlignLeft;
    } else if (withPicture) {
        button.size.cy = 36; // picture on top, caption below
    } else {
        button.face.alignCaption = kAlignMiddle;
    }
    return button;
}

void Send(HWND window, UINT message, WPARAM keys, POINT at) {
    SendMessageW(window, message, keys, MAKELPARAM(at.x, at.y));
}

// Brings the button into its look as a user or its program would: the pointer
// and its left button through the window's messages, the rest by properties.
void BringInto(HostedControl& place, const Button& button) {
    const HWND window = place.Window();
    RECT client{};
    GetClientRect(window, &client);
    const POINT middle{client.right / 2, client.bottom / 2};
    const POINT arrow{client.right - 4, client.bottom / 2}; // the drop-down area
    switch (button.look) {
    case Look::Normal:
        break;
    case Look::Hover:
        Send(window, WM_MOUSEMOVE, 0, middle);
        break;
    case Look::Pressed:
        Send(window, WM_MOUSEMOVE, 0, middle);
        if (kStyles[button.face.style].pressOpens) {
            Send(window, WM_MOUSEMOVE, MK_LBUTTON, middle);
        } else {
            Send(window, WM_LBUTTONDOWN, MK_LBUTTON, middle);
        }
        break;
    case Look::Checked:
        place.Put(L"Checked", *Bool(true));
        break;
    case Look::DroppedDown: {
        const POINT at = button.face.style == kDropDown ? arrow : middle;
        Send(window, WM_MOUSEMOVE, 0, at);
        Send(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
        break;
    }
    case Look::Disabled:
        place.Put(L"Enabled", *Bool(false));
        break;
    }
}

// Our container with one place for the button being shown, and the pictures.
class Studio {
public:
    Studio() : mForm(L"Tovabel gallery", {200, 100}), mPlace(mForm.AddPlace()) {}

    // The button's face as its window shows it in its look.
    Pixels Shoot(const Button& button) {
        constexpr LONG kMargin = 8;
        if (FAILED(mPlace.Create(
                kProgId, {kMargin, kMargin, kMargin + button.size.cx, kMargin + button.size.cy}))) {
            return {};
        }
        Dress(mPlace, button.face, mPictures);
        BringInto(mPlace, button);
        const HWND window = mPlace.Window();
        UpdateWindow(window);
        Pixels shot = olehost::ReadWindow(window);
        mPlace.Destroy();
        return shot;
    }

private:
    olehost::Form mForm;
    HostedControl& mPlace;
    PictureBox mPictures;
};

GridSection StylesByLook(Studio& studio) {
    GridSection section{L"Every style in every look",
                        L"Pressed on Menu, DropDownNoSeparator and MenuItemCascade is a press "
                        L"dragged in: a click there opens the drop-down.",
                        std::vector<std::wstring>(std::begin(kLookNames), std::end(kLookNames)),
                        {}};
    for (std::int32_t style = kNormal; style <= kNonFlat; ++style) {
        for (const bool withPicture : {false, true}) {
            GridRow row{std::wstring(kStyles[style].name) + (withPicture ? L" + picture" : L""),
                        {}};
            for (const Look look : kLooks) {
                row.cells.push_back(Applies(kStyles[style], look)
                                        ? studio.Shoot(StyleButton(style, withPicture, look))
                                        : Pixels{});
            }
            section.rows.push_back(std::move(row));
        }
    }
    return section;
}

GridSection ClassicColours(Studio& studio) {
    GridSection section{L"Check and DropDown in the classic colours",
                        L"BackColor silver, HighlightColor white, ShadowColor grey",
                        std::vector<std::wstring>(std::begin(kLookNames), std::end(kLookNames)),
                        {}};
    for (const std::int32_t style : {kCheck, kDropDown}) {
        GridRow row{std::wstring(kStyles[style].name) + L" + picture", {}};
        for (const Look look : kLooks) {
            Button button = StyleButton(style, true, look);
            button.face.classicColours = true;
            row.cells.push_back(Applies(kStyles[style], look) ? studio.Shoot(button) : Pixels{});
        }
        section.rows.push_back(std::move(row));
    }
    return section;
}

GridSection CaptionDirections(Studio& studio) {
    GridSection section{
        L"FontDirection (hovered)",
        L"",
        std::vector<std::wstring>(std::begin(kDirectionNames), std::end(kDirectionNames)),
        {}};
    for (const bool withPicture : {false, true}) {
        GridRow row{withPicture ? L"picture top, caption bottom" : L"caption middle", {}};
        for (std::int32_t direction = 0; direction < 4; ++direction) {
            Button button;
            button.face.caption = L"Caption";
            button.face.glyph = withPicture ? Glyph::Folder : Glyph::None;
            button.face.alignCaption = withPicture ? kAlignBottom : kAlignMiddle;
            button.face.direction = direction;
            button.size = {64, 64};
            button.look = Look::Hover;
            row.cells.push_back(studio.Shoot(button));
        }
        section.rows.push_back(std::move(row));
    }
    return section;
}

GridSection Alignments(Studio& studio) {
    GridSection section{L"AlignPicture (rows) by AlignCaption (columns), hovered", L"", {}, {}};
    for (const wchar_t* name : kAlignNames) {
        section.columns.push_back(std::wstring(L"caption ") + name);
    }
    for (std::int32_t picture = kAlignTop; picture <= kAlignMiddle; ++picture) {
        GridRow row{std::wstring(L"picture ") + kAlignNames[picture], {}};
        for (std::int32_t caption = kAlignTop; caption <= kAlignMiddle; ++caption) {
            Button button;
            button.face.caption = L"Text";
            button.face.glyph = Glyph::Folder;
            button.face.alignPicture = picture;
            button.face.alignCaption = caption;
            button.size = {64, 44};
            button.look = Look::Hover;
            row.cells.push_back(studio.Shoot(button));
        }
        section.rows.push_back(std::move(row));
    }
    return section;
}

} // namespace

bool WriteGallery(const std::wstring& path) {
    Studio studio;
    const std::vector<GridSection> sections = {StylesByLook(studio), ClassicColours(studio),
                                               CaptionDirections(studio), Alignments(studio)};
    const Pixels sheet =
        ComposeGrid(L"Tovabel: each button drawn by the control in our container, read back "
                    L"from its window",
                    sections, GetSysColor(COLOR_BTNFACE));
    return olehost::SavePng(sheet, path);
}

} // namespace tovabel::demo
