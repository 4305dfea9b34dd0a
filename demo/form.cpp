#include "form.h"

#include "buttons.h"
#include "control/identity.h"
#include "events.h"
#include "pages.h"
#include "values.h"
#include "win/olehost/accessible_tree.h"
#include "win/olehost/pixels.h"

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tovabel::demo {

namespace {

constexpr const wchar_t* kProgId = identity::kWideProgId.text;

struct FormButton {
    const char* label;
    ButtonFace face;
    RECT at;
    bool enabled = true;
    const wchar_t* tip = L"";
};

// A menu bar, a toolbar below it, a menu below that with two buttons whose
// captions run up and down beside it.
std::vector<FormButton> Layout() {
    return {
        {"File", {kMenu, L"&File", Glyph::None, kAlignTop, kAlignMiddle}, {4, 4, 40, 24}},
        {"Edit", {kMenu, L"&Edit", Glyph::None, kAlignTop, kAlignMiddle}, {40, 4, 76, 24}},
        {"Open", {kNormal, L"Open", Glyph::Folder}, {4, 30, 52, 66}, true, L"Open a file"},
        {"Save", {kNormal, L"Save", Glyph::Folder}, {52, 30, 100, 66}, false, L"Save the file"},
        {"sep1", {kSeparator}, {102, 30, 106, 66}},
        {"Bold", {kCheck, L"Bold", Glyph::Bold}, {108, 30, 156, 66}, true, L"Bold text"},
        {"sep2", {kSeparator}, {158, 30, 162, 66}},
        {"Back", {kDropDown, L"Back", Glyph::Back}, {164, 30, 222, 66}, true, L"Go back"},
        {"History", {kDropDownNoSeparator, L"Hi&story", Glyph::Folder}, {222, 30, 280, 66}},
        {"sep3", {kSeparator}, {282, 30, 286, 66}},
        {"OK", {kNonFlat, L"OK", Glyph::None, kAlignTop, kAlignMiddle}, {290, 36, 340, 60}},
        {"Folder",
         {kNormal, L"", Glyph::Folder, kAlignTop, kAlignBottom, kNormalText, false, true},
         {350, 40, 366, 56},
         true,
         L"Browse"},
        {"menu Open",
         {kMenuItem, L"&Open", Glyph::Folder, kAlignLeft, kAlignLeft},
         {4, 76, 124, 98}},
        {"menu Bold",
         {kMenuItemCheck, L"&Bold", Glyph::Bold, kAlignLeft, kAlignLeft},
         {4, 98, 124, 120}},
        {"menu sep", {kMenuItemSeparator}, {4, 120, 124, 130}},
        {"menu Back",
         {kMenuItemCascade, L"Go &back", Glyph::Back, kAlignLeft, kAlignLeft},
         {4, 130, 124, 152}},
        {"Up",
         {kNormal, L"Upward", Glyph::None, kAlignTop, kAlignMiddle, kUpwardText},
         {134, 76, 160, 152}},
        {"Down",
         {kNormal, L"Downward", Glyph::None, kAlignTop, kAlignMiddle, kDownwardText},
         {162, 76, 188, 152}},
        // Its picture and click sound come by URL from files of the project.
        {"Get", {kNormal, L"Get"}, {200, 76, 248, 112}, true, L"Fetched by URL"},
    };
}

// A file of the demo's data folder as a file URL.
std::wstring DataUrl(const char* name) {
    std::wstring url = L"file:///Z:";
    for (const char* c = TOVABEL_DEMO_DATA; *c != '\0'; ++c) {
        url += static_cast<wchar_t>(*c);
    }
    url += L'/';
    for (const char* c = name; *c != '\0'; ++c) {
        url += static_cast<wchar_t>(*c);
    }
    return url;
}

// The text the thread's tooltip shows for `button`, asked as it asks before showing.
std::wstring ToolTipOf(HWND button) {
    HWND tip = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr);
    while (tip != nullptr && GetWindowThreadProcessId(tip, nullptr) != GetCurrentThreadId()) {
        tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr);
    }
    return olehost::ToolTextOf(tip, button);
}

