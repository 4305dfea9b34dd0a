// The property setters: what a new instance reads, what is refused, what is
// coerced, and the order of the calls a write makes when setters chain.
#include "fake_host.h"

#include "control/identity.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tovabel::testing {
namespace {

using Log = std::vector<std::string>;

constexpr const char* kMsgAutoSize = "AutoSize must be enabled for transparent buttons";
constexpr const char* kMsgCaption = "Captions are not allowed transparent buttons";
constexpr const char* kMsgIcon = "The transparency feature does not work with Icons - use a "
                                 "bitmap based image (bmp, gif, jpeg) instead";
constexpr const char* kMsgTransparentCaption =
    "The transparency feature does not work with captions - use a bitmap based image (bmp, "
    "gif, jpeg) for your button";
constexpr const char* kMsgPicture =
    "Picture properties must be an icon, bitmap, metafile, GIF or JPEG.";
constexpr const char* kMsgMouseIcon = "The MouseIcon property must be an icon or cursor";

std::string Box(const char* text, const char* title) {
    return std::string("MessageBox(") + text + "|0|" + title + ")";
}

struct Fixture {
    FakeHost host;
    Tovabel control{host};

    explicit Fixture(bool userMode = true) {
        host.userMode = userMode;
        control.Initialize();
        control.InitProperties();
        host.Clear();
    }
};

TEST(NewInstance, ReadsItsNewValuesInBothModes) {
    for (bool userMode : {true, false}) {
        SCOPED_TRACE(userMode ? "run mode" : "design mode");
        FakeHost host;
        host.userMode = userMode;
        Tovabel c{host};
        c.Initialize();
        c.InitProperties();

        EXPECT_EQ(c.AlignCaption(), tvAlign::AlignBottom);
        EXPECT_EQ(c.AlignPicture(), tvAlign::AlignTop);
        EXPECT_TRUE(c.AutoSize());
        EXPECT_EQ(c.BackColor(), 0x8000000Fu); // the surface's initial colour, untouched
        EXPECT_EQ(c.BorderStyle(), tvBorderStyle::FixedSingle);
        EXPECT_EQ(c.Caption(), u"");
        EXPECT_FALSE(c.Checked());
        EXPECT_FALSE(c.DroppedDown());
        EXPECT_TRUE(c.Enabled());
        EXPECT_EQ(c.GetFont(), host.ambientFont);
        EXPECT_EQ(c.FontDirection(), tvFontDirection::NormalText);
        EXPECT_EQ(c.HighlightColor(), 0x80000014u);
        EXPECT_EQ(c.MaskColor(), 0xC0C0C0u);
        EXPECT_EQ(c.MouseIcon(), nullptr);
        EXPECT_EQ(c.MousePointer(), 0);
        EXPECT_EQ(c.GetPicture(), nullptr);
        EXPECT_EQ(c.PictureOver(), nullptr);
        EXPECT_EQ(c.PictureDown(), nullptr);
        EXPECT_EQ(c.PictureDisabled(), nullptr);
        EXPECT_TRUE(c.PlaySounds());
        EXPECT_EQ(c.ShadowColor(), 0x80000010u);
        EXPECT_TRUE(c.SoundClick().empty());
        EXPECT_TRUE(c.SoundEnter().empty());
        EXPECT_TRUE(c.SoundLeave().empty());
        for (const Text* url :
             {&c.SoundClickURL(), &c.SoundEnterURL(), &c.SoundLeaveURL(), &c.URLMouseIcon(),
              &c.URLPicture(), &c.URLPictureOver(), &c.URLPictureDown(), &c.URLPictureDisabled()}) {
            EXPECT_EQ(*url, u"");
        }
        EXPECT_EQ(c.Style(), tvStyle::Normal);
        EXPECT_EQ(c.TextColor(), 0x80000012u);
        EXPECT_EQ(c.ToolTipText(), u"");
        EXPECT_FALSE(c.Transparent());
        EXPECT_TRUE(c.UseSystemSounds());
        EXPECT_FALSE(c.Value());
        EXPECT_EQ(c.Version(), u"1.0.0");
        EXPECT_EQ(c.hwnd(), 0x1234);

        // The start-up tail: window services and the first face at run time,
        // the raised (hover) face for the designer.
        const Log expectedTail = userMode
                                     ? Log{"CreateToolTipWindow", "SubClass", "AddToolTip"}
                                     : Log{"PropertyChanged(AutoSize)", "SetTimer(Redraw,on,1)"};
        Log startUp = host.log;
        std::erase_if(startUp, [](const std::string& line) {
            return !line.starts_with("CreateToolTipWindow") && !line.starts_with("SubClass") &&
                   !line.starts_with("AddToolTip") && !line.starts_with("PropertyChanged") &&
                   !line.starts_with("SetTimer");
        });
        ASSERT_GE(startUp.size(), expectedTail.size());
        EXPECT_EQ(Log(startUp.end() - static_cast<long>(expectedTail.size()), startUp.end()),
                  expectedTail);
        EXPECT_EQ(host.log.front(),
                  std::string("MarkSafeForScripting(") + identity::kTovabelClsid + ")");
    }
}

TEST(NewInstance, KeepsTheColoursAndPointerOfANewSurface) {
    // Initialising sets neither BackColor, TextColor nor MousePointer: they keep
    // the values of a new surface, and no change of them is notified.
    FakeHost host;
    Tovabel c{host};
    c.InitProperties();
    EXPECT_EQ(c.BackColor(), 0x8000000Fu);
    EXPECT_EQ(c.TextColor(), 0x80000012u);
    EXPECT_EQ(c.MousePointer(), 0);
    for (const char* name : {"BackColor", "TextColor", "MousePointer"}) {
        EXPECT_TRUE(Filter(host.log, std::string("PropertyChanged(") + name).empty()) << name;
    }
}

// A refusal keeps the property as it was; the designer sees why, a running
// program never does.
TEST(Refusals, KeepThePropertyAndTellOnlyTheDesigner) {
    struct Case {
        const char* name;
        std::function<void(Tovabel&)> setup;
        std::function<void(Tovabel&)> write;
        std::string message;
        std::function<void(Tovabel&, FakeHost&)> check;
    };
    const Picture bitmap = MakePicture(PicType::Bitmap, 0x77);
    const auto makeTransparent = [](Tovabel& c) { c.SetTransparent(true); };
    const std::vector<Case> cases = {
        {"AutoSize off while transparent", makeTransparent,
         [](Tovabel& c) { c.SetAutoSize(false); }, Box(kMsgAutoSize, "<default>"),
         [](Tovabel& c, FakeHost& h) {
             EXPECT_TRUE(c.AutoSize());
             EXPECT_TRUE(Filter(h.log, "PropertyChanged").empty());
         }},
        {"caption on a transparent button", makeTransparent,
         [](Tovabel& c) { c.SetCaption(u"Save"); }, Box(kMsgCaption, "<default>"),
         [](Tovabel& c, FakeHost& h) {
             EXPECT_EQ(c.Caption(), u"");
             EXPECT_TRUE(c.AutoSize());
             EXPECT_TRUE(Filter(h.log, "PropertyChanged").empty());
         }},
        {"transparent with an icon shown",
         [](Tovabel& c) { c.SetPicture(MakePicture(PicType::Icon, 0x55)); }, makeTransparent,
         Box(kMsgIcon, "<default>"),
         [](Tovabel& c, FakeHost& h) {
             EXPECT_FALSE(c.Transparent());
             EXPECT_TRUE(Filter(h.log, "ApplyShape").empty());
             EXPECT_TRUE(Filter(h.log, "PropertyChanged").empty());
         }},
        {"transparent with a caption", [](Tovabel& c) { c.SetCaption(u"&Open"); }, makeTransparent,
         Box(kMsgTransparentCaption, "<default>"),
         [](Tovabel& c, FakeHost& h) {
             EXPECT_FALSE(c.Transparent());
             EXPECT_TRUE(Filter(h.log, "ApplyShape").empty());
         }},
        {"metafile as Picture", [&](Tovabel& c) { c.SetPicture(bitmap); },
         [](Tovabel& c) { c.SetPicture(MakePicture(PicType::Metafile)); },
         Box(kMsgPicture, "Tovabel1"),
         [&](Tovabel& c, FakeHost& h) {
             EXPECT_EQ(c.GetPicture(), bitmap);
             EXPECT_TRUE(Filter(h.log, "PropertyChanged").empty());
         }},
        {"enhanced metafile as PictureOver keeps its URL",
         [](Tovabel& c) { c.SetURLPictureOver(u"over.bmp"); },
         [](Tovabel& c) { c.SetPictureOver(MakePicture(PicType::EnhMetafile)); },
         Box(kMsgPicture, "Tovabel1"),
         [](Tovabel& c, FakeHost& h) {
             EXPECT_EQ(c.PictureOver(), nullptr);
             EXPECT_EQ(c.URLPictureOver(), u"over.bmp");
             EXPECT_TRUE(Filter(h.log, "PropertyChanged").empty());
         }},
        {"unknown picture type as PictureDown", [](Tovabel&) {},
         [](Tovabel& c) { c.SetPictureDown(MakePicture(9)); }, Box(kMsgPicture, "Tovabel1"),
         [](Tovabel& c, FakeHost&) { EXPECT_EQ(c.PictureDown(), nullptr); }},
        {"metafile as PictureDisabled", [](Tovabel&) {},
         [](Tovabel& c) { c.SetPictureDisabled(MakePicture(PicType::Metafile)); },
         Box(kMsgPicture, "Tovabel1"),
         [](Tovabel& c, FakeHost&) { EXPECT_EQ(c.PictureDisabled(), nullptr); }},
        {"bitmap as MouseIcon keeps the cursor and its URL",
         [](Tovabel& c) { c.SetURLMouseIcon(u"hand.cur"); },
         [&](Tovabel& c) { c.SetMouseIcon(bitmap); }, Box(kMsgMouseIcon, "Tovabel1"),
         [](Tovabel& c, FakeHost& h) {
             EXPECT_EQ(c.MouseIcon(), nullptr);
             EXPECT_EQ(c.URLMouseIcon(), u"hand.cur");
             EXPECT_EQ(c.MousePointer(), MousePointerCode::Custom);
             EXPECT_TRUE(Filter(h.log, "PropertyChanged").empty());
         }},
    };
    for (const auto& tc : cases) {
        for (bool userMode : {false, true}) {
            SCOPED_TRACE(std::string(tc.name) + (userMode ? " (run mode)" : " (design mode)"));
            Fixture f(userMode);
            tc.setup(f.control);
            f.host.Clear();
            tc.write(f.control);
            const Log boxes = Filter(f.host.log, "MessageBox");
            EXPECT_EQ(boxes, userMode ? Log{} : Log{tc.message});
            tc.check(f.control, f.host);
        }
    }
}

TEST(Coercions, MenuItemsKeepBothAlignmentsLeft) {
    struct Case {
        std::int32_t style;
        std::int32_t requested;
        std::int32_t stored;
    };
    for (const Case& tc : {Case{tvStyle::MenuItem, tvAlign::AlignRight, tvAlign::AlignLeft},
                           Case{tvStyle::MenuItemCheck, tvAlign::AlignMiddle, tvAlign::AlignLeft},
                           Case{tvStyle::MenuItemCascade, 77, tvAlign::AlignLeft},
                           Case{tvStyle::Normal, tvAlign::AlignRight, tvAlign::AlignRight},
                           Case{tvStyle::Menu, 77, 77}, Case{tvStyle::Check, -5, -5}}) {
        SCOPED_TRACE(tc.style);
        Fixture f;
        f.control.SetStyle(tc.style);
        f.control.SetAlignCaption(tc.requested);
        f.control.SetAlignPicture(tc.requested);
        EXPECT_EQ(f.control.AlignCaption(), tc.stored);
        EXPECT_EQ(f.control.AlignPicture(), tc.stored);
    }
}

TEST(Coercions, AlignmentWritesActOnlyOnChange) {
    Fixture f;
    f.control.SetAlignCaption(tvAlign::AlignBottom); // already so
    EXPECT_TRUE(f.host.log.empty());
    f.control.SetAlignCaption(tvAlign::AlignTop);
    EXPECT_EQ(Notifications(f.host.log), (Log{"PropertyChanged(AlignCaption)"}));
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
        const Log expected = tc.stored == 0 ? Log{} : Log{"PropertyChanged(FontDirection)"};
        EXPECT_EQ(Notifications(f.host.log), expected);
    }
}

