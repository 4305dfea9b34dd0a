#include "form.h"

#include "call_count.h"
#include "control/identity.h"
#include "subjects.h"
#include "win/common/variant.h"
#include "win/olehost/container.h"
#include "win/olehost/object_counts.h"
#include "win/olehost/pixels.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tovabel::bench {

namespace {

// The kinds of button on the form, in turn: half show a picture, and the
// captions are a toolbar's. Each is placed at the size it takes by itself
// (AutoSize), the size a form saves it with.
struct Kind {
    std::int32_t style;
    const wchar_t* caption;
    bool picture;
    std::int32_t alignPicture;
    SIZE size;
};
constexpr std::array<Kind, 4> kKinds = {{
    {0, L"", true, 4, {20, 20}},            // an icon
    {0, L"Open", true, 2, {37, 20}},        // picture left of the caption
    {1, L"Properties", false, 4, {60, 17}}, // a check button
    {3, L"Save as", false, 4, {59, 17}},    // a drop-down
}};
constexpr SIZE kFormSize{1264, 960};
constexpr int kRowHeight = 23;
constexpr int kGap = 1;

// Where the buttons go: left to right, in rows.
std::vector<RECT> Places(int buttons) {
    std::vector<RECT> places;
    POINT at{0, 0};
    for (int i = 0; i < buttons; ++i) {
        const SIZE size = kKinds[static_cast<std::size_t>(i) % kKinds.size()].size;
        if (at.x + size.cx > kFormSize.cx) {
            at = {0, at.y + kRowHeight};
        }
        places.push_back({at.x, at.y, at.x + size.cx, at.y + size.cy});
        at.x += size.cx + kGap;
    }
    return places;
}

// The bytes a container saves for a button of `kind`.
std::vector<BYTE> SavedStream(olehost::Form& form, const Kind& kind) {
    olehost::HostedControl& place = form.AddPlace();
    if (FAILED(place.Create(identity::kWideProgId.text, {0, 0, kind.size.cx, kind.size.cy}))) {
        return {};
    }
    place.Put(L"Style", *Long(kind.style));
    place.Put(L"Caption", *Text(kind.caption));
    place.Put(L"AlignPicture", *Long(kind.alignPicture));
    if (kind.picture) {
        place.PutRef(L"Picture", olehost::PictureOfBitmap(MakeGlyph()).Get());
    }
    RECT sized{};
    GetClientRect(place.Window(), &sized);
    if (sized.right != kind.size.cx || sized.bottom != kind.size.cy) {
        std::fprintf(stderr,
                     "note: a button sized itself %ldx%ld, placed %ldx%ld: the form resizes it\n",
                     sized.right, sized.bottom, kind.size.cx, kind.size.cy);
    }
    std::vector<BYTE> bytes;
    win::ComPtr<IStream> stream;
    const auto persist = win::ComPtr<IUnknown>::Share(place.Control())
                             .As<IPersistStreamInit>(IID_IPersistStreamInit);
    if (persist && SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put())) &&
        SUCCEEDED(persist->Save(stream.Get(), TRUE))) {
        HGLOBAL memory = nullptr;
        GetHGlobalFromStream(stream.Get(), &memory);
        STATSTG stat{};
        stream->Stat(&stat, STATFLAG_NONAME);
        const auto* data = static_cast<const BYTE*>(GlobalLock(memory));
        bytes.assign(data, data + stat.cbSize.QuadPart);
        GlobalUnlock(memory);
    }
    place.Destroy();
    return bytes;
}

win::ComPtr<IStream> StreamOf(const std::vector<BYTE>& bytes) {
    win::ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put()))) {
        return {};
    }
    ULONG written = 0;
    stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    const LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return stream;
}

struct Counts {
    SIZE_T bytes;
    DWORD gdi;
};

Counts Take() {
    return {olehost::PrivateBytes(), olehost::GdiObjects()};
}

FormCost CostOf(double start, const Counts& before, int buttons) {
    const double micros = Now() - start;
    const Counts after = Take();
    return {micros,
            (static_cast<double>(after.bytes) - static_cast<double>(before.bytes)) / buttons,
            (static_cast<double>(after.gdi) - static_cast<double>(before.gdi)) / buttons};
}

// The calls per button, most frequent first.
void PrintCalls(const CallCounter& counter, int buttons) {
    std::vector<std::pair<std::uint64_t, std::string>> calls;
    for (const auto& [name, count] : counter.Counts()) {
        calls.emplace_back(count, name);
    }
    std::sort(calls.rbegin(), calls.rend());
    for (const auto& [count, name] : calls) {
        std::printf("  %8.2f %s\n", static_cast<double>(count) / buttons, name.c_str());
    }
}

