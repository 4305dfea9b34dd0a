// The property pages' rules: the list conversions, what the General page loads
// and writes in which order, the transparency rules while editing, and the
// URLs page stopping at the first failing property.
#include "pages/conversions.h"
#include "pages/general_page.h"
#include "pages/urls_page.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
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
    int changedMarks = 0;
    int aboutShown = 0;

    void ShowCheck(int, bool) override {}
    void ShowText(int control, const Text& text) override { shown[control] = text; }
    void Enable(int control, bool on) override { enabled[control] = on; }
    void MarkChanged() override { ++changedMarks; }
    void ShowMessage(const Text& prompt) override { messages.push_back(prompt); }
    void ShowAbout() override { ++aboutShown; }
};

FakeControl Button(std::int16_t style) {
    FakeControl control;
    control.properties = {
        {"AutoSize", false},
        {"AlignCaption", std::int16_t{1}},
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
        {"UseSystemSounds", false},
    };
    return control;
}

TEST(PageConversions, TextsAndValuesOfEveryList) {
    struct Case {
        Text (*toText)(std::int16_t);
        std::int16_t (*toValue)(const Text&);
        std::int16_t value;
        Text text;
    };
    const Case cases[] = {
        {AlignToText, TextToAlign, 0, u"Top"},
        {AlignToText, TextToAlign, 4, u"Middle"},
        {BorderStyleToText, TextToBorderStyle, 0, u"None"},
        {BorderStyleToText, TextToBorderStyle, 1, u"FixedSingle"},
        {StyleToText, TextToStyle, 2, u"Separator"},
        {StyleToText, TextToStyle, 3, u"DropDown"},
        {StyleToText, TextToStyle, 4, u"DropDown (No Separator)"},
        {StyleToText, TextToStyle, 10, u"Non Flat"},
        {FontDirectionToText, TextToFontDirection, 3, u"Upward"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.toText(c.value), c.text);
        EXPECT_EQ(c.toValue(c.text), c.value);
    }
    // Outside the lists, and texts in any case.
    EXPECT_EQ(AlignToText(5), u"");
    EXPECT_EQ(FontDirectionToText(-1), u"");
    EXPECT_EQ(StyleToText(11), u"Normal");
    EXPECT_EQ(BorderStyleToText(7), u"FixedSingle");
    EXPECT_EQ(TextToStyle(u"menu item CHECK"), 7);
    EXPECT_EQ(TextToStyle(u"whatever"), 0);
    EXPECT_EQ(TextToBorderStyle(u"NONE"), 0);
    EXPECT_EQ(TextToBorderStyle(u""), 1);
    EXPECT_EQ(TextToAlign(u"RIGHT"), 3);
    EXPECT_EQ(TextToFontDirection(u"sideways"), 0);
    // Every item of the style list names the value whose text it is.
    for (const Text& item : StyleItems()) {
        EXPECT_EQ(StyleToText(TextToStyle(item)), item);
    }
}

TEST(GeneralPage, LoadsInOrderAndAppliesBackInItsOwnOrder) {
    FakeControl control = Button(1);
    FakeView view;
    GeneralPage page(view, control);
    page.Load();
    EXPECT_EQ(control.gets, (std::vector<std::string>{
                                "AutoSize", "AlignCaption", "AlignPicture", "BorderStyle",
                                "Caption", "Checked", "Enabled", "FontDirection", "PlaySounds",
                                "Style", "ToolTipText", "Transparent", "UseSystemSounds"}));
    EXPECT_EQ(page.ComboText(AlignCaption), u"Bottom");
    EXPECT_EQ(page.ComboText(AlignPicture), u"Middle");
    EXPECT_EQ(page.ComboText(BorderStyle), u"FixedSingle");
    EXPECT_EQ(page.ComboText(Style), u"Check");
    EXPECT_EQ(page.ComboText(FontDirection), u"Upward");
    EXPECT_EQ(page.EditText(Caption), u"Save");
    EXPECT_EQ(view.shown[ToolTip], u"Saves");
    EXPECT_TRUE(page.IsChecked(Checked) && page.IsChecked(PlaySound));
    EXPECT_FALSE(page.IsChecked(AutoSize) || page.IsChecked(Transparent));
    EXPECT_TRUE(view.enabled[Checked]);
    EXPECT_TRUE(page.Changed()); // loading runs the edit handlers

    page.OnComboChosen(Style, u"Menu Item Check");
    page.OnEditChanged(Caption, u"Open");
    page.OnCheckClicked(UseSystemSounds, true);
    page.Apply();
    EXPECT_EQ(control.sets, (std::vector<std::string>{
                                "Style", "AutoSize", "AlignCaption", "AlignPicture", "BorderStyle",
                                "Caption", "Checked", "Enabled", "FontDirection", "PlaySounds",
                                "ToolTipText", "Transparent", "UseSystemSounds"}));
    EXPECT_EQ(control.properties["Style"], PropertyValue(std::int16_t{7}));
    EXPECT_EQ(control.properties["Caption"], PropertyValue(Text(u"Open")));
    EXPECT_EQ(control.properties["UseSystemSounds"], PropertyValue(true));
    EXPECT_EQ(control.properties["AlignPicture"], PropertyValue(std::int16_t{4}));
}