TEST(Coercions, CheckedHoldsOnlyForCheckStylesAndAlwaysNotifies) {
    struct Case {
        std::int32_t style;
        bool stored;
        Log log;
    };
    const Log notified{"PropertyChanged(Checked)"};
    for (const Case& tc :
         {Case{tvStyle::Normal, false, notified}, Case{tvStyle::Menu, false, notified},
          Case{42, false, notified}, Case{tvStyle::Check, true, notified},
          Case{tvStyle::MenuItemCheck, true, notified}}) {
        SCOPED_TRACE(tc.style);
        Fixture f;
        f.control.SetStyle(tc.style);
        f.host.Clear();
        f.control.SetChecked(true);
        EXPECT_EQ(f.control.Checked(), tc.stored);
        EXPECT_EQ(Notifications(f.host.log), tc.log);
    }
    // Leaving a check style drops the check.
    Fixture f;
    f.control.SetStyle(tvStyle::Check);
    f.control.SetChecked(true);
    f.control.SetStyle(tvStyle::DropDown);
    EXPECT_FALSE(f.control.Checked());
}

TEST(Coercions, EmptyPicturesBecomeNull) {
    struct Case {
        const char* name;
        Picture picture;
    };
    for (const Case& tc : {Case{"type none", MakePicture(PicType::None, 0x10)},
                           Case{"bitmap without a handle", MakePicture(PicType::Bitmap, 0)}}) {
        SCOPED_TRACE(tc.name);
        Fixture f;
        f.control.SetPicture(MakePicture(PicType::Bitmap, 0x20));
        f.control.SetURLPictureDown(u"down.gif");
        f.control.SetPictureDown(MakePicture(PicType::Bitmap, 0x21));
        f.control.SetURLPicture(u"pic.gif");
        f.control.SetPicture(tc.picture);
        f.control.SetPictureDown(tc.picture);
        EXPECT_EQ(f.control.GetPicture(), nullptr);
        EXPECT_EQ(f.control.URLPicture(), u"");
        EXPECT_EQ(f.control.PictureDown(), nullptr);
        EXPECT_EQ(f.control.URLPictureDown(), u"");
    }
}

