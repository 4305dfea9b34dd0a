// The property pages' rules: the list conversions, what the General page shows
// and applies, the transparency rules while editing, and the URLs page
// stopping at the first failing property.
#include "pages/conversions.h"
#include "pages/general_page.h"
#include "pages/urls_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace tovabel::pages {
namespace {

using namespace General;

// A selected control with a table of properties; it logs every access.
class FakeControl : public SelectedControl {
public:
    std::map<std::string, PropertyValue, std::less<>> properties;
    std::set<std::string, std::less<>> failing;
    std::int32_t pictureType = 0;
    std::vector<std::string> gets;
    std::vector<std::string> sets;

    std::optional<PropertyValue> Get(std::string_view property) override {
        gets.emplace_back(property);
        const auto found = properties.find(property);
        if (failing.count(property) != 0 || found == properties.end()) {
            return std::nullopt;
        }
        return found->second;
    }
    bool Set(std::string_view property, const PropertyValue& value) override {
        sets.emplace_back(property);
        if (failing.count(property) != 0) {
            return false;
        }
        properties[std::string(property)] = value;
        return true;
    }
    std::optional<std::int32_t> PictureType() override { return pictureType; }
};

// Records what the page asks of its window.
class FakeView : public PageView {
public:
    std::map<int, bool> enabled;
    std::map<int, Text> shown;
    std::vector<Text> messages;

    void ShowCheck(int, bool) override {}
    void ShowText(int control, const Text& text) override { shown[control] = text; }
    void Enable(int control, bool on) override { enabled[control] = on; }
    void MarkChanged() override {}
    void ShowMessage(const Text& prompt) override { messages.push_back(prompt); }
    void ShowAbout() override {}
};

// The General page over a selected button of `style` with every property away
// from its default, and the page loaded.
struct Shown {
    FakeControl control;
    FakeView view;
    GeneralPage page{view, control};

