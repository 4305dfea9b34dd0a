#include "ole_bag.h"

#include "ole_values.h"
#include "win/common/text.h"
#include "win/common/variant.h"

#include <olectl.h>

namespace tovabel::win {

namespace {

VARTYPE VariantTypeOf(BagKind kind) {
    switch (kind) {
    case BagKind::Boolean:
        return VT_BOOL;
    case BagKind::Integer:
        return VT_I2;
    case BagKind::Long:
        return VT_I4;
    case BagKind::String:
        return VT_BSTR;
    case BagKind::StdPicture:
    case BagKind::StdFont:
        return VT_DISPATCH;
    case BagKind::Empty:
        break;
    }
    return VT_EMPTY;
}

// The object in a VARIANT as a picture or font of the core; nullopt when it is neither.
std::optional<BagValue> ObjectOf(const Variant& value, BagKind kind) {
    if (value.Type() == VT_EMPTY || value.Type() == VT_NULL) {
        return kind == BagKind::StdPicture ? BagValue(Picture()) : BagValue(Font());
    }
    if (value.Type() != VT_DISPATCH && value.Type() != VT_UNKNOWN) {
        return std::nullopt;
    }
    IUnknown* object = value.Type() == VT_DISPATCH ? value.Get()->pdispVal : value.Get()->punkVal;
    if (object == nullptr) {
        return kind == BagKind::StdPicture ? BagValue(Picture()) : BagValue(Font());
    }
    const ComPtr<IUnknown> held = ComPtr<IUnknown>::Share(object);
    if (kind == BagKind::StdPicture) {
        const ComPtr<IPictureDisp> disp = held.As<IPictureDisp>(IID_IPictureDisp);
        Picture picture;
        if (!disp || FAILED(OlePicture::Wrap(disp.Get(), picture))) {
            return std::nullopt;
        }
        return BagValue(picture);
    }
    ComPtr<IFont> font = held.As<IFont>(IID_IFont);
    if (!font) {
        return std::nullopt;
    }
    return BagValue(OleFont::Wrap(std::move(font)));
}

std::optional<BagValue> ScalarOf(const Variant& value, BagKind kind) {
    const std::optional<Variant> converted = value.As(VariantTypeOf(kind));
    if (!converted) {
        return std::nullopt;
    }
    const VARIANT& v = **converted;
    switch (kind) {
    case BagKind::Boolean:
        return BagValue(v.boolVal != VARIANT_FALSE);
    case BagKind::Integer:
        return BagValue(static_cast<std::int16_t>(v.iVal));
    case BagKind::Long:
        return BagValue(static_cast<std::int32_t>(v.lVal));
    case BagKind::String:
        return BagValue(FromBstr(v.bstrVal));
    default:
        return std::nullopt;
    }
}

// The VARIANT written for a value: objects as their IDispatch, null as Empty.
Variant VariantOf(const BagValue& value) {
    Variant out;
    VARIANT& v = *out.Put();
    switch (KindOf(value)) {
    case BagKind::Empty:
        break;
    case BagKind::Boolean:
        v.vt = VT_BOOL;
        v.boolVal = std::get<bool>(value) ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case BagKind::Integer:
        v.vt = VT_I2;
        v.iVal = std::get<std::int16_t>(value);
        break;
    case BagKind::Long:
        v.vt = VT_I4;
        v.lVal = std::get<std::int32_t>(value);
        break;
    case BagKind::String:
        v.vt = VT_BSTR;
        v.bstrVal = ToBstrRaw(std::get<Text>(value));
        break;
    case BagKind::StdPicture:
        if (const ComPtr<IPictureDisp> disp = OlePicture::DispOf(std::get<Picture>(value))) {
            v.vt = VT_DISPATCH;
            v.pdispVal = ComPtr<IPictureDisp>(disp).Detach();
        }
        break;
    case BagKind::StdFont:
        if (const ComPtr<IFont> font = OleFont::FontOf(std::get<Font>(value))) {
            v.vt = VT_DISPATCH;
            v.pdispVal = font.As<IDispatch>(IID_IDispatch).Detach();
        }
        break;
    }
    return out;
}

// The bytes an object's IPersistStream writes.
std::optional<persist::Bytes> SaveObject(IUnknown* object) {
    const ComPtr<IPersistStream> persist =
        ComPtr<IUnknown>::Share(object).As<IPersistStream>(IID_IPersistStream);
    ComPtr<IStream> stream;
    if (!persist || FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put())) ||
        FAILED(persist->Save(stream.Get(), TRUE))) {
        return std::nullopt;
    }
    STATSTG stat{};
    const LARGE_INTEGER start{};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || stat.cbSize.QuadPart > 0x7FFFFFFF ||
        FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr))) {
        return std::nullopt;
    }
    persist::Bytes bytes(static_cast<std::size_t>(stat.cbSize.QuadPart));
    ULONG read = 0;
    if (!bytes.empty() &&
        (FAILED(stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read)) ||
         read != bytes.size())) {
        return std::nullopt;
    }
    return bytes;
}

