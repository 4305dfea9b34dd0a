#include "fake_host.h"

#include <cstdio>

namespace tovabel::testing {

std::string Narrow(const Text& text) {
    std::string out;
    for (char16_t c : text) {
        out += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return out;
}

namespace {

std::string Hex(std::uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%X", value);
    return buffer;
}

std::string Describe(const Picture& picture) {
    return picture ? "pic(" + std::to_string(picture->Type()) + ")" : "null";
}

} // namespace

Picture MakePicture(std::int32_t type, std::uint64_t handle) {
    return std::make_shared<FakePicture>(type, handle);
}

void FakeHost::SetSize(std::int32_t w, std::int32_t h) {
    log.push_back("SetSize(" + std::to_string(w) + "," + std::to_string(h) + ")");
}

void FakeHost::SetBackColor(OleColor c) {
    backColor = c;
    log.push_back("SetBackColor(" + Hex(c) + ")");
}

void FakeHost::SetForeColor(OleColor c) {
    foreColor = c;
    log.push_back("SetForeColor(" + Hex(c) + ")");
}

void FakeHost::SetFont(const Font& f) {
    font = f;
    log.push_back("SetFont(" + (f ? Narrow(f->Name()) : std::string("null")) + ")");
}

void FakeHost::SetMousePointer(std::int32_t code) {
    mousePointer = code;
    log.push_back("SetMousePointer(" + std::to_string(code) + ")");
}

void FakeHost::SetMouseIcon(const Picture& icon) {
    mouseIcon = icon;
    log.push_back("SetMouseIcon(" + Describe(icon) + ")");
}

void FakeHost::SetMaskColor(OleColor c) {
    maskColor = c;
    log.push_back("SetMaskColor(" + Hex(c) + ")");
}

void FakeHost::SetMaskPicture(const Picture& mask) {
    maskPicture = mask;
    log.push_back("SetMaskPicture(" + Describe(mask) + ")");
}

void FakeHost::SetBackStyle(std::int32_t style) {
    backStyle = style;
    log.push_back("SetBackStyle(" + std::to_string(style) + ")");
}

void FakeHost::SetEnabled(bool value) {
    enabled = value;
    log.push_back(std::string("SetEnabled(") + (value ? "true" : "false") + ")");
}

void FakeHost::SetAccessKeys(const Text& keys) {
    log.push_back("SetAccessKeys(" + Narrow(keys) + ")");
}

bool FakeHost::SetExtenderToolTipText(const Text& text) {
    log.push_back("SetExtenderToolTipText(" + Narrow(text) + ")");
    if (!extenderToolTip) {
        return false;
    }
    extenderToolTip = text;
    if (onSetExtenderToolTip) {
        onSetExtenderToolTip(text);
    }
    return true;
}

void FakeHost::PropertyChanged(std::string_view name) {
    log.push_back("PropertyChanged(" + std::string(name) + ")");
    if (onPropertyChanged) {
        onPropertyChanged(name);
    }
}

bool FakeHost::AsyncRead(const Text& target, AsyncType type, std::string_view name) {
    log.push_back("AsyncRead(" + Narrow(target) + "," + std::to_string(static_cast<int>(type)) +
                  "," + std::string(name) + ")");
    if (onAsyncRead) {
        onAsyncRead();
    }
    return !refuseDownloads;
}

void FakeHost::RaiseEvent(std::int32_t dispid, std::span<EventArg>) {
    log.push_back("RaiseEvent(" + std::to_string(dispid) + ")");
    if (onEvent) {
        onEvent(dispid);
    }
}

void FakeHost::SetTimer(TimerId id, bool running, std::int32_t intervalMs) {
    timers[id] = {running, intervalMs};
    log.push_back(std::string("SetTimer(") + (id == TimerId::MenuPop ? "MenuPop" : "Redraw") + "," +
                  (running ? "on" : "off") + "," + std::to_string(intervalMs) + ")");
}

std::int32_t FakeHost::MessageBox(const Text& prompt, std::int32_t buttons,
                                  const std::optional<Text>& title) {
    log.push_back("MessageBox(" + Narrow(prompt) + "|" + std::to_string(buttons) + "|" +
                  (title ? Narrow(*title) : std::string("<default>")) + ")");
    return 1;
}

void FakeHost::PlaySound(const Sound& sound, std::uint32_t flags) {
    const std::string what = std::holds_alternative<std::string>(sound)
                                 ? std::get<std::string>(sound)
                                 : std::to_string(std::get<1>(sound).size()) + " bytes";
    log.push_back("PlaySound(" + what + "," + std::to_string(flags) + ")");
}

void FakeHost::MarkSafeForScripting(std::string_view classId) {
    log.push_back("MarkSafeForScripting(" + std::string(classId) + ")");
}

void RecordingTovabel::LayoutControl() {
    log_.push_back("LayoutControl");
}

void RecordingTovabel::PaintState(VisualState state) {
    Tovabel::PaintState(state);
    log_.push_back("PaintState(" + std::to_string(state) + ")");
}

void RecordingTovabel::DrawPicture() {
    log_.push_back("DrawPicture");
}

void RecordingTovabel::LayoutArrow() {
    log_.push_back("LayoutArrow");
}

void RecordingTovabel::AutoSizeControl() {
    log_.push_back("AutoSizeControl");
}

} // namespace tovabel::testing
