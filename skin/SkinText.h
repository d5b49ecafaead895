#pragma once
// Text of skinned surfaces: drawing and measuring with the canvas font, shortening to a
// width, and the single-line text centred vertically that captions and labels use.
#include "gfx/Canvas.h"
#include "gfx/Types.h"
#include "rtl/Strings.h"

// The platform's draw-text on wide text; returns the height drawn (or calculated).
int DrawSkinText(TCanvas& canvas, const WideString& text, TRect& rect, unsigned flags);
// Width and height of the text's calculated rectangle (DT_CALCRECT on an empty rectangle).
int SkinTextWidth(TCanvas& canvas, const WideString& text);
int SkinTextHeight(TCanvas& canvas, const WideString& text);
// Shortens `text` to fit maxWidth with a trailing "...": the last character goes until the
// text followed by "..." fits or nothing is left. A text that fits is kept as it is.
void EllipsizeText(TCanvas& canvas, WideString& text, int maxWidth);

// One line at (rect.Left + 2 + indent, rect.Top + rect height div 2 - text height div 2),
// clipped to rect; the brush decides whether the rect is filled first.
void DrawVCenteredText(TCanvas& canvas, const WideString& text, const TRect& rect, int indent = 0);
void DrawVCenteredText(TCanvas& canvas, const AnsiString& text, const TRect& rect, int indent = 0);