TEST(GeneralPage, SkipsWhatCannotBeReadOrShownOrWritten) {
    FakeControl control = Button(0);
    control.failing = {"Caption", "Enabled"};
    control.properties["AlignCaption"] = std::int16_t{9}; // no text in the list
    FakeView view;
    GeneralPage page(view, control);
    page.Load();
    EXPECT_EQ(page.EditText(Caption), u"");
    EXPECT_FALSE(page.IsChecked(Enabled));
    EXPECT_EQ(page.ComboText(AlignCaption), u"");
    EXPECT_EQ(page.ComboText(Style), u"Normal"); // loading went on
    page.Apply();
    EXPECT_EQ(control.sets.size(), 13u); // a refusal does not stop the others
    EXPECT_EQ(control.properties["AlignCaption"], PropertyValue(std::int16_t{9}));
}

TEST(GeneralPage, StyleDecidesWhetherCheckedCanBeEdited) {
    const std::pair<Text, bool> cases[] = {
        {u"Check", true}, {u"Menu Item Check", false}, {u"Normal", false}, {u"Non Flat", false}};
    FakeControl control = Button(0);
    FakeView view;
    GeneralPage page(view, control);
    page.Load();
    for (const auto& [style, enabled] : cases) {
        page.OnComboChosen(Style, style);
        EXPECT_EQ(view.enabled[Checked], enabled) << std::string(style.begin(), style.end());
    }
}

TEST(GeneralPage, CheckingTransparentMakesTheButtonFitForIt) {
    struct Case {
        std::int16_t style;
        std::int32_t pictureType;
        bool transparent;
        Text styleText;
        Text caption;
        Text border;
        bool autoSize;
        std::size_t messages;
    };
    const Case cases[] = {
        {3, 1, true, u"Normal", u"", u"None", true, 0},                // DropDown becomes Normal
        {1, 1, true, u"Check", u"", u"None", true, 0},                 // Check stays
        {5, 0, true, u"Normal", u"", u"None", true, 0},                // Menu, no picture
        {3, 3, false, u"DropDown", u"Save", u"FixedSingle", false, 1}, // an icon: refused
    };
    for (const Case& c : cases) {
        FakeControl control = Button(c.style);
        control.pictureType = c.pictureType;
        FakeView view;
        GeneralPage page(view, control);
        page.Load();
        page.ClearChanged();
        page.OnCheckClicked(Transparent, true);
        EXPECT_EQ(page.IsChecked(Transparent), c.transparent);
        EXPECT_EQ(page.ComboText(Style), c.styleText);
        EXPECT_EQ(page.EditText(Caption), c.caption);
        EXPECT_EQ(page.ComboText(BorderStyle), c.border);
        EXPECT_EQ(page.IsChecked(AutoSize), c.autoSize);
        EXPECT_TRUE(page.Changed());
        ASSERT_EQ(view.messages.size(), c.messages);
        page.Apply();
        EXPECT_EQ(control.properties["Transparent"], PropertyValue(c.transparent));
        EXPECT_EQ(control.properties["BorderStyle"],
                  PropertyValue(static_cast<std::int16_t>(c.border == u"None" ? 0 : 1)));
    }
    // Unchecking changes nothing else.
    FakeControl control = Button(3);
    FakeView view;
    GeneralPage page(view, control);
    page.Load();
    page.OnCheckClicked(Transparent, false);
    EXPECT_EQ(page.ComboText(Style), u"DropDown");
    EXPECT_EQ(page.EditText(Caption), u"Save");
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
