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
    RecordingTovabel control{host};

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
        RecordingTovabel c{host};
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
        const Log expectedTail =
            userMode ? Log{"CreateToolTipWindow", "SubClass", "AddToolTip", "PaintState(0)"}
                     : Log{"PropertyChanged(AutoSize)", "Cls(8000000F)", "LayoutControl",
                           "PaintState(1)"};
        ASSERT_GE(host.log.size(), expectedTail.size());
        EXPECT_EQ(Log(host.log.end() - static_cast<long>(expectedTail.size()), host.log.end()),
                  expectedTail);
        EXPECT_EQ(host.log.front(),
                  std::string("MarkSafeForScripting(") + identity::kTovabelClsid + ")");
    }
}

TEST(NewInstance, KeepsTheColoursAndPointerOfANewSurface) {
    // Initialising sets neither BackColor, TextColor nor MousePointer: they keep
    // the values of a new surface, and no change of them is notified.
    FakeHost host;
    RecordingTovabel c{host};
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
        std::function<void(RecordingTovabel&)> setup;
        std::function<void(RecordingTovabel&)> write;
        std::string message;
        std::function<void(RecordingTovabel&, FakeHost&)> check;
    };
    const Picture bitmap = MakePicture(PicType::Bitmap, 0x77);
    const auto makeTransparent = [](RecordingTovabel& c) { c.SetTransparent(true); };
    const std::vector<Case> cases = {
        {"AutoSize off while transparent", makeTransparent,
         [](RecordingTovabel& c) { c.SetAutoSize(false); }, Box(kMsgAutoSize, "<default>"),
         [](RecordingTovabel& c, FakeHost& h) {
             EXPECT_TRUE(c.AutoSize());
             EXPECT_TRUE(Filter(h.log, "PropertyChanged").empty());
         }},
        {"caption on a transparent button", makeTransparent,
         [](RecordingTovabel& c) { c.SetCaption(u"Save"); }, Box(kMsgCaption, "<default>"),
         [](RecordingTovabel& c, FakeHost& h) {
             EXPECT_EQ(c.Caption(), u"");
             EXPECT_TRUE(c.AutoSize());
             EXPECT_TRUE(Filter(h.log, "PropertyChanged").empty());
         }},
        {"transparent with an icon shown",
         [](RecordingTovabel& c) { c.SetPicture(MakePicture(PicType::Icon, 0x55)); },
         makeTransparent, Box(kMsgIcon, "<default>"),
         [](RecordingTovabel& c, FakeHost& h) {
             EXPECT_FALSE(c.Transparent());
             EXPECT_TRUE(Filter(h.log, "ApplyShape").empty());
             EXPECT_TRUE(Filter(h.log, "PropertyChanged").empty());
         }},
        {"transparent with a caption", [](RecordingTovabel& c) { c.SetCaption(u"&Open"); },
         makeTransparent, Box(kMsgTransparentCaption, "<default>"),
         [](RecordingTovabel& c, FakeHost& h) {
             EXPECT_FALSE(c.Transparent());
             EXPECT_TRUE(Filter(h.log, "ApplyShape").empty());
         }},
        {"metafile as Picture", [&](RecordingTovabel& c) { c.SetPicture(bitmap); },
         [](RecordingTovabel& c) { c.SetPicture(MakePicture(PicType::Metafile)); },
         Box(kMsgPicture, "Tovabel1"),
         [&](RecordingTovabel& c, FakeHost& h) {
             EXPECT_EQ(c.GetPicture(), bitmap);
             EXPECT_TRUE(Filter(h.log, "PropertyChanged").empty());
         }},
        {"enhanced metafile as PictureOver keeps its URL",
         [](RecordingTovabel& c) { c.SetURLPictureOver(u"over.bmp"); },
         [](RecordingTovabel& c) { c.SetPictureOver(MakePicture(PicType::EnhMetafile)); },
         Box(kMsgPicture, "Tovabel1"),
         [](RecordingTovabel& c, FakeHost& h) {
             EXPECT_EQ(c.PictureOver(), nullptr);
             EXPECT_EQ(c.URLPictureOver(), u"over.bmp");
             EXPECT_TRUE(Filter(h.log, "PropertyChanged").empty());
         }},
        {"unknown picture type as PictureDown", [](RecordingTovabel&) {},
         [](RecordingTovabel& c) { c.SetPictureDown(MakePicture(9)); },
         Box(kMsgPicture, "Tovabel1"),
         [](RecordingTovabel& c, FakeHost&) { EXPECT_EQ(c.PictureDown(), nullptr); }},
        {"metafile as PictureDisabled", [](RecordingTovabel&) {},
         [](RecordingTovabel& c) { c.SetPictureDisabled(MakePicture(PicType::Metafile)); },
         Box(kMsgPicture, "Tovabel1"),
         [](RecordingTovabel& c, FakeHost&) { EXPECT_EQ(c.PictureDisabled(), nullptr); }},
        {"bitmap as MouseIcon keeps the cursor and its URL",
         [](RecordingTovabel& c) { c.SetURLMouseIcon(u"hand.cur"); },
         [&](RecordingTovabel& c) { c.SetMouseIcon(bitmap); }, Box(kMsgMouseIcon, "Tovabel1"),
         [](RecordingTovabel& c, FakeHost& h) {
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
    EXPECT_EQ(f.host.log, (Log{"Cls(8000000F)", "LayoutControl", "PropertyChanged(AlignCaption)"}));
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
        const Log expected = tc.stored == 0 ? Log{}
                                            : Log{"Cls(8000000F)", "LayoutControl",
                                                  "PropertyChanged(FontDirection)"};
        EXPECT_EQ(f.host.log, expected);
    }
}

TEST(Coercions, CheckedHoldsOnlyForCheckStylesAndAlwaysNotifies) {
    struct Case {
        std::int32_t style;
        bool stored;
        Log log;
    };
    const Log repaint{"Cls(8000000F)", "LayoutControl", "PaintState(0)",
                      "PropertyChanged(Checked)"};
    for (const Case& tc :
         {Case{tvStyle::Normal, false, {"PropertyChanged(Checked)"}},
          Case{tvStyle::Menu, false, {"PropertyChanged(Checked)"}},
          Case{42, false, {"PropertyChanged(Checked)"}}, Case{tvStyle::Check, true, repaint},
          Case{tvStyle::MenuItemCheck, true, repaint}}) {
        SCOPED_TRACE(tc.style);
        Fixture f;
        f.control.SetStyle(tc.style);
        f.host.Clear();
        f.control.SetChecked(true);
        EXPECT_EQ(f.control.Checked(), tc.stored);
        EXPECT_EQ(f.host.log, tc.log);
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

// The recorded order of the calls a write makes, for the setters that chain
// into other setters or share steps.
TEST(CallOrder, SettersThatChain) {
    struct Case {
        const char* name;
        bool userMode;
        std::function<void(RecordingTovabel&)> setup;
        std::function<void(RecordingTovabel&)> write;
        Log expected;
    };
    const std::vector<Case> cases = {
        {"Style = MenuItem",
         true,
         [](RecordingTovabel&) {},
         [](RecordingTovabel& c) { c.SetStyle(tvStyle::MenuItem); },
         {"PropertyChanged(Checked)", "Cls(8000000F)", "LayoutControl",
          "PropertyChanged(AlignPicture)", "Cls(8000000F)", "LayoutControl",
          "PropertyChanged(AlignCaption)", "Cls(8000000F)", "LayoutControl", "PaintState(0)",
          "PropertyChanged(Style)"}},
        {"Style = MenuItem on a transparent button",
         true,
         [](RecordingTovabel& c) { c.SetTransparent(true); },
         [](RecordingTovabel& c) { c.SetStyle(tvStyle::MenuItem); },
         {"PropertyChanged(Checked)", "PropertyChanged(Transparent)", "ApplyShape(null,C0C0C0)",
          "Cls(8000000F)", "LayoutControl", "PropertyChanged(AlignPicture)", "Cls(8000000F)",
          "LayoutControl", "PropertyChanged(AlignCaption)", "Cls(8000000F)", "LayoutControl",
          "PaintState(0)", "PropertyChanged(Style)"}},
        {"Transparent on a DropDown without AutoSize",
         false,
         [](RecordingTovabel& c) {
             c.SetStyle(tvStyle::DropDown);
             c.SetAutoSize(false);
         },
         [](RecordingTovabel& c) { c.SetTransparent(true); },
         {"PropertyChanged(Transparent)", "ApplyShape(null,C0C0C0)", "PropertyChanged(AutoSize)",
          "Cls(8000000F)", "LayoutControl", "PropertyChanged(Checked)", "Cls(8000000F)",
          "LayoutControl", "PaintState(1)", "PropertyChanged(Style)"}},
        {"Transparent on a Check button keeps its style",
         true,
         [](RecordingTovabel& c) { c.SetStyle(tvStyle::Check); },
         [](RecordingTovabel& c) { c.SetTransparent(true); },
         {"PropertyChanged(Transparent)", "ApplyShape(null,C0C0C0)"}},
        {"Picture clears its URL first",
         true,
         [](RecordingTovabel& c) { c.SetURLPicture(u"a.bmp"); },
         [](RecordingTovabel& c) { c.SetPicture(MakePicture(PicType::Bitmap, 0x2000)); },
         {"PropertyChanged(URLPicture)", "Cls(8000000F)", "ApplyShape(null,C0C0C0)",
          "LayoutControl", "PropertyChanged(Picture)"}},
        {"PictureOver shows at once for the designer",
         false,
         [](RecordingTovabel&) {},
         [](RecordingTovabel& c) { c.SetPictureOver(MakePicture(PicType::Icon, 0x3000)); },
         {"ApplyShape(null,C0C0C0)", "DrawPicture", "LayoutArrow", "PropertyChanged(PictureOver)"}},
        {"PictureOver at run time waits for the pointer",
         true,
         [](RecordingTovabel&) {},
         [](RecordingTovabel& c) { c.SetPictureOver(MakePicture(PicType::Icon, 0x3000)); },
         {"DrawPicture", "LayoutArrow", "PropertyChanged(PictureOver)"}},
        {"PictureDown changes nothing on screen",
         true,
         [](RecordingTovabel&) {},
         [](RecordingTovabel& c) { c.SetPictureDown(MakePicture(PicType::Bitmap, 0x3001)); },
         {"PropertyChanged(PictureDown)"}},
        {"empty URLPicture clears the picture",
         true,
         [](RecordingTovabel& c) {
             c.SetPicture(MakePicture(PicType::Bitmap, 0x2000));
             c.SetURLPicture(u"a.bmp");
         },
         [](RecordingTovabel& c) { c.SetURLPicture(u""); },
         {"PropertyChanged(URLPicture)", "Cls(8000000F)", "ApplyShape(null,C0C0C0)",
          "LayoutControl", "PropertyChanged(Picture)"}},
        {"URLMouseIcon starts its download after the pointer",
         true,
         [](RecordingTovabel&) {},
         [](RecordingTovabel& c) { c.SetURLMouseIcon(u"cur.ico"); },
         {"PropertyChanged(MousePointer)", "PropertyChanged(URLMouseIcon)",
          "AsyncRead(cur.ico,0,MouseIcon)"}},
        {"empty URLMouseIcon clears the cursor",
         true,
         [](RecordingTovabel& c) { c.SetURLMouseIcon(u"cur.ico"); },
         [](RecordingTovabel& c) { c.SetURLMouseIcon(u""); },
         {"PropertyChanged(MousePointer)", "PropertyChanged(URLMouseIcon)",
          "PropertyChanged(MousePointer)", "PropertyChanged(MouseIcon)"}},
        {"sound URL starts a byte download",
         true,
         [](RecordingTovabel&) {},
         [](RecordingTovabel& c) { c.SetSoundEnterURL(u"in.wav"); },
         {"PropertyChanged(SoundEnterURL)", "AsyncRead(in.wav,2,SoundEnter)"}},
        {"Enabled at run time",
         true,
         [](RecordingTovabel&) {},
         [](RecordingTovabel& c) { c.SetEnabled(false); },
         {"ReleaseCapture", "PaintState(0)", "ApplyEnabled(false)", "PropertyChanged(Enabled)"}},
        {"Enabled in design mode",
         false,
         [](RecordingTovabel&) {},
         [](RecordingTovabel& c) { c.SetEnabled(false); },
         {"ReleaseCapture", "PaintState(1)", "ApplyEnabled(false)", "PropertyChanged(Enabled)"}},
        {"BorderStyle in design mode",
         false,
         [](RecordingTovabel&) {},
         [](RecordingTovabel& c) { c.SetBorderStyle(0); },
         {"PaintState(1)", "PropertyChanged(BorderStyle)"}},
        {"BorderStyle at run time",
         true,
         [](RecordingTovabel&) {},
         [](RecordingTovabel& c) { c.SetBorderStyle(0); },
         {"PropertyChanged(BorderStyle)"}},
        {"AutoSize notifies before it lays out",
         true,
         [](RecordingTovabel&) {},
         [](RecordingTovabel& c) { c.SetAutoSize(false); },
         {"PropertyChanged(AutoSize)", "Cls(8000000F)", "LayoutControl"}},
        {"Font",
         true,
         [](RecordingTovabel&) {},
         [](RecordingTovabel& c) { c.SetFont(std::make_shared<FakeFont>(u"Tahoma")); },
         {"ApplyFont(Tahoma)", "Cls(8000000F)", "LayoutControl", "PropertyChanged(Font)"}},
        {"MousePointer",
         true,
         [](RecordingTovabel&) {},
         [](RecordingTovabel& c) { c.SetMousePointer(11); },
         {"PropertyChanged(MousePointer)"}},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.name);
        Fixture f(tc.userMode);
        tc.setup(f.control);
        f.host.Clear();
        tc.write(f.control);
        EXPECT_EQ(f.host.log, tc.expected);
    }
}

TEST(CallOrder, TransparentSetsItsDependents) {
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

TEST(CallOrder, EdgeColoursFollowTheButton) {
    struct Case {
        bool buttonDown;
        bool highlight;
        int first;
        int second;
    };
    for (const Case& tc :
         {Case{false, true, Edge::Top, Edge::Left}, Case{false, false, Edge::Bottom, Edge::Right},
          Case{true, true, Edge::Bottom, Edge::Right}, Case{true, false, Edge::Top, Edge::Left}}) {
        SCOPED_TRACE(std::to_string(tc.buttonDown) + std::to_string(tc.highlight));
        Fixture f;
        for (auto& line : f.control.lnBorder) {
            line.BorderColor = 0xABCDEF;
        }
        f.control.mLeftButtonDown = tc.buttonDown;
        if (tc.highlight) {
            f.control.SetHighlightColor(0x0000FF);
        } else {
            f.control.SetShadowColor(0x0000FF);
        }
        for (int edge = 0; edge < 4; ++edge) {
            const bool painted = edge == tc.first || edge == tc.second;
            EXPECT_EQ(f.control.lnBorder[edge].BorderColor, painted ? 0x0000FFu : 0xABCDEFu)
                << "edge " << edge;
        }
        EXPECT_EQ(f.host.log, (Log{"Cls(8000000F)", "LayoutControl",
                                   tc.highlight ? "PropertyChanged(HighlightColor)"
                                                : "PropertyChanged(ShadowColor)"}));
    }
}

// The flags that cut the loops between a picture and its URL property, the
// cursor and its URL, and the tooltip and the extender.
TEST(ReentryFlags, PictureAndURLDoNotChaseEachOther) {
    Fixture f;
    RecordingTovabel& c = f.control;
    std::vector<std::string> seen;
    f.host.onPropertyChanged = [&](std::string_view name) {
        seen.push_back(std::string(name) + ":clearing=" + std::to_string(c.mClearingURL) +
                       ",fromURL=" + std::to_string(c.mPictureFromURL));
    };
    f.host.onAsyncRead = [&] {
        seen.push_back("download:fromURL=" + std::to_string(c.mPictureFromURL));
    };

    c.SetURLPicture(u"a.bmp");
    c.SetURLPicture(u"a.bmp"); // the same text again starts nothing
    c.SetPicture(MakePicture(PicType::Bitmap, 0x40));
    c.SetURLPicture(u"b.bmp");
    c.SetURLPicture(u"");
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "URLPicture:clearing=0,fromURL=1", "download:fromURL=1",
                        "URLPicture:clearing=1,fromURL=0", "Picture:clearing=0,fromURL=0",
                        "URLPicture:clearing=0,fromURL=1", "download:fromURL=1",
                        "URLPicture:clearing=0,fromURL=1", "Picture:clearing=0,fromURL=1"}));
    EXPECT_EQ(Filter(f.host.log, "AsyncRead").size(), 2u);
    EXPECT_FALSE(c.mClearingURL);
    EXPECT_FALSE(c.mPictureFromURL);
    EXPECT_EQ(c.GetPicture(), nullptr);
}

