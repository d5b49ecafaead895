#include "skinctrls/ButtonLayout.h"

int ButtonGlyphNumber(bool f1, bool f2, int numGlyphs, bool enabled) {
    if (f1 && f2 && numGlyphs > 2) return 3;
    if (f2 && numGlyphs > 3) return 4;
    if (enabled || numGlyphs < 2) return 1;
    return 2;
}

TspGlyphCaptionPlace LayoutGlyphAndCaption(const TRect& r, int gw, int gh, int tw, int th,
                                           int spacing, int margin, TspButtonLayout layout,
                                           bool pressed) {
    int s = spacing, mg = margin;
    int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
    int l = (th + gh + s) / 2, m = (gw + tw + s) / 2;
    TspGlyphCaptionPlace p;
    if (mg < 0) {
        switch (layout) {
        case blGlyphLeft:
            p.glyph = {cx - m, cy - gh / 2};
            p.text = {cx + m - tw, cy - th / 2};
            break;
        case blGlyphRight:
            p.glyph = {cx + m - gw, cy - gh / 2};
            p.text = {cx - m, cy - th / 2};
            break;
        case blGlyphTop:
            p.glyph = {cx - gw / 2, cy - l};
            p.text = {cx - tw / 2, cy + l - th};
            break;
        case blGlyphBottom:
            p.glyph = {cx - gw / 2, cy + l - gh};
            p.text = {cx - tw / 2, cy - l};
            break;
        }
    } else {
        switch (layout) {
        case blGlyphLeft:
            p.glyph = {r.Left + mg, cy - gh / 2};
            p.text = {r.Left + mg + gw + s, cy - th / 2};
            break;
        case blGlyphRight:
            p.glyph = {r.Right - gw - mg, cy - gh / 2};
            p.text = {p.glyph.X - s - tw, cy - th / 2};
            break;
        case blGlyphTop:
            p.glyph = {cx - gw / 2, r.Top + mg};
            p.text = {cx - tw / 2, p.glyph.Y + gh + s};
            break;
        case blGlyphBottom:
            p.glyph = {cx - gw / 2, r.Bottom - gh - mg};
            p.text = {cx - tw / 2, p.glyph.Y - s - th};
            break;
        }
    }
    if (pressed) {
        ++p.glyph.X, ++p.glyph.Y;
        ++p.text.X, ++p.text.Y;
    }
    return p;
}
