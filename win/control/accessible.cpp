#include "accessible.h"

#include "com_object.h"
#include "control.h"
#include "render/text_fit.h"
#include "win/common/text.h"

#include <new>
#include <utility>

namespace tovabel::win {

namespace {

// The platform's control that each style stands for.
LONG RoleOf(const Tovabel& core) {
    switch (core.Traits().role) {
    case StyleRole::SplitButton:
        return ROLE_SYSTEM_SPLITBUTTON;
    case StyleRole::ButtonDropDown:
        return ROLE_SYSTEM_BUTTONDROPDOWN;
    case StyleRole::MenuItem:
        return ROLE_SYSTEM_MENUITEM;
    case StyleRole::Separator:
        return ROLE_SYSTEM_SEPARATOR;
    case StyleRole::PushButton:
        break;
    }
    return ROLE_SYSTEM_PUSHBUTTON;
}

// The caption as the face shows it, without its access-key marker, and the key.
struct Label {
    Text name;
    Text key;
};

Label LabelOf(const Tovabel& core) {
    Label label;
    std::int32_t position = 0;
    label.name = ParseAccessKey(core.Caption(), position, label.key);
    if (label.name.empty()) {
        label.name = core.ToolTipText(); // a picture-only button is known by its tip
    }
    return label;
}

// The part of the state that the control decides; focus and visibility are
// the window's, and the system announces their changes itself.
LONG ControlStateOf(const Tovabel& core) {
    LONG state = 0;
    if (!core.Enabled()) {
        state |= STATE_SYSTEM_UNAVAILABLE;
    }
    if (!core.Inert()) {
        state |= STATE_SYSTEM_FOCUSABLE;
    }
    if (core.PointerOver()) {
        state |= STATE_SYSTEM_HOTTRACKED;
    }
    if (core.HeldDown()) {
        state |= STATE_SYSTEM_PRESSED;
    }
    if (core.Traits().checks && core.Checked()) {
        state |= STATE_SYSTEM_CHECKED;
    }
    if (core.Traits().dropDown) {
        state |= STATE_SYSTEM_HASPOPUP;
        if (core.DroppedDown()) {
            state |= STATE_SYSTEM_EXPANDED;
        }
    }
    return state;
}

LONG StateOf(const Tovabel& core, HWND window) {
    LONG state = ControlStateOf(core);
    if (GetFocus() == window) {
        state |= STATE_SYSTEM_FOCUSED;
    }
    if (!IsWindowVisible(window)) {
        state |= STATE_SYSTEM_INVISIBLE;
    }
    return state;
}

// The name of what Value = True does now; none when it does nothing and for
// a disabled button, which the user cannot press either.
Text DefaultActionOf(const Tovabel& core) {
    if (!core.Enabled()) {
        return {};
    }
    switch (core.ActionOfValue()) {
    case ValueAction::Click:
        return RoleOf(core) == ROLE_SYSTEM_MENUITEM ? u"Execute" : u"Press";
    case ValueAction::ToggleChecked:
        return core.Checked() ? u"Uncheck" : u"Check";
    case ValueAction::ToggleDropDown:
        return core.DroppedDown() ? u"Close" : u"Open";
    case ValueAction::None:
        break;
    }
    return {};
}

// A text answer; an empty text is no answer (S_FALSE, no string).
HRESULT TextAnswer(const Text& text, BSTR* out) {
    if (text.empty()) {
        return S_FALSE;
    }
    *out = ToBstrRaw(text);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// The button itself as a child id, or nothing (S_FALSE).
HRESULT SelfAnswer(bool self, VARIANT* out) {
    if (!self) {
        return S_FALSE;
    }
    V_VT(out) = VT_I4;
    V_I4(out) = CHILDID_SELF;
    return S_OK;
}

HRESULT NumberAnswer(LONG number, VARIANT* out) {
    V_VT(out) = VT_I4;
    V_I4(out) = number;
    return S_OK;
}

bool IsSelf(const VARIANT& child) {
    return V_VT(&child) == VT_I4 && V_I4(&child) == CHILDID_SELF;
}

} // namespace

// One object without children. It reaches the control through a plain
// pointer that the control takes back (Disconnect) before the window or the
// control goes; from then on every call fails as a disconnected object.
class AccessibleButton final : public Standalone<Answers<IAccessible, IDispatch>> {
public:
    AccessibleButton(TovabelControl& control, HWND window) : mControl(&control), mWindow(window) {}

