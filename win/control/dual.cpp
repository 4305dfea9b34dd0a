#include "dual.h"

#include "control.h"
#include "ole_values.h"
#include "win/common/guids.h"
#include "win/common/text.h"
#include "win/common/variant.h"

#include <cstring>
#include <optional>

namespace tovabel::win {

namespace {

VARIANT_BOOL AsVariantBool(bool value) {
    return value ? VARIANT_TRUE : VARIANT_FALSE;
}

bool AsBool(VARIANT_BOOL value) {
    return value != VARIANT_FALSE;
}

ComPtr<IPictureDisp> PictureOut(const Picture& picture) {
    return OlePicture::DispOf(picture);
}

// The bytes of a byte array a VARIANT holds (directly or by reference), over
// all its dimensions. nullopt when it holds no array, or an array of anything
// but bytes: the raw storage of strings, objects or variants is addresses, and
// handing those back to a script would show it the process's memory.
std::optional<SoundBytes> BytesOf(const VARIANT* value) {
    while (value != nullptr && V_VT(value) == (VT_BYREF | VT_VARIANT)) {
        value = V_VARIANTREF(value);
    }
    if (value == nullptr || (V_VT(value) & VT_ARRAY) == 0) {
        return std::nullopt;
    }
    const VARTYPE element = V_VT(value) & VT_TYPEMASK;
    if (element != VT_UI1 && element != VT_I1) {
        return std::nullopt;
    }
    SAFEARRAY* array = nullptr;
    if ((V_VT(value) & VT_BYREF) != 0) {
        array = V_ARRAYREF(value) != nullptr ? *V_ARRAYREF(value) : nullptr;
    } else {
        array = V_ARRAY(value);
    }
    SoundBytes bytes;
    if (array == nullptr) {
        return bytes;
    }
    if (SafeArrayGetElemsize(array) != 1) {
        return std::nullopt; // labelled as bytes, built of something else
    }
    std::size_t count = 1;
    for (USHORT d = 0; d < array->cDims; ++d) {
        count *= array->rgsabound[d].cElements;
    }
    const SafeArrayData data(array);
    if (count != 0 && data.Data() != nullptr) {
        const auto* first = static_cast<const std::uint8_t*>(data.Data());
        bytes.assign(first, first + count);
    }
    return bytes;
}

// A byte array holding a copy of `bytes` (no elements when there are none).
HRESULT BytesOut(const SoundBytes& bytes, VARIANT* out) {
    SafeArray array(SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size())));
    if (array.Get() == nullptr) {
        return E_OUTOFMEMORY;
    }
    if (!bytes.empty()) {
        const SafeArrayData data(array.Get());
        if (data.Data() == nullptr) {
            return E_UNEXPECTED;
        }
        std::memcpy(data.Data(), bytes.data(), bytes.size());
    }
    VariantInit(out);
    V_VT(out) = VT_ARRAY | VT_UI1;
    V_ARRAY(out) = array.Detach();
    return S_OK;
}

} // namespace

DualPart::DualPart(TovabelControl& control) : Part(control), mControl(control) {}

tovabel::Tovabel& DualPart::Core() {
    return mControl.Core();
}

template <class T, class Read> HRESULT DualPart::Get(T* out, Read read) {
    if (out == nullptr) {
        return E_POINTER;
    }
    return mControl.Run([&] {
        *out = read();
        return S_OK;
    });
}

template <class Write> HRESULT DualPart::Do(Write write) {
    return mControl.Run([&] {
        write();
        return S_OK;
    });
}

// ---------------------------------------------------------------------------
// IDispatch

HRESULT DualPart::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 1;
    return S_OK;
}

HRESULT DualPart::GetTypeInfo(UINT index, LCID, ITypeInfo** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    if (index != 0) {
        return DISP_E_BADINDEX;
    }
    *out = mControl.Types().Dual();
    (*out)->AddRef();
    return S_OK;
}

HRESULT DualPart::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!IsEqualIID(iid, IID_NULL)) {
        return DISP_E_UNKNOWNINTERFACE;
    }
    return DispGetIDsOfNames(mControl.Types().Dual(), names, count, ids);
}

