#include "skin/SkinText.h"

#include "gfx/DrawText.h"

int DrawSkinText(TCanvas& canvas, const WideString& text, TRect& rect, unsigned flags) {
    return DrawTextW(canvas, text, rect, flags);
}

namespace {
TRect CalcRect(TCanvas& canvas, const WideString& text) {
    TRect r;
    DrawTextW(canvas, text, r, DT_CALCRECT);
    return r;
}
} // namespace

int SkinTextWidth(TCanvas& canvas, const WideString& text) {
    return CalcRect(canvas, text).Width();
}

int SkinTextHeight(TCanvas& canvas, const WideString& text) {
    return CalcRect(canvas, text).Height();
}

void EllipsizeText(TCanvas& canvas, WideString& text, int maxWidth) {
    if (SkinTextWidth(canvas, text) <= maxWidth) return;
    const WideString dots = u"...";
    while (!text.empty()) {
        text.pop_back();
        if (SkinTextWidth(canvas, text + dots) <= maxWidth) break;
    }
    text += dots;
}

void DrawVCenteredText(TCanvas& canvas, const WideString& text, const TRect& rect, int indent) {
    const int y = rect.Top + rect.Height() / 2 - canvas.TextHeight(text) / 2;
    canvas.TextRect(rect, rect.Left + 2 + indent, y, text);
}

void DrawVCenteredText(TCanvas& canvas, const AnsiString& text, const TRect& rect, int indent) {
    DrawVCenteredText(canvas, AnsiToWide(text), rect, indent);
}
