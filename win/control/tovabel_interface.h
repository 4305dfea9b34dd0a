// The control's dual interface `_Tovabel` as its vtable is laid out in the type
// library: IDispatch's seven slots, then every accessor and method in the fixed
// slot order. Compiled clients bind to these positions: never reorder, only append.
#pragma once

#include <windows.h>

#include <oaidl.h>
#include <ocidl.h>
#include <olectl.h>

namespace tovabel::win {

// `_Tovabel` (IID__Tovabel). Enumerations travel as long; booleans as VARIANT_BOOL.
struct ITovabel : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_BackColor(OLE_COLOR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_BackColor(OLE_COLOR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Caption(BSTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Caption(BSTR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Enabled(VARIANT_BOOL* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Enabled(VARIANT_BOOL value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_HighlightColor(OLE_COLOR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_HighlightColor(OLE_COLOR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MaskColor(OLE_COLOR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_MaskColor(OLE_COLOR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Picture(IPictureDisp** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE putref_Picture(IPictureDisp* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_PictureOver(IPictureDisp** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE putref_PictureOver(IPictureDisp* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_PictureDown(IPictureDisp** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE putref_PictureDown(IPictureDisp* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_PlaySounds(VARIANT_BOOL* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_PlaySounds(VARIANT_BOOL value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ShadowColor(OLE_COLOR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_ShadowColor(OLE_COLOR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SoundClickURL(BSTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_SoundClickURL(BSTR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SoundEnterURL(BSTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_SoundEnterURL(BSTR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SoundLeaveURL(BSTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_SoundLeaveURL(BSTR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_UseSystemSounds(VARIANT_BOOL* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_UseSystemSounds(VARIANT_BOOL value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_TextColor(OLE_COLOR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_TextColor(OLE_COLOR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ToolTipText(BSTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_ToolTipText(BSTR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_URLPicture(BSTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_URLPicture(BSTR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_URLPictureDown(BSTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_URLPictureDown(BSTR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_URLPictureOver(BSTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_URLPictureOver(BSTR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE AboutBox() = 0;
    virtual HRESULT STDMETHODCALLTYPE Version(BSTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Style(long* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Style(long value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_AutoSize(VARIANT_BOOL* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_AutoSize(VARIANT_BOOL value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Checked(VARIANT_BOOL* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Checked(VARIANT_BOOL value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Font(IFontDisp** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE putref_Font(IFontDisp* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE CancelDropDown() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_BorderStyle(long* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_BorderStyle(long value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_DroppedDown(VARIANT_BOOL* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MouseIcon(IPictureDisp** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE putref_MouseIcon(IPictureDisp* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MousePointer(long* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_MousePointer(long value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SoundClick(VARIANT* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_SoundClick(VARIANT* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SoundEnter(VARIANT* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_SoundEnter(VARIANT* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SoundLeave(VARIANT* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_SoundLeave(VARIANT* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Transparent(VARIANT_BOOL* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Transparent(VARIANT_BOOL value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_URLMouseIcon(BSTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_URLMouseIcon(BSTR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Value(VARIANT_BOOL* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Value(VARIANT_BOOL value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_PictureDisabled(IPictureDisp** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE putref_PictureDisabled(IPictureDisp* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_URLPictureDisabled(BSTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_URLPictureDisabled(BSTR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_AlignCaption(long* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_AlignCaption(long value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_AlignPicture(long* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_AlignPicture(long value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_FontDirection(long* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_FontDirection(long value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_hwnd(long* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_MouseIcon(IPictureDisp* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Picture(IPictureDisp* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_PictureOver(IPictureDisp* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_PictureDown(IPictureDisp* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_PictureDisabled(IPictureDisp* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE SubClass() = 0;
    virtual HRESULT STDMETHODCALLTYPE UnSubClass() = 0;

protected:
    ~ITovabel() = default;
};

} // namespace tovabel::win
