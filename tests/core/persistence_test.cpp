// Saving and loading: which keys a saved form holds, the order of reads and
// writes, the rules a load applies or skips, values the bag cannot convert, and
// the whole trip through the control's own stream.
#include "fake_host.h"

#include "persist/property_stream.h"
#include "persist/stream_bag.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace tovabel::testing {
namespace {

using Keys = std::vector<std::string>;

// The keys in log lines "Prefix(Key)" that start with `prefix`.
Keys KeysOf(const std::vector<std::string>& log, const std::string& prefix) {
    Keys keys;
    for (const std::string& line : Filter(log, prefix + "(")) {
        keys.push_back(line.substr(prefix.size() + 1, line.size() - prefix.size() - 2));
    }
    return keys;
}

struct NewControl {
    FakeHost host;
    Tovabel control{host};
    RecordingBag bag{host.log};

    NewControl() {
        control.Initialize();
        control.InitProperties();
        host.Clear();
    }
};

struct LoadedControl {
    FakeHost host;
    Tovabel control{host};
    RecordingBag bag{host.log};

    explicit LoadedControl(bool userMode = true) {
        host.userMode = userMode;
        control.Initialize();
        host.Clear();
    }
    void Load() { control.ReadProperties(bag); }
};

const Keys kWriteOrder = {"Style",         "AlignCaption",  "AlignPicture",  "AutoSize",
                          "BackColor",     "BorderStyle",   "Caption",       "Checked",
                          "Enabled",       "Font",          "FontDirection", "HighlightColor",
                          "MaskColor",     "MouseIcon",     "MousePointer",  "PlaySounds",
                          "SoundEnterURL", "SoundLeaveURL", "SoundClickURL", "ShadowColor",
                          "TextColor",     "ToolTipText",   "Transparent",   "UseSystemSounds"};

Keys Joined(std::initializer_list<Keys> parts) {
    Keys all;
    for (const Keys& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

TEST(SavedForm, HoldsOnlyKeysThatDifferFromTheirDefaults) {
    struct Case {
        const char* name;
        std::function<void(Tovabel&)> change;
        Keys stored;
    };
    const std::vector<Case> cases = {
        {"text colour 0", [](Tovabel& c) { c.SetTextColor(0); }, {"Caption", "ToolTipText"}},
        {"new text colour", [](Tovabel&) {}, {"Caption", "TextColor", "ToolTipText"}},
        {"pointer",
         [](Tovabel& c) {
             c.SetTextColor(0);
             c.SetMousePointer(11);
         },
         {"Caption", "MousePointer", "ToolTipText"}},
    };
    for (const Case& tc : cases) {
        for (bool userMode : {true, false}) {
            SCOPED_TRACE(std::string(tc.name) + (userMode ? " (run mode)" : " (design mode)"));
            FakeHost host;
            host.userMode = userMode;
            Tovabel control{host};
            control.InitProperties();
            tc.change(control);
            RecordingBag bag{host.log};
            host.Clear();
            control.WriteProperties(bag);
            EXPECT_EQ(bag.Keys(), tc.stored);
            EXPECT_EQ(KeysOf(host.log, "WriteProperty"),
                      Joined({kWriteOrder,
                              {"MouseIcon", "Picture", "PictureOver", "PictureDown",
                               "PictureDisabled"}}));
        }
    }
}

TEST(SavedForm, AURLTakesThePlaceOfItsPicture) {
    const Picture icon = MakePicture(PicType::Icon, 0x51);
    const Picture bitmap = MakePicture(PicType::Bitmap, 0x52);
    struct Case {
        const char* name;
        std::function<void(Tovabel&, FakeHost&)> setup;
        Keys tail; // writes after UseSystemSounds
        Keys stored;
    };
    const std::vector<Case> cases = {
        {"URLs for the cursor and two pictures",
         [&](Tovabel& c, FakeHost&) {
             c.SetURLMouseIcon(u"hand.cur");
             c.AsyncReadComplete(AsyncProperty{"MouseIcon", DownloadedValue{icon}}); // it came in
             c.SetURLPicture(u"up.gif");
             c.SetPictureOver(bitmap);
             c.SetURLPictureDown(u"down.gif");
         },
         {"URLMouseIcon", "URLPicture", "PictureOver", "URLPictureDown", "PictureDisabled"},
         {"Caption", "MouseIcon", "MousePointer", "ToolTipText", "URLMouseIcon", "URLPicture",
          "PictureOver", "URLPictureDown"}},
        {"a cursor without URL is written twice",
         [&](Tovabel& c, FakeHost&) {
             c.SetMouseIcon(icon);
             c.SetPicture(bitmap);
         },
         {"MouseIcon", "Picture", "PictureOver", "PictureDown", "PictureDisabled"},
         {"Caption", "MouseIcon", "ToolTipText", "Picture"}},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        NewControl f;
        f.control.SetTextColor(0);
        tc.setup(f.control, f.host);
        f.host.Clear();
        f.control.WriteProperties(f.bag);
        EXPECT_EQ(KeysOf(f.host.log, "WriteProperty"), Joined({kWriteOrder, tc.tail}));
        EXPECT_EQ(f.bag.Keys(), tc.stored);
    }
}

TEST(LoadedForm, ReadsKeysInOrderAndSkipsWhatTheStyleOrAURLDecides) {
    const Keys head = {"Style"};
    const Keys sounds = {"PlaySounds",    "UseSystemSounds", "SoundEnterURL",
                         "SoundLeaveURL", "SoundClickURL",   "MousePointer"};
    const Keys tail = {"ToolTipText",    "BorderStyle", "FontDirection", "BackColor", "MaskColor",
                       "HighlightColor", "ShadowColor", "Font",          "TextColor", "Enabled",
                       "AutoSize",       "Checked",     "Transparent",   "Caption"};
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, BagValue>> stored;
        Keys alignments;
        Keys pictures;
    };
    const std::vector<Case> cases = {
        {"empty bag",
         {},
         {"AlignCaption", "AlignPicture"},
         {"URLMouseIcon", "MouseIcon", "URLPicture", "Picture", "URLPictureOver", "PictureOver",
          "URLPictureDown", "PictureDown", "URLPictureDisabled", "PictureDisabled"}},
        {"menu item with URLs",
         {{"Style", BagValue{std::int32_t{tvStyle::MenuItem}}},
          {"URLMouseIcon", BagValue{Text(u"hand.cur")}},
          {"URLPictureOver", BagValue{Text(u"over.gif")}},
          {"URLPictureDisabled", BagValue{Text(u"off.gif")}}},
         {},
         {"URLMouseIcon", "URLPicture", "Picture", "URLPictureOver", "URLPictureDown",
          "PictureDown", "URLPictureDisabled"}},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        LoadedControl f;
        f.bag.values = tc.stored;
        f.Load();
        EXPECT_EQ(KeysOf(f.host.log, "ReadProperty"),
                  Joined({head, tc.alignments, sounds, tc.pictures, tail}));
    }
}

TEST(LoadedForm, AStoredURLStartsItsDownloadInsteadOfTheStoredPicture) {
    const Picture icon = MakePicture(PicType::Icon, 0x61);
    const Picture bitmap = MakePicture(PicType::Bitmap, 0x62);
    for (bool userMode : {true, false}) {
        SCOPED_TRACE(userMode ? "run mode" : "design mode");
        LoadedControl f(userMode);
        f.bag.values = {{"URLMouseIcon", BagValue{Text(u"hand.cur")}},
                        {"MouseIcon", BagValue{icon}},
                        {"URLPicture", BagValue{Text(u"up.gif")}},
                        {"Picture", BagValue{bitmap}},
                        {"PictureOver", BagValue{bitmap}},
                        {"SoundClickURL", BagValue{Text(u"click.wav")}}};
        f.Load();
        EXPECT_EQ(Filter(f.host.log, "AsyncRead"),
                  (Keys{"AsyncRead(click.wav,2,SoundClick)", "AsyncRead(hand.cur,0,MouseIcon)",
                        "AsyncRead(up.gif,0,Picture)"}));
        EXPECT_EQ(f.control.GetPicture(), nullptr); // until the download completes
        EXPECT_EQ(f.control.PictureOver(), bitmap);
        EXPECT_EQ(f.control.MouseIcon(), nullptr);
        EXPECT_EQ(f.control.MousePointer(), MousePointerCode::Custom);
        EXPECT_EQ(f.control.URLPicture(), u"up.gif");
    }
}

TEST(LoadedForm, FieldsLoadWithoutTheSettersRules) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, BagValue>> stored;
        std::function<void(Tovabel&, FakeHost&)> check;
    };
    const auto align = [](std::int32_t style) {
        return std::vector<std::pair<std::string, BagValue>>{
            {"Style", BagValue{style}},
            {"AlignCaption", BagValue{std::int32_t{3}}},
            {"AlignPicture", BagValue{std::int32_t{4}}}};
    };
    const auto bothLeft = [](Tovabel& c, FakeHost&) {
        EXPECT_EQ(c.AlignCaption(), tvAlign::AlignLeft);
        EXPECT_EQ(c.AlignPicture(), tvAlign::AlignLeft);
        EXPECT_TRUE(c.Traits().menuItem);
    };
    const std::vector<Case> cases = {
        {"MenuItem alignments", align(tvStyle::MenuItem), bothLeft},
        {"MenuItemCheck alignments", align(tvStyle::MenuItemCheck), bothLeft},
        {"MenuItemCascade alignments", align(tvStyle::MenuItemCascade), bothLeft},
        {"Menu keeps its alignments", align(tvStyle::Menu),
         [](Tovabel& c, FakeHost&) {
             EXPECT_EQ(c.AlignCaption(), 3);
             EXPECT_EQ(c.AlignPicture(), 4);
             EXPECT_FALSE(c.Traits().menuItem);
         }},
        {"Checked on a Normal button",
         {{"Style", BagValue{std::int16_t{0}}}, {"Checked", BagValue{true}}},
         [](Tovabel& c, FakeHost&) { EXPECT_TRUE(c.Checked()); }},
        {"FontDirection with a symbol font",
         {{"Font", BagValue{Font(std::make_shared<FakeFont>(u"Webdings"))}},
          {"FontDirection", BagValue{std::int32_t{1}}}},
         [](Tovabel& c, FakeHost&) {
             EXPECT_EQ(c.FontDirection(), 1);
             EXPECT_EQ(Narrow(c.GetFont()->Name()), "Webdings");
         }},
        {"Enabled false leaves the host enabled",
         {{"Enabled", BagValue{false}}},
         [](Tovabel& c, FakeHost& h) {
             EXPECT_FALSE(c.Enabled());
             EXPECT_TRUE(c.WindowEnabled());
             EXPECT_TRUE(Filter(h.log, "ApplyEnabled").empty());
         }},
        {"missing Caption",
         {{"ToolTipText", BagValue{Text(u"tip")}}},
         [](Tovabel& c, FakeHost& h) {
             EXPECT_EQ(c.Caption(), u"");
             EXPECT_EQ(c.ToolTipText(), u"tip");
             EXPECT_EQ(Filter(h.log, "PropertyChanged(Caption)").size(), 1u);
         }},
        {"values outside the enumerations are kept",
         {{"Style", BagValue{std::int32_t{70000}}},
          {"AlignCaption", BagValue{std::int32_t{-5}}},
          {"BorderStyle", BagValue{std::int32_t{7}}},
          {"FontDirection", BagValue{std::int32_t{9}}},
          {"MousePointer", BagValue{std::int16_t{-1}}}},
         [](Tovabel& c, FakeHost&) {
             EXPECT_EQ(c.Style(), 70000);
             EXPECT_EQ(c.AlignCaption(), -5);
             EXPECT_EQ(c.BorderStyle(), 7);
             EXPECT_EQ(c.FontDirection(), 9);
             EXPECT_EQ(c.MousePointer(), -1);
         }},
        {"colours go to the surface and the fields",
         {{"BackColor", BagValue{std::int32_t{0x123456}}},
          {"TextColor", BagValue{std::int32_t{-2147483640}}}, // &H80000008
          {"MaskColor", BagValue{std::int16_t{255}}},
          {"HighlightColor", BagValue{std::int32_t{0xFF}}}},
         [](Tovabel& c, FakeHost& h) {
             EXPECT_EQ(c.BackColor(), 0x123456u);
             EXPECT_EQ(c.TextColor(), 0x80000008u);
             EXPECT_EQ(c.MaskColor(), 255u);
             EXPECT_EQ(c.HighlightColor(), 0xFFu);
             EXPECT_EQ(c.ShadowColor(), 0x80000010u);
             EXPECT_TRUE(Filter(h.log, "PropertyChanged(BackColor)").empty());
         }},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        LoadedControl f;
        f.bag.values = tc.stored;
        f.Load();
        tc.check(f.control, f.host);
    }
}

