#include "ole_values.h"

#include "win/common/bstr.h"

#include <memory>

namespace tovabel::win {

HRESULT OlePicture::Wrap(IPictureDisp* disp, Picture& out) {
    out = nullptr;
    if (disp == nullptr) {
        return S_OK;
    }
    ComPtr<IPictureDisp> shared = ComPtr<IPictureDisp>::Share(disp);
    ComPtr<IPicture> picture = shared.As<IPicture>(IID_IPicture);
    if (!picture) {
        return CTL_E_INVALIDPICTURE;
    }
    out.reset(new OlePicture(std::move(shared), std::move(picture)));
    return S_OK;
}

ComPtr<IPictureDisp> OlePicture::DispOf(const Picture& picture) {
    const auto* ole = dynamic_cast<const OlePicture*>(picture.get());
    return ole != nullptr ? ole->mDisp : ComPtr<IPictureDisp>();
}

std::int32_t OlePicture::Type() const {
    SHORT type = PICTYPE_NONE;
    mPicture->get_Type(&type);
    return type;
}

std::uint64_t OlePicture::Handle() const {
    OLE_HANDLE handle = 0;
    mPicture->get_Handle(&handle);
    return handle;
}

std::int32_t OlePicture::Width() const {
    OLE_XSIZE_HIMETRIC width = 0;
    mPicture->get_Width(&width);
    return width;
}

std::int32_t OlePicture::Height() const {
    OLE_YSIZE_HIMETRIC height = 0;
    mPicture->get_Height(&height);
    return height;
}

Font OleFont::Wrap(ComPtr<IFont> font) {
    if (!font) {
        return nullptr;
    }
    return Font(new OleFont(std::move(font)));
}

Font OleFont::CloneOf(const Font& font) {
    ComPtr<IFont> original = FontOf(font);
    if (!original) {
        return font;
    }
    ComPtr<IFont> copy;
    if (FAILED(original->Clone(copy.Put())) || !copy) {
        return font;
    }
    return Wrap(std::move(copy));
}

ComPtr<IFont> OleFont::FontOf(const Font& font) {
    const auto* ole = dynamic_cast<const OleFont*>(font.get());
    return ole != nullptr ? ole->mFont : ComPtr<IFont>();
}

Font OleFont::Default() {
    static wchar_t kName[] = L"MS Sans Serif";
    FONTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.lpstrName = kName;
    desc.cySize.int64 = 82500; // 8.25 points in ten-thousandths
    desc.sWeight = FW_NORMAL;
    desc.sCharset = ANSI_CHARSET;
    ComPtr<IFont> font;
    if (FAILED(OleCreateFontIndirect(&desc, IID_IFont, font.PutVoid()))) {
        return nullptr;
    }
    return Wrap(std::move(font));
}

Text OleFont::Name() const {
    Bstr name;
    mFont->get_Name(name.Put());
    return name.ToText();
}

std::int64_t OleFont::Size() const {
    CY size{};
    mFont->get_Size(&size);
    return size.int64;
}

bool OleFont::Bold() const {
    BOOL value = FALSE;
    mFont->get_Bold(&value);
    return value != FALSE;
}

bool OleFont::Italic() const {
    BOOL value = FALSE;
    mFont->get_Italic(&value);
    return value != FALSE;
}

bool OleFont::Underline() const {
    BOOL value = FALSE;
    mFont->get_Underline(&value);
    return value != FALSE;
}

bool OleFont::Strikethrough() const {
    BOOL value = FALSE;
    mFont->get_Strikethrough(&value);
    return value != FALSE;
}

std::int16_t OleFont::Weight() const {
    SHORT value = FW_NORMAL;
    mFont->get_Weight(&value);
    return value;
}

std::int16_t OleFont::Charset() const {
    SHORT value = ANSI_CHARSET;
    mFont->get_Charset(&value);
    return value;
}

} // namespace tovabel::win
