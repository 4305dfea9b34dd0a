#include "com_client.h"

#include "win/common/gdi.h"
#include "win/common/late_bound.h"
#include "win/olehost/pixels.h"

#include <algorithm>
#include <cstring>

namespace tovabel::wintest {

namespace {

template <class Fill> Var Made(VARTYPE type, Fill fill) {
    Var out;
    V_VT(out.Get()) = type;
    fill(*out);
    return out;
}

} // namespace

Var Long(std::int32_t value) {
    return Made(VT_I4, [&](VARIANT& v) { V_I4(&v) = value; });
}

Var Bool(bool value) {
    return Made(VT_BOOL, [&](VARIANT& v) { V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE; });
}

Var Str(const std::wstring& value) {
    return Made(VT_BSTR, [&](VARIANT& v) {
        V_BSTR(&v) = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
    });
}

Var Object(IDispatch* object) {
    if (object) {
        object->AddRef();
    }
    return Made(VT_DISPATCH, [&](VARIANT& v) { V_DISPATCH(&v) = object; });
}

Var Bytes(const std::vector<std::uint8_t>& bytes) {
    Var out;
    V_VT(out.Get()) = VT_ARRAY | VT_UI1;
    V_ARRAY(out.Get()) = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (!bytes.empty()) {
        std::memcpy(V_ARRAY(out.Get())->pvData, bytes.data(), bytes.size());
    }
    return out;
}

std::string ToNarrow(const BSTR text) {
    return ToNarrow(text ? std::wstring(text, SysStringLen(text)) : std::wstring());
}

std::string ToNarrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        out += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return out;
}

Ref<IDispatch> CreateControl(bool throughPropertyBag, bool start) {
    CLSID clsid{};
    Ref<IDispatch> control;
    if (FAILED(CLSIDFromProgID(kProgId, &clsid)) ||
        FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                control.PutVoid())) ||
        !start) {
        return control;
    }
    const HRESULT hr = throughPropertyBag
                           ? control.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->InitNew()
                           : control.As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew();
    return SUCCEEDED(hr) ? control : Ref<IDispatch>();
}

HRESULT PutAll(olehost::Container& container, Settings settings) {
    for (const auto& [name, value] : settings) {
        if (const HRESULT hr = container.Put(name, *value); FAILED(hr)) {
            return hr;
        }
    }
    return S_OK;
}

HRESULT MakeButton(olehost::Container& container, const RECT& place, int style) {
    const HRESULT hr = container.Create(kProgId, place);
    return FAILED(hr) ? hr
                      : PutAll(container, {{L"AutoSize", Bool(false)},
                                           {L"BackColor", Colour(kBack)},
                                           {L"TextColor", Colour(kText)},
                                           {L"HighlightColor", Colour(kLight)},
                                           {L"ShadowColor", Colour(kDark)},
                                           {L"Style", Long(style)}});
}

olehost::Pixels Face(olehost::Container& container) {
    container.Settle();
    return olehost::ReadWindow(container.ControlWindow());
}

RECT BoundsOf(const olehost::Pixels& pixels, COLORREF colour) {
    RECT bounds{pixels.width, pixels.height, 0, 0};
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            if (pixels.At(x, y) == colour) {
                bounds = {std::min<LONG>(bounds.left, x), std::min<LONG>(bounds.top, y),
                          std::max<LONG>(bounds.right, x + 1),
                          std::max<LONG>(bounds.bottom, y + 1)};
            }
        }
    }
    return bounds.right > bounds.left ? bounds : RECT{0, 0, 0, 0};
}

void Send(HWND window, const Step& step) {
    SendMessageW(window, step.message, step.keys, MAKELPARAM(step.x, step.y));
}

void ClickAndLeave(HWND window) {
    for (const Step& step : {Step{WM_MOUSEMOVE, 5, 5}, Step{WM_LBUTTONDOWN, 5, 5, MK_LBUTTON},
                             Step{WM_LBUTTONUP, 5, 5}, Step{WM_MOUSEMOVE, -5, -5}}) {
        Send(window, step);
    }
}

HRESULT Get(IDispatch* control, DISPID id, Var& out) {
    return win::late_bound::Get(*control, id, out.Put());
}

HRESULT Put(IDispatch* control, DISPID id, const VARIANT& value, WORD kind) {
    return win::late_bound::Put(*control, id, value, kind);
}

HRESULT Call(IDispatch* control, DISPID id, Var& result) {
    return win::late_bound::Call(*control, id, result.Put());
}

Var Get(IDispatch* control, const wchar_t* name) {
    Var value;
    win::late_bound::Get(*control, name, value.Put());
    return value;
}

