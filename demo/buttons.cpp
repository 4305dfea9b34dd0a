#include "buttons.h"

#include "values.h"

namespace tovabel::demo {

PictureBox::PictureBox() {
    for (const Glyph glyph : {Glyph::Folder, Glyph::Bold, Glyph::Back}) {
        mPictures[static_cast<std::size_t>(glyph)] = MakePicture(glyph);
    }
}

// The picture goes before the caption, as a saved form loads them: a menu
// item's frame is placed from the picture position of the layout before, so a
// picture assigned last would leave the frame where no picture was.
void Dress(olehost::HostedControl& button, const ButtonFace& face, const PictureBox& pictures) {
    button.Put(L"AutoSize", *Bool(false));
    button.Put(L"Style", *Long(face.style));
    if (IPictureDisp* picture = pictures.Of(face.glyph)) {
        button.PutRef(L"Picture", picture);
    }
    button.Put(L"Caption", *Text(face.caption));
    button.Put(L"AlignPicture", *Long(face.alignPicture));
    button.Put(L"AlignCaption", *Long(face.alignCaption));
    button.Put(L"FontDirection", *Long(face.direction));
    if (face.classicColours) {
        button.Put(L"BackColor", *Long(RGB(192, 192, 192)));
        button.Put(L"HighlightColor", *Long(RGB(255, 255, 255)));
        button.Put(L"ShadowColor", *Long(RGB(128, 128, 128)));
    }
    if (face.transparent) {
        button.Put(L"Transparent", *Bool(true));
    }
}

} // namespace tovabel::demo
