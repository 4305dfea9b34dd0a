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

std::vector<std::string> Filter(const std::vector<std::string>& log, const std::string& prefix) {
    std::vector<std::string> out;
    for (const auto& line : log) {
        if (line.starts_with(prefix)) {
            out.push_back(line);
        }
    }
    return out;
}

std::vector<std::string> Notifications(const std::vector<std::string>& log) {
    static const char* const kSeen[] = {
        "PropertyChanged", "RaiseEvent",     "MessageBox",      "AsyncRead",
        "ApplyEnabled",    "ApplyFont",      "ApplyAccessKeys", "SetExtenderToolTipText",
        "SetCapture",      "ReleaseCapture",
    };
    std::vector<std::string> out;
    for (const auto& line : log) {
        for (const char* prefix : kSeen) {
            if (line.starts_with(prefix)) {
                out.push_back(line);
                break;
            }
        }
    }
    return out;
}

std::string LookOf(const Tovabel& control) {
    const std::vector<Line> lines = control.VisibleLines();
    const Line* top = nullptr;
    const auto edge = [&control](const Line& line) { // the arrow has the text colour
        return line.BorderColor == control.HighlightColor() ||
               line.BorderColor == control.ShadowColor();
    };
    for (const Line& line : lines) {
        if (edge(line) && line.Y1 == line.Y2 && (top == nullptr || line.Y1 < top->Y1)) {
            top = &line;
        }
    }
    if (top == nullptr) {
        return "flat";
    }
    return top->BorderColor == control.HighlightColor() ? "raised" : "sunken";
}

