// Saving and loading: which keys a saved form holds, the rules a load applies or
// skips, values the bag cannot convert, and the whole trip through the
// control's own stream.
#include "fake_host.h"

#include "persist/property_stream.h"
#include "persist/stream_bag.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace tovabel::testing {
namespace {

using Stored = std::vector<std::pair<std::string, BagValue>>;
using Change = std::function<void(Tovabel&)>;

// The keys of a saved form, in their order.
std::string KeysOf(const persist::StreamEntries& entries) {
    std::string keys;
    for (const auto& entry : entries) {
        keys += (keys.empty() ? "" : " ") + entry.key;
    }
    return keys;
}

struct Form {
    FakeHost host;
    Tovabel control{host};
    FakeObjectCodec codec;

    // A new control, or one about to be loaded.
    explicit Form(bool isNew, bool userMode = true) {
        host.userMode = userMode;
        control.Initialize();
        if (isNew) {
            control.InitProperties();
        }
        host.Clear();
    }
    void Load(const persist::StreamEntries& entries) {
        persist::StreamBag bag(codec, entries);
        control.ReadProperties(bag);
    }
    void Load(const Stored& stored) { Load(SavedForm(stored)); }
    persist::StreamEntries Save() {
        persist::StreamBag bag(codec);
        control.WriteProperties(bag);
        return bag.Entries();
    }
};

// A saved form holds only the keys that differ from their default (a new
// control's text colour does), in the order they are written; a URL property
// is saved in place of its picture.
TEST(SavedForm, HoldsOnlyKeysThatDifferFromTheirDefaults) {
    const Picture icon = MakePicture(PicType::Icon, 0x51);
    const Picture bitmap = MakePicture(PicType::Bitmap, 0x52);
    const std::vector<std::pair<Change, std::string>> cases = {
        {[](Tovabel&) {}, "Caption TextColor ToolTipText"},
        {[](Tovabel& c) {
             c.SetTextColor(0);
             c.SetMousePointer(11);
         },
         "Caption MousePointer ToolTipText"},
        {[&](Tovabel& c) {
             c.SetTextColor(0);
             c.SetURLMouseIcon(u"hand.cur");
             c.AsyncReadComplete(AsyncProperty{"MouseIcon", DownloadedValue{icon}}); // it came in
             c.SetURLPicture(u"up.gif");
             c.SetPictureOver(bitmap);
             c.SetURLPictureDown(u"down.gif");
         },
         "Caption MouseIcon MousePointer ToolTipText URLMouseIcon URLPicture PictureOver "
         "URLPictureDown"},
        {[&](Tovabel& c) {
             c.SetTextColor(0);
             c.SetMouseIcon(icon);
             c.SetPicture(bitmap);
         },
         "Caption MouseIcon ToolTipText Picture"},
    };
    for (const auto& [change, stored] : cases) {
        for (bool userMode : {true, false}) {
            SCOPED_TRACE(stored + (userMode ? " (run mode)" : " (design mode)"));
            Form f(true, userMode);
            change(f.control);
            EXPECT_EQ(KeysOf(f.Save()), stored);
        }
    }
}

TEST(LoadedForm, AStoredURLStartsItsDownloadInsteadOfTheStoredPicture) {
    const Picture icon = MakePicture(PicType::Icon, 0x61);
    const Picture bitmap = MakePicture(PicType::Bitmap, 0x62);
    for (bool userMode : {true, false}) {
        SCOPED_TRACE(userMode ? "run mode" : "design mode");
        Form f(false, userMode);
        f.Load({{"URLMouseIcon", BagValue{Text(u"hand.cur")}},
                {"MouseIcon", BagValue{icon}},
                {"URLPicture", BagValue{Text(u"up.gif")}},
                {"Picture", BagValue{bitmap}},
                {"PictureOver", BagValue{bitmap}},
                {"SoundClickURL", BagValue{Text(u"click.wav")}}});
        EXPECT_EQ(Filter(f.host.log, "AsyncRead"),
                  (Log{"AsyncRead(click.wav,2,SoundClick)", "AsyncRead(hand.cur,0,MouseIcon)",
                       "AsyncRead(up.gif,0,Picture)"}));
        EXPECT_EQ(f.control.GetPicture(), nullptr); // until the download completes
        EXPECT_EQ(HandleOf(f.control.PictureOver()), 0x62u);
        EXPECT_EQ(f.control.MouseIcon(), nullptr);
        EXPECT_EQ(f.control.MousePointer(), MousePointerCode::Custom);
        EXPECT_EQ(f.control.URLPicture(), u"up.gif");
    }
}

std::string Shown(const persist::StreamValue& value) {
    if (const auto* text = std::get_if<Text>(&value)) {
        return Narrow(*text);
    }
    if (const auto* blob = std::get_if<persist::ObjectBlob>(&value)) {
        return std::string(blob->bytes.begin(), blob->bytes.end());
    }
    if (const auto* small = std::get_if<std::int16_t>(&value)) {
        return Str(*small);
    }
    return std::holds_alternative<bool>(value) ? Str(std::get<bool>(value))
                                               : Str(std::get<std::int32_t>(value));
}

// The keys and values of a saved form.
std::string Dump(const persist::StreamEntries& entries) {
    std::string out;
    for (const auto& [key, value] : entries) {
        out += (out.empty() ? "" : " ") + key + "=" + Shown(value);
    }
    return out;
}

// A load stores what it reads without the setters' rules, but for the menu
// items' alignments; the container hears of the caption only.
TEST(LoadedForm, FieldsLoadWithoutTheSettersRules) {
    const auto align = [](std::int32_t style) {
        return Stored{{"Style", BagValue{style}},
                      {"AlignCaption", BagValue{std::int32_t{3}}},
                      {"AlignPicture", BagValue{std::int32_t{4}}}};
    };
    const std::vector<std::pair<Stored, std::string>> cases = {
        {align(tvStyle::MenuItem), "Style=6 AlignCaption=2 AlignPicture=2 Caption= ToolTipText="},
        {align(tvStyle::MenuItemCascade),
         "Style=8 AlignCaption=2 AlignPicture=2 Caption= ToolTipText="},
        {align(tvStyle::Menu), "Style=5 AlignCaption=3 AlignPicture=4 Caption= ToolTipText="},
        {{{"Style", BagValue{std::int16_t{0}}}, {"Checked", BagValue{true}}},
         "Caption= Checked=true ToolTipText="},
        {{{"Font", BagValue{Font(std::make_shared<FakeFont>(u"Webdings"))}},
          {"FontDirection", BagValue{std::int32_t{1}}}},
         "Caption= Font=82500 Webdings FontDirection=1 ToolTipText="},
        {{{"Enabled", BagValue{false}}, {"ToolTipText", BagValue{Text(u"tip")}}},
         "Caption= Enabled=false ToolTipText=tip"},
        {{{"Style", BagValue{std::int32_t{70000}}},
          {"AlignCaption", BagValue{std::int32_t{-5}}},
          {"BorderStyle", BagValue{std::int32_t{7}}},
          {"FontDirection", BagValue{std::int32_t{9}}},
          {"MousePointer", BagValue{std::int16_t{-1}}}},
         "Style=70000 AlignCaption=-5 BorderStyle=7 Caption= FontDirection=9 MousePointer=-1 "
         "ToolTipText="},
        {{{"BackColor", BagValue{std::int32_t{0x123456}}},
          {"TextColor", BagValue{std::int32_t{-2147483640}}}, // &H80000008
          {"MaskColor", BagValue{std::int16_t{255}}},
          {"HighlightColor", BagValue{std::int32_t{0xFF}}}},
         "BackColor=1193046 Caption= HighlightColor=255 MaskColor=255 TextColor=-2147483640 "
         "ToolTipText="},
    };
    for (const auto& [stored, saved] : cases) {
        SCOPED_TRACE(saved);
        Form f(false);
        f.Load(stored);
        EXPECT_EQ(Filter(f.host.log, "ApplyEnabled", "PropertyChanged(Caption)",
                         "PropertyChanged(Enabled)", "PropertyChanged(BackColor)"),
                  Log{"PropertyChanged(Caption)"});
        EXPECT_EQ(Dump(f.Save()), saved);
    }
}

TEST(LoadedForm, TransparencyRulesRunAndTheServicesFollowTheMode) {
    for (bool userMode : {true, false}) {
        SCOPED_TRACE(userMode ? "run mode" : "design mode");
        Form f(false, userMode);
        f.Load({{"Transparent", BagValue{true}}, {"Caption", BagValue{Text(u"Save")}}});
        EXPECT_TRUE(f.control.Transparent());
        EXPECT_EQ(f.control.Caption(), u""); // refused on a transparent button
        EXPECT_EQ(Filter(f.host.log, "MessageBox").size(), userMode ? 0u : 1u);
        EXPECT_EQ(Filter(f.host.log, "CreateToolTipWindow", "SubClass", "AddToolTip", "SetTimer"),
                  (userMode ? Log{"CreateToolTipWindow", "SubClass", "AddToolTip",
                                  "SetTimer(Redraw,on,1)"}
                            : Log{"SetTimer(Redraw,on,1)", "SetTimer(Redraw,on,1)"}));
    }
}

// A value of the wrong kind leaves the property as it was before the load.
TEST(LoadedForm, AValueTheBagCannotConvertKeepsThePreviousOne) {
    const persist::ObjectBlob picture{BagKind::StdPicture, {'1', ' ', '7'}};
    const persist::StreamEntries damaged = {
        {"Style", Text(u"abc")},
        {"BackColor", Text(u"red")},
        {"Caption", picture},
        {"Picture", Text(u"up.gif")},
        {"PictureOver", persist::ObjectBlob{BagKind::StdFont, {'9', ' ', 'A'}}},
        {"Font", picture},
        {"MousePointer", std::int32_t{70000}},
        {"Enabled", Text(u"maybe")},
        {"URLPicture", picture},
    };
    for (const auto& [key, value] : damaged) {
        SCOPED_TRACE(key);
        Form f(true);
        f.control.SetStyle(tvStyle::Menu);
        f.control.SetBackColor(0x00ABCDEF);
        f.control.SetCaption(u"Old");
        f.control.SetFont(std::make_shared<FakeFont>(u"Old"));
        f.control.SetMousePointer(2);
        f.control.SetEnabled(false);
        const persist::StreamEntries before = f.Save();
        persist::StreamEntries loaded = before;
        std::erase_if(loaded, [&](const auto& entry) { return entry.key == key; });
        loaded.push_back({key, value});
        f.host.Clear();
        f.Load(loaded);
        EXPECT_EQ(Filter(f.host.log, "AsyncRead"), Log{});
        EXPECT_EQ(f.Save(), before);
    }
}

// Every property away from its default goes through the stream and comes back.
TEST(StreamRoundTrip, ALoadedControlEqualsTheSavedOne) {
    const std::vector<std::pair<const char*, Change>> cases = {
        {"pictures and a caption",
         [](Tovabel& c) {
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
             c.SetMouseIcon(MakePicture(PicType::Icon, 0x81));
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
    for (const auto& [name, change] : cases) {
        SCOPED_TRACE(name);
        FakeObjectCodec codec;
        Form saved(true);
        change(saved.control);
        persist::StreamBag out(codec);
        saved.control.WriteProperties(out);
        if (name == cases[0].first) { // every key, in the order they are written
            EXPECT_EQ(KeysOf(out.Entries()),
                      "Style AlignCaption AlignPicture AutoSize BackColor BorderStyle Caption "
                      "Checked Enabled Font FontDirection HighlightColor MaskColor MouseIcon "
                      "MousePointer PlaySounds SoundEnterURL SoundLeaveURL SoundClickURL "
                      "ShadowColor TextColor ToolTipText UseSystemSounds Picture PictureOver "
                      "PictureDown PictureDisabled");
        }
        const auto bytes = persist::EncodeProperties(out.Entries());
        ASSERT_TRUE(bytes);

        persist::StreamEntries entries;
        ASSERT_EQ(persist::DecodeProperties(*bytes, entries), persist::StreamError::None);
        persist::StreamBag in(codec, entries);
        Form loaded(false);
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
