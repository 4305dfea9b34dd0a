// The property setters: what is refused, what is coerced, what the container is
// told when setters chain, and what Value and the timers do.
#include "fake_host.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tovabel::testing {
namespace {

using Change = std::function<void(Tovabel&)>;
const Change kNothing = [](Tovabel&) {};

std::string Box(const std::string& text, const char* title) {
    return "MessageBox(" + text + "|0|" + title + ")";
}
const std::string kPictureBox =
    Box("Picture properties must be an icon, bitmap, metafile, GIF or JPEG.", "Tovabel1");

struct Fixture {
    FakeHost host;
    Tovabel control{host};

    explicit Fixture(bool userMode = true) {
        host.userMode = userMode;
        control.Initialize();
        control.InitProperties();
        host.Clear();
    }
    // What a saved form would hold.
    persist::StreamEntries Saved() {
        FakeObjectCodec codec;
        persist::StreamBag bag(codec);
        control.WriteProperties(bag);
        return bag.Entries();
    }
};

// A refusal keeps every property as it was (a saved form shows no change); the
// designer sees why, a running program never does.
TEST(Refusals, KeepThePropertiesAndTellOnlyTheDesigner) {
    struct Case {
        Change setup;
        Change write;
        std::string message;
    };
    const Picture bitmap = MakePicture(PicType::Bitmap, 0x77);
    const Change transparent = [](Tovabel& c) { c.SetTransparent(true); };
    const std::string use = " - use a bitmap based image (bmp, gif, jpeg) ";
    const std::vector<Case> cases = {
        {transparent, [](Tovabel& c) { c.SetAutoSize(false); },
         Box("AutoSize must be enabled for transparent buttons", "<default>")},
        {transparent, [](Tovabel& c) { c.SetCaption(u"Save"); },
         Box("Captions are not allowed transparent buttons", "<default>")},
        {[](Tovabel& c) { c.SetPicture(MakePicture(PicType::Icon, 0x55)); }, transparent,
         Box("The transparency feature does not work with Icons" + use + "instead", "<default>")},
        {[](Tovabel& c) { c.SetCaption(u"&Open"); }, transparent,
         Box("The transparency feature does not work with captions" + use + "for your button",
             "<default>")},
        {[&](Tovabel& c) { c.SetPicture(bitmap); },
         [](Tovabel& c) { c.SetPicture(MakePicture(PicType::Metafile)); }, kPictureBox},
        {[](Tovabel& c) { c.SetURLPictureOver(u"over.bmp"); },
         [](Tovabel& c) { c.SetPictureOver(MakePicture(PicType::EnhMetafile)); }, kPictureBox},
        {kNothing, [](Tovabel& c) { c.SetPictureDown(MakePicture(9)); }, kPictureBox},
        {[&](Tovabel& c) { c.SetPictureDisabled(bitmap); },
         [](Tovabel& c) { c.SetPictureDisabled(MakePicture(PicType::Metafile)); }, kPictureBox},
        {[](Tovabel& c) { c.SetURLMouseIcon(u"hand.cur"); },
         [&](Tovabel& c) { c.SetMouseIcon(bitmap); },
         Box("The MouseIcon property must be an icon or cursor", "Tovabel1")},
    };
    for (const auto& tc : cases) {
        for (bool userMode : {false, true}) {
            SCOPED_TRACE(tc.message + (userMode ? " (run mode)" : " (design mode)"));
            Fixture f(userMode);
            tc.setup(f.control);
            const auto before = f.Saved();
            f.host.Clear();
            tc.write(f.control);
            EXPECT_EQ(Told(f.host.log), userMode ? "" : tc.message);
            EXPECT_EQ(Filter(f.host.log, "ApplyShape"), Log{});
            EXPECT_EQ(f.Saved(), before);
        }
    }
}

TEST(Coercions, SymbolFontsAreNeverRotated) {
    struct Case {
        const char16_t* font;
        std::int32_t requested;
        std::int32_t stored;
    };
    for (const Case& tc :
         {Case{u"Wingdings", 1, 0}, Case{u"WINGDINGS 3", 2, 0}, Case{u"wingdings2", 3, 0},
          Case{u"Webdings", 1, 0}, Case{u"WEBDINGS", 3, 0}, Case{u"Webdings 2", 1, 1},
          Case{u"Wingding", 1, 1}, Case{u"Arial", 3, 3}, Case{u"Arial", 9, 9}}) {
        SCOPED_TRACE(Narrow(tc.font));
        Fixture f;
        f.control.SetFont(std::make_shared<FakeFont>(tc.font));
        f.host.Clear();
        f.control.SetFontDirection(tc.requested);
        EXPECT_EQ(f.control.FontDirection(), tc.stored);
        EXPECT_EQ(Told(f.host.log), tc.stored == 0 ? "" : "FontDirection");
    }
}

// Menu items keep both alignments left; only the check styles hold Checked (the
// write is notified anyway), and leaving them drops the check.
TEST(Coercions, ByStyle) {
    struct Case {
        std::int32_t style;
        std::int32_t requested;
        std::int32_t aligned;
        bool checks;
    };
    for (const Case& tc :
         {Case{tvStyle::MenuItem, tvAlign::AlignRight, tvAlign::AlignLeft, false},
          Case{tvStyle::MenuItemCheck, tvAlign::AlignMiddle, tvAlign::AlignLeft, true},
          Case{tvStyle::MenuItemCascade, 77, tvAlign::AlignLeft, false},
          Case{tvStyle::Normal, tvAlign::AlignRight, tvAlign::AlignRight, false},
          Case{tvStyle::Menu, 77, 77, false}, Case{tvStyle::Check, -5, -5, true},
          Case{42, tvAlign::AlignTop, tvAlign::AlignTop, false}}) {
        SCOPED_TRACE(tc.style);
        Fixture f;
        f.control.SetStyle(tc.style);
        f.control.SetAlignCaption(tc.requested);
        f.control.SetAlignPicture(tc.requested);
        EXPECT_EQ(f.control.AlignCaption(), tc.aligned);
        EXPECT_EQ(f.control.AlignPicture(), tc.aligned);
        f.host.Clear();
        f.control.SetChecked(true);
        EXPECT_EQ(f.control.Checked(), tc.checks);
        EXPECT_EQ(Told(f.host.log), "Checked");
        f.control.SetStyle(tvStyle::DropDown);
        EXPECT_FALSE(f.control.Checked());
    }
}

TEST(Coercions, EmptyPicturesBecomeNullAndEmptyTheirURL) {
    for (const Picture& empty :
         {MakePicture(PicType::None, 0x10), MakePicture(PicType::Bitmap, 0)}) {
        Fixture f;
        f.control.SetPicture(MakePicture(PicType::Bitmap, 0x20));
        f.control.SetURLPictureDown(u"down.gif");
        f.control.SetPictureDown(MakePicture(PicType::Bitmap, 0x21));
        f.control.SetURLPicture(u"pic.gif");
        f.control.SetPicture(empty);
        f.control.SetPictureDown(empty);
        EXPECT_EQ(f.control.GetPicture(), nullptr);
        EXPECT_EQ(f.control.URLPicture(), u"");
        EXPECT_EQ(f.control.PictureDown(), nullptr);
        EXPECT_EQ(f.control.URLPictureDown(), u"");
    }
}

// A saved form or a client may hold any number: it is kept, and a click of a
// style outside the enumeration does nothing.
TEST(Coercions, OutOfRangeEnumerationsAreStoredAsGiven) {
    Fixture f;
    for (std::int32_t v : {-1, 11, 0x7FFFFFFF, -0x7FFFFFFF - 1}) {
        f.control.SetStyle(v);
        f.control.SetBorderStyle(v);
        f.control.SetAlignPicture(v);
        f.control.SetValue(true);
        EXPECT_EQ(f.control.Style(), v);
        EXPECT_EQ(f.control.BorderStyle(), v);
        EXPECT_EQ(f.control.AlignPicture(), v);
        EXPECT_FALSE(f.control.Value());
    }
    EXPECT_EQ(Filter(f.host.log, "RaiseEvent"), Log{});
}

// What the container is told of a write, in order, for the setters that chain
// into other setters.
TEST(Notifications, OfSettersThatChain) {
    struct Case {
        bool userMode;
        Change setup;
        Change write;
        std::string told;
    };
    const Change transparent = [](Tovabel& c) { c.SetTransparent(true); };
    const Change menuItem = [](Tovabel& c) { c.SetStyle(tvStyle::MenuItem); };
    const Change urlPicture = [](Tovabel& c) { c.SetURLPicture(u"a.bmp"); };
    const Change urlCursor = [](Tovabel& c) { c.SetURLMouseIcon(u"cur.ico"); };
    const Change align = [](Tovabel& c) { c.SetAlignCaption(tvAlign::AlignTop); };
    const std::vector<Case> cases = {
        {true, kNothing, menuItem, "Checked AlignPicture AlignCaption Style"},
        {true, transparent, menuItem, "Checked Transparent AlignPicture AlignCaption Style"},
        {false,
         [](Tovabel& c) {
             c.SetStyle(tvStyle::DropDown);
             c.SetAutoSize(false);
         },
         transparent, "Transparent AutoSize Checked Style"},
        {true, [](Tovabel& c) { c.SetStyle(tvStyle::Check); }, transparent, "Transparent"},
        {true, urlPicture, [](Tovabel& c) { c.SetPicture(MakePicture(PicType::Bitmap, 0x20)); },
         "URLPicture Picture"},
        {true,
         [&](Tovabel& c) {
             c.SetPicture(MakePicture(PicType::Bitmap, 0x20));
             urlPicture(c);
         },
         [](Tovabel& c) { c.SetURLPicture(u""); }, "URLPicture Picture"},
        {false, kNothing, [](Tovabel& c) { c.SetPictureOver(MakePicture(PicType::Icon, 0x30)); },
         "PictureOver"},
        {true, kNothing, urlCursor, "MousePointer URLMouseIcon AsyncRead(cur.ico,0,MouseIcon)"},
        {true, urlCursor, [](Tovabel& c) { c.SetURLMouseIcon(u""); },
         "MousePointer URLMouseIcon MousePointer MouseIcon"},
        {true, urlCursor, [](Tovabel& c) { c.SetMouseIcon(MakePicture(PicType::Icon, 0x41)); },
         "MousePointer URLMouseIcon MouseIcon"},
        {true, kNothing, [](Tovabel& c) { c.SetSoundEnterURL(u"in.wav"); },
         "SoundEnterURL AsyncRead(in.wav,2,SoundEnter)"},
        {false, kNothing, [](Tovabel& c) { c.SetEnabled(false); },
         "ReleaseCapture ApplyEnabled(false) Enabled"},
        {true, kNothing, [](Tovabel& c) { c.SetAutoSize(false); }, "AutoSize"},
        {true, kNothing, [](Tovabel& c) { c.SetFont(std::make_shared<FakeFont>(u"Tahoma")); },
         "ApplyFont(Tahoma) Font"},
        {true, kNothing, align, "AlignCaption"},
        {true, align, align, ""},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        Fixture f(cases[i].userMode);
        cases[i].setup(f.control);
        f.host.Clear();
        cases[i].write(f.control);
        EXPECT_EQ(Told(f.host.log), cases[i].told);
    }
}

TEST(Coercions, TransparentSetsItsDependentsOnce) {
    Fixture f(false);
    f.control.SetStyle(tvStyle::DropDown);
    f.control.SetTransparent(true);
    EXPECT_EQ(f.control.BorderStyle(), tvBorderStyle::None);
    EXPECT_TRUE(f.control.AutoSize());
    EXPECT_EQ(f.control.Style(), tvStyle::Normal);
    EXPECT_EQ(Filter(f.host.log, "ApplyShape").front(), "ApplyShape(null,C0C0C0)");
    // Nothing guards them afterwards.
    f.control.SetBorderStyle(tvBorderStyle::FixedSingle);
    f.control.SetStyle(tvStyle::Menu);
    EXPECT_EQ(f.control.BorderStyle(), tvBorderStyle::FixedSingle);
    EXPECT_EQ(f.control.Style(), tvStyle::Menu);
    f.host.Clear();
    f.control.SetTransparent(false);
    EXPECT_EQ(Filter(f.host.log, "ApplyShape"), Log{"ApplyShape(null,C0C0C0)"});
}

// While the left button is held the frame is sunken: a new highlight colour goes
// to the bottom and right edges, a new shadow colour to the top and left.
TEST(Colours, EdgeColourGoesWhereTheFrameShowsIt) {
    for (bool held : {false, true}) {
        for (bool highlight : {true, false}) {
            SCOPED_TRACE(std::to_string(held) + std::to_string(highlight));
            Fixture f;
            f.control.MouseMove(0, 0, 10, 10);
            if (held) {
                f.control.MouseDown(1, 0, 10, 10);
            }
            f.host.Clear();
            if (highlight) {
                f.control.SetHighlightColor(0x0000FF);
            } else {
                f.control.SetShadowColor(0x0000FF);
            }
            const bool topLeft = highlight != held;
            const Frame frame = FrameOf(f.control);
            EXPECT_EQ(frame.top == 0x0000FF, topLeft);
            EXPECT_EQ(frame.left == 0x0000FF, topLeft);
            EXPECT_EQ(frame.bottom == 0x0000FF, !topLeft);
            EXPECT_EQ(frame.right == 0x0000FF, !topLeft);
            EXPECT_EQ(Told(f.host.log), highlight ? "HighlightColor" : "ShadowColor");
        }
    }
}

// A picture and its URL property, and the cursor and its URL, do not set each
// other back and forth.
TEST(Reentry, PictureAndURLDoNotChaseEachOther) {
    Fixture f;
    Tovabel& c = f.control;
    c.SetURLPicture(u"a.bmp");
    c.SetURLPicture(u"a.bmp");                        // the same text again starts nothing
    c.SetPicture(MakePicture(PicType::Bitmap, 0x40)); // empties the URL, downloads nothing
    c.SetURLPicture(u"b.bmp");                        // keeps the picture until the download comes
    EXPECT_EQ(HandleOf(c.GetPicture()), 0x40u);
    c.SetURLPicture(u""); // removes the picture and keeps the URL empty
    EXPECT_EQ(Told(f.host.log), "URLPicture AsyncRead(a.bmp,0,Picture) URLPicture Picture "
                                "URLPicture AsyncRead(b.bmp,0,Picture) URLPicture Picture");
    EXPECT_EQ(c.URLPicture(), u"");
    EXPECT_EQ(c.GetPicture(), nullptr);

    Fixture cursor;
    cursor.control.SetMouseIcon(nullptr);
    EXPECT_EQ(cursor.control.MousePointer(), MousePointerCode::Arrow); // not the default 0
    cursor.control.SetURLMouseIcon(u"a.cur");
    EXPECT_EQ(cursor.control.MousePointer(), MousePointerCode::Custom); // before any download
    cursor.control.SetMouseIcon(MakePicture(PicType::Icon, 0x41));
    EXPECT_EQ(cursor.control.URLMouseIcon(), u"");
    EXPECT_EQ(cursor.control.MousePointer(), MousePointerCode::Custom);
    cursor.control.SetMouseIcon(MakePicture(PicType::None));
    EXPECT_EQ(cursor.control.MouseIcon(), nullptr);
    EXPECT_EQ(cursor.control.MousePointer(), MousePointerCode::Arrow);

    Fixture refused; // a refused download leaves the URL, and no flag behind
    refused.host.refuseDownloads = true;
    refused.control.SetURLPictureDisabled(u"ftp://nowhere/x.bmp");
    EXPECT_EQ(refused.control.URLPictureDisabled(), u"ftp://nowhere/x.bmp");
    refused.control.SetPictureDisabled(MakePicture(PicType::Bitmap, 0x42));
    EXPECT_EQ(refused.control.URLPictureDisabled(), u"");
}

TEST(Reentry, ToolTipTakesOverTheExtenderOnce) {
    struct Case {
        const char* name;
        std::optional<Text> extender;
        bool extenderReenters;
        Text stored;
    };
    for (const Case& tc : {Case{"empty extender", Text(), false, u"Open file"},
                           Case{"extender text wins", Text(u"From form"), false, u"From form"},
                           Case{"extender without the property", std::nullopt, false, u"Open file"},
                           Case{"extender that calls back", Text(), true, u"Open file"}}) {
        SCOPED_TRACE(tc.name);
        Fixture f;
        f.host.extenderToolTip = tc.extender;
        int reentries = 0;
        if (tc.extenderReenters) {
            f.host.onSetExtenderToolTip = [&](const Text& text) {
                ++reentries;
                f.control.SetToolTipText(text);
            };
        }
        f.control.SetToolTipText(u"Open file");
        EXPECT_EQ(f.control.ToolTipText(), tc.stored);
        EXPECT_EQ(Filter(f.host.log, "PropertyChanged"), Log{"PropertyChanged(ToolTipText)"});
        EXPECT_EQ(f.host.extenderToolTip, tc.extender ? std::optional(Text()) : std::nullopt);
        EXPECT_EQ(reentries, tc.extenderReenters ? 1 : 0);
    }
    // A text the container keeps itself changes nothing.
    Fixture f;
    f.host.extenderToolTip = Text(u"Same");
    f.control.SetToolTipText(u"Other");
    f.host.extenderToolTip = Text(u"Same");
    f.host.Clear();
    f.control.SetToolTipText(u"Other");
    EXPECT_EQ(f.control.ToolTipText(), u"Same");
    EXPECT_EQ(f.host.log, Log{});
}

TEST(Sounds, DataAndURLMarkUsability) {
    Fixture f;
    Tovabel& c = f.control;
    c.SetUseSystemSounds(false);
    // The sounds a pass over the button and a click on it play.
    const auto played = [&] {
        f.host.Clear();
        c.MouseMove(0, 0, 60, 10);
        c.MouseMove(0, 0, 10, 10);
        c.MouseDown(1, 0, 10, 10);
        c.MouseUp(1, 0, 10, 10);
        return Filter(f.host.log, "PlaySound");
    };
    c.SetSoundClick(SoundBytes{'R', 'I', 'F', 'F'});
    EXPECT_EQ(played(), Log{"PlaySound(4 bytes,7)"});
    c.SetSoundClick(std::nullopt); // not an array: bytes stay, unused
    EXPECT_EQ(c.SoundClick().size(), 4u);
    EXPECT_EQ(played(), Log{});
    c.SetSoundClick(SoundBytes{}); // an empty array is no sound to play
    EXPECT_EQ(played(), Log{});
    EXPECT_EQ(Filter(f.host.log, "PropertyChanged"), Log{});

    c.SetSoundEnter(SoundBytes{1, 2});
    c.SetSoundEnterURL(u"in.wav");
    c.SetSoundEnterURL(u"in.wav");
    EXPECT_EQ(Filter(f.host.log, "AsyncRead").size(), 1u);
    EXPECT_EQ(played(), Log{"PlaySound(2 bytes,7)"});
    c.SetSoundEnterURL(u"");
    EXPECT_EQ(played(), Log{});
    EXPECT_EQ(c.SoundEnter().size(), 2u);
}

TEST(Value, ProgrammaticClickPerStyle) {
    const Log click{"RaiseEvent(1)"};
    const Log open{"RaiseEvent(4)"};
    struct Case {
        std::int32_t style;
        Log events;
        bool checked;
    };
    for (const Case& tc : {
             Case{tvStyle::Normal, click, false}, Case{tvStyle::DropDown, click, false},
             Case{tvStyle::MenuItem, click, false}, Case{tvStyle::NonFlat, click, false},
             Case{tvStyle::Check, click, true}, Case{tvStyle::MenuItemCheck, click, true},
             Case{tvStyle::DropDownNoSeparator, open, false}, Case{tvStyle::Menu, open, false},
             Case{tvStyle::MenuItemCascade, open, false}, Case{tvStyle::Separator, {}, false},
             Case{tvStyle::MenuItemSeparator, {}, false}, Case{-1, {}, false},
             Case{tvStyle::NonFlat + 1, {}, false}, // numbers outside the enumeration do nothing
         }) {
        SCOPED_TRACE(tc.style);
        Fixture f;
        f.control.SetStyle(tc.style);
        std::vector<bool> valueInHandler;
        f.host.onEvent = [&](std::int32_t, auto) { valueInHandler.push_back(f.control.Value()); };
        f.host.Clear();
        f.control.SetValue(true);
        EXPECT_EQ(Filter(f.host.log, "RaiseEvent"), tc.events);
        EXPECT_EQ(f.control.Checked(), tc.checked);
        EXPECT_EQ(f.control.DroppedDown(), tc.events == open);
        EXPECT_EQ(valueInHandler, std::vector<bool>(tc.events.size(), true));
        EXPECT_FALSE(f.control.Value());
        f.control.SetValue(true); // a second click undoes the first
        EXPECT_FALSE(f.control.Checked());
        EXPECT_FALSE(f.control.DroppedDown());
        if (tc.events == open) {
            EXPECT_EQ(Filter(f.host.log, "RaiseEvent").back(), "RaiseEvent(5)");
        }
        f.control.SetValue(true);
        f.host.Clear();
        f.control.CancelDropDown(); // closes without a word
        EXPECT_FALSE(f.control.DroppedDown());
        EXPECT_EQ(Told(f.host.log), "");
    }
    Fixture design(false); // the designer gets no click
    design.control.SetStyle(tvStyle::Check);
    design.host.Clear();
    design.control.SetValue(true);
    EXPECT_EQ(design.host.log, Log{});
    EXPECT_FALSE(design.control.Checked());
}

TEST(Value, HandlerMayChangeTheControlWhileItsEventIsDelivered) {
    Fixture f;
    f.control.SetStyle(tvStyle::Check);
    f.host.onEvent = [&](std::int32_t, auto) {
        f.control.SetEnabled(false);
        f.control.SetStyle(tvStyle::Menu);
    };
    f.control.SetValue(true);
    EXPECT_FALSE(f.control.Enabled());
    EXPECT_EQ(f.control.Style(), tvStyle::Menu);
    EXPECT_FALSE(f.control.Value());
}

TEST(Timers, RedrawSizesOnceThenRepaintsOnce) {
    Fixture f;
    f.control.SetCaption(u"Sized"); // 30 + 6 + 4 pixels wide
    f.host.scaleWidth = 90;
    f.host.Clear();
    f.control.OnTimer(TimerId::Redraw);
    EXPECT_EQ(Filter(f.host.log, "SetTimer", "SetWidth"),
              (Log{"SetTimer(Redraw,off,0)", "SetWidth(600)", "SetTimer(Redraw,on,1000)"}));
    f.host.Clear();
    f.control.OnTimer(TimerId::Redraw);
    EXPECT_EQ(Filter(f.host.log, "SetTimer", "SetWidth"), Log{"SetTimer(Redraw,off,0)"});
    EXPECT_NE(Filter(f.host.log, "TextOut"), Log{}) << "repainted";
    EXPECT_EQ(LookOf(f.control), "flat");

    f.control.EnterFocus();
    f.control.MouseMove(0, 0, 10, 10);
    f.control.MouseDown(1, 0, 10, 10); // held: the timer leaves the face alone
    f.host.Clear();
    f.control.OnTimer(TimerId::Redraw);
    EXPECT_EQ(f.host.log, Log{"SetTimer(Redraw,off,0)"});
}

TEST(Lifecycle, InstancesAreCountedPerThread) {
    const int before = InstanceCount();
    {
        FakeHost host;
        Tovabel a{host};
        Tovabel b{host};
        a.Initialize();
        b.Initialize();
        EXPECT_EQ(InstanceCount(), before + 2);
        a.Terminate();
        b.Terminate();
    }
    EXPECT_EQ(InstanceCount(), before);
}

} // namespace
} // namespace tovabel::testing
