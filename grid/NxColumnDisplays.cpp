#include "grid/NxColumnDisplays.h"

#include "gfx/Canvas.h"
#include "gfx/DrawText.h"
#include "gfx/ImageList.h"
#include "grid/NxColumnClasses.h"
#include "rtl/NumberText.h"

TRect TColumnDisplay::ContentRect() const {
    return {ClientRect.Left + 2, ClientRect.Top, ClientRect.Right - 2, ClientRect.Bottom};
}

unsigned TColumnDisplay::TextFlags(bool drawing) const {
    unsigned flags = DT_NOPREFIX;
    if (m_column->BiDiMode() != 0) flags |= DT_RTLREADING;
    if (m_column->Alignment() == taRightJustify) flags |= DT_RIGHT;
    if (m_column->Alignment() == taCenter) flags |= DT_CENTER;
    if (m_column->VerticalAlignment() == taAlignBottom) flags |= DT_BOTTOM;
    if (m_column->VerticalAlignment() == taVerticalCenter) flags |= DT_VCENTER;
    if (drawing && m_column->WrapKind() == wkEllipsis) flags |= DT_END_ELLIPSIS;
    if (drawing && m_column->WrapKind() == wkPathEllipsis) flags |= DT_PATH_ELLIPSIS;
    if (m_column->WrapKind() == wkWordWrap) flags |= DT_WORDBREAK;
    if (m_column->WrapKind() != wkWordWrap && !m_column->IsMultiLine()) flags |= DT_SINGLELINE;
    return flags;
}

void TColumnDisplay::DrawTextRect(const WideString& text, TRect rect) {
    if (!Canvas || text.empty()) return;
    const unsigned flags = TextFlags(true);
    if (!(flags & DT_SINGLELINE) && m_column->VerticalAlignment() != taAlignTop) {
        // Multi-line text: the platform centres only single lines, so place the block here.
        TRect calc = rect;
        DrawText(*Canvas, text, calc, (flags | DT_CALCRECT) & ~(DT_VCENTER | DT_BOTTOM));
        const int free = rect.Height() - calc.Height();
        if (m_column->VerticalAlignment() == taAlignBottom)
            rect.Top = rect.Bottom - calc.Height();
        else // a block taller than the cell overhangs it evenly above and below
            rect.Top += int(Round(free / 2.0));
    }
    Canvas->Brush()->SetStyle(bsClear);
    DrawText(*Canvas, text, rect, flags);
}

void TColumnDisplay::DrawHintMark() {
    if (!Canvas) return;
    const TRect& r = ClientRect;
    Canvas->Pen()->SetColor(clRed);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clRed);
    Canvas->Polygon({{r.Right - 5, r.Top}, {r.Right - 1, r.Top}, {r.Right - 1, r.Top + 4}});
}

TSize TColumnDisplay::MeasureText(const WideString& text) {
    if (!Canvas) return {};
    TRect r{0, 0, std::max(1, ClientRect.Width()), 0};
    const unsigned flags = TextFlags(false) | DT_CALCRECT;
    DrawText(*Canvas, text, r, flags);
    return {r.Width(), r.Height()};
}

int TColumnDisplay::ContentWidth() {
    return MeasureText(m_column->DisplayText(Values)).cx;
}

int TTextColumnDisplay::ContentWidth() {
    return MeasureText(m_column->DisplayText(Values)).cx;
}

void TTextColumnDisplay::Paint() {
    DrawTextRect(m_column->DisplayText(Values), ContentRect());
}

int TNumberColumnDisplay::ContentWidth() {
    return MeasureText(m_column->DisplayText(Values)).cx;
}

void TNumberColumnDisplay::Paint() {
    DrawTextRect(m_column->DisplayText(Values), ContentRect());
}

int TImageColumnDisplay::ContentWidth() {
    auto* column = static_cast<TNxImageColumn*>(m_column);
    return column->Images() ? column->Images()->Width() : 0;
}

void TImageColumnDisplay::Paint() {
    auto* column = static_cast<TNxImageColumn*>(m_column);
    TImageList* images = column->Images();
    if (!Canvas || !images || Values.Int < 0 || Values.Int >= images->Count()) return;
    const TRect& r = ClientRect;
    int x = r.Left;
    int y = r.Top;
    switch (column->Alignment()) {
    case taRightJustify:
        x = r.Right - images->Width();
        break;
    case taCenter:
        x = r.Left + (r.Width() - images->Width()) / 2;
        break;
    default:
        break;
    }
    switch (column->VerticalAlignment()) {
    case taAlignBottom:
        y = r.Bottom - images->Height();
        break;
    case taVerticalCenter:
        y = r.Top + (r.Height() - images->Height()) / 2;
        break;
    default:
        break;
    }
    images->Draw(*Canvas, x, y, Values.Int, true);
}
