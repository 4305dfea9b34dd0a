// A client's view of the control for the Windows tests: creation by ProgID,
// late-bound calls by DISPID or by name, a button in our container with its
// face and the mouse messages it gets, pictures and fonts to hand it, and sinks
// that record the events and property changes it reports.
#pragma once

#include "control/identity.h"
#include "win/common/com_object.h"
#include "win/common/com_ptr.h"
#include "win/common/variant.h"
#include "win/olehost/container.h"
#include "win/olehost/event_receiver.h"
#include "win/olehost/pixels.h"

#include <windows.h>

#include <ocidl.h>
#include <oleauto.h>
#include <olectl.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace tovabel::wintest {

template <class T> using Ref = win::ComPtr<T>;
using Var = win::Variant;

inline constexpr const wchar_t* kProgId = identity::kWideProgId.text;

// A button's colours in the pixel tests: no system colour scheme uses them, so
// a pixel that matches one cannot be an accident.
inline constexpr COLORREF kBack = RGB(250, 250, 236);
inline constexpr COLORREF kText = RGB(200, 10, 10);
inline constexpr COLORREF kLight = RGB(20, 40, 250);
inline constexpr COLORREF kDark = RGB(10, 130, 60);

Var Long(std::int32_t value);
Var Bool(bool value);
Var Str(const std::wstring& value);
Var Object(IDispatch* object); // adds a reference
Var Bytes(const std::vector<std::uint8_t>& bytes);
inline Var Colour(COLORREF colour) {
    return Long(static_cast<std::int32_t>(colour));
}

std::string ToNarrow(const BSTR text);
std::string ToNarrow(const std::wstring& text);

// Creates a control by ProgID and initialises it as a new instance through
// IPersistStreamInit::InitNew (or IPersistPropertyBag::InitNew); uninitialised
// with `start` false, as a container that loads a saved form creates it.
Ref<IDispatch> CreateControl(bool throughPropertyBag = false, bool start = true);

// Sets each property of a hosted control in turn; the first refusal, or S_OK.
using Settings = std::initializer_list<std::pair<const wchar_t*, Var>>;
HRESULT PutAll(olehost::Container& container, Settings settings);
// A button of `style` in `container`, not auto-sized, in the colours above.
HRESULT MakeButton(olehost::Container& container, const RECT& place, int style = 0);
// The control's window once the pending paints have run.
olehost::Pixels Face(olehost::Container& container);

// The smallest rectangle holding every pixel of `colour`; all zero when there is none.
RECT BoundsOf(const olehost::Pixels& pixels, COLORREF colour);

// A mouse message with the pointer at (x, y) and the buttons held, sent as the system would.
struct Step {
    UINT message;
    int x, y;
    WPARAM keys = 0;
};
void Send(HWND window, const Step& step);
// The pointer in, a press, the release and the pointer out again: a click as the user makes it.
void ClickAndLeave(HWND window);

HRESULT Get(IDispatch* control, DISPID id, Var& out);
HRESULT Put(IDispatch* control, DISPID id, const VARIANT& value, WORD kind = DISPATCH_PROPERTYPUT);
HRESULT Call(IDispatch* control, DISPID id, Var& result);
// The same by name; an object is assigned as Set does.
Var Get(IDispatch* control, const wchar_t* name);
// A value as text: numbers and flags as automation writes them (true is "-1"), a bitmap
// by its size in pixels ("bitmap 8x8"), an icon as "icon", another picture by its type, a
// font by its look, a byte array by its length, no object as "Nothing".
std::string Describe(const Var& value);
HRESULT Put(IDispatch* control, const wchar_t* name, const Var& value);
HRESULT Call(IDispatch* control, const wchar_t* name);

// Standard picture objects: a `size` x `size` bitmap of `background` with a
// `square` coloured square inset by a quarter of the size on every side, the
// system's application icon, a small enhanced metafile.
Ref<IPictureDisp> MakeSquarePicture(int size, COLORREF background, COLORREF square);
Ref<IPictureDisp> MakeBitmapPicture(int size = 16);
Ref<IPictureDisp> MakeIconPicture();
Ref<IPictureDisp> MakeMetafilePicture();
Ref<IFontDisp> MakeFont(const wchar_t* name, double points = 10);
// The picture `desc` describes, owning its handle.
Ref<IPictureDisp> PictureOf(PICTDESC desc);

// Records every event the control raises, with its arguments.
class EventSink : public olehost::EventReceiver {
public:
    struct Event {
        DISPID id;
        std::vector<Var> args;
    };
    std::vector<Event> events;
    // Called while an event is delivered (for example to read Value then).
    void (*during)(EventSink& sink, DISPID id) = nullptr;

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                     EXCEPINFO*, UINT*) override;

    // Connects to the control's event interface; returns the cookie.
    DWORD Advise(IDispatch* source, const IID& eventsIid);
};

// Records the property changes the control reports.
class ChangeSink : public win::LocalObject<IPropertyNotifySink> {
public:
    std::vector<DISPID> changed;
    HRESULT STDMETHODCALLTYPE OnChanged(DISPID id) override {
        changed.push_back(id);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }
};

} // namespace tovabel::wintest