TEST(LoadedForm, TransparencyRulesRunAndTheStartUpTailFollowsTheMode) {
    for (bool userMode : {true, false}) {
        SCOPED_TRACE(userMode ? "run mode" : "design mode");
        LoadedControl f(userMode);
        f.bag.values = {{"Transparent", BagValue{true}}, {"Caption", BagValue{Text(u"Save")}}};
        f.Load();
        EXPECT_TRUE(f.control.Transparent());
        EXPECT_EQ(f.control.Caption(), u""); // refused on a transparent button
        EXPECT_EQ(Filter(f.host.log, "MessageBox").size(), userMode ? 0u : 1u);
        const Keys tail = userMode ? Keys{"CreateToolTipWindow", "SubClass", "AddToolTip",
                                          "SetTimer(Redraw,on,1)"}
                                   : Keys{"SetTimer(Redraw,on,1)", "SetTimer(Redraw,on,1)"};
        const auto caption =
            std::find(f.host.log.begin(), f.host.log.end(), std::string("ReadProperty(Caption)"));
        ASSERT_NE(caption, f.host.log.end());
        Keys after(caption + 1, f.host.log.end());
        // The start-up steps, without the drawing of the first face.
        std::erase_if(after, [](const std::string& line) {
            return !line.starts_with("CreateToolTipWindow") && !line.starts_with("SubClass") &&
                   !line.starts_with("AddToolTip") && !line.starts_with("SetTimer");
        });
        EXPECT_EQ(after, tail);
        EXPECT_TRUE(f.host.timers[TimerId::Redraw].first);
    }
}