    explicit Shown(std::int16_t style, std::set<std::string, std::less<>> failing = {},
                   std::int32_t pictureType = 0, std::int16_t alignCaption = 1) {
        control.properties = {{"AutoSize", false},
                              {"AlignCaption", alignCaption},
                              {"AlignPicture", std::int16_t{4}},
                              {"BorderStyle", std::int16_t{1}},
                              {"Caption", Text(u"Save")},
                              {"Checked", true},
                              {"Enabled", true},
                              {"FontDirection", std::int16_t{3}},
                              {"PlaySounds", true},
                              {"Style", style},
                              {"ToolTipText", Text(u"Saves")},
                              {"Transparent", false},
                              {"UseSystemSounds", false}};
        control.failing = std::move(failing);
        control.pictureType = pictureType;
        page.Load();
    }
    // The texts of the lists, in the order of the page.
    std::vector<Text> Combos() const {
        return {page.ComboText(BorderStyle), page.ComboText(Style), page.ComboText(AlignCaption),
                page.ComboText(AlignPicture), page.ComboText(FontDirection)};
    }
};

// Every item of a list names its own value, in any case; a value outside a list
// shows as the text given, and a text outside it reads as the value given.
TEST(PageConversions, TextsAndValuesOfEveryList) {
    using List = std::tuple<std::span<const Text>, Text (*)(std::int16_t),
                            std::int16_t (*)(const Text&), std::int16_t, Text, std::int16_t>;
    for (const auto& [items, toText, toValue, unknownValue, shownForIt, readForUnknownText] :
         {List{AlignItems(), AlignToText, TextToAlign, 5, u"", 0},
          List{BorderStyleItems(), BorderStyleToText, TextToBorderStyle, 7, u"FixedSingle", 1},
          List{StyleItems(), StyleToText, TextToStyle, 11, u"Normal", 0},
          List{FontDirectionItems(), FontDirectionToText, TextToFontDirection, -1, u"", 0}}) {
        std::set<std::int16_t> values;
        for (const Text& item : items) {
            Text shouted = item;
            std::transform(shouted.begin(), shouted.end(), shouted.begin(), [](char16_t c) {
                return static_cast<char16_t>(c >= u'a' && c <= u'z' ? c - 32 : c);
            });
            values.insert(toValue(shouted));
            EXPECT_EQ(toText(toValue(shouted)), item);
        }
        EXPECT_EQ(values.size(), items.size());
        EXPECT_EQ(toText(unknownValue), shownForIt);
        EXPECT_EQ(toValue(u"whatever"), readForUnknownText);
    }
    EXPECT_EQ(StyleToText(4), u"DropDown (No Separator)");
    EXPECT_EQ(TextToStyle(u"Non Flat"), 10);
}

// The page shows what it loads and applies the style first, so that the
// properties after it are written to a button of the new style.
TEST(GeneralPage, LoadsAndAppliesTheStyleFirst) {
    Shown f(1);
    GeneralPage& page = f.page;
    EXPECT_EQ(f.Combos(),
              (std::vector<Text>{u"FixedSingle", u"Check", u"Bottom", u"Middle", u"Upward"}));
    EXPECT_EQ(page.EditText(Caption), u"Save");
    EXPECT_EQ(f.view.shown[ToolTip], u"Saves");
    EXPECT_TRUE(page.IsChecked(Checked) && page.IsChecked(PlaySound));
    EXPECT_FALSE(page.IsChecked(AutoSize) || page.IsChecked(Transparent));
    EXPECT_TRUE(f.view.enabled[Checked]);
    EXPECT_TRUE(page.Changed()); // loading runs the edit handlers
    // Only the Check style lets Checked be edited.
    for (const auto& [style, enabled] : {std::pair{u"Non Flat", false}, std::pair{u"Check", true},
                                         std::pair{u"Menu Item Check", false}}) {
        page.OnComboChosen(Style, style);
        EXPECT_EQ(f.view.enabled[Checked], enabled);
    }
    page.OnEditChanged(Caption, u"Open");
    page.OnCheckClicked(UseSystemSounds, true);
    page.Apply();
    EXPECT_EQ(f.control.sets, (std::vector<std::string>{
                                  "Style", "AutoSize", "AlignCaption", "AlignPicture",
                                  "BorderStyle", "Caption", "Checked", "Enabled", "FontDirection",
                                  "PlaySounds", "ToolTipText", "Transparent", "UseSystemSounds"}));
    auto& applied = f.control.properties;
    EXPECT_EQ(applied["Style"], PropertyValue(std::int16_t{7}));
    EXPECT_EQ(applied["Caption"], PropertyValue(Text(u"Open")));
    EXPECT_EQ(applied["UseSystemSounds"], PropertyValue(true));
    EXPECT_EQ(applied["AlignPicture"], PropertyValue(std::int16_t{4}));
}

TEST(GeneralPage, SkipsWhatCannotBeReadOrShownOrWritten) {
    Shown f(0, {"Caption", "Enabled"}, 0, 9); // no text in the list for AlignCaption 9
    EXPECT_EQ(f.page.EditText(Caption), u"");
    EXPECT_FALSE(f.page.IsChecked(Enabled));
    EXPECT_EQ(f.Combos(),
              (std::vector<Text>{u"FixedSingle", u"Normal", u"", u"Middle", u"Upward"}));
    f.control.sets.clear();
    f.page.Apply();
    EXPECT_EQ(f.control.sets.size(), 13u); // a refusal does not stop the others
    EXPECT_EQ(f.control.properties["AlignCaption"], PropertyValue(std::int16_t{9}));
}

// Checking Transparent makes the button fit for it: no caption nor frame, auto
// size, and Normal for the styles that are not Check; a button with an icon
// refuses it with a message. Unchecking changes nothing else.
TEST(GeneralPage, CheckingTransparentMakesTheButtonFitForIt) {
    using Case = std::tuple<std::int16_t, std::int32_t, bool, Text, Text, Text, bool, std::size_t>;
    const Case cases[] = {
        {3, 1, true, u"Normal", u"", u"None", true, 0},
        {1, 1, true, u"Check", u"", u"None", true, 0},
        {5, 0, true, u"Normal", u"", u"None", true, 0},
        {3, 3, false, u"DropDown", u"Save", u"FixedSingle", false, 1},
    };
    for (const auto& [style, pictureType, transparent, styleText, caption, border, autoSize,
                      messages] : cases) {
        Shown f(style, {}, pictureType);
        f.page.ClearChanged();
        f.page.OnCheckClicked(Transparent, true);
        EXPECT_EQ(f.page.IsChecked(Transparent), transparent);
        EXPECT_EQ(f.page.ComboText(Style), styleText);
        EXPECT_EQ(f.page.EditText(Caption), caption);
        EXPECT_EQ(f.page.ComboText(BorderStyle), border);
        EXPECT_EQ(f.page.IsChecked(AutoSize), autoSize);
        EXPECT_TRUE(f.page.Changed());
        ASSERT_EQ(f.view.messages.size(), messages);
        f.page.Apply();
        EXPECT_EQ(f.control.properties["Transparent"], PropertyValue(transparent));
        EXPECT_EQ(f.control.properties["BorderStyle"],
                  PropertyValue(static_cast<std::int16_t>(border == u"None" ? 0 : 1)));
    }
    Shown f(3);
    f.page.OnCheckClicked(Transparent, false);
    EXPECT_EQ(f.page.ComboText(Style), u"DropDown");
    EXPECT_EQ(f.page.EditText(Caption), u"Save");
}

TEST(UrlsPage, LoadsAndAppliesInOrderAndStopsAtTheFirstFailure) {
    const std::vector<std::string> order = {"SoundEnterURL", "SoundLeaveURL",  "SoundClickURL",
                                            "URLPicture",    "URLPictureOver", "URLPictureDown"};
    FakeControl control;
    for (const std::string& name : order) {
        control.properties[name] = Text(u"file:" + Text(name.begin(), name.end()));
    }
    FakeView view;
    UrlsPage page(view, control);
    ASSERT_TRUE(page.Load());
    EXPECT_EQ(control.gets, order);
    EXPECT_EQ(page.EditText(Urls::Picture), u"file:URLPicture");
    EXPECT_EQ(view.shown[Urls::SoundClick], u"file:SoundClickURL");

    page.OnEditChanged(Urls::Picture, u"");
    page.OnEditChanged(Urls::SoundEnter, u"c:\\enter.wav");
    control.failing = {"URLPicture"};
    EXPECT_FALSE(page.Apply());
    EXPECT_EQ(control.sets, std::vector<std::string>(order.begin(), order.begin() + 4));
    EXPECT_EQ(control.properties["SoundEnterURL"], PropertyValue(Text(u"c:\\enter.wav")));
    EXPECT_EQ(control.properties["URLPicture"], PropertyValue(Text(u"file:URLPicture")));

    FakeControl broken = control;
    broken.gets.clear();
    broken.failing = {"SoundLeaveURL"};
    UrlsPage other(view, broken);
    EXPECT_FALSE(other.Load());
    EXPECT_EQ(broken.gets.size(), 2u);
    EXPECT_EQ(other.EditText(Urls::SoundEnter), u"c:\\enter.wav");
    EXPECT_EQ(other.EditText(Urls::SoundClick), u"");
}

} // namespace
} // namespace tovabel::pages