HRESULT DualPart::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                         VARIANT* result, EXCEPINFO* exception, UINT* argumentError) {
    if (!IsEqualIID(iid, IID_NULL)) {
        return DISP_E_UNKNOWNINTERFACE;
    }
    // The type information coerces every argument to its declared type; a
    // value that does not convert fails here and the property is left alone.
    return mControl.Run([&] {
        return DispInvoke(static_cast<ITovabel*>(this), mControl.Types().Dual(), id, flags, params,
                          result, exception, argumentError);
    });
}

// ---------------------------------------------------------------------------
// Colours

HRESULT DualPart::get_BackColor(OLE_COLOR* value) {
    return Get(value, [&] { return Core().BackColor(); });
}
HRESULT DualPart::put_BackColor(OLE_COLOR value) {
    return Do([&] { Core().SetBackColor(value); });
}
HRESULT DualPart::get_HighlightColor(OLE_COLOR* value) {
    return Get(value, [&] { return Core().HighlightColor(); });
}
HRESULT DualPart::put_HighlightColor(OLE_COLOR value) {
    return Do([&] { Core().SetHighlightColor(value); });
}
HRESULT DualPart::get_MaskColor(OLE_COLOR* value) {
    return Get(value, [&] { return Core().MaskColor(); });
}
HRESULT DualPart::put_MaskColor(OLE_COLOR value) {
    return Do([&] { Core().SetMaskColor(value); });
}
HRESULT DualPart::get_ShadowColor(OLE_COLOR* value) {
    return Get(value, [&] { return Core().ShadowColor(); });
}
HRESULT DualPart::put_ShadowColor(OLE_COLOR value) {
    return Do([&] { Core().SetShadowColor(value); });
}
HRESULT DualPart::get_TextColor(OLE_COLOR* value) {
    return Get(value, [&] { return Core().TextColor(); });
}
HRESULT DualPart::put_TextColor(OLE_COLOR value) {
    return Do([&] { Core().SetTextColor(value); });
}

// ---------------------------------------------------------------------------
// Text

HRESULT DualPart::get_Caption(BSTR* value) {
    return Get(value, [&] { return ToBstrRaw(Core().Caption()); });
}
HRESULT DualPart::put_Caption(BSTR value) {
    return Do([&] { Core().SetCaption(FromBstr(value)); });
}
HRESULT DualPart::get_SoundClickURL(BSTR* value) {
    return Get(value, [&] { return ToBstrRaw(Core().SoundClickURL()); });
}
HRESULT DualPart::put_SoundClickURL(BSTR value) {
    return Do([&] { Core().SetSoundClickURL(FromBstr(value)); });
}
HRESULT DualPart::get_SoundEnterURL(BSTR* value) {
    return Get(value, [&] { return ToBstrRaw(Core().SoundEnterURL()); });
}
HRESULT DualPart::put_SoundEnterURL(BSTR value) {
    return Do([&] { Core().SetSoundEnterURL(FromBstr(value)); });
}
HRESULT DualPart::get_SoundLeaveURL(BSTR* value) {
    return Get(value, [&] { return ToBstrRaw(Core().SoundLeaveURL()); });
}
HRESULT DualPart::put_SoundLeaveURL(BSTR value) {
    return Do([&] { Core().SetSoundLeaveURL(FromBstr(value)); });
}
HRESULT DualPart::get_ToolTipText(BSTR* value) {
    return Get(value, [&] { return ToBstrRaw(Core().ToolTipText()); });
}
HRESULT DualPart::put_ToolTipText(BSTR value) {
    return Do([&] { Core().SetToolTipText(FromBstr(value)); });
}
HRESULT DualPart::get_URLPicture(BSTR* value) {
    return Get(value, [&] { return ToBstrRaw(Core().URLPicture()); });
}
HRESULT DualPart::put_URLPicture(BSTR value) {
    return Do([&] { Core().SetURLPicture(FromBstr(value)); });
}
HRESULT DualPart::get_URLPictureDown(BSTR* value) {
    return Get(value, [&] { return ToBstrRaw(Core().URLPictureDown()); });
}
HRESULT DualPart::put_URLPictureDown(BSTR value) {
    return Do([&] { Core().SetURLPictureDown(FromBstr(value)); });
}
HRESULT DualPart::get_URLPictureOver(BSTR* value) {
    return Get(value, [&] { return ToBstrRaw(Core().URLPictureOver()); });
}
HRESULT DualPart::put_URLPictureOver(BSTR value) {
    return Do([&] { Core().SetURLPictureOver(FromBstr(value)); });
}
HRESULT DualPart::get_URLPictureDisabled(BSTR* value) {
    return Get(value, [&] { return ToBstrRaw(Core().URLPictureDisabled()); });
}
HRESULT DualPart::put_URLPictureDisabled(BSTR value) {
    return Do([&] { Core().SetURLPictureDisabled(FromBstr(value)); });
}
HRESULT DualPart::get_URLMouseIcon(BSTR* value) {
    return Get(value, [&] { return ToBstrRaw(Core().URLMouseIcon()); });
}
HRESULT DualPart::put_URLMouseIcon(BSTR value) {
    return Do([&] { Core().SetURLMouseIcon(FromBstr(value)); });
}

