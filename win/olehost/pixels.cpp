#include "pixels.h"

#include "win/common/com_ptr.h"
#include "win/common/gdi.h"

#include <ocidl.h>
#include <olectl.h>
#include <wincodec.h>

namespace tovabel::olehost {

using win::ComPtr;

COLORREF Pixels::At(int x, int y) const {
    const std::uint32_t p = data.at(static_cast<std::size_t>(y) * width + x);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

std::size_t Pixels::Count(COLORREF color) const {
    const std::uint32_t key = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    std::size_t n = 0;
    for (const std::uint32_t p : data) {
        n += (p & 0xFFFFFF) == key ? 1 : 0;
    }
    return n;
}

Pixels ReadDc(HDC source, int x, int y, int width, int height) {
    Pixels out;
    out.width = width;
    out.height = height;
    void* bits = nullptr;
    const win::Bitmap bitmap = win::CreateBitmap32({width, height}, &bits);
    win::MemoryDc dc(source);
    if (bits == nullptr || !dc.SelectBitmap(bitmap.Get())) {
        return out;
    }
    BitBlt(dc.Get(), 0, 0, width, height, source, x, y, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    out.data.assign(first, first + static_cast<std::size_t>(width) * height);
    return out;
}

Pixels ReadWindow(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    const win::WindowDc dc(window);
    return ReadDc(dc.Get(), 0, 0, client.right, client.bottom);
}

Pixels ReadView(IUnknown* control, int width, int height) {
    const win::WindowDc screen(nullptr);
    win::MemoryDc dc(screen.Get());
    const win::Bitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    const ComPtr<IViewObject> view =
        ComPtr<IUnknown>::Share(control).As<IViewObject>(IID_IViewObject);
    if (!view || !dc.SelectBitmap(bitmap.Get())) {
        return {};
    }
    const RECTL bounds{0, 0, width, height};
    view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc.Get(), &bounds, nullptr, nullptr,
               0);
    return ReadDc(dc.Get(), 0, 0, width, height);
}

bool SavePng(const Pixels& pixels, const std::wstring& path) {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
    const UINT stride = static_cast<UINT>(pixels.width) * 4;
    const UINT size = stride * static_cast<UINT>(pixels.height);
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IWICImagingFactory, factory.PutVoid())) &&
           SUCCEEDED(factory->CreateStream(stream.Put())) &&
           SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
           SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Put())) &&
           SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(frame.Put(), nullptr)) &&
           SUCCEEDED(frame->Initialize(nullptr)) &&
           SUCCEEDED(
               frame->SetSize(static_cast<UINT>(pixels.width), static_cast<UINT>(pixels.height))) &&
           SUCCEEDED(frame->SetPixelFormat(&format)) &&
           SUCCEEDED(frame->WritePixels(
               static_cast<UINT>(pixels.height), stride, size,
               reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(pixels.data.data())))) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

win::ComPtr<IPictureDisp> PictureOfBitmap(win::Bitmap bitmap) {
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = bitmap.Get();
    win::ComPtr<IPictureDisp> picture;
    if (SUCCEEDED(OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, picture.PutVoid()))) {
        bitmap.Detach(); // the picture owns it now
    }
    return picture;
}

} // namespace tovabel::olehost