std::optional<FormCost> MeasureOurs(olehost::Form& form, int buttons, bool listCalls) {
    std::vector<std::vector<BYTE>> saved;
    for (const Kind& kind : kKinds) {
        saved.push_back(SavedStream(form, kind)); // also loads the library once
        if (saved.back().empty()) {
            return std::nullopt;
        }
    }
    std::vector<win::ComPtr<IStream>> streams;
    for (int i = 0; i < buttons; ++i) {
        streams.push_back(StreamOf(saved[static_cast<std::size_t>(i) % saved.size()]));
    }
    const std::vector<RECT> places = Places(buttons);
    std::vector<olehost::HostedControl*> hosted;
    for (int i = 0; i < buttons; ++i) {
        hosted.push_back(&form.AddPlace());
    }
    // A form loader asks COM for a class once and makes all its controls of
    // that class from the class object, as the platform's forms do.
    CLSID clsid{};
    win::ComPtr<IClassFactory> factory;
    if (FAILED(CLSIDFromProgID(identity::kWideProgId.text, &clsid)) ||
        FAILED(CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                factory.PutVoid()))) {
        return std::nullopt;
    }
    form.Settle();
    std::optional<CallCounter> counter;
    if (listCalls) {
        counter.emplace(GetModuleHandleW(L"Tovabel2.ocx"),
                        std::vector<std::string>{"user32.dll", "gdi32.dll", "ole32.dll",
                                                 "oleaut32.dll", "comctl32.dll", "kernel32.dll"});
    }
    const Counts before = Take();
    const double start = Now();
    for (std::size_t i = 0; i < hosted.size(); ++i) {
        if (listCalls && i % 50 == 0) {
            std::printf("  after %zu buttons: %.0f ms\n", i, (Now() - start) / 1000);
        }
        if (FAILED(hosted[i]->CreateFromStream(*factory.Get(), places[i], *streams[i].Get()))) {
            return std::nullopt;
        }
    }
    RedrawWindow(form.Window(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    streams.clear(); // read: a container lets its saved streams go
    const FormCost cost = CostOf(start, before, buttons);
    if (counter) {
        PrintCalls(*counter, buttons);
    }
    return cost;
}

// A push button of `kind`: its caption as the window text, its picture as a
// bitmap of its own, kept in `bitmaps` (a button does not own its bitmap).
HWND MakePushButton(HWND parent, const Kind& kind, const RECT& place,
                    std::vector<win::Bitmap>& bitmaps) {
    const DWORD style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | (kind.picture ? BS_BITMAP : 0);
    HWND button = CreateWindowExW(0, L"Button", kind.caption, style, place.left, place.top,
                                  place.right - place.left, place.bottom - place.top, parent,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    if (kind.picture && button != nullptr) {
        bitmaps.push_back(MakeGlyph());
        SendMessageW(button, BM_SETIMAGE, IMAGE_BITMAP,
                     reinterpret_cast<LPARAM>(bitmaps.back().Get()));
    }
    return button;
}

FormCost MeasurePushButtons(olehost::Form& form, int buttons, std::vector<win::Bitmap>& bitmaps) {
    DestroyWindow(MakePushButton(form.Window(), kKinds[0], {0, 0, 22, 22}, bitmaps)); // warm up
    bitmaps.reserve(static_cast<std::size_t>(buttons) + 1);
    const std::vector<RECT> places = Places(buttons);
    form.Settle();
    const Counts before = Take();
    const double start = Now();
    for (int i = 0; i < buttons; ++i) {
        MakePushButton(form.Window(), kKinds[static_cast<std::size_t>(i) % kKinds.size()],
                       places[static_cast<std::size_t>(i)], bitmaps);
    }
    RedrawWindow(form.Window(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    return CostOf(start, before, buttons);
}

} // namespace

std::optional<FormCost> MeasureForm(FormOf of, int buttons, bool listCalls) {
    std::vector<win::Bitmap> bitmaps; // declared first: they go after the buttons showing them
    olehost::Form form(L"Tovabel form benchmark", kFormSize);
    if (of == FormOf::kPushButtons) {
        return MeasurePushButtons(form, buttons, bitmaps);
    }
    return MeasureOurs(form, buttons, listCalls);
}

} // namespace tovabel::bench
