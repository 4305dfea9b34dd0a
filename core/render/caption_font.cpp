#include "render/caption_font.h"

#include "control/types.h"
#include "render/geometry.h"

namespace tovabel {

namespace {

// The font's flags are stored as the low byte of an automation boolean.
std::uint8_t FlagByte(bool flag) {
    return flag ? 255 : 0;
}

} // namespace

std::int32_t EscapementOf(std::int32_t direction) {
    switch (direction) {
    case tvFontDirection::DownwardText:
        return 2700;
    case tvFontDirection::ReverseText:
        return 1800;
    case tvFontDirection::UpwardText:
        return 900;
    default:
        return 0;
    }
}

Text FaceField(const Text& faceName) {
    Text face = faceName + u'\0';
    face.resize(32, u' ');
    return face;
}

void CreateRotatedFont(Painter& painter, bool& created, CaptionLogFont& logFont,
                       const FontRequest& request, double twipsPerPixelY, bool force) {
    const std::int32_t escapement = EscapementOf(request.direction);
    const Text face = FaceField(request.faceName);
    // Points to twips, twips to pixels; negative for a character height.
    const double height = (-20.0 * request.size) / twipsPerPixelY;
    if (!force) {
        const bool changed = logFont.lfEscapement != escapement || logFont.lfFaceName != face ||
                             logFont.lfItalic != FlagByte(request.italic) ||
                             logFont.lfUnderline != FlagByte(request.underline) ||
                             logFont.lfStrikeOut != FlagByte(request.strikeOut) ||
                             logFont.lfWeight != request.weight || logFont.lfHeight != height;
        if (!changed) {
            return;
        }
    }
    logFont.lfEscapement = escapement;
    logFont.lfFaceName = face;
    logFont.lfItalic = FlagByte(request.italic);
    logFont.lfUnderline = FlagByte(request.underline);
    logFont.lfStrikeOut = FlagByte(request.strikeOut);
    logFont.lfWeight = request.weight;
    logFont.lfHeight = RoundHalfEven(height);
    painter.ReplaceCaptionFont(logFont);
    created = true;
}

} // namespace tovabel
