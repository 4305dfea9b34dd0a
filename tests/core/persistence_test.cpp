// Saving and loading: which keys a saved form holds, the rules a load applies
// or skips, values the bag cannot convert, and the whole trip through the
// control's own stream.
#include "fake_host.h"

#include "persist/property_stream.h"
#include "persist/stream_bag.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tovabel::testing {
namespace {

using Stored = std::vector<std::pair<std::string, BagValue>>;
using T = Tovabel;

const auto Long = [](std::int32_t v) { return BagValue(v); };
const auto Integer = [](std::int16_t v) { return BagValue(v); };
const auto Txt = [](const char16_t* text) { return BagValue(Text(text)); };

// The keys of a saved form in their order, with their values when `values`.
std::string Dump(const persist::StreamEntries& entries, bool values = true) {
    std::string out;
    for (const auto& [key, value] : entries) {
        out += (out.empty() ? "" : " ") + key;
        if (values) {
            out += "=" + std::visit([](const auto& v) { return Str(v); }, value);
        }
    }
    return out;
}

// A saved form holds only the keys that differ from their default (a new
// control's text colour does), in the order they are written; a URL property
// is saved in place of its picture.
TEST(SavedForm, HoldsOnlyKeysThatDifferFromTheirDefaults) {
    const Picture icon = Pic(Icon, 0x51);
    const Change black = Set(&T::SetTextColor, 0);
    const std::pair<Change, std::string> cases[] = {
        {All(), "Caption TextColor ToolTipText"},
        {All(black, Set(&T::SetMousePointer, 11)), "Caption MousePointer ToolTipText"},
        {All(
             black, Set(&T::SetURLMouseIcon, u"hand.cur"),
             [&](T& c) {
                 c.AsyncReadComplete(AsyncProperty{"MouseIcon", DownloadedValue{icon}});
             },
             Set(&T::SetURLPicture, u"up.gif"), Set(&T::SetPictureOver, Pic(Bitmap, 0x52)),
             Set(&T::SetURLPictureDown, u"down.gif")),
         "Caption MouseIcon MousePointer ToolTipText URLMouseIcon URLPicture "
         "PictureOver "
         "URLPictureDown"},
        {All(black, Set(&T::SetMouseIcon, icon), Set(&T::SetPicture, Pic(Bitmap, 0x52))),
         "Caption MouseIcon ToolTipText Picture"},
    };
    for (const auto& [change, stored] : cases) {
        for (bool userMode : {true, false}) {
            SCOPED_TRACE(stored + (userMode ? " (run mode)" : " (design mode)"));
            Button f({.userMode = userMode});
            change(f.control);
            EXPECT_EQ(Dump(f.Saved(), false), stored);
        }
    }
}

TEST(LoadedForm, AStoredURLStartsItsDownloadInsteadOfTheStoredPicture) {
    for (bool userMode : {true, false}) {
        SCOPED_TRACE(userMode ? "run mode" : "design mode");
        Button f({.userMode = userMode, .isNew = false});
        f.Load(SavedForm({{"URLMouseIcon", Txt(u"hand.cur")},
                          {"MouseIcon", Pic(Icon, 0x61)},
                          {"URLPicture", Txt(u"up.gif")},
                          {"Picture", Pic(Bitmap, 0x62)},
                          {"PictureOver", Pic(Bitmap, 0x62)},
                          {"SoundClickURL", Txt(u"click.wav")}}));
        EXPECT_EQ(Joined(Filter(f.host.log, "AsyncRead")),
                  "AsyncRead(click.wav,2,SoundClick) AsyncRead(hand.cur,0,MouseIcon) "
                  "AsyncRead(up.gif,0,Picture)");
        EXPECT_EQ(f.control.GetPicture(), nullptr); // until the download completes
        EXPECT_EQ(HandleOf(f.control.PictureOver()), 0x62u);
        EXPECT_EQ(f.control.MouseIcon(), nullptr);
        EXPECT_EQ(f.control.MousePointer(), MousePointerCode::Custom);
        EXPECT_EQ(f.control.URLPicture(), u"up.gif");
    }
}

// A load stores what it reads without the setters' rules, but for the menu
// items' alignments; the container hears of the caption only.
TEST(LoadedForm, FieldsLoadWithoutTheSettersRules) {
    const auto align = [](std::int32_t style) {
        return Stored{{"Style", Long(style)}, {"AlignCaption", Long(3)}, {"AlignPicture", Long(4)}};
    };
    const std::pair<Stored, std::string> cases[] = {
        {align(6), "Style=6 AlignCaption=2 AlignPicture=2 Caption= ToolTipText="},
        {align(8), "Style=8 AlignCaption=2 AlignPicture=2 Caption= ToolTipText="},
        {align(5), "Style=5 AlignCaption=3 AlignPicture=4 Caption= ToolTipText="},
        {{{"Style", Integer(0)}, {"Checked", true}}, "Caption= Checked=true ToolTipText="},
        {{{"Font", Font(std::make_shared<FakeFont>(u"Webdings"))}, {"FontDirection", Long(1)}},
         "Caption= Font=82500 Webdings FontDirection=1 ToolTipText="},
        {{{"Enabled", false}, {"ToolTipText", Txt(u"tip")}},
         "Caption= Enabled=false ToolTipText=tip"},
        {{{"Style", Long(70000)},
          {"AlignCaption", Long(-5)},
          {"BorderStyle", Long(7)},
          {"FontDirection", Long(9)},
          {"MousePointer", Integer(-1)}},
         "Style=70000 AlignCaption=-5 BorderStyle=7 Caption= FontDirection=9 "
         "MousePointer=-1 "
         "ToolTipText="},
        {{{"BackColor", Long(0x123456)},
          {"TextColor", Long(-2147483640)}, // &H80000008
          {"MaskColor", Integer(255)},
          {"HighlightColor", Long(0xFF)}},
         "BackColor=1193046 Caption= HighlightColor=255 MaskColor=255 "
         "TextColor=-2147483640 "
         "ToolTipText="},
    };
    for (const auto& [stored, saved] : cases) {
        SCOPED_TRACE(saved);
        Button f({.isNew = false});
        f.Load(SavedForm(stored));
        EXPECT_EQ(Told(Filter(f.host.log, "ApplyEnabled", "PropertyChanged(Caption)",
                              "PropertyChanged(Enabled)", "PropertyChanged(BackColor)")),
                  "Caption");
        EXPECT_EQ(Dump(f.Saved()), saved);
    }
}

TEST(LoadedForm, TransparencyRulesRun) {
    for (bool userMode : {true, false}) {
        SCOPED_TRACE(userMode ? "run mode" : "design mode");
        Button f({.userMode = userMode, .isNew = false});
        f.Load(SavedForm({{"Transparent", true}, {"Caption", Txt(u"Save")}}));
        EXPECT_TRUE(f.control.Transparent());
        EXPECT_EQ(f.control.Caption(), u""); // refused on a transparent button
        EXPECT_EQ(Filter(f.host.log, "MessageBox").size(), userMode ? 0u : 1u);
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
        Button f({.style = tvStyle::Menu});
        All(Set(&T::SetBackColor, 0x00ABCDEF), Set(&T::SetCaption, u"Old"),
            Set(&T::SetFont, std::make_shared<FakeFont>(u"Old")), Set(&T::SetMousePointer, 2),
            Set(&T::SetEnabled, false))(f.control);
        const persist::StreamEntries before = f.Saved();
        persist::StreamEntries loaded = before;
        std::erase_if(loaded, [&](const auto& entry) { return entry.key == key; });
        loaded.push_back({key, value});
        f.host.Clear();
        f.Load(loaded);
        EXPECT_EQ(Filter(f.host.log, "AsyncRead"), Log{});
        EXPECT_EQ(f.Saved(), before);
    }
}

// Every property away from its default goes through the stream and comes back:
// a value lost on the way shows as a missing or different entry when the
// loaded control saves.
TEST(StreamRoundTrip, ALoadedControlEqualsTheSavedOne) {
    const std::pair<Change, std::string> cases[] = {
        {All(Set(&T::SetStyle, tvStyle::Check), Set(&T::SetAlignCaption, tvAlign::AlignRight),
             Set(&T::SetAlignPicture, tvAlign::AlignMiddle), Set(&T::SetAutoSize, false),
             Set(&T::SetBackColor, 0x00112233), Set(&T::SetBorderStyle, 0),
             Set(&T::SetCaption, u"&Save \u00e9"), Set(&T::SetChecked, true),
             Set(&T::SetEnabled, false), Set(&T::SetFont, std::make_shared<FakeFont>(u"Arial", 1)),
             Set(&T::SetFontDirection, 3), Set(&T::SetHighlightColor, 0xFF),
             Set(&T::SetMaskColor, 0xFF00FF), Set(&T::SetMouseIcon, Pic(Icon)),
             Set(&T::SetMousePointer, MousePointerCode::Custom), Set(&T::SetPlaySounds, false),
             Set(&T::SetSoundEnterURL, u"in.wav"), Set(&T::SetSoundLeaveURL, u"out.wav"),
             Set(&T::SetSoundClickURL, u"click.wav"), Set(&T::SetShadowColor, 0x808080),
             Set(&T::SetTextColor, 0xFF0000), Set(&T::SetToolTipText, u"Saves"),
             Set(&T::SetUseSystemSounds, false), Set(&T::SetPicture, Pic(1, 0x82)),
             Set(&T::SetPictureOver, Pic(1, 0x83)), Set(&T::SetPictureDown, Pic(Icon, 0x84)),
             Set(&T::SetPictureDisabled, Pic(1, 0x85))),
         "Style AlignCaption AlignPicture AutoSize BackColor BorderStyle Caption "
         "Checked Enabled "
         "Font FontDirection HighlightColor MaskColor MouseIcon MousePointer "
         "PlaySounds "
         "SoundEnterURL SoundLeaveURL SoundClickURL ShadowColor TextColor "
         "ToolTipText "
         "UseSystemSounds Picture PictureOver PictureDown PictureDisabled"},
        {All(Set(&T::SetTransparent, true), Set(&T::SetURLMouseIcon, u"hand.cur"),
             Set(&T::SetURLPicture, u"up.gif"), Set(&T::SetURLPictureOver, u"over.gif"),
             Set(&T::SetURLPictureDown, u"down.gif"), Set(&T::SetURLPictureDisabled, u"off.gif")),
         "BorderStyle Caption MousePointer TextColor ToolTipText Transparent URLMouseIcon "
         "URLPicture URLPictureOver URLPictureDown URLPictureDisabled"},
        {Set(&T::SetCaption, Text(std::size_t{1} << 20, u'W')), "Caption TextColor ToolTipText"},
    };
    for (const auto& [change, keys] : cases) {
        SCOPED_TRACE(keys);
        Button saved;
        change(saved.control);
        const persist::StreamEntries out = saved.Saved();
        EXPECT_EQ(Dump(out, false),
                  keys); // every key, in the order they are written
        const auto bytes = persist::EncodeProperties(out);
        ASSERT_TRUE(bytes);
        persist::StreamEntries entries;
        ASSERT_EQ(persist::DecodeProperties(*bytes, entries), persist::StreamError::None);
        Button loaded({.isNew = false});
        loaded.Load(entries);
        EXPECT_EQ(loaded.Saved(), out);
    }
}

} // namespace
} // namespace tovabel::testing