// One button on the form with the printer of its events.
struct Placed {
    olehost::HostedControl& place;
    std::unique_ptr<EventPrinter> printer;
};

class DemoForm {
public:
    DemoForm() : mForm(L"Tovabel demo", {380, 160}) {
        for (const FormButton& spec : Layout()) {
            olehost::HostedControl& place = mForm.AddPlace();
            if (FAILED(place.Create(kProgId, spec.at))) {
                continue;
            }
            Dress(place, spec.face, mPictures);
            if (!spec.enabled) {
                place.Put(L"Enabled", *Bool(false));
            }
            place.Put(L"ToolTipText", *Text(spec.tip));
            auto printer = std::make_unique<EventPrinter>(spec.label);
            printer->Connect(place.Control());
            if (std::string(spec.label) == "Get") {
                Fetch(place);
            }
            mButtons.emplace(spec.label, Placed{place, std::move(printer)});
        }
        mForm.Settle();
    }

    HWND Window() const { return mForm.Window(); }
    const EventPrinter& Events(const std::string& label) { return *mButtons.at(label).printer; }
    olehost::HostedControl& Button(const std::string& label) { return mButtons.at(label).place; }

    // A click as the pointer makes it: in, down, up, and out again.
    void Click(const std::string& label, bool onArrow = false) {
        const HWND window = Button(label).Window();
        RECT client{};
        GetClientRect(window, &client);
        const LPARAM at =
            MAKELPARAM(onArrow ? client.right - 4 : client.right / 2, client.bottom / 2);
        SendMessageW(window, WM_MOUSEMOVE, 0, at);
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(window, WM_LBUTTONUP, 0, at);
        SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(-10, -10));
        mForm.Settle();
    }

    // The pointer rests on the button: its tooltip asks for the text.
    void Hover(const std::string& label) {
        const HWND window = Button(label).Window();
        SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        std::printf("  %-10s tooltip: \"%ls\"\n", label.c_str(), ToolTipOf(window).c_str());
        SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(-10, -10));
        mForm.Settle();
    }

    void Print(const std::string& label, const wchar_t* property) {
        win::Variant value;
        Button(label).Get(property, value.Get());
        const bool shown =
            SUCCEEDED(VariantChangeType(value.Get(), value.Get(), VARIANT_ALPHABOOL, VT_BSTR));
        std::printf("  %-10s %ls = %ls\n", label.c_str(), property,
                    shown ? V_BSTR(value.Get()) : L"?");
    }

    // Runs the form's messages until the person closes it.
    void StayOpen() {
        SetForegroundWindow(mForm.Window());
        MSG message;
        while (IsWindowVisible(mForm.Window()) && GetMessageW(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

private:
    static void Fetch(olehost::HostedControl& place) {
        place.Put(L"UseSystemSounds", *Bool(false));
        place.Put(L"URLPicture", *Text(DataUrl("download.bmp").c_str()));
        place.Put(L"SoundClickURL", *Text(DataUrl("click.wav").c_str()));
    }

    olehost::Form mForm;
    PictureBox mPictures;
    std::map<std::string, Placed> mButtons;
};

void Step(const char* what) {
    std::printf("%s\n", what);
    std::fflush(stdout);
}

void Script(DemoForm& form) {
    Step("Get has fetched its picture and click sound by URL (the PropertyDownloaded events "
         "above); it is clicked and plays the fetched sound:");
    olehost::PumpMessages(std::chrono::milliseconds(5000),
                          [&] { return form.Events("Get").Count(9) >= 2; });
    form.Click("Get");
    Step("The pointer rests on the toolbar buttons:");
    for (const char* label : {"Open", "Save", "Bold", "Back", "Get"}) {
        form.Hover(label);
    }
    Step("Open is clicked:");
    form.Click("Open");
    Step("Save is disabled and stays quiet when clicked:");
    form.Click("Save");
    Step("Bold is clicked twice:");
    form.Click("Bold");
    form.Print("Bold", L"Checked");
    form.Click("Bold");
    form.Print("Bold", L"Checked");
    Step("Back is clicked, then its arrow opens and closes the drop-down:");
    form.Click("Back");
    form.Click("Back", true);
    form.Print("Back", L"DroppedDown");
    form.Click("Back", true);
    Step("The File menu opens, and Open in the menu is clicked:");
    form.Click("File");
    form.Print("File", L"DroppedDown");
    form.Click("menu Open");
    Step("Bold in the menu is checked:");
    form.Click("menu Bold");
    form.Print("menu Bold", L"Checked");
}

// The client object of the window that a child of an accessible object
// stands for: an automation tool asks that window for its client area.
win::ComPtr<IAccessible> ClientOfChild(const win::Variant& child) {
    win::ComPtr<IAccessible> client;
    if (child.Type() != VT_DISPATCH) {
        return client;
    }
    const win::ComPtr<IAccessible> object = win::ComPtr<IDispatch>::Share(V_DISPATCH(child.Get()))
                                                .As<IAccessible>(__uuidof(IAccessible));
    HWND window = nullptr;
    if (object && SUCCEEDED(WindowFromAccessibleObject(object.Get(), &window))) {
        AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                   client.PutVoid());
    }
    return client;
}

// The client objects of the form's child windows, in the order the form's
// own object lists its children.
std::vector<win::ComPtr<IAccessible>> ChildObjects(HWND form) {
    std::vector<win::ComPtr<IAccessible>> objects;
    win::ComPtr<IAccessible> client;
    LONG count = 0;
    if (FAILED(AccessibleObjectFromWindow(form, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible), client.PutVoid())) ||
        FAILED(client->get_accChildCount(&count)) || count <= 0) {
        return objects;
    }
    std::vector<VARIANT> children(static_cast<std::size_t>(count));
    LONG obtained = 0;
    AccessibleChildren(client.Get(), 0, count, children.data(), &obtained);
    for (LONG i = 0; i < obtained; ++i) {
        win::Variant child;
        *child.Put() = children[static_cast<std::size_t>(i)]; // owned from here on
        if (win::ComPtr<IAccessible> object = ClientOfChild(child)) {
            objects.push_back(std::move(object));
        }
    }
    return objects;
}

