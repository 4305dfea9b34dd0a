// The core's picture and font values over the OLE standard objects. A wrapper
// keeps its COM object alive, so that a property getter can hand back the very
// object that was assigned.
#pragma once

#include "control/types.h"
#include "win/common/com_ptr.h"

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

namespace tovabel::win {

class OlePicture final : public PictureObject {
public:
    // A picture for the core; null for a null pointer. Fails with
    // CTL_E_INVALIDPICTURE when the object is not a standard picture.
    static HRESULT Wrap(IPictureDisp* disp, Picture& out);
    // The object behind a core picture (empty for null or a foreign picture).
    static ComPtr<IPictureDisp> DispOf(const Picture& picture);

    const ComPtr<IPictureDisp>& Disp() const { return mDisp; }
    std::int32_t Type() const override;
    std::uint64_t Handle() const override;
    std::int32_t Width() const override;
    std::int32_t Height() const override;

private:
    OlePicture(ComPtr<IPictureDisp> disp, ComPtr<IPicture> picture)
        : mDisp(std::move(disp)), mPicture(std::move(picture)) {}

    ComPtr<IPictureDisp> mDisp;
    ComPtr<IPicture> mPicture;
};

class OleFont final : public FontObject {
public:
    // A font for the core over `font` itself (no copy); null for a null pointer.
    static Font Wrap(ComPtr<IFont> font);
    // A font for the core over an independent copy of `font`, so that the
    // control's changes never reach the object it was given (an ambient font).
    static Font CloneOf(const Font& font);
    // The object behind a core font (empty for null or a foreign font).
    static ComPtr<IFont> FontOf(const Font& font);
    // "MS Sans Serif", 8.25 points: the font without a container to ask.
    static Font Default();

    const ComPtr<IFont>& Object() const { return mFont; }
    Text Name() const override;
    std::int64_t Size() const override;
    bool Bold() const override;
    bool Italic() const override;
    bool Underline() const override;
    bool Strikethrough() const override;
    std::int16_t Weight() const override;
    std::int16_t Charset() const override;

private:
    explicit OleFont(ComPtr<IFont> font) : mFont(std::move(font)) {}
    ComPtr<IFont> mFont;
};

} // namespace tovabel::win
