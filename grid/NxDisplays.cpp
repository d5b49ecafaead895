#include "grid/NxDisplays.h"

#include "gfx/Canvas.h"
#include "gfx/DrawText.h"
#include "grid/NxCustomGrid.h"
#include "grid/NxFooterFormula.h"

int TStyleDisplay::ExtraWidth(TDisplayMode mode) const {
    if (!DrawSortArrow || !DrawBackground) return 0;
    return Themed && mode == dmTextOnly ? 11 : 2;
}

void TStyleDisplay::FrameRaised(const TRect& r) {
    TCanvas& c = *Canvas;
    c.Pen()->SetStyle(psSolid);
    c.Pen()->SetColor(clBtnHighlight);
    c.Polyline({{r.Left, r.Bottom - 2}, {r.Left, r.Top}, {r.Right - 1, r.Top}});
    c.Pen()->SetColor(clBtnShadow);
    c.Polyline({{r.Right - 1, r.Top}, {r.Right - 1, r.Bottom - 1}, {r.Left - 1, r.Bottom - 1}});
}

TStyleDisplay::TCaptionLayout TStyleDisplay::LayoutCaption(TNxCustomColumn* column,
                                                           const TRect& r) const {
    TCaptionLayout l;
    TColumnHeader* header = column->Header();
    if (header->DisplayMode() != dmImageOnly) {
        if (header->Orientation() == hoVertical) {
            l.CaptionWidth = Canvas->TextHeight(header->Caption()) + 2;
        } else if (header->MultiLine()) {
            TRect calc{0, 0, r.Width(), 0};
            DrawText(*Canvas, header->Caption(), calc, DT_CALCRECT | DT_NOPREFIX);
            l.CaptionWidth = calc.Width() + 2;
        } else {
            l.CaptionWidth = Canvas->TextWidth(header->Caption()) + 2;
        }
    }
    const int w = l.CaptionWidth;
    const TBitmap* glyph = header->Glyph();
    const bool sortedShift = column->Sorted();
    l.HasGlyph = !glyph->Empty() && header->DisplayMode() != dmTextOnly;
    if (!l.HasGlyph) {
        switch (header->Alignment()) {
        case taRightJustify:
            l.TextX = r.Right - w - (sortedShift ? 31 : 0);
            break;
        case taCenter:
            l.TextX = w < r.Width() ? r.Left + (r.Width() - w) / 2 : r.Left + 2;
            break;
        default:
            l.TextX = r.Left + 2;
            break;
        }
        return l;
    }
    l.GlyphY = r.Top + r.Height() / 2 - glyph->Height() / 2;
    switch (header->Alignment()) {
    case taRightJustify:
        l.GlyphX = r.Right - glyph->Width() - w - 2 - (sortedShift ? 31 : 0);
        break;
    case taCenter:
        l.GlyphX = r.Left + r.Width() / 2 - (glyph->Width() + w) / 2;
        break;
    default:
        l.GlyphX = r.Left + 3;
        break;
    }
    l.TextX = l.GlyphX + glyph->Width() + 2;
    return l;
}

bool TStyleDisplay::SortArrowPos(TNxCustomColumn* column, const TRect& r, TPoint& at) const {
    if (!column->Sorted() || (Capabilities() & pcNoSortArrow) || !DrawSortArrow) return false;
    const TCaptionLayout l = LayoutCaption(column, r);
    at = {l.TextX + l.CaptionWidth + 19, r.Top + r.Height() / 2 - 4};
    return at.X + 8 < r.Right || !column->Header()->HideArrow();
}

void TStyleDisplay::PaintSortArrow(int x, int y, TSortKind kind) {
    TCanvas& c = *Canvas;
    c.Pen()->SetStyle(psSolid);
    if (Themed) {
        c.Pen()->SetColor(clGrayText);
        c.Brush()->SetStyle(bsSolid);
        c.Brush()->SetColor(clGrayText);
        if (kind == skAscending)
            c.Polygon({{x, y + 4}, {x + 4, y}, {x + 8, y + 4}});
        else
            c.Polygon({{x, y}, {x + 4, y + 4}, {x + 8, y}});
        return;
    }
    // Outlined arrow in an 8 x 7 box: shadow on the left side, highlight on the right.
    if (kind == skAscending) {
        c.Pen()->SetColor(clBtnShadow);
        c.Polyline({{x + 4, y}, {x, y + 6}, {x + 8, y + 6}});
        c.Pen()->SetColor(clBtnHighlight);
        c.Polyline({{x + 4, y}, {x + 8, y + 6}});
    } else {
        c.Pen()->SetColor(clBtnShadow);
        c.Polyline({{x + 8, y}, {x, y}, {x + 4, y + 6}});
        c.Pen()->SetColor(clBtnHighlight);
        c.Polyline({{x + 8, y}, {x + 4, y + 6}});
    }
}

void TStyleDisplay::DrawHeader(TNxCustomColumn* column, const TRect& r, bool pressed) {
    if (DrawBackground) DrawHeaderBackground(column, r, pressed);
    DrawHeaderContent(column, r, pressed);
}

void TStyleDisplay::DrawHeaderBackground(TNxCustomColumn*, const TRect&, bool) {}