std::string Describe(const Var& value) {
    if (value.Type() == (VT_ARRAY | VT_UI1)) {
        return "bytes:" + std::to_string(V_ARRAY(value.Get())->rgsabound[0].cElements);
    }
    if (value.Type() != VT_DISPATCH) {
        const std::optional<Var> text = value.As(VT_BSTR);
        return text ? ToNarrow(V_BSTR(text->Get())) : "?";
    }
    const Ref<IDispatch> object = Ref<IDispatch>::Share(V_DISPATCH(value.Get()));
    if (!object) {
        return "Nothing";
    }
    if (const auto picture = object.As<IPicture>(IID_IPicture)) {
        SHORT type = PICTYPE_NONE;
        OLE_HANDLE handle = 0;
        BITMAP bitmap{};
        picture->get_Type(&type);
        picture->get_Handle(&handle);
        const auto bits = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
        if (type == PICTYPE_BITMAP && GetObjectW(bits, sizeof bitmap, &bitmap) == sizeof bitmap) {
            return "bitmap " + std::to_string(bitmap.bmWidth) + "x" +
                   std::to_string(bitmap.bmHeight);
        }
        return type == PICTYPE_ICON ? "icon" : "picture " + std::to_string(type);
    }
    if (const auto font = object.As<IFont>(IID_IFont)) {
        BSTR name = nullptr;
        CY size{};
        BOOL bold = FALSE;
        font->get_Name(&name);
        font->get_Size(&size);
        font->get_Bold(&bold);
        const std::string text =
            "font " + ToNarrow(name) + " " + std::to_string(size.int64) + (bold ? " bold" : "");
        SysFreeString(name);
        return text;
    }
    return "object";
}

HRESULT Put(IDispatch* control, const wchar_t* name, const Var& value) {
    const WORD kind = value.Type() == VT_DISPATCH ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
    return win::late_bound::Put(*control, name, *value, kind);
}

HRESULT Call(IDispatch* control, const wchar_t* name) {
    DISPID id = DISPID_UNKNOWN;
    Var ignored;
    const HRESULT hr = win::late_bound::IdOf(*control, name, id);
    return FAILED(hr) ? hr : Call(control, id, ignored);
}

Ref<IPictureDisp> MakeSquarePicture(int size, COLORREF background, COLORREF square) {
    win::Bitmap bitmap(CreateCompatibleBitmap(win::WindowDc(nullptr).Get(), size, size));
    {
        win::MemoryDc dc(nullptr);
        dc.SelectBitmap(bitmap.Get());
        const auto fill = [&](int from, int to, COLORREF colour) {
            const RECT area{from, from, to, to};
            const win::Brush brush(CreateSolidBrush(colour));
            FillRect(dc.Get(), &area, brush.Get());
        };
        fill(0, size, background);
        fill(size / 4, size - size / 4, square);
    }
    return olehost::PictureOfBitmap(std::move(bitmap));
}

Ref<IPictureDisp> MakeBitmapPicture(int size) {
    return MakeSquarePicture(size, RGB(0, 0, 0), RGB(0, 0, 0));
}

Ref<IPictureDisp> PictureOf(PICTDESC desc) {
    desc.cbSizeofstruct = sizeof desc;
    Ref<IPictureDisp> picture;
    OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, picture.PutVoid());
    return picture;
}

Ref<IPictureDisp> MakeIconPicture() {
    PICTDESC desc{};
    desc.picType = PICTYPE_ICON;
    desc.icon.hicon = CopyIcon(LoadIcon(nullptr, IDI_APPLICATION));
    return PictureOf(desc);
}

Ref<IPictureDisp> MakeMetafilePicture() {
    HDC recorder = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    Rectangle(recorder, 0, 0, 10, 10);
    PICTDESC desc{};
    desc.picType = PICTYPE_ENHMETAFILE;
    desc.emf.hemf = CloseEnhMetaFile(recorder);
    return PictureOf(desc);
}

Ref<IFontDisp> MakeFont(const wchar_t* name, double points) {
    FONTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.lpstrName = const_cast<LPOLESTR>(name);
    desc.cySize.int64 = static_cast<LONGLONG>(points * 10000);
    desc.sWeight = FW_NORMAL;
    Ref<IFontDisp> font;
    OleCreateFontIndirect(&desc, IID_IFontDisp, font.PutVoid());
    return font;
}

HRESULT EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                          UINT*) {
    Event event{id, {}};
    // Arguments arrive last first; keep them in declaration order.
    for (UINT i = params ? params->cArgs : 0; i > 0; --i) {
        Var arg;
        VariantCopyInd(arg.Get(), &params->rgvarg[i - 1]);
        event.args.push_back(arg);
    }
    events.push_back(std::move(event));
    if (during) {
        during(*this, id);
    }
    return S_OK;
}

DWORD EventSink::Advise(IDispatch* source, const IID& eventsIid) {
    const auto container =
        Ref<IDispatch>::Share(source).As<IConnectionPointContainer>(IID_IConnectionPointContainer);
    Ref<IConnectionPoint> point;
    DWORD cookie = 0;
    if (container && SUCCEEDED(container->FindConnectionPoint(eventsIid, point.Put()))) {
        point->Advise(static_cast<IDispatch*>(this), &cookie);
    }
    return cookie;
}

} // namespace tovabel::wintest
