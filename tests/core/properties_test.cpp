// The property setters: what is refused, what is coerced, what the container is
// told when setters chain, and what Value and the timers do.
#include "fake_host.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace tovabel::testing {
namespace {

using namespace tvStyle;
using T = Tovabel;
const Change kNothing = All();

std::string Box(const std::string& text, const char* title = "<default>") {
    return "MessageBox(" + text + "|0|" + title + ")";
}

// A refusal keeps every property as it was (a saved form shows no change); the
// designer sees why, a running program never does.
TEST(Refusals, KeepThePropertiesAndTellOnlyTheDesigner) {
    using Case = std::tuple<Change, Change, std::string>;
    const Picture bitmap = Pic(Bitmap, 0x77);
    const Change transparent = Set(&T::SetTransparent, true);
    const std::string use = " - use a bitmap based image (bmp, gif, jpeg) ";
    const std::string pictures =
        Box("Picture properties must be an icon, bitmap, metafile, GIF or JPEG.", "Tovabel1");
    const Case cases[] = {
        {transparent, Set(&T::SetAutoSize, false),
         Box("AutoSize must be enabled for transparent buttons")},
        {transparent, Set(&T::SetCaption, u"Save"),
         Box("Captions are not allowed transparent buttons")},
        {Set(&T::SetPicture, Pic(Icon, 0x55)), transparent,
         Box("The transparency feature does not work with Icons" + use + "instead")},
        {Set(&T::SetCaption, u"&Open"), transparent,
         Box("The transparency feature does not work with captions" + use + "for your button")},
        {Set(&T::SetPicture, bitmap), Set(&T::SetPicture, Pic(Metafile)), pictures},
        {Set(&T::SetURLPictureOver, u"over.bmp"), Set(&T::SetPictureOver, Pic(EnhMetafile)),
         pictures},
        {kNothing, Set(&T::SetPictureDown, Pic(9)), pictures},
        {Set(&T::SetPictureDisabled, bitmap), Set(&T::SetPictureDisabled, Pic(Metafile)), pictures},
        {Set(&T::SetURLMouseIcon, u"hand.cur"), Set(&T::SetMouseIcon, bitmap),
         Box("The MouseIcon property must be an icon or cursor", "Tovabel1")},
    };
    for (const auto& [setup, write, message] : cases) {
        for (bool userMode : {false, true}) {
            SCOPED_TRACE(message + (userMode ? " (run mode)" : " (design mode)"));
            Button f({.userMode = userMode});
            setup(f.control);
            const auto before = f.Saved();
            f.host.Clear();
            write(f.control);
            EXPECT_EQ(Told(f.host.log), userMode ? "" : message);
            EXPECT_EQ(Filter(f.host.log, "ApplyShape"), Log{});
            EXPECT_EQ(f.Saved(), before);
        }
    }
}

TEST(Coercions, SymbolFontsAreNeverRotated) {
    using Case = std::tuple<const char16_t*, std::int32_t, std::int32_t>;
    for (const auto& [font, requested, stored] :
         {Case{u"Wingdings", 1, 0}, Case{u"WINGDINGS 3", 2, 0}, Case{u"wingdings2", 3, 0},
          Case{u"Webdings", 1, 0}, Case{u"WEBDINGS", 3, 0}, Case{u"Webdings 2", 1, 1},
          Case{u"Wingding", 1, 1}, Case{u"Arial", 3, 3}, Case{u"Arial", 9, 9}}) {
        SCOPED_TRACE(Narrow(font));
        Button f;
        f.control.SetFont(std::make_shared<FakeFont>(font));
        f.host.Clear();
        f.control.SetFontDirection(requested);
        EXPECT_EQ(f.control.FontDirection(), stored);
        EXPECT_EQ(Told(f.host.log), stored == 0 ? "" : "FontDirection");
    }
}

// Menu items keep both alignments left; only the check styles hold Checked (the
// write is notified anyway), and leaving them drops the check.
TEST(Coercions, ByStyle) {
    using Case = std::tuple<std::int32_t, std::int32_t, std::int32_t, bool>;
    for (const auto& [style, requested, aligned, checks] :
         {Case{MenuItem, 3, 2, false}, Case{MenuItemCheck, 4, 2, true},
          Case{MenuItemCascade, 77, 2, false}, Case{Normal, 3, 3, false}, Case{Menu, 77, 77, false},
          Case{Check, -5, -5, true}, Case{42, 0, 0, false}}) {
        SCOPED_TRACE(style);
        Button f({.style = style});
        f.control.SetAlignCaption(requested);
        f.control.SetAlignPicture(requested);
        EXPECT_EQ(f.control.AlignCaption(), aligned);
        EXPECT_EQ(f.control.AlignPicture(), aligned);
        f.host.Clear();
        f.control.SetChecked(true);
        EXPECT_EQ(f.control.Checked(), checks);
        EXPECT_EQ(Told(f.host.log), "Checked");
        f.control.SetStyle(DropDown);
        EXPECT_FALSE(f.control.Checked());
    }
}

// What the container is told of a write, in order, for the setters that chain
// into other setters.
TEST(Notifications, OfSettersThatChain) {
    using Case = std::tuple<bool, Change, Change, std::string>;
    const Change transparent = Set(&T::SetTransparent, true);
    const Change menuItem = Set(&T::SetStyle, MenuItem);
    const Change urlCursor = Set(&T::SetURLMouseIcon, u"cur.ico");
    const Change align = Set(&T::SetAlignCaption, tvAlign::AlignTop);
    const Case cases[] = {
        {true, kNothing, menuItem, "Checked AlignPicture AlignCaption Style"},
        {true, transparent, menuItem, "Checked Transparent AlignPicture AlignCaption Style"},
        {false, All(Set(&T::SetStyle, DropDown), Set(&T::SetAutoSize, false)), transparent,
         "Transparent AutoSize Checked Style"},
        {true, Set(&T::SetStyle, Check), transparent, "Transparent"},
        {false, kNothing, Set(&T::SetPictureOver, Pic(Icon, 0x30)), "PictureOver"},
        {true, kNothing, urlCursor, "MousePointer URLMouseIcon AsyncRead(cur.ico,0,MouseIcon)"},
        {true, urlCursor, Set(&T::SetURLMouseIcon, u""),
         "MousePointer URLMouseIcon MousePointer MouseIcon"},
        {true, urlCursor, Set(&T::SetMouseIcon, Pic(Icon, 0x41)),
         "MousePointer URLMouseIcon MouseIcon"},
        {true, kNothing, Set(&T::SetSoundEnterURL, u"in.wav"),
         "SoundEnterURL AsyncRead(in.wav,2,SoundEnter)"},
        {false, kNothing, Set(&T::SetEnabled, false), "ReleaseCapture ApplyEnabled(false) Enabled"},
        {true, kNothing, Set(&T::SetAutoSize, false), "AutoSize"},
        {true, kNothing, Set(&T::SetFont, std::make_shared<FakeFont>(u"Tahoma")),
         "ApplyFont(Tahoma) Font"},
        {true, kNothing, align, "AlignCaption"},
        {true, align, align, ""},
    };
    for (const auto& [userMode, setup, write, told] : cases) {
        SCOPED_TRACE(told);
        Button f({.userMode = userMode});
        setup(f.control);
        f.host.Clear();
        write(f.control);
        EXPECT_EQ(Told(f.host.log), told);
    }
}

TEST(Coercions, TransparentSetsItsDependentsOnce) {
    Button f({.style = DropDown, .userMode = false});
    f.control.SetTransparent(true);
    EXPECT_EQ(f.control.BorderStyle(), tvBorderStyle::None);
    EXPECT_TRUE(f.control.AutoSize());
    EXPECT_EQ(f.control.Style(), Normal);
    EXPECT_EQ(Filter(f.host.log, "ApplyShape").front(), "ApplyShape(null,C0C0C0)");
    // Nothing guards them afterwards.
    f.control.SetBorderStyle(tvBorderStyle::FixedSingle);
    f.control.SetStyle(Menu);
    EXPECT_EQ(f.control.BorderStyle(), tvBorderStyle::FixedSingle);
    EXPECT_EQ(f.control.Style(), Menu);
    f.host.Clear();
    f.control.SetTransparent(false);
    EXPECT_EQ(Filter(f.host.log, "ApplyShape"), Log{"ApplyShape(null,C0C0C0)"});
}

// While the left button is held the frame is sunken: a new highlight colour
// goes to the bottom and right edges, a new shadow colour to the top and left.
TEST(Colours, EdgeColourGoesWhereTheFrameShowsIt) {
    for (const char* gestures : {"m", "m d"}) {
        for (bool highlight : {true, false}) {
            SCOPED_TRACE(std::string(gestures) + (highlight ? " highlight" : " shadow"));
            Button f;
            f.Do(gestures).host.Clear();
            highlight ? f.control.SetHighlightColor(0xFF) : f.control.SetShadowColor(0xFF);
            const OleColor other = highlight ? f.control.ShadowColor() : f.control.HighlightColor();
            const OleColor topLeft = highlight == (gestures[1] == 0) ? 0xFF : other;
            const OleColor bottomRight = topLeft == 0xFF ? other : 0xFF;
            EXPECT_EQ(EdgesOf(f.control),
                      (std::vector{topLeft, topLeft, bottomRight, bottomRight}));
            EXPECT_EQ(Told(f.host.log), highlight ? "HighlightColor" : "ShadowColor");
        }
    }
}

// A picture and its URL property, and the cursor and its URL, do not set each
// other back and forth.
TEST(Reentry, PictureAndURLDoNotChaseEachOther) {
    Button f;
    Tovabel& c = f.control;
    c.SetURLPicture(u"a.bmp");
    c.SetURLPicture(u"a.bmp");       // the same text again starts nothing
    c.SetPicture(Pic(Bitmap, 0x40)); // empties the URL, downloads nothing
    c.SetURLPicture(u"b.bmp");       // keeps the picture until the download comes
    EXPECT_EQ(HandleOf(c.GetPicture()), 0x40u);
    c.SetURLPicture(u""); // removes the picture and keeps the URL empty
    EXPECT_EQ(Told(f.host.log), "URLPicture AsyncRead(a.bmp,0,Picture) URLPicture Picture "
                                "URLPicture AsyncRead(b.bmp,0,Picture) URLPicture Picture");
    EXPECT_EQ(c.URLPicture(), u"");
    EXPECT_EQ(c.GetPicture(), nullptr);
    // An empty picture is none, and empties its URL as any picture does.
    c.SetPicture(Pic(Bitmap, 0x20));
    c.SetURLPictureDown(u"down.gif");
    c.SetPictureDown(Pic(Bitmap, 0x21));
    c.SetURLPicture(u"pic.gif");
    c.SetPicture(Pic(None, 0x10));
    c.SetPictureDown(Pic(Bitmap, 0));
    EXPECT_EQ(c.GetPicture(), nullptr);
    EXPECT_EQ(c.PictureDown(), nullptr);
    EXPECT_EQ(c.URLPicture() + c.URLPictureDown(), u"");

    Button cursor;
    Tovabel& m = cursor.control;
    m.SetMouseIcon(nullptr);
    EXPECT_EQ(m.MousePointer(), MousePointerCode::Arrow); // not the default 0
    m.SetURLMouseIcon(u"a.cur");
    EXPECT_EQ(m.MousePointer(), MousePointerCode::Custom); // before any download
    m.SetMouseIcon(Pic(Icon, 0x41));
    EXPECT_EQ(m.URLMouseIcon(), u"");
    EXPECT_EQ(m.MousePointer(), MousePointerCode::Custom);
    m.SetMouseIcon(Pic(None));
    EXPECT_EQ(m.MouseIcon(), nullptr);
    EXPECT_EQ(m.MousePointer(), MousePointerCode::Arrow);

    Button refused; // a refused download leaves the URL, and no flag behind
    refused.host.refuseDownloads = true;
    refused.control.SetURLPictureDisabled(u"ftp://nowhere/x.bmp");
    EXPECT_EQ(refused.control.URLPictureDisabled(), u"ftp://nowhere/x.bmp");
    refused.control.SetPictureDisabled(Pic(Bitmap, 0x42));
    EXPECT_EQ(refused.control.URLPictureDisabled(), u"");
}

// The extender's own text wins; a container without the property keeps none.
TEST(Reentry, ToolTipTakesOverTheExtenderOnce) {
    using Case = std::tuple<std::optional<Text>, bool, Text>;
    for (const auto& [extender, extenderReenters, stored] :
         {Case{Text(), false, u"Open file"}, Case{u"From form", false, u"From form"},
          Case{std::nullopt, false, u"Open file"}, Case{Text(), true, u"Open file"}}) {
        SCOPED_TRACE(Narrow(stored) + (extenderReenters ? ", calling back" : ""));
        Button f;
        f.host.extenderToolTip = extender;
        int reentries = 0;
        if (extenderReenters) {
            f.host.onSetExtenderToolTip = [&](const Text& text) {
                ++reentries;
                f.control.SetToolTipText(text);
            };
        }
        f.control.SetToolTipText(u"Open file");
        EXPECT_EQ(f.control.ToolTipText(), stored);
        EXPECT_EQ(Filter(f.host.log, "PropertyChanged"), Log{"PropertyChanged(ToolTipText)"});
        EXPECT_EQ(f.host.extenderToolTip, extender ? std::optional(Text()) : std::nullopt);
        EXPECT_EQ(reentries, extenderReenters ? 1 : 0);
    }
    // A text the container keeps itself changes nothing.
    Button f;
    f.host.extenderToolTip = Text(u"Same");
    f.control.SetToolTipText(u"Other");
    f.host.extenderToolTip = Text(u"Same");
    f.host.Clear();
    f.control.SetToolTipText(u"Other");
    EXPECT_EQ(f.control.ToolTipText(), u"Same");
    EXPECT_EQ(f.host.log, Log{});
}

TEST(Sounds, DataAndURLMarkUsability) {
    Button f;
    Tovabel& c = f.control;
    c.SetUseSystemSounds(false);
    // The sounds a pass over the button and a click on it play.
    const auto played = [&] {
        f.host.Clear();
        return Joined(Filter(f.Do("m60 m d u").host.log, "PlaySound"));
    };
    c.SetSoundClick(SoundBytes{'R', 'I', 'F', 'F'});
    EXPECT_EQ(played(), "PlaySound(4 bytes,7)");
    c.SetSoundClick(std::nullopt); // not an array: bytes stay, unused
    EXPECT_EQ(c.SoundClick().size(), 4u);
    EXPECT_EQ(played(), "");
    c.SetSoundClick(SoundBytes{}); // an empty array is no sound to play
    EXPECT_EQ(played(), "");
    EXPECT_EQ(Filter(f.host.log, "PropertyChanged"), Log{});

    c.SetSoundEnter(SoundBytes{1, 2});
    c.SetSoundEnterURL(u"in.wav");
    c.SetSoundEnterURL(u"in.wav");
    EXPECT_EQ(Filter(f.host.log, "AsyncRead").size(), 1u);
    EXPECT_EQ(played(), "PlaySound(2 bytes,7)");
    c.SetSoundEnterURL(u"");
    EXPECT_EQ(played(), "");
    EXPECT_EQ(c.SoundEnter().size(), 2u);

    c.SetSoundClickURL(u"c.wav"); // a downloaded sound too, until its URL is emptied
    c.AsyncReadComplete({"SoundClick", SoundBytes(44, 7)});
    EXPECT_EQ(played(), "PlaySound(44 bytes,7)");
    c.SetSoundClickURL(u"");
    EXPECT_EQ(played(), "");
    EXPECT_EQ(c.SoundClick(), SoundBytes(44, 7));
}

// Value clicks (1), opens (4) and the second time closes (5), or does nothing:
// numbers outside the enumeration, and the designer, get no click.
TEST(Value, ProgrammaticClickPerStyle) {
    using Case = std::tuple<std::int32_t, std::string, bool>;
    for (const auto& [style, events, checked] :
         {Case{Normal, "1", false}, Case{DropDown, "1", false}, Case{MenuItem, "1", false},
          Case{NonFlat, "1", false}, Case{Check, "1", true}, Case{MenuItemCheck, "1", true},
          Case{DropDownNoSeparator, "4", false}, Case{Menu, "4", false},
          Case{MenuItemCascade, "4", false}, Case{Separator, "", false},
          Case{MenuItemSeparator, "", false}, Case{-1, "", false}, Case{NonFlat + 1, "", false}}) {
        SCOPED_TRACE(style);
        Button f({.style = style});
        std::vector<bool> valueInHandler;
        f.host.onEvent = [&](std::int32_t, auto) { valueInHandler.push_back(f.control.Value()); };
        f.control.SetValue(true);
        EXPECT_EQ(Events(f.host.log), events);
        EXPECT_EQ(f.control.Checked(), checked);
        EXPECT_EQ(f.control.DroppedDown(), events == "4");
        EXPECT_EQ(valueInHandler, std::vector<bool>(events.size(), true));
        EXPECT_FALSE(f.control.Value());
        f.control.SetValue(true); // a second click undoes the first
        EXPECT_FALSE(f.control.Checked());
        EXPECT_FALSE(f.control.DroppedDown());
        const std::string twice = events == "4" ? "4 5" : events + " " + events;
        EXPECT_EQ(Events(f.host.log), events.empty() ? "" : twice);
        f.control.SetValue(true);
        f.host.Clear();
        f.control.CancelDropDown(); // closes without a word
        EXPECT_FALSE(f.control.DroppedDown());
        EXPECT_EQ(Told(f.host.log), "");
    }
    Button design({.style = Check, .userMode = false});
    design.control.SetValue(true);
    EXPECT_EQ(design.host.log, Log{});
    EXPECT_FALSE(design.control.Checked());
}

TEST(Timers, RedrawSizesOnceThenRepaintsOnce) {
    Button f;
    f.control.SetCaption(u"Sized"); // 30 + 6 + 4 pixels wide
    f.host.scaleWidth = 90;
    f.host.Clear();
    EXPECT_EQ(Joined(Filter(f.Do("t").host.log, "SetTimer", "SetWidth")),
              "SetTimer(Redraw,off,0) SetWidth(600) SetTimer(Redraw,on,1000)");
    f.host.Clear();
    EXPECT_EQ(Joined(Filter(f.Do("t").host.log, "SetTimer", "SetWidth")), "SetTimer(Redraw,off,0)");
    EXPECT_NE(Filter(f.host.log, "TextOut"), Log{}) << "repainted";
    EXPECT_EQ(LookOf(f.control), "flat");

    f.Do("f m d").host.Clear(); // held: the timer leaves the face alone
    EXPECT_EQ(f.Do("t").host.log, Log{"SetTimer(Redraw,off,0)"});
}

} // namespace
} // namespace tovabel::testing