TEST(Coercions, CursorPointerFollowsTheIconAndItsURL) {
    Fixture f;
    f.control.SetMouseIcon(nullptr);
    EXPECT_EQ(f.control.MousePointer(), MousePointerCode::Arrow); // not the default 0

    f.control.SetURLMouseIcon(u"http://127.0.0.1/hand.cur");
    EXPECT_EQ(f.control.MousePointer(), MousePointerCode::Custom); // before any download
    f.control.SetMouseIcon(MakePicture(PicType::Icon, 0x31));
    EXPECT_EQ(f.control.URLMouseIcon(), u"");
    EXPECT_EQ(f.control.MouseIcon()->Handle(), 0x31u);
    f.control.SetMouseIcon(MakePicture(PicType::None));
    EXPECT_EQ(f.control.MouseIcon(), nullptr);
    EXPECT_EQ(f.control.MousePointer(), MousePointerCode::Arrow);
}

TEST(Coercions, OutOfRangeEnumerationsAreStoredAsGiven) {
    Fixture f;
    for (std::int32_t v : {-1, 11, 0x7FFFFFFF, -0x7FFFFFFF - 1}) {
        f.control.SetStyle(v);
        EXPECT_EQ(f.control.Style(), v);
        EXPECT_FALSE(f.control.Traits().menuItem);
        f.control.SetBorderStyle(v);
        EXPECT_EQ(f.control.BorderStyle(), v);
        f.control.SetAlignPicture(v);
        EXPECT_EQ(f.control.AlignPicture(), v);
        f.control.SetValue(true); // a click of an unknown style does nothing
        EXPECT_FALSE(f.control.Value());
    }
}