// A memory stream holding a copy of `bytes`, positioned at its start.
ComPtr<IStream> StreamOf(std::span<const std::uint8_t> bytes) {
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put()))) {
        return {};
    }
    ULONG written = 0;
    const LARGE_INTEGER start{};
    if (FAILED(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written)) ||
        written != bytes.size() || FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr))) {
        return {};
    }
    return stream;
}

} // namespace

std::optional<BagValue> OlePropertyBag::ReadProperty(std::string_view name,
                                                     const BagValue& defaultValue) {
    if (mBag == nullptr) {
        return std::nullopt;
    }
    const std::wstring key = WidenAscii(name);
    const BagKind kind = KindOf(defaultValue);
    Variant value;
    value.Put()->vt = VariantTypeOf(kind);
    const HRESULT hr = mBag->Read(key.c_str(), value.Get(), mLog);
    if (hr == E_INVALIDARG) {
        return defaultValue; // no such key
    }
    if (FAILED(hr)) {
        return std::nullopt;
    }
    if (kind == BagKind::StdPicture || kind == BagKind::StdFont) {
        return ObjectOf(value, kind);
    }
    if (kind == BagKind::Empty) {
        return BagValue();
    }
    return ScalarOf(value, kind);
}

bool OlePropertyBag::WriteProperty(std::string_view name, const BagValue& value,
                                   const BagValue& defaultValue) {
    if (EqualsDefault(value, defaultValue)) {
        return true;
    }
    if (mBag == nullptr) {
        return false;
    }
    const std::wstring key = WidenAscii(name);
    Variant written = VariantOf(value);
    return SUCCEEDED(mBag->Write(key.c_str(), written.Get()));
}

std::optional<persist::Bytes> OleObjectCodec::SavePicture(const PictureObject& picture) {
    const auto* ole = dynamic_cast<const OlePicture*>(&picture);
    const ComPtr<IPictureDisp> disp = ole != nullptr ? ole->Disp() : ComPtr<IPictureDisp>();
    return disp ? SaveObject(disp.Get()) : std::nullopt;
}

std::optional<Picture> OleObjectCodec::LoadPicture(std::span<const std::uint8_t> bytes) {
    const ComPtr<IStream> stream = StreamOf(bytes);
    ComPtr<IPictureDisp> disp;
    Picture picture;
    if (!stream ||
        FAILED(OleLoadPicture(stream.Get(), static_cast<LONG>(bytes.size()), FALSE,
                              IID_IPictureDisp, disp.PutVoid())) ||
        FAILED(OlePicture::Wrap(disp.Get(), picture))) {
        return std::nullopt;
    }
    return picture;
}

std::optional<persist::Bytes> OleObjectCodec::SaveFont(const FontObject& font) {
    const auto* ole = dynamic_cast<const OleFont*>(&font);
    const ComPtr<IFont> object = ole != nullptr ? ole->Object() : ComPtr<IFont>();
    return object ? SaveObject(object.Get()) : std::nullopt;
}

std::optional<Font> OleObjectCodec::LoadFont(std::span<const std::uint8_t> bytes) {
    const ComPtr<IStream> stream = StreamOf(bytes);
    ComPtr<IFont> font = OleFont::FontOf(OleFont::Default());
    const ComPtr<IPersistStream> persist =
        font ? font.As<IPersistStream>(IID_IPersistStream) : ComPtr<IPersistStream>();
    if (!stream || !persist || FAILED(persist->Load(stream.Get()))) {
        return std::nullopt;
    }
    return OleFont::Wrap(std::move(font));
}

} // namespace tovabel::win
