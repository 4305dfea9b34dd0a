#include "com_client.h"

#include "win/common/gdi.h"
#include "win/common/guids.h"
#include "win/common/late_bound.h"
#include "win/olehost/pixels.h"

#include <cstring>

namespace tovabel::wintest {

Var Long(std::int32_t value) {
    Var out;
    out.Get()->vt = VT_I4;
    out.Get()->lVal = value;
    return out;
}

Var Bool(bool value) {
    Var out;
    out.Get()->vt = VT_BOOL;
    out.Get()->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return out;
}

Var Str(const std::wstring& value) {
    Var out;
    out.Get()->vt = VT_BSTR;
    out.Get()->bstrVal = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
    return out;
}

Var Object(IDispatch* object) {
    Var out;
    out.Get()->vt = VT_DISPATCH;
    out.Get()->pdispVal = object;
    if (object) {
        object->AddRef();
    }
    return out;
}

Var Bytes(const std::vector<std::uint8_t>& bytes) {
    Var out;
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    void* data = nullptr;
    SafeArrayAccessData(array, &data);
    if (!bytes.empty()) {
        std::memcpy(data, bytes.data(), bytes.size());
    }
    SafeArrayUnaccessData(array);
    out.Get()->vt = VT_ARRAY | VT_UI1;
    out.Get()->parray = array;
    return out;
}

std::wstring ToWide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

std::string ToNarrow(const BSTR text) {
    std::string out;
    for (UINT i = 0; text && i < SysStringLen(text); ++i) {
        out += static_cast<char>(text[i]);
    }
    return out;
}

std::string ToNarrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        out += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return out;
}

Ref<IDispatch> CreateControl(bool throughPropertyBag) {
    CLSID clsid{};
    if (FAILED(CLSIDFromProgID(kProgId, &clsid))) {
        return {};
    }
    Ref<IDispatch> control;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                control.PutVoid()))) {
        return {};
    }
    if (throughPropertyBag) {
        auto persist = control.As<IPersistPropertyBag>(IID_IPersistPropertyBag);
        if (!persist || FAILED(persist->InitNew())) {
            return {};
        }
    } else {
        auto persist = control.As<IPersistStreamInit>(IID_IPersistStreamInit);
        if (!persist || FAILED(persist->InitNew())) {
            return {};
        }
    }
    return control;
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

Ref<IPictureDisp> MakeBitmapPicture(int size) {
    const win::WindowDc screen(nullptr);
    return olehost::PictureOfBitmap(win::Bitmap(CreateCompatibleBitmap(screen.Get(), size, size)));
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

Ref<IPictureDisp> MakeIconPicture() {
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_ICON;
    desc.icon.hicon = CopyIcon(LoadIcon(nullptr, IDI_APPLICATION));
    Ref<IPictureDisp> picture;
    OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, picture.PutVoid());
    return picture;
}

Ref<IPictureDisp> MakeMetafilePicture() {
    HDC recorder = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    Rectangle(recorder, 0, 0, 10, 10);
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_ENHMETAFILE;
    desc.emf.hemf = CloseEnhMetaFile(recorder);
    Ref<IPictureDisp> picture;
    OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, picture.PutVoid());
    return picture;
}

Ref<IFontDisp> MakeFont(const wchar_t* name) {
    FONTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.lpstrName = const_cast<LPOLESTR>(name);
    desc.cySize.int64 = 100000; // 10 points
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
    Ref<IConnectionPointContainer> container;
    source->QueryInterface(IID_IConnectionPointContainer, container.PutVoid());
    if (!container) {
        return 0;
    }
    Ref<IConnectionPoint> point;
    if (FAILED(container->FindConnectionPoint(eventsIid, point.Put()))) {
        return 0;
    }
    DWORD cookie = 0;
    point->Advise(static_cast<IDispatch*>(this), &cookie);
    return cookie;
}

} // namespace tovabel::wintest