TEST(Coercions, HugeCaptionIsKeptWhole) {
    Fixture f;
    const Text caption(1 << 20, u'W');
    f.control.SetCaption(caption);
    EXPECT_EQ(f.control.Caption(), caption);
}

// What the container is told of a write, in order, for the setters that chain
// into other setters.
TEST(Notifications, OfSettersThatChain) {
    struct Case {
        const char* name;
        bool userMode;
        std::function<void(Tovabel&)> setup;
        std::function<void(Tovabel&)> write;
        Log expected;
    };
    const std::vector<Case> cases = {
        {"Style = MenuItem",
         true,
         [](Tovabel&) {},
         [](Tovabel& c) { c.SetStyle(tvStyle::MenuItem); },
         {"PropertyChanged(Checked)", "PropertyChanged(AlignPicture)",
          "PropertyChanged(AlignCaption)", "PropertyChanged(Style)"}},
        {"Style = MenuItem on a transparent button",
         true,
         [](Tovabel& c) { c.SetTransparent(true); },
         [](Tovabel& c) { c.SetStyle(tvStyle::MenuItem); },
         {"PropertyChanged(Checked)", "PropertyChanged(Transparent)",
          "PropertyChanged(AlignPicture)", "PropertyChanged(AlignCaption)",
          "PropertyChanged(Style)"}},
        {"Transparent on a DropDown without AutoSize",
         false,
         [](Tovabel& c) {
             c.SetStyle(tvStyle::DropDown);
             c.SetAutoSize(false);
         },
         [](Tovabel& c) { c.SetTransparent(true); },
         {"PropertyChanged(Transparent)", "PropertyChanged(AutoSize)", "PropertyChanged(Checked)",
          "PropertyChanged(Style)"}},
        {"Transparent on a Check button keeps its style",
         true,
         [](Tovabel& c) { c.SetStyle(tvStyle::Check); },
         [](Tovabel& c) { c.SetTransparent(true); },
         {"PropertyChanged(Transparent)"}},
        {"Picture clears its URL first",
         true,
         [](Tovabel& c) { c.SetURLPicture(u"a.bmp"); },
         [](Tovabel& c) { c.SetPicture(MakePicture(PicType::Bitmap, 0x2000)); },
         {"PropertyChanged(URLPicture)", "PropertyChanged(Picture)"}},
        {"PictureOver shows at once for the designer",
         false,
         [](Tovabel&) {},
         [](Tovabel& c) { c.SetPictureOver(MakePicture(PicType::Icon, 0x3000)); },
         {"PropertyChanged(PictureOver)"}},
        {"PictureOver at run time waits for the pointer",
         true,
         [](Tovabel&) {},
         [](Tovabel& c) { c.SetPictureOver(MakePicture(PicType::Icon, 0x3000)); },
         {"PropertyChanged(PictureOver)"}},
        {"PictureDown changes nothing on screen",
         true,
         [](Tovabel&) {},
         [](Tovabel& c) { c.SetPictureDown(MakePicture(PicType::Bitmap, 0x3001)); },
         {"PropertyChanged(PictureDown)"}},
        {"empty URLPicture clears the picture",
         true,
         [](Tovabel& c) {
             c.SetPicture(MakePicture(PicType::Bitmap, 0x2000));
             c.SetURLPicture(u"a.bmp");
         },
         [](Tovabel& c) { c.SetURLPicture(u""); },
         {"PropertyChanged(URLPicture)", "PropertyChanged(Picture)"}},
        {"URLMouseIcon starts its download after the pointer",
         true,
         [](Tovabel&) {},
         [](Tovabel& c) { c.SetURLMouseIcon(u"cur.ico"); },
         {"PropertyChanged(MousePointer)", "PropertyChanged(URLMouseIcon)",
          "AsyncRead(cur.ico,0,MouseIcon)"}},
        {"empty URLMouseIcon clears the cursor",
         true,
         [](Tovabel& c) { c.SetURLMouseIcon(u"cur.ico"); },
         [](Tovabel& c) { c.SetURLMouseIcon(u""); },
         {"PropertyChanged(MousePointer)", "PropertyChanged(URLMouseIcon)",
          "PropertyChanged(MousePointer)", "PropertyChanged(MouseIcon)"}},
        {"sound URL starts a byte download",
         true,
         [](Tovabel&) {},
         [](Tovabel& c) { c.SetSoundEnterURL(u"in.wav"); },
         {"PropertyChanged(SoundEnterURL)", "AsyncRead(in.wav,2,SoundEnter)"}},
        {"Enabled at run time",
         true,
         [](Tovabel&) {},
         [](Tovabel& c) { c.SetEnabled(false); },
         {"ReleaseCapture", "ApplyEnabled(false)", "PropertyChanged(Enabled)"}},
        {"Enabled in design mode",
         false,
         [](Tovabel&) {},
         [](Tovabel& c) { c.SetEnabled(false); },
         {"ReleaseCapture", "ApplyEnabled(false)", "PropertyChanged(Enabled)"}},
        {"BorderStyle in design mode",
         false,
         [](Tovabel&) {},
         [](Tovabel& c) { c.SetBorderStyle(0); },
         {"PropertyChanged(BorderStyle)"}},
        {"BorderStyle at run time",
         true,
         [](Tovabel&) {},
         [](Tovabel& c) { c.SetBorderStyle(0); },
         {"PropertyChanged(BorderStyle)"}},
        {"AutoSize notifies before it lays out",
         true,
         [](Tovabel&) {},
         [](Tovabel& c) { c.SetAutoSize(false); },
         {"PropertyChanged(AutoSize)"}},
        {"Font",
         true,
         [](Tovabel&) {},
         [](Tovabel& c) { c.SetFont(std::make_shared<FakeFont>(u"Tahoma")); },
         {"ApplyFont(Tahoma)", "PropertyChanged(Font)"}},
        {"MousePointer",
         true,
         [](Tovabel&) {},
         [](Tovabel& c) { c.SetMousePointer(11); },
         {"PropertyChanged(MousePointer)"}},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.name);
        Fixture f(tc.userMode);
        tc.setup(f.control);
        f.host.Clear();
        tc.write(f.control);
        EXPECT_EQ(Notifications(f.host.log), tc.expected);
    }
}