TEST(ReentryFlags, CursorAndURLDoNotChaseEachOther) {
    Fixture f;
    RecordingTovabel& c = f.control;
    std::vector<std::string> seen;
    f.host.onPropertyChanged = [&](std::string_view name) {
        seen.push_back(std::string(name) + ":clearing=" + std::to_string(c.mClearingURL) +
                       ",fromURL=" + std::to_string(c.mMouseIconFromURL));
    };
    c.SetURLMouseIcon(u"a.cur");
    c.SetMouseIcon(MakePicture(PicType::Icon, 0x41));
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "MousePointer:clearing=0,fromURL=1", "URLMouseIcon:clearing=0,fromURL=1",
                        "MousePointer:clearing=1,fromURL=0", "URLMouseIcon:clearing=1,fromURL=0",
                        "MouseIcon:clearing=0,fromURL=0"}));
    EXPECT_EQ(c.MouseIcon()->Handle(), 0x41u);
    EXPECT_FALSE(c.mMouseIconFromURL);
}

TEST(ReentryFlags, RefusedDownloadLeavesTheURLAndNoFlag) {
    Fixture f;
    f.host.refuseDownloads = true;
    f.control.SetURLPictureDisabled(u"ftp://nowhere/x.bmp");
    EXPECT_EQ(f.control.URLPictureDisabled(), u"ftp://nowhere/x.bmp");
    EXPECT_FALSE(f.control.mPictureFromURL);
}