    void Disconnect() {
        mControl = nullptr;
        mWindow = nullptr;
    }

    // IDispatch: the object is used through its vtable only.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return Fill(count, 0u, [] { return S_OK; });
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        return Fill(info, nullptr, [] { return E_NOTIMPL; });
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return Unsupported(E_NOTIMPL);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return Unsupported(E_NOTIMPL);
    }

    // The window object of the same window is the parent, as for every client area.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return Fill(parent, nullptr, [&] {
            return AccessibleObjectFromWindow(mWindow, static_cast<DWORD>(OBJID_WINDOW),
                                              IID_IDispatch, reinterpret_cast<void**>(parent));
        });
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return Fill(count, 0L, [] { return S_OK; });
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override {
        return Fill(child, nullptr, [] { return E_INVALIDARG; });
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return AskText(child, name, [](const Tovabel& core) { return LabelOf(core).name; });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return AskText(child, value, [](const Tovabel&) { return Text(); });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return AskText(child, description, [](const Tovabel& core) { return core.ToolTipText(); });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return AskVariant(child, role,
                          [&](Tovabel& core) { return NumberAnswer(RoleOf(core), role); });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return AskVariant(child, state, [&](Tovabel& core) {
            return NumberAnswer(StateOf(core, mWindow), state);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return AskText(child, help, [](const Tovabel&) { return Text(); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
        if (topic == nullptr) {
            return E_POINTER;
        }
        *topic = 0;
        return Fill(file, nullptr, [] { return DISP_E_MEMBERNOTFOUND; });
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return AskText(child, shortcut, [](const Tovabel& core) {
            const Text key = LabelOf(core).key;
            return key.empty() ? key : u"Alt+" + key;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        return FillVariant(focus, [&] { return SelfAnswer(GetFocus() == mWindow, focus); });
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return FillVariant(selection, [] { return S_FALSE; });
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return AskText(child, action, [](const Tovabel& core) { return DefaultActionOf(core); });
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT child) override {
        return Ask(child, [](Tovabel&) { return DISP_E_MEMBERNOTFOUND; });
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
            return E_POINTER;
        }
        *left = *top = *width = *height = 0;
        return Ask(child, [&](Tovabel&) {
            RECT bounds{};
            if (!GetWindowRect(mWindow, &bounds)) {
                return E_FAIL;
            }
            *left = bounds.left;
            *top = bounds.top;
            *width = bounds.right - bounds.left;
            *height = bounds.bottom - bounds.top;
            return S_OK;
        });
    }
    // Neither children nor siblings of its own: the window object knows the siblings.
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return AskVariant(start, end, [&](Tovabel&) {
            return direction >= NAVDIR_UP && direction <= NAVDIR_LASTCHILD ? S_FALSE : E_INVALIDARG;
        });
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* hit) override {
        return FillVariant(hit, [&] {
            RECT bounds{};
            return SelfAnswer(GetWindowRect(mWindow, &bounds) && PtInRect(&bounds, POINT{x, y}),
                              hit);
        });
    }
    // The click of Value = True, with its events; the hooks then hear that it ran.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return Ask(child, [&](Tovabel& core) {
            if (DefaultActionOf(core).empty()) {
                return DISP_E_MEMBERNOTFOUND;
            }
            core.SetValue(true);
            if (mWindow != nullptr) { // a Click handler may have ended the control
                NotifyWinEvent(EVENT_OBJECT_INVOKED, mWindow, OBJID_CLIENT, CHILDID_SELF);
            }
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override {
        return Unsupported(DISP_E_MEMBERNOTFOUND);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override {
        return Unsupported(DISP_E_MEMBERNOTFOUND);
    }

private:
    // Runs `answer` with the control's core for the button itself; fails for
    // another child and once disconnected.
    template <class Answer> HRESULT Ask(const VARIANT& child, Answer&& answer) {
        if (mControl == nullptr) {
            return RPC_E_DISCONNECTED;
        }
        if (!IsSelf(child)) {
            return E_INVALIDARG;
        }
        TovabelControl& control = *mControl;
        return control.Run([&] { return answer(control.Core()); });
    }
    template <class Answer> HRESULT AskText(const VARIANT& child, BSTR* out, Answer&& text) {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = nullptr;
        return Ask(child, [&](const Tovabel& core) { return TextAnswer(text(core), out); });
    }
    template <class Answer>
    HRESULT AskVariant(const VARIANT& child, VARIANT* out, Answer&& answer) {
        if (out == nullptr) {
            return E_POINTER;
        }
        VariantInit(out);
        return Ask(child, answer);
    }
    // Sets `*out` to `empty`, then answers while connected.
    template <class T, class E, class Answer> HRESULT Fill(T* out, E empty, Answer&& answer) {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = empty;
        return mControl == nullptr ? RPC_E_DISCONNECTED : answer();
    }
    template <class Answer> HRESULT FillVariant(VARIANT* out, Answer&& answer) {
        if (out == nullptr) {
            return E_POINTER;
        }
        VariantInit(out);
        return mControl == nullptr ? RPC_E_DISCONNECTED : answer();
    }
    HRESULT Unsupported(HRESULT connected) const {
        return mControl == nullptr ? RPC_E_DISCONNECTED : connected;
    }

    TovabelControl* mControl;
    HWND mWindow;
};

Accessibility::Accessibility(TovabelControl& control) : mControl(control) {}

Accessibility::~Accessibility() {
    Disconnect();
}

LRESULT Accessibility::Answer(HWND window, WPARAM flags, LPARAM objectId) {
    if (static_cast<DWORD>(objectId) != static_cast<DWORD>(OBJID_CLIENT)) {
        return 0;
    }
    if (!mObject) {
        mObject =
            ComPtr<AccessibleButton>::Adopt(new (std::nothrow) AccessibleButton(mControl, window));
        if (!mObject) {
            return 0;
        }
    }
    return LresultFromObject(__uuidof(IAccessible), flags,
                             static_cast<IAccessible*>(mObject.Get()));
}

// Clients in other processes hold the object through proxies: they are cut
// off as well, and the references the system keeps for them go.
void Accessibility::Disconnect() {
    if (const ComPtr<AccessibleButton> object = std::move(mObject)) {
        object->Disconnect();
        CoDisconnectObject(static_cast<IAccessible*>(object.Get()), 0);
    }
}

void Accessibility::AnnounceChanges() {
    const Tovabel& core = mControl.Core();
    const Announced now{LabelOf(core).name, core.ToolTipText(), ControlStateOf(core)};
    // Kept before anyone is told: a hook may call back into the control.
    const Announced before = std::exchange(mAnnounced, now);
    HWND window = mControl.GetInPlace().Window();
    if (window == nullptr) {
        return;
    }
    const auto tell = [window](DWORD event) {
        NotifyWinEvent(event, window, OBJID_CLIENT, CHILDID_SELF);
    };
    if (now.name != before.name) {
        tell(EVENT_OBJECT_NAMECHANGE);
    }
    if (now.description != before.description) {
        tell(EVENT_OBJECT_DESCRIPTIONCHANGE);
    }
    if (now.state != before.state) {
        tell(EVENT_OBJECT_STATECHANGE);
    }
}

} // namespace tovabel::win