TEST(Coercions, TransparentSetsItsDependents) {
    Fixture f(false);
    f.control.SetStyle(tvStyle::DropDown);
    f.control.SetTransparent(true);
    EXPECT_TRUE(f.control.Transparent());
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
            const FrameColours frame = FrameColoursOf(f.control);
            EXPECT_EQ(frame.top == 0x0000FF, topLeft);
            EXPECT_EQ(frame.left == 0x0000FF, topLeft);
            EXPECT_EQ(frame.bottom == 0x0000FF, !topLeft);
            EXPECT_EQ(frame.right == 0x0000FF, !topLeft);
            EXPECT_EQ(Notifications(f.host.log), Log{highlight ? "PropertyChanged(HighlightColor)"
                                                               : "PropertyChanged(ShadowColor)"});
        }
    }
}

// The flags that cut the loops between a picture and its URL property, the
// cursor and its URL, and the tooltip and the extender.
TEST(Reentry, PictureAndURLDoNotChaseEachOther) {
    Fixture f;
    Tovabel& c = f.control;
    std::vector<std::string> seen;
    f.host.onPropertyChanged = [&](std::string_view name) { seen.push_back(std::string(name)); };
    f.host.onAsyncRead = [&] { seen.push_back("download"); };

    c.SetURLPicture(u"a.bmp");
    c.SetURLPicture(u"a.bmp");                        // the same text again starts nothing
    c.SetPicture(MakePicture(PicType::Bitmap, 0x40)); // empties the URL, downloads nothing
    EXPECT_EQ(c.URLPicture(), u"");
    EXPECT_EQ(HandleOf(c.GetPicture()), 0x40u);
    c.SetURLPicture(u"b.bmp"); // keeps the picture until the download comes
    EXPECT_EQ(HandleOf(c.GetPicture()), 0x40u);
    c.SetURLPicture(u""); // removes the picture and keeps the URL empty
    EXPECT_EQ(seen, (std::vector<std::string>{"URLPicture", "download", "URLPicture", "Picture",
                                              "URLPicture", "download", "URLPicture", "Picture"}));
    EXPECT_EQ(Filter(f.host.log, "AsyncRead").size(), 2u);
    EXPECT_EQ(c.URLPicture(), u"");
    EXPECT_EQ(c.GetPicture(), nullptr);
}