TEST(ReentryFlags, ToolTipTakesOverTheExtenderOnce) {
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
        EXPECT_FALSE(f.control.mToolTipGuard);
        EXPECT_EQ(Filter(f.host.log, "PropertyChanged"), Log{"PropertyChanged(ToolTipText)"});
        if (tc.extender) {
            EXPECT_EQ(f.host.extenderToolTip, Text());
        }
        EXPECT_EQ(reentries, tc.extenderReenters ? 1 : 0);
    }
}

TEST(ReentryFlags, ToolTipEqualToTheExtenderChangesNothing) {
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
    RecordingTovabel& c = f.control;
    c.SetSoundClick(SoundBytes{'R', 'I', 'F', 'F'});
    EXPECT_EQ(c.SoundClick(), (SoundBytes{'R', 'I', 'F', 'F'}));
    EXPECT_TRUE(c.mHasSoundClick);
    c.SetSoundClick(std::nullopt); // not an array: bytes stay, unused
    EXPECT_EQ(c.SoundClick().size(), 4u);
    EXPECT_FALSE(c.mHasSoundClick);
    c.SetSoundClick(SoundBytes{}); // an empty array is no sound to play
    EXPECT_FALSE(c.mHasSoundClick);
    EXPECT_TRUE(Filter(f.host.log, "PropertyChanged").empty());

    c.SetSoundEnter(SoundBytes{1, 2});
    c.SetSoundEnterURL(u"in.wav");
    c.SetSoundEnterURL(u"in.wav");
    EXPECT_EQ(Filter(f.host.log, "AsyncRead").size(), 1u);
    EXPECT_TRUE(c.mHasSoundEnter);
    c.SetSoundEnterURL(u"");
    EXPECT_FALSE(c.mHasSoundEnter);
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
    EXPECT_EQ(f.host.log, (Log{"PaintState(0)", "RaiseEvent(5)"}));
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
        f.control.mDroppedDown = true;
        f.host.Clear();
        f.control.CancelDropDown();
        const bool dropDownStyle = style != tvStyle::Normal && style != tvStyle::Check;
        EXPECT_EQ(f.control.DroppedDown(), !dropDownStyle);
        EXPECT_EQ(f.host.log, dropDownStyle ? Log{"PaintState(0)"} : Log{});
    }
}

TEST(Timers, RedrawSizesOnceThenRepaintsOnce) {
    Fixture f;
    f.control.OnTimer(TimerId::Redraw);
    EXPECT_EQ(f.host.log,
              (Log{"SetTimer(Redraw,off,0)", "AutoSizeControl", "SetTimer(Redraw,on,1000)"}));
    f.host.Clear();
    f.control.OnTimer(TimerId::Redraw);
    EXPECT_EQ(f.host.log, (Log{"SetTimer(Redraw,off,0)", "PaintState(0)"}));
    EXPECT_FALSE(f.host.timers[TimerId::Redraw].first);

    f.control.mHasFocus = true;
    f.host.Clear();
    f.control.OnTimer(TimerId::Redraw);
    EXPECT_EQ(f.host.log, (Log{"SetTimer(Redraw,off,0)", "PaintState(1)"}));
    f.control.mLeftButtonDown = true;
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
        RecordingTovabel a{host};
        RecordingTovabel b{host};
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