// ---------------------------------------------------------------------------
// Booleans

HRESULT DualPart::get_Enabled(VARIANT_BOOL* value) {
    return Get(value, [&] { return AsVariantBool(Core().Enabled()); });
}
HRESULT DualPart::put_Enabled(VARIANT_BOOL value) {
    return Do([&] { Core().SetEnabled(AsBool(value)); });
}
HRESULT DualPart::get_PlaySounds(VARIANT_BOOL* value) {
    return Get(value, [&] { return AsVariantBool(Core().PlaySounds()); });
}
HRESULT DualPart::put_PlaySounds(VARIANT_BOOL value) {
    return Do([&] { Core().SetPlaySounds(AsBool(value)); });
}
HRESULT DualPart::get_UseSystemSounds(VARIANT_BOOL* value) {
    return Get(value, [&] { return AsVariantBool(Core().UseSystemSounds()); });
}
HRESULT DualPart::put_UseSystemSounds(VARIANT_BOOL value) {
    return Do([&] { Core().SetUseSystemSounds(AsBool(value)); });
}
HRESULT DualPart::get_AutoSize(VARIANT_BOOL* value) {
    return Get(value, [&] { return AsVariantBool(Core().AutoSize()); });
}
HRESULT DualPart::put_AutoSize(VARIANT_BOOL value) {
    return Do([&] { Core().SetAutoSize(AsBool(value)); });
}
HRESULT DualPart::get_Checked(VARIANT_BOOL* value) {
    return Get(value, [&] { return AsVariantBool(Core().Checked()); });
}
HRESULT DualPart::put_Checked(VARIANT_BOOL value) {
    return Do([&] { Core().SetChecked(AsBool(value)); });
}
HRESULT DualPart::get_DroppedDown(VARIANT_BOOL* value) {
    return Get(value, [&] { return AsVariantBool(Core().DroppedDown()); });
}
HRESULT DualPart::get_Transparent(VARIANT_BOOL* value) {
    return Get(value, [&] { return AsVariantBool(Core().Transparent()); });
}
HRESULT DualPart::put_Transparent(VARIANT_BOOL value) {
    return Do([&] { Core().SetTransparent(AsBool(value)); });
}
HRESULT DualPart::get_Value(VARIANT_BOOL* value) {
    return Get(value, [&] { return AsVariantBool(Core().Value()); });
}
HRESULT DualPart::put_Value(VARIANT_BOOL value) {
    return Do([&] { Core().SetValue(AsBool(value)); });
}

// ---------------------------------------------------------------------------
// Enumerations and numbers

HRESULT DualPart::get_Style(long* value) {
    return Get(value, [&] { return Core().Style(); });
}
HRESULT DualPart::put_Style(long value) {
    return Do([&] { Core().SetStyle(value); });
}
HRESULT DualPart::get_BorderStyle(long* value) {
    return Get(value, [&] { return Core().BorderStyle(); });
}
HRESULT DualPart::put_BorderStyle(long value) {
    return Do([&] { Core().SetBorderStyle(value); });
}
HRESULT DualPart::get_MousePointer(long* value) {
    return Get(value, [&] { return Core().MousePointer(); });
}
HRESULT DualPart::put_MousePointer(long value) {
    return Do([&] { Core().SetMousePointer(value); });
}
HRESULT DualPart::get_AlignCaption(long* value) {
    return Get(value, [&] { return Core().AlignCaption(); });
}
HRESULT DualPart::put_AlignCaption(long value) {
    return Do([&] { Core().SetAlignCaption(value); });
}
HRESULT DualPart::get_AlignPicture(long* value) {
    return Get(value, [&] { return Core().AlignPicture(); });
}
HRESULT DualPart::put_AlignPicture(long value) {
    return Do([&] { Core().SetAlignPicture(value); });
}
HRESULT DualPart::get_FontDirection(long* value) {
    return Get(value, [&] { return Core().FontDirection(); });
}
HRESULT DualPart::put_FontDirection(long value) {
    return Do([&] { Core().SetFontDirection(value); });
}
HRESULT DualPart::get_hwnd(long* value) {
    return Get(value, [&] { return Core().hwnd(); });
}