TEST(Reentry, CursorAndURLDoNotChaseEachOther) {
    Fixture f;
    Tovabel& c = f.control;
    std::vector<std::string> seen;
    f.host.onPropertyChanged = [&](std::string_view name) { seen.push_back(std::string(name)); };
    c.SetURLMouseIcon(u"a.cur");
    c.SetMouseIcon(MakePicture(PicType::Icon, 0x41));
    EXPECT_EQ(seen, (std::vector<std::string>{"MousePointer", "URLMouseIcon", "MousePointer",
                                              "URLMouseIcon", "MouseIcon"}));
    EXPECT_EQ(Filter(f.host.log, "AsyncRead").size(), 1u);
    EXPECT_EQ(c.MouseIcon()->Handle(), 0x41u);
    EXPECT_EQ(c.URLMouseIcon(), u"");
    EXPECT_EQ(c.MousePointer(), MousePointerCode::Custom);
}

TEST(Reentry, RefusedDownloadLeavesTheURLAndNoFlag) {
    Fixture f;
    f.host.refuseDownloads = true;
    f.control.SetURLPictureDisabled(u"ftp://nowhere/x.bmp");
    EXPECT_EQ(f.control.URLPictureDisabled(), u"ftp://nowhere/x.bmp");
    f.control.SetPictureDisabled(MakePicture(PicType::Bitmap, 0x42)); // a direct assignment
    EXPECT_EQ(f.control.URLPictureDisabled(), u"");
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
        if (tc.extender) {
            EXPECT_EQ(f.host.extenderToolTip, Text());
        }
        EXPECT_EQ(reentries, tc.extenderReenters ? 1 : 0);
    }
}