FrameColours FrameColoursOf(const Tovabel& control) {
    const std::vector<Line> lines = control.VisibleLines();
    const Line* top = nullptr;
    const Line* bottom = nullptr;
    const Line* left = nullptr;
    const Line* right = nullptr;
    for (const Line& line : lines) {
        if (line.Y1 == line.Y2) {
            top = (top == nullptr || line.Y1 < top->Y1) ? &line : top;
            bottom = (bottom == nullptr || line.Y1 > bottom->Y1) ? &line : bottom;
        } else if (line.X1 == line.X2) {
            left = (left == nullptr || line.X1 < left->X1) ? &line : left;
            right = (right == nullptr || line.X1 > right->X1) ? &line : right;
        }
    }
    const auto colour = [](const Line* line) { return line ? line->BorderColor : 0u; };
    return {colour(top), colour(left), colour(bottom), colour(right)};
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

std::int32_t FakeHost::Width() {
    return static_cast<std::int32_t>(scaleWidth * twipsPerPixel);
}

std::int32_t FakeHost::Height() {
    return static_cast<std::int32_t>(scaleHeight * twipsPerPixel);
}

void FakeHost::SetWidth(std::int32_t twips) {
    scaleWidth = twips / twipsPerPixel;
    log.push_back("SetWidth(" + std::to_string(twips) + ")");
    if (onResize) {
        onResize();
    }
}

void FakeHost::SetHeight(std::int32_t twips) {
    scaleHeight = twips / twipsPerPixel;
    log.push_back("SetHeight(" + std::to_string(twips) + ")");
    if (onResize) {
        onResize();
    }
}

TextSize FakePainter::TextExtent(const Text& text) {
    return {static_cast<std::int32_t>(text.size()) * charWidth, lineHeight};
}

void FakePainter::TextOut(std::int32_t x, std::int32_t y, const Text& text) {
    log_.push_back("TextOut(" + std::to_string(x) + "," + std::to_string(y) + "," + Narrow(text) +
                   ")");
}

void FakePainter::SetTextColor(OleColor color) {
    log_.push_back("SetTextColor(" + Hex(color) + ")");
}

void FakePainter::FillRect(std::int32_t left, std::int32_t top, std::int32_t right,
                           std::int32_t bottom, OleColor color) {
    log_.push_back("FillRect(" + std::to_string(left) + "," + std::to_string(top) + "," +
                   std::to_string(right) + "," + std::to_string(bottom) + "," + Hex(color) + ")");
}

void FakePainter::ReplaceCaptionFont(const CaptionLogFont& font) {
    log_.push_back("ReplaceCaptionFont(h=" + std::to_string(font.lfHeight) +
                   ",esc=" + std::to_string(font.lfEscapement) +
                   ",u=" + std::to_string(font.lfUnderline) + ")");
}

void FakePainter::DeleteCaptionFont() {
    log_.push_back("DeleteCaptionFont");
}

namespace {

std::string DescribePaint(const char* what, const PicturePaint& p) {
    return std::string(what) + "(" + Describe(p.picture) + " #" +
           Hex(static_cast<std::uint32_t>(HandleOf(p.picture))) + " at " + std::to_string(p.x) +
           "," + std::to_string(p.y) + " size " + std::to_string(p.width) + "x" +
           std::to_string(p.height) + (p.drawChecks ? " checks " : " ") + std::to_string(p.checkX) +
           "," + std::to_string(p.checkY) + "," + std::to_string(p.checkWidth) + "x" +
           std::to_string(p.checkHeight) + ")";
}

} // namespace

void FakePainter::PaintTransparentPicture(const PicturePaint& paint) {
    log_.push_back(DescribePaint("PaintTransparentPicture", paint));
}

void FakePainter::PaintDisabledPicture(const PicturePaint& paint) {
    log_.push_back(DescribePaint("PaintDisabledPicture", paint));
}

void FakeHost::Cls(OleColor backColor, const Picture& background) {
    log.push_back("Cls(" + Hex(backColor) + (background ? "," + Describe(background) : "") + ")");
}

void FakeHost::ApplyFont(const Font& font) {
    log.push_back("ApplyFont(" + (font ? Narrow(font->Name()) : std::string("null")) + ")");
}

void FakeHost::ApplyShape(const Picture& mask, OleColor maskColor) {
    log.push_back("ApplyShape(" + Describe(mask) + "," + Hex(maskColor) + ")");
}

void FakeHost::ApplyEnabled(bool enabled) {
    log.push_back(std::string("ApplyEnabled(") + (enabled ? "true" : "false") + ")");
}

void FakeHost::ApplyAccessKeys(const Text& keys) {
    log.push_back("ApplyAccessKeys(" + Narrow(keys) + ")");
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
    if (refuseDownloads) {
        return false;
    }
    downloads.push_back({target, type, std::string(name)});
    return true;
}

void FakeHost::RaiseEvent(std::int32_t dispid, std::span<EventArg> args) {
    log.push_back("RaiseEvent(" + std::to_string(dispid) + ")");
    if (onEventArgs) {
        onEventArgs(args);
    }
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

std::optional<BagValue> RecordingBag::ReadProperty(std::string_view name,
                                                   const BagValue& defaultValue) {
    log_.push_back("ReadProperty(" + std::string(name) + ")");
    const BagValue* stored = Find(name);
    return stored ? ConvertBagValue(*stored, KindOf(defaultValue)) : defaultValue;
}

bool RecordingBag::WriteProperty(std::string_view name, const BagValue& value,
                                 const BagValue& defaultValue) {
    log_.push_back("WriteProperty(" + std::string(name) + ")");
    if (EqualsDefault(value, defaultValue)) {
        std::erase_if(values, [&](const auto& entry) { return entry.first == name; });
    } else {
        Hold(std::string(name), value);
    }
    return true;
}

void RecordingBag::Hold(std::string key, BagValue value) {
    for (auto& [k, v] : values) {
        if (k == key) {
            v = std::move(value);
            return;
        }
    }
    values.emplace_back(std::move(key), std::move(value));
}

const BagValue* RecordingBag::Find(std::string_view key) const {
    for (const auto& [k, v] : values) {
        if (k == key) {
            return &v;
        }
    }
    return nullptr;
}

std::vector<std::string> RecordingBag::Keys() const {
    std::vector<std::string> keys;
    for (const auto& entry : values) {
        keys.push_back(entry.first);
    }
    return keys;
}

namespace {

void AppendLittleEndian(persist::Bytes& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

std::uint64_t LittleEndian(std::span<const std::uint8_t> bytes) {
    std::uint64_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

} // namespace

std::optional<persist::Bytes> FakeObjectCodec::SavePicture(const PictureObject& picture) {
    if (refuseSaves) {
        return std::nullopt;
    }
    persist::Bytes out{static_cast<std::uint8_t>(picture.Type())};
    AppendLittleEndian(out, picture.Handle(), 8);
    return out;
}

std::optional<Picture> FakeObjectCodec::LoadPicture(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != 9) {
        return std::nullopt;
    }
    return MakePicture(bytes[0], LittleEndian(bytes.subspan(1)));
}

std::optional<persist::Bytes> FakeObjectCodec::SaveFont(const FontObject& font) {
    if (refuseSaves) {
        return std::nullopt;
    }
    persist::Bytes out;
    AppendLittleEndian(out, static_cast<std::uint64_t>(font.Size()), 8);
    for (char16_t c : font.Name()) {
        AppendLittleEndian(out, c, 2);
    }
    return out;
}

std::optional<Font> FakeObjectCodec::LoadFont(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 8 || bytes.size() % 2 != 0) {
        return std::nullopt;
    }
    Text name;
    for (std::size_t i = 8; i < bytes.size(); i += 2) {
        name += static_cast<char16_t>(LittleEndian(bytes.subspan(i, 2)));
    }
    return std::make_shared<FakeFont>(name,
                                      static_cast<std::int64_t>(LittleEndian(bytes.first(8))));
}

} // namespace tovabel::testing