TEST(LoadedForm, AValueTheBagCannotConvertKeepsThePreviousOne) {
    struct Case {
        const char* key;
        BagValue stored;
        std::function<void(Tovabel&, FakeHost&)> check;
    };
    const Picture bitmap = MakePicture(PicType::Bitmap, 0x71);
    const std::vector<Case> cases = {
        {"Style", BagValue{Text(u"abc")},
         [](Tovabel& c, FakeHost&) { EXPECT_EQ(c.Style(), tvStyle::Menu); }},
        {"BackColor", BagValue{Text(u"red")},
         [](Tovabel& c, FakeHost&) { EXPECT_EQ(c.BackColor(), 0x00ABCDEFu); }},
        {"Caption", BagValue{bitmap},
         [](Tovabel& c, FakeHost& h) {
             EXPECT_EQ(c.Caption(), u"Old");
             EXPECT_TRUE(Filter(h.log, "PropertyChanged(Caption)").empty());
         }},
        {"Picture", BagValue{Text(u"up.gif")},
         [](Tovabel& c, FakeHost&) { EXPECT_EQ(c.GetPicture(), nullptr); }},
        {"PictureOver", BagValue{Font(std::make_shared<FakeFont>(u"Arial"))},
         [](Tovabel& c, FakeHost&) { EXPECT_EQ(c.PictureOver(), nullptr); }},
        {"Font", BagValue{bitmap},
         [](Tovabel& c, FakeHost&) { EXPECT_EQ(Narrow(c.GetFont()->Name()), "Old"); }},
        {"MousePointer", BagValue{std::int32_t{70000}},
         [](Tovabel& c, FakeHost&) { EXPECT_EQ(c.MousePointer(), 2); }},
        {"Enabled", BagValue{Text(u"maybe")},
         [](Tovabel& c, FakeHost&) { EXPECT_FALSE(c.Enabled()); }},
        {"URLPicture", BagValue{bitmap},
         [](Tovabel& c, FakeHost& h) {
             EXPECT_TRUE(Filter(h.log, "AsyncRead").empty());
             EXPECT_EQ(c.GetPicture(), nullptr);
         }},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.key);
        LoadedControl f;
        f.control.SetStyle(tvStyle::Menu);
        f.control.SetBackColor(0x00ABCDEF);
        f.control.SetCaption(u"Old");
        f.control.SetFont(std::make_shared<FakeFont>(u"Old"));
        f.control.SetMousePointer(2);
        f.control.SetEnabled(false);
        f.bag.values = {{tc.key, tc.stored}};
        f.host.Clear();
        f.Load();
        tc.check(f.control, f.host);
    }
}