void TStyleDisplay::DrawHeaderContent(TNxCustomColumn* column, const TRect& r, bool pressed) {
    TCanvas& c = *Canvas;
    TColumnHeader* header = column->Header();
    const TCaptionLayout l = LayoutCaption(column, r);
    const int shift = pressed && (Capabilities() & pcPressedLook) ? 1 : 0;
    if (l.HasGlyph) c.Draw(l.GlyphX + shift, l.GlyphY + shift, *header->Glyph());
    if (header->DisplayMode() != dmImageOnly && !header->Caption().empty()) {
        TRect tr{l.TextX + shift, r.Top + shift, r.Right, r.Bottom + shift};
        unsigned flags = DT_NOPREFIX | DT_NOCLIP | DT_END_ELLIPSIS | DT_VCENTER;
        flags |= header->MultiLine() ? DT_WORDBREAK : DT_SINGLELINE;
        if (RightToLeft) flags |= DT_RTLREADING;
        c.Brush()->SetStyle(bsClear);
        DrawText(c, header->Caption(), tr, flags);
    }
    TPoint at;
    if (SortArrowPos(column, r, at)) PaintSortArrow(at.X, at.Y, column->SortKind());
}

void TStyleDisplay::DrawFooterContent(TNxCustomColumn* column, const TRect& r) {
    TColumnFooter* footer = column->Footer();
    const WideString text = FooterText(*m_grid, column);
    if (text.empty()) return;
    TRect tr{r.Left + 2, r.Top, r.Right - 2, r.Bottom};
    unsigned flags = DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    if (footer->Alignment() == taRightJustify) flags |= DT_RIGHT;
    if (footer->Alignment() == taCenter) flags |= DT_CENTER;
    Canvas->Brush()->SetStyle(bsClear);
    DrawText(*Canvas, text, tr, flags);
}

void TStyleDisplay::DrawFooter(TNxCustomColumn* column, const TRect& r) {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(column->Footer()->Color());
    Canvas->FillRect(r);
    Canvas->Pen()->SetColor(clBtnShadow);
    Canvas->Polyline({{r.Right - 1, r.Top}, {r.Right - 1, r.Bottom}});
    DrawFooterContent(column, r);
}

void TStyleDisplay::DrawInputOutsideBackground(const TRect& r) {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->FillRect(r);
}

void TStyleDisplay::DrawIndicatorAreaBackground(const TRect& r) {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->FillRect(r);
    FrameRaised(r);
}

void TStyleDisplay::DrawIndicator(const TRect& r, bool current) {
    DrawIndicatorAreaBackground(r);
    DrawIndicatorMarks(r, current);
}

void TStyleDisplay::DrawIndicatorMarks(const TRect& r, bool current) {
    if (!current) return;
    const int x = r.Left + 3;
    const int y = r.Top + r.Height() / 2 - 4;
    Canvas->Pen()->SetColor(clBtnText);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clBtnText);
    Canvas->Polygon({{x, y}, {x + 4, y + 4}, {x, y + 8}});
}

void TStyleDisplay::DrawInput(TNxCustomColumn* column, const TRect& r) {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clWindow);
    Canvas->FillRect(r);
    Canvas->Pen()->SetColor(clBtnShadow);
    Canvas->Polyline(
        {{r.Right - 1, r.Top}, {r.Right - 1, r.Bottom - 1}, {r.Left - 1, r.Bottom - 1}});
    const WideString& text =
        column->InputValue().empty() ? column->InputCaption() : column->InputValue();
    if (text.empty()) return;
    TRect tr{r.Left + 2, r.Top, r.Right - 2, r.Bottom};
    Canvas->Brush()->SetStyle(bsClear);
    DrawText(*Canvas, text, tr, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}

void TStyleDisplay::DrawHeaderOutside(const TRect& r) {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(m_grid->Color());
    Canvas->FillRect(r);
}

// ---- flat --------------------------------------------------------------------------------

void TFlatStyleDisplay::DrawColumnHeaderBackground(TNxCustomColumn* column, const TRect& r) {
    TCanvas& c = *Canvas;
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(column->Header()->Color());
    c.FillRect(r);
    c.Pen()->SetStyle(psSolid);
    c.Pen()->SetColor(clGrayText);
    c.Polyline({{r.Right - 1, r.Top}, {r.Right - 1, r.Bottom - 1}, {r.Left - 1, r.Bottom - 1}});
}

void TFlatStyleDisplay::DrawHeaderBackground(TNxCustomColumn* column, const TRect& r, bool) {
    DrawColumnHeaderBackground(column, r);
}

void TFlatStyleDisplay::DrawInputOutsideBackground(const TRect& r) {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(m_grid->Color());
    Canvas->FillRect(r);
}

void TFlatStyleDisplay::DrawIndicatorAreaBackground(const TRect& r) {
    TCanvas& c = *Canvas;
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(clBtnFace);
    c.FillRect(r);
    c.Pen()->SetColor(clGrayText);
    c.Polyline({{r.Right - 1, r.Top}, {r.Right - 1, r.Bottom - 1}, {r.Left - 1, r.Bottom - 1}});
}

void TFlatStyleDisplay::DrawIndicator(const TRect& r, bool current) {
    DrawIndicatorAreaBackground(r);
    DrawIndicatorMarks(r, current);
}

// ---- the shared raised look ---------------------------------------------------------------

void TDefaultStyleDisplay::DrawHeaderBackground(TNxCustomColumn* column, const TRect& r,
                                                bool pressed) {
    TCanvas& c = *Canvas;
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(column->Header()->Color());
    c.FillRect(r);
    if (pressed) {
        c.Pen()->SetColor(clBtnShadow);
        c.Brush()->SetStyle(bsClear);
        c.Rectangle(r);
    } else {
        FrameRaised(r);
    }
}

void TDefaultStyleDisplay::DrawHeaderOutside(const TRect& r) {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->FillRect(r);
    FrameRaised(r);
}
