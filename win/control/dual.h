// The dual interface `_Tovabel`: IDispatch through the type library (so that
// automation coerces arguments and refuses wrong types before the control sees
// them) and every accessor and method as a thin call into the core.
#pragma once

#include "com_object.h"
#include "tovabel_interface.h"

namespace tovabel {
class Tovabel;
}

namespace tovabel::win {

class TovabelControl;

class DualPart final : public Part<ITovabel> {
public:
    explicit DualPart(TovabelControl& control);

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** out) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override;

    HRESULT STDMETHODCALLTYPE get_BackColor(OLE_COLOR* value) override;
    HRESULT STDMETHODCALLTYPE put_BackColor(OLE_COLOR value) override;
    HRESULT STDMETHODCALLTYPE get_Caption(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_Caption(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_Enabled(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_Enabled(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_HighlightColor(OLE_COLOR* value) override;
    HRESULT STDMETHODCALLTYPE put_HighlightColor(OLE_COLOR value) override;
    HRESULT STDMETHODCALLTYPE get_MaskColor(OLE_COLOR* value) override;
    HRESULT STDMETHODCALLTYPE put_MaskColor(OLE_COLOR value) override;
    HRESULT STDMETHODCALLTYPE get_Picture(IPictureDisp** value) override;
    HRESULT STDMETHODCALLTYPE putref_Picture(IPictureDisp* value) override;
    HRESULT STDMETHODCALLTYPE get_PictureOver(IPictureDisp** value) override;
    HRESULT STDMETHODCALLTYPE putref_PictureOver(IPictureDisp* value) override;
    HRESULT STDMETHODCALLTYPE get_PictureDown(IPictureDisp** value) override;
    HRESULT STDMETHODCALLTYPE putref_PictureDown(IPictureDisp* value) override;
    HRESULT STDMETHODCALLTYPE get_PlaySounds(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_PlaySounds(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_ShadowColor(OLE_COLOR* value) override;
    HRESULT STDMETHODCALLTYPE put_ShadowColor(OLE_COLOR value) override;
    HRESULT STDMETHODCALLTYPE get_SoundClickURL(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_SoundClickURL(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_SoundEnterURL(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_SoundEnterURL(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_SoundLeaveURL(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_SoundLeaveURL(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_UseSystemSounds(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_UseSystemSounds(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_TextColor(OLE_COLOR* value) override;
    HRESULT STDMETHODCALLTYPE put_TextColor(OLE_COLOR value) override;
    HRESULT STDMETHODCALLTYPE get_ToolTipText(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_ToolTipText(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_URLPicture(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_URLPicture(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_URLPictureDown(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_URLPictureDown(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_URLPictureOver(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_URLPictureOver(BSTR value) override;
    HRESULT STDMETHODCALLTYPE AboutBox() override;
    HRESULT STDMETHODCALLTYPE Version(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_Style(long* value) override;
    HRESULT STDMETHODCALLTYPE put_Style(long value) override;
    HRESULT STDMETHODCALLTYPE get_AutoSize(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_AutoSize(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_Checked(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_Checked(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_Font(IFontDisp** value) override;
    HRESULT STDMETHODCALLTYPE putref_Font(IFontDisp* value) override;
    HRESULT STDMETHODCALLTYPE CancelDropDown() override;
    HRESULT STDMETHODCALLTYPE get_BorderStyle(long* value) override;
    HRESULT STDMETHODCALLTYPE put_BorderStyle(long value) override;
    HRESULT STDMETHODCALLTYPE get_DroppedDown(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE get_MouseIcon(IPictureDisp** value) override;
    HRESULT STDMETHODCALLTYPE putref_MouseIcon(IPictureDisp* value) override;
    HRESULT STDMETHODCALLTYPE get_MousePointer(long* value) override;
    HRESULT STDMETHODCALLTYPE put_MousePointer(long value) override;
    HRESULT STDMETHODCALLTYPE get_SoundClick(VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE put_SoundClick(VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE get_SoundEnter(VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE put_SoundEnter(VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE get_SoundLeave(VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE put_SoundLeave(VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE get_Transparent(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_Transparent(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_URLMouseIcon(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_URLMouseIcon(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_Value(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_Value(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_PictureDisabled(IPictureDisp** value) override;
    HRESULT STDMETHODCALLTYPE putref_PictureDisabled(IPictureDisp* value) override;
    HRESULT STDMETHODCALLTYPE get_URLPictureDisabled(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_URLPictureDisabled(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_AlignCaption(long* value) override;
    HRESULT STDMETHODCALLTYPE put_AlignCaption(long value) override;
    HRESULT STDMETHODCALLTYPE get_AlignPicture(long* value) override;
    HRESULT STDMETHODCALLTYPE put_AlignPicture(long value) override;
    HRESULT STDMETHODCALLTYPE get_FontDirection(long* value) override;
    HRESULT STDMETHODCALLTYPE put_FontDirection(long value) override;
    HRESULT STDMETHODCALLTYPE get_hwnd(long* value) override;
    HRESULT STDMETHODCALLTYPE put_MouseIcon(IPictureDisp* value) override;
    HRESULT STDMETHODCALLTYPE put_Picture(IPictureDisp* value) override;
    HRESULT STDMETHODCALLTYPE put_PictureOver(IPictureDisp* value) override;
    HRESULT STDMETHODCALLTYPE put_PictureDown(IPictureDisp* value) override;
    HRESULT STDMETHODCALLTYPE put_PictureDisabled(IPictureDisp* value) override;
    HRESULT STDMETHODCALLTYPE SubClass() override;
    HRESULT STDMETHODCALLTYPE UnSubClass() override;

private:
    tovabel::Tovabel& Core();
    // A getter: checks `out`, then stores what `read` returns.
    template <class T, class Read> HRESULT Get(T* out, Read read);
    // A setter or method without result.
    template <class Write> HRESULT Do(Write write);

    TovabelControl& control_;
};

} // namespace tovabel::win