// Every property away from its default goes through the stream and comes back.
TEST(StreamRoundTrip, ALoadedControlEqualsTheSavedOne) {
    const Picture icon = MakePicture(PicType::Icon, 0x81);
    struct Case {
        const char* name;
        std::function<void(Tovabel&)> change;
    };
    const std::vector<Case> cases = {
        {"pictures and a caption",
         [&](Tovabel& c) {
             c.SetStyle(tvStyle::Check);
             c.SetAlignCaption(tvAlign::AlignRight);
             c.SetAlignPicture(tvAlign::AlignMiddle);
             c.SetAutoSize(false);
             c.SetBackColor(0x00112233);
             c.SetBorderStyle(tvBorderStyle::None);
             c.SetCaption(u"&Save \u00e9");
             c.SetChecked(true);
             c.SetEnabled(false);
             c.SetFont(std::make_shared<FakeFont>(u"Arial", 120000));
             c.SetFontDirection(tvFontDirection::UpwardText);
             c.SetHighlightColor(0xFF);
             c.SetMaskColor(0xFF00FF);
             c.SetMouseIcon(icon);
             c.SetMousePointer(MousePointerCode::Custom);
             c.SetPlaySounds(false);
             c.SetSoundEnterURL(u"in.wav");
             c.SetSoundLeaveURL(u"out.wav");
             c.SetSoundClickURL(u"click.wav");
             c.SetShadowColor(0x808080);
             c.SetTextColor(0xFF0000);
             c.SetToolTipText(u"Saves");
             c.SetUseSystemSounds(false);
             c.SetPicture(MakePicture(PicType::Bitmap, 0x82));
             c.SetPictureOver(MakePicture(PicType::Bitmap, 0x83));
             c.SetPictureDown(MakePicture(PicType::Icon, 0x84));
             c.SetPictureDisabled(MakePicture(PicType::Bitmap, 0x85));
         }},
        {"URLs and transparency",
         [](Tovabel& c) {
             c.SetTransparent(true);
             c.SetURLMouseIcon(u"hand.cur");
             c.SetURLPicture(u"up.gif");
             c.SetURLPictureOver(u"over.gif");
             c.SetURLPictureDown(u"down.gif");
             c.SetURLPictureDisabled(u"off.gif");
         }},
        {"a caption of a million characters",
         [](Tovabel& c) { c.SetCaption(Text(std::size_t{1} << 20, u'W')); }},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        FakeObjectCodec codec;
        NewControl saved;
        tc.change(saved.control);
        persist::StreamBag out(codec);
        saved.control.WriteProperties(out);
        const auto bytes = persist::EncodeProperties(out.Entries());
        ASSERT_TRUE(bytes);

        persist::StreamEntries entries;
        ASSERT_EQ(persist::DecodeProperties(*bytes, entries), persist::StreamError::None);
        persist::StreamBag in(codec, entries);
        LoadedControl loaded;
        loaded.control.ReadProperties(in);
        // Every property differs from its default, so a value lost on the way
        // shows as a missing or different entry when the loaded control saves.
        persist::StreamBag again(codec);
        loaded.control.WriteProperties(again);
        EXPECT_EQ(again.Entries(), out.Entries());
    }
}

} // namespace
} // namespace tovabel::testing