// ---------------------------------------------------------------------------
// Pictures: the getter gives back the very object that was assigned. A put
// assigns the object just as a putref does.

#define TOVABEL_PICTURE_PROPERTY(Name, Getter, Setter)                                             \
    HRESULT DualPart::get_##Name(IPictureDisp** value) {                                           \
        if (value == nullptr) {                                                                    \
            return E_POINTER;                                                                      \
        }                                                                                          \
        return mControl.Run([&] { return PictureOut(Core().Getter()).CopyTo(value); });            \
    }                                                                                              \
    HRESULT DualPart::putref_##Name(IPictureDisp* value) {                                         \
        return mControl.Run([&] {                                                                  \
            Picture picture;                                                                       \
            const HRESULT hr = OlePicture::Wrap(value, picture);                                   \
            if (SUCCEEDED(hr)) {                                                                   \
                Core().Setter(picture);                                                            \
            }                                                                                      \
            return hr;                                                                             \
        });                                                                                        \
    }                                                                                              \
    HRESULT DualPart::put_##Name(IPictureDisp* value) {                                            \
        return putref_##Name(value);                                                               \
    }

TOVABEL_PICTURE_PROPERTY(Picture, GetPicture, SetPicture)
TOVABEL_PICTURE_PROPERTY(PictureOver, PictureOver, SetPictureOver)
TOVABEL_PICTURE_PROPERTY(PictureDown, PictureDown, SetPictureDown)
TOVABEL_PICTURE_PROPERTY(PictureDisabled, PictureDisabled, SetPictureDisabled)
TOVABEL_PICTURE_PROPERTY(MouseIcon, MouseIcon, SetMouseIcon)

#undef TOVABEL_PICTURE_PROPERTY

// ---------------------------------------------------------------------------
// Font: the control's own font object.

HRESULT DualPart::get_Font(IFontDisp** value) {
    if (value == nullptr) {
        return E_POINTER;
    }
    return mControl.Run([&] {
        const ComPtr<IFont> font = OleFont::FontOf(Core().GetFont());
        *value = font.As<IFontDisp>(IID_IFontDisp).Detach();
        return S_OK;
    });
}

HRESULT DualPart::putref_Font(IFontDisp* value) {
    return mControl.Run([&] {
        ComPtr<IFont> font = ComPtr<IFontDisp>::Share(value).As<IFont>(IID_IFont);
        if (value != nullptr && !font) {
            return E_INVALIDARG;
        }
        Core().SetFont(OleFont::Wrap(std::move(font)));
        return S_OK;
    });
}

// ---------------------------------------------------------------------------
// Sound data: a byte array in, a byte array out.

#define TOVABEL_SOUND_PROPERTY(Name)                                                               \
    HRESULT DualPart::get_##Name(VARIANT* value) {                                                 \
        if (value == nullptr) {                                                                    \
            return E_POINTER;                                                                      \
        }                                                                                          \
        return mControl.Run([&] { return BytesOut(Core().Name(), value); });                       \
    }                                                                                              \
    HRESULT DualPart::put_##Name(VARIANT* value) {                                                 \
        return Do([&] { Core().Set##Name(BytesOf(value)); });                                      \
    }

TOVABEL_SOUND_PROPERTY(SoundClick)
TOVABEL_SOUND_PROPERTY(SoundEnter)
TOVABEL_SOUND_PROPERTY(SoundLeave)

#undef TOVABEL_SOUND_PROPERTY

// ---------------------------------------------------------------------------
// Methods

HRESULT DualPart::AboutBox() {
    return Do([&] { Core().AboutBox(); });
}
HRESULT DualPart::Version(BSTR* value) {
    return Get(value, [&] { return ToBstrRaw(Core().Version()); });
}
HRESULT DualPart::CancelDropDown() {
    return Do([&] { Core().CancelDropDown(); });
}
HRESULT DualPart::SubClass() {
    return Do([&] { Core().SubClass(); });
}
HRESULT DualPart::UnSubClass() {
    return Do([&] { Core().UnSubClass(); });
}

} // namespace tovabel::win