// The toolbar is the row of buttons 30 to 66 pixels down the form.
void PrintToolbar(HWND form) {
    Step("The toolbar as screen readers and automation tools list it (role, name, state, "
         "shortcut: default action):");
    for (const win::ComPtr<IAccessible>& object : ChildObjects(form)) {
        LONG x = 0, y = 0, width = 0, height = 0;
        if (FAILED(object->accLocation(&x, &y, &width, &height, olehost::SelfChild()))) {
            continue;
        }
        POINT top{x, y};
        ScreenToClient(form, &top);
        if (top.y >= 30 && top.y + height <= 66) {
            std::printf("  %ls\n", olehost::DescribeAccessible(object.Get()).c_str());
        }
    }
}

} // namespace

void RunForm(const std::wstring& picturePath, bool showPages, bool stayOpen) {
    std::printf("\nThe demo form: a menu bar, a toolbar, a menu, a transparent button and "
                "captions written upwards and downwards.\n");
    DemoForm form;
    Script(form);
    PrintToolbar(form.Window());
    if (olehost::SavePng(olehost::ReadWindow(form.Window()), picturePath)) {
        std::printf("\nThe form after the script: %ls\n", picturePath.c_str());
    }
    if (showPages) {
        const std::size_t slash = picturePath.find_last_of(L"\\");
        const std::wstring folder =
            slash == std::wstring::npos ? std::wstring() : picturePath.substr(0, slash + 1);
        ShowPages(form.Button("Open").Control(), folder, stayOpen);
    }
    if (stayOpen) {
        std::printf("\nThe form stays open for you to try; close it to end the demo.\n");
        std::fflush(stdout);
        ReleaseCapture();
        form.StayOpen();
    }
}

} // namespace tovabel::demo