TEST(Reentry, ToolTipEqualToTheExtenderChangesNothing) {
    Fixture f;
    f.host.extenderToolTip = Text(u"Same");
    f.control.SetToolTipText(u"Other");
    ASSERT_EQ(f.control.ToolTipText(), u"Same");
    f.host.extenderToolTip = Text(u"Same"); // the container puts its text back
    f.host.Clear();
    f.control.SetToolTipText(u"Other");
    EXPECT_EQ(f.control.ToolTipText(), u"Same");
    EXPECT_TRUE(f.host.log.empty());
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
    EXPECT_EQ(c.SoundClick(), (SoundBytes{'R', 'I', 'F', 'F'}));
    EXPECT_EQ(played(), Log{"PlaySound(4 bytes,7)"});
    c.SetSoundClick(std::nullopt); // not an array: bytes stay, unused
    EXPECT_EQ(c.SoundClick().size(), 4u);
    EXPECT_EQ(played(), Log{});
    c.SetSoundClick(SoundBytes{}); // an empty array is no sound to play
    EXPECT_EQ(played(), Log{});
    EXPECT_TRUE(Filter(f.host.log, "PropertyChanged").empty());

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
    struct Case {
        std::int32_t style;
        Log events;
        bool checked;
        bool droppedDown;
    };
    for (const Case& tc : {
             Case{tvStyle::Normal, {"RaiseEvent(1)"}, false, false},
             Case{tvStyle::DropDown, {"RaiseEvent(1)"}, false, false},
             Case{tvStyle::MenuItem, {"RaiseEvent(1)"}, false, false},
             Case{tvStyle::NonFlat, {"RaiseEvent(1)"}, false, false},
             Case{tvStyle::Check, {"RaiseEvent(1)"}, true, false},
             Case{tvStyle::MenuItemCheck, {"RaiseEvent(1)"}, true, false},
             Case{tvStyle::DropDownNoSeparator, {"RaiseEvent(4)"}, false, true},
             Case{tvStyle::Menu, {"RaiseEvent(4)"}, false, true},
             Case{tvStyle::MenuItemCascade, {"RaiseEvent(4)"}, false, true},
             Case{tvStyle::Separator, {}, false, false},
             Case{tvStyle::MenuItemSeparator, {}, false, false},
             Case{-1, {}, false, false}, // numbers outside the enumeration do nothing
             Case{tvStyle::NonFlat + 1, {}, false, false},
         }) {
        SCOPED_TRACE(tc.style);
        Fixture f;
        f.control.SetStyle(tc.style);
        std::vector<bool> valueInHandler;
        f.host.onEvent = [&](std::int32_t) { valueInHandler.push_back(f.control.Value()); };
        f.host.Clear();
        f.control.SetValue(true);
        EXPECT_EQ(Filter(f.host.log, "RaiseEvent"), tc.events);
        EXPECT_EQ(f.control.Checked(), tc.checked);
        EXPECT_EQ(f.control.DroppedDown(), tc.droppedDown);
        EXPECT_EQ(valueInHandler, std::vector<bool>(tc.events.size(), true));
        EXPECT_FALSE(f.control.Value());
    }
}

TEST(Value, SecondClickClosesADropDownAndTheDesignerGetsNone) {
    Fixture f;
    f.control.SetStyle(tvStyle::Menu);
    f.control.SetValue(true);
    f.host.Clear();
    f.control.SetValue(true);
    EXPECT_EQ(Notifications(f.host.log), (Log{"RaiseEvent(5)"}));
    EXPECT_FALSE(f.control.DroppedDown());

    Fixture design(false);
    design.control.SetStyle(tvStyle::Check);
    design.host.Clear();
    design.control.SetValue(true);
    EXPECT_TRUE(design.host.log.empty());
    EXPECT_FALSE(design.control.Checked());
    EXPECT_FALSE(design.control.Value());
}

TEST(Value, HandlerMayChangeTheControlWhileItsEventIsDelivered) {
    Fixture f;
    f.control.SetStyle(tvStyle::Check);
    f.host.onEvent = [&](std::int32_t) {
        f.control.SetEnabled(false);
        f.control.SetStyle(tvStyle::Menu);
    };
    f.control.SetValue(true);
    EXPECT_FALSE(f.control.Enabled());
    EXPECT_EQ(f.control.Style(), tvStyle::Menu);
    EXPECT_FALSE(f.control.Value());
}

TEST(CancelDropDown, ClosesOnlyDropDownStyles) {
    for (std::int32_t style : {tvStyle::DropDown, tvStyle::DropDownNoSeparator, tvStyle::Menu,
                               tvStyle::MenuItemCascade, tvStyle::Normal, tvStyle::Check}) {
        SCOPED_TRACE(style);
        Fixture f;
        f.control.SetStyle(style);
        f.control.SetValue(true); // opens the drop-down styles that a press opens
        f.control.KeyDown(40, 4); // Alt+Down opens the others
        f.host.Clear();
        f.control.CancelDropDown();
        EXPECT_FALSE(f.control.DroppedDown());
        EXPECT_TRUE(Notifications(f.host.log).empty()) << "closing raises nothing";
    }
}

TEST(Timers, RedrawSizesOnceThenRepaintsOnce) {
    Fixture f;
    f.control.SetCaption(u"Sized"); // 30 + 6 + 4 pixels wide
    f.host.scaleWidth = 90;
    f.host.Clear();
    f.control.OnTimer(TimerId::Redraw);
    EXPECT_EQ(Filter(f.host.log, "SetTimer"),
              (Log{"SetTimer(Redraw,off,0)", "SetTimer(Redraw,on,1000)"}));
    EXPECT_EQ(Filter(f.host.log, "SetWidth"), Log{"SetWidth(600)"});
    f.host.Clear();
    f.control.OnTimer(TimerId::Redraw);
    EXPECT_EQ(Filter(f.host.log, "SetTimer"), Log{"SetTimer(Redraw,off,0)"});
    EXPECT_FALSE(Filter(f.host.log, "TextOut").empty()) << "repainted";
    EXPECT_TRUE(Filter(f.host.log, "SetWidth").empty());
    EXPECT_EQ(LookOf(f.control), "flat");

    f.host.extenderTabStop = true;
    f.control.EnterFocus();
    f.control.MouseMove(0, 0, 10, 10);
    f.control.MouseDown(1, 0, 10, 10); // held: the timer leaves the face alone
    f.host.Clear();
    f.control.OnTimer(TimerId::Redraw);
    EXPECT_EQ(f.host.log, (Log{"SetTimer(Redraw,off,0)"}));
}

TEST(Timers, MenuPopOpensOnlyCascadeItems) {
    for (std::int32_t style : {tvStyle::MenuItemCascade, tvStyle::MenuItem}) {
        Fixture f;
        f.control.SetStyle(style);
        f.host.Clear();
        f.control.OnTimer(TimerId::MenuPop);
        const bool cascade = style == tvStyle::MenuItemCascade;
        EXPECT_EQ(f.control.DroppedDown(), cascade);
        EXPECT_EQ(Filter(f.host.log, "RaiseEvent"), cascade ? Log{"RaiseEvent(4)"} : Log{});
        EXPECT_EQ(f.host.log.front(), "SetTimer(MenuPop,off,500)");
    }
}

TEST(Methods, VersionAboutBoxAndSubclass) {
    Fixture f;
    f.host.app = {u"Tovabel", u"Tovabel", 2, 10, 305};
    EXPECT_EQ(f.control.Version(), u"2.10.305");
    f.control.AboutBox();
    f.control.SubClass();
    f.control.UnSubClass();
    EXPECT_EQ(f.host.log, (Log{"ShowAboutBox", "SubClass", "UnSubClass"}));
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
