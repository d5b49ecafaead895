// Geometry and painting of the grid: header, body rows, grid lines, empty area, focus
// rectangle and the caption of an empty grid.
#include "grid/NxColumnDisplays.h"
#include "grid/NxCustomGrid.h"
#include "grid/NxDisplays.h"
#include "grid/NxEditors.h"

#include "gfx/DrawText.h"
#include "rtl/NumberText.h"

#include <algorithm>
#include <cmath>

namespace {

// 10/256 black over the colour.
TColor Darken(TColor c) {
    const TColor rgb = ColorToRGB(c);
    return RGB(uint8_t(245 * GetRValue(rgb) / 256), uint8_t(245 * GetGValue(rgb) / 256),
               uint8_t(245 * GetBValue(rgb) / 256));
}

uint8_t BlendChannel(int highlight, int cell) {
    return uint8_t(Round(0.25 * highlight + 0.75 * cell));
}

TColor BlendSelection(TColor cell) {
    const TColor c = ColorToRGB(cell);
    const TColor h = ColorToRGB(clHighlight);
    return RGB(BlendChannel(GetRValue(h), GetRValue(c)), BlendChannel(GetGValue(h), GetGValue(c)),
               BlendChannel(GetBValue(h), GetBValue(c)));
}

void FillSolid(TCanvas& c, const TRect& r, TColor color) {
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(color);
    c.FillRect(r);
}

} // namespace

// ---- geometry -----------------------------------------------------------------------------

int TNxCustomGrid::ColumnScrollOffset(const TNxCustomColumn* column) const {
    if (column && column->Position() < m_columns->FixedCols()) return 0;
    return m_horzScrollBar.Position();
}

int TNxCustomGrid::ScrollingAreaLeft() const {
    return m_columns->FixedWidth() + IndicatorWidth();
}

int TNxCustomGrid::FixedColumnsRight() const {
    return ScrollingAreaLeft();
}

TRect TNxCustomGrid::HeaderRect() {
    if (!m_options.Contains(goHeader)) return {};
    const int ind = IndicatorWidth();
    return {ind, 0, m_columns->TotalWidth() + ind - m_horzScrollBar.Position(), m_headerSize};
}

int TNxCustomGrid::BodyTop() const {
    int top = m_options.Contains(goHeader) ? m_headerSize : 0;
    if (m_options.Contains(goInput)) top += m_inputSize + 6 + m_marginBottom;
    return top;
}

TRect TNxCustomGrid::BodyRect() {
    const int ind = IndicatorWidth();
    TRect r;
    r.Left = ind;
    r.Top = BodyTop();
    r.Right = std::min(ClientWidth(), m_columns->TotalWidth() + ind - m_horzScrollBar.Position());
    r.Bottom = ClientHeight();
    if (m_options.Contains(goFooter)) r.Bottom -= m_footerSize + 4 + m_marginBottom;
    return r;
}

bool TNxCustomGrid::UniformRows() const {
    return !m_customHeights && m_cells->VisibleRowCount() == m_cells->RowCount();
}

int TNxCustomGrid::RowHeightOrDefault(int row) const {
    return row >= 0 && row < RowCount() ? m_cells->Row(row)->Height : m_rowSize;
}

int TNxCustomGrid::RowTop(int row) {
    const int base = BodyTop() + m_marginTop;
    if (UniformRows()) return base + (row - m_topRow) * (m_rowSize + m_marginVertical);
    const int limit = ClientHeight() + m_rowSize;
    int y = base;
    if (row >= m_topRow) {
        // Past the bottom of the window the exact value no longer matters: stop there.
        for (int r = m_topRow; r < row && y <= limit; ++r)
            if (r >= RowCount() || RowIsVisible(r)) y += RowHeightOrDefault(r) + m_marginVertical;
    } else {
        for (int r = m_topRow - 1; r >= row && y >= -limit; --r)
            if (RowIsVisible(r)) y -= RowHeightOrDefault(r) + m_marginVertical;
    }
    return y;
}

TRect TNxCustomGrid::CellBounds(int column, int row) {
    TNxCustomColumn* c = m_columns->Item(column);
    const int left = c->Left() - ColumnScrollOffset(c);
    const int top = RowTop(row);
    return {left, top, left + c->Width(), top + RowHeightOrDefault(row)};
}

TRect TNxCustomGrid::ColumnHeaderRect(TNxCustomColumn* column) {
    const int left = column->Left() - ColumnScrollOffset(column);
    return {left, 0, left + column->Width(), m_headerSize};
}

void TNxCustomGrid::RedrawCell(int column, int row) {
    if (!HandleAllocated() || column < 0 || column >= m_columns->Count() || row < 0 ||
        row >= RowCount())
        return;
    // Most changes while a long list fills land below the window: settle that first.
    const int top = RowTop(row);
    if (top - m_marginTop >= ClientHeight() || top + RowHeightOrDefault(row) < BodyTop()) return;
    TRect r = CellBounds(column, row);
    r.Right += m_marginBottom;
    r.Bottom += m_marginBottom;
    if (r.Bottom <= BodyTop() || r.Top >= ClientHeight() || r.Right <= 0 || r.Left >= ClientWidth())
        return;
    InvalidateRect(Handle(), &r, false);
}

void TNxCustomGrid::RedrawRow(int row) {
    if (!HandleAllocated() || row < 0) return;
    const int top = RowTop(row);
    const TRect r{0, top - m_marginTop, ClientWidth(),
                  top + RowHeightOrDefault(row) + m_marginBottom};
    if (r.Bottom <= BodyTop() || r.Top >= ClientHeight()) return;
    InvalidateRect(Handle(), &r, false);
}

void TNxCustomGrid::RedrawColumnPart(TNxCustomColumn* column, TColumnPartKind part) {
    if (RefreshSuspended() || !HandleAllocated()) return;
    if (!column) {
        Invalidate();
        return;
    }
    const int left = column->Left() - ColumnScrollOffset(column);
    TRect r{left - 1, 0, left + column->Width() + 1, ClientHeight()};
    const TRect body = BodyRect();
    switch (part) {
    case cpBody:
        r.Top = body.Top;
        r.Bottom = body.Bottom;
        break;
    case cpHeader:
        r.Bottom = m_headerSize;
        break;
    case cpFooter:
        r.Top = body.Bottom;
        break;
    case cpIndicator:
        r.Left = 0;
        r.Right = IndicatorWidth();
        break;
    case cpInput:
        r.Top = m_options.Contains(goHeader) ? m_headerSize : 0;
        r.Bottom = body.Top;
        break;
    default:
        break;
    }
    InvalidateRect(Handle(), &r, false);
}

int TNxCustomGrid::FullyVisibleRowCount() {
    const TRect body = BodyRect();
    const int available = body.Height() - m_marginTop;
    if (available <= 0) return 0;
    if (UniformRows()) {
        const int fit = available / (m_rowSize + m_marginVertical);
        return std::max(0, std::min(fit, RowCount() - m_topRow));
    }
    int n = 0;
    int used = 0;
    for (int r = m_topRow; r < RowCount(); ++r) {
        if (!RowIsVisible(r)) continue;
        used += RowHeightOrDefault(r) + m_marginVertical;
        if (used > available) break;
        ++n;
    }
    return n;
}

int TNxCustomGrid::VisibleRowsBetween(int from, int to) const {
    if (to <= from) return 0;
    if (m_cells->VisibleRowCount() == RowCount()) return to - from;
    int n = 0;
    for (int r = std::max(0, from); r < to && r < RowCount(); ++r)
        if (RowIsVisible(r)) ++n;
    return n;
}

void TNxCustomGrid::RecalcHorzScroll() {
    const int max = m_columns->TotalWidth() + IndicatorWidth();
    const int page = ClientWidth() + 1;
    m_horzScrollBar.BeginUpdate();
    m_horzScrollBar.SetMax(max);
    m_horzScrollBar.SetPageSize(page);
    m_horzScrollBar.SetLargeChange(std::max(1, page - 10));
    m_horzScrollBar.SetSmallChange(5);
    if (!m_horzScrollBar.HasRange()) m_horzScrollBar.SetPosition(0);
    m_horzScrollBar.SetPosition(
        std::min(m_horzScrollBar.Position(), m_horzScrollBar.MaxScrollPos()));
    m_horzScrollBar.EndUpdate();
}

void TNxCustomGrid::RecalcVertScroll() {
    int a = m_cells->VisibleRowCount();
    if (RowCount() == 1) a = 0;
    const int b = FullyVisibleRowCount();
    m_vertScrollBar.BeginUpdate();
    m_vertScrollBar.SetSmallChange(1);
    if (b < a) {
        m_vertScrollBar.SetMax(a);
        m_vertScrollBar.SetPageSize(b + 1);
        m_vertScrollBar.SetLargeChange(b + 1);
    } else {
        m_vertScrollBar.SetMax(0);
    }
    if (b + 1 >= a) m_vertScrollBar.SetPosition(VisibleRowsBetween(0, m_topRow));
    m_vertScrollBar.EndUpdate();
}

// ---- colours ------------------------------------------------------------------------------

bool TNxCustomGrid::CellIsSelected(TNxCustomColumn* column, int col, int row) {
    if (column->Options().Contains(coDontHighlight)) return false;
    if (!Focused() && m_appearanceOptions.Contains(aoHideSelection)) return false;
    const bool edited = col == m_editColumn && row == m_editRow;
    if (m_options.Contains(goSelectFullRow)) {
        if (!m_cells->Row(row)->Selected) return false;
        const bool current = col == m_currentColumn && row == m_currentRow;
        return !((current && m_appearanceOptions.Contains(aoIndicateSelectedCell)) || edited);
    }
    return col == m_currentColumn && row == m_currentRow && !edited;
}

TColor TNxCustomGrid::CellBackground(TNxCustomColumn* column, TCell* cell, bool selected) {
    TColor color = column->ParentCellColor() ? column->Color() : cell->Color();
    if (m_appearanceOptions.Contains(aoIndicateSortedColumn) && column->Sorted())
        color = Darken(color);
    if (selected) {
        if (!Focused())
            color = m_inactiveSelectionColor;
        else if (m_appearanceOptions.Contains(aoAlphaBlendedSelection))
            color = BlendSelection(color);
        else
            color = m_selectionColor;
    }
    return color;
}

TColor TNxCustomGrid::PaintedBackground(int column, int row) {
    TNxCustomColumn* c = m_columns->Item(column);
    TCell* cell = m_cells->Cell(column, row);
    return CellBackground(c, cell, CellIsSelected(c, column, row));
}

TColor TNxCustomGrid::PaintedTextColor(int column, int row) {
    TNxCustomColumn* c = m_columns->Item(column);
    if (Focused() && CellIsSelected(c, column, row)) return m_highlightedTextColor;
    return c->Font()->Color();
}

// ---- painting -----------------------------------------------------------------------------

void TNxCustomGrid::Paint() {
    TCanvas& c = *Canvas();
    c.SaveState();
    c.IntersectClipRect(ClientRect()); // never over the border or the scroll bars
    PaintRows(c);
    PaintHeaders(c);
    const int right = m_columns->TotalWidth() + IndicatorWidth() - m_horzScrollBar.Position();
    if (right < ClientWidth()) {
        TRect strip{right, 0, ClientWidth(), ClientHeight()};
        if (m_headerStyle == hsAuto && Themed() && m_options.Contains(goHeader)) {
            TStyleDisplay* painter = HeaderDisplay();
            painter->Canvas = &c;
            painter->DrawHeaderOutside({right, 0, ClientWidth(), m_headerSize});
            strip.Top = m_headerSize;
        }
        FillSolid(c, strip, Color());
    }
    if (m_cells->VisibleRowCount() == 0) PaintCaption(c);
    c.RestoreState();
    if (OnPostDraw) OnPostDraw(this);
}

TRect TNxCustomGrid::CellClipRect(TNxCustomColumn* column, const TRect& r) {
    TRect clip{r.Left - m_marginLeft, r.Top - m_marginTop, r.Right + m_marginRight,
               r.Bottom + m_marginBottom};
    clip.Bottom = std::min(clip.Bottom, BodyRect().Bottom);
    if (column->Position() >= m_columns->FixedCols())
        clip.Left = std::max(clip.Left, ScrollingAreaLeft());
    return clip;
}

void TNxCustomGrid::PaintRows(TCanvas& c) {
    const TRect body = BodyRect();
    const TRect clipBox = c.ClipRect();
    const int clientW = ClientWidth();
    const int scrollLeft = ScrollingAreaLeft();
    const int fixedCols = m_columns->FixedCols();
    int y = body.Top + m_marginTop;
    for (int row = m_topRow; y < body.Bottom; ++row) {
        const bool inStore = row < RowCount();
        if (inStore && !RowIsVisible(row)) continue;
        const int height = inStore ? m_cells->Row(row)->Height : m_rowSize;
        const bool meetsClip =
            y + height + m_marginBottom > clipBox.Top && y - m_marginTop < clipBox.Bottom;
        if (meetsClip) {
            for (TNxCustomColumn* column : m_columns->DisplayOrder()) {
                if (!column->Visible()) continue;
                const int left = column->Left() - ColumnScrollOffset(column);
                const TRect r{left, y, left + column->Width(), y + height};
                if (r.Right <= 0 || r.Left >= clientW) continue;
                if (column->Position() >= fixedCols && r.Right <= scrollLeft) continue;
                if (r.Right + m_marginRight <= clipBox.Left ||
                    r.Left - m_marginLeft >= clipBox.Right)
                    continue;
                const int index = m_columns->IndexOf(column);
                if (inStore)
                    PaintCell(c, column, index, row, r);
                else
                    PaintEmptyCell(c, column, index, row, r);
            }
            if (m_options.Contains(goIndicator)) {
                TStyleDisplay* painter = HeaderDisplay();
                painter->Canvas = &c;
                painter->DrawIndicator({0, y, IndicatorWidth(), y + height + m_marginBottom},
                                       inStore && row == m_currentRow);
            }
        }
        y += height + m_marginVertical;
    }
    if (m_options.Contains(goSelectFullRow)) PaintFocusRect(c);
}

void TNxCustomGrid::PaintGridLines(TCanvas& c, TNxCustomColumn* column, const TRect& r,
                                   bool inStore, bool lastRow, TColor lineColor) {
    const bool framed = m_gridLinesStyle == lsFramed;
    if (m_marginBottom > 0)
        FillSolid(c, {r.Left, r.Bottom, r.Right + 1, r.Bottom + 1},
                  lastRow && framed ? clBlack : lineColor);
    if (m_marginTop > 0) FillSolid(c, {r.Left, r.Top - 1, r.Right + 1, r.Top}, clBtnHighlight);
    if (m_marginLeft > 0)
        FillSolid(c, {r.Left, r.Top - 1, r.Left + 1, r.Bottom + 1}, clBtnHighlight);
    if (m_marginRight > 0) {
        const bool black = framed && inStore && column == m_columns->LastVisible();
        FillSolid(c, {r.Right - 1, r.Top - 1, r.Right, r.Bottom + 1}, black ? clBlack : lineColor);
    }
}

void TNxCustomGrid::PaintCell(TCanvas& c, TNxCustomColumn* column, int col, int row,
                              const TRect& cellRect) {
    TCellStates flags;
    TColor lineColor = m_gridLinesColor;
    bool fill = true;
    TRect r = cellRect;
    TCell* cell = m_cells->Cell(col, row);
    const bool selected = CellIsSelected(column, col, row);
    const bool focused = Focused();
    TColor background = CellBackground(column, cell, selected);
    if (selected) {
        flags.Include(csSelected);
        if (m_appearanceOptions.Contains(aoBoldTextSelection)) flags.Include(csBoldText);
    }
    if (focused && !m_appearanceOptions.Contains(aoHideFocus)) flags.Include(csFocused);
    if (OnCellColoring) OnCellColoring(this, col, row, background, lineColor, flags);
    if (column->Sorted() && !selected) {
        if (m_sortedStyle == soDarker) background = Darken(background);
        if (m_sortedStyle == soWhite) background = 0xFFFFFF;
    }

    c.SaveState();
    c.IntersectClipRect(CellClipRect(column, r));
    if (m_options.Contains(goGrid))
        PaintGridLines(c, column, r, true, row == RowCount() - 1, lineColor);
    r.Left += m_marginLeft;
    r.Right -= m_marginRight;
    if (m_appearanceOptions.Contains(aoDontFillCells) || column->DrawingOptions() == doCustomOnly)
        fill = false;
    if (OnDrawCellBackground) OnDrawCellBackground(this, col, row, r, flags, fill);

    TColumnDisplay* painter = column->Display();
    painter->Canvas = &c;
    painter->RightToLeft = column->BiDiMode() != 0;
    painter->ClientRect = r;
    painter->HighlightedTextColor = m_highlightedTextColor;
    const TRow* rowRec = m_cells->Row(row);
    painter->Level = rowRec->Level;
    painter->Expanded = rowRec->Expanded;
    painter->ChildCount = rowRec->ChildCount;
    painter->FirstVisibleRow = row == m_firstVisibleRow;
    painter->Selected = selected;
    if (col == m_editColumn && row == m_editRow && m_editor) {
        TRect er = m_editor->BoundsRect();
        c.ExcludeClipRect({er.Left + 1, er.Top + 1, er.Right - 2, er.Bottom - 1});
    }
    if (fill) FillSolid(c, r, background);
    painter->Focused = col == m_currentColumn && row == m_currentRow;
    painter->ClientRect = {r.Left + column->Padding(), r.Top, r.Right - column->Padding(),
                           r.Bottom};

    const TDrawingOptions drawing = column->DrawingOptions();
    if ((drawing == doNormal || drawing == doCustom) && !cell->ContentHidden()) {
        c.SetFont(*column->Font());
        TColor textColor = column->Font()->Color();
        if (!Enabled())
            textColor = clGrayText;
        else if (selected && focused)
            textColor = m_highlightedTextColor;
        TCellValues& v = painter->Values;
        m_cells->Cell(col, row); // the painter's values are read at this position
        switch (column->ValueKind()) {
        case vkRowNumber:
            v.Int = row + 1;
            v.Float = row + 1;
            v.Text = IntToWideStr(row + 1);
            break;
        case vkBoolean:
            v.Bool = cell->BoolValue();
            break;
        case vkDateTime:
            v.Date = cell->DateValue();
            break;
        case vkFloat:
            v.Float = cell->FloatValue();
            break;
        case vkObject:
            v.Object = cell->ObjectReference();
            v.Text = cell->TextValue();
            break;
        case vkInteger:
            v.Int = cell->IntValue();
            break;
        default:
            v.Text = cell->TextValue();
            break;
        }
        TFontStyles style = cell->FontStyle();
        if (flags.Contains(csBoldText)) style.Include(fsBold);
        if (OnCellFormating) OnCellFormating(this, col, row, textColor, style, flags);
        if (!(style == c.Font()->Style())) c.Font()->SetStyle(style);
        c.Font()->SetColor(textColor);
        painter->Paint();
    }
    if (m_appearanceOptions.Contains(aoHintMarks)) {
        WideString hint = m_cells->Cell(col, row)->Hint();
        if (OnCellHint) OnCellHint(this, col, row, hint);
        if (!hint.empty()) {
            painter->ClientRect = r;
            painter->DrawHintMark();
        }
    }
    if (drawing != doNormal && OnCustomDrawCell) OnCustomDrawCell(this, col, row, r, flags);
    if (!m_options.Contains(goSelectFullRow) && col == m_currentColumn && row == m_currentRow)
        PaintFocusRect(c);
    c.RestoreState();
}

void TNxCustomGrid::PaintEmptyCell(TCanvas& c, TNxCustomColumn* column, int col, int row,
                                   const TRect& cellRect) {
    TColor background = Color();
    if (m_appearanceOptions.Contains(aoIndicateSortedColumn) && column->Sorted())
        background = Darken(background);
    TColor lineColor = m_gridLinesStyle == lsActiveRows || m_gridLinesStyle == lsActiveHorzOnly
                           ? background
                           : m_gridLinesColor;
    TCellStates flags{csEmpty};
    if (OnCellColoring) OnCellColoring(this, col, row, background, lineColor, flags);
    TRect r = cellRect;
    c.SaveState();
    c.IntersectClipRect(CellClipRect(column, r));
    if (m_options.Contains(goGrid)) PaintGridLines(c, column, r, false, false, lineColor);
    r.Left += m_marginLeft;
    r.Right -= m_marginRight;
    bool fill = !m_appearanceOptions.Contains(aoDontFillCells);
    if (OnDrawCellBackground) OnDrawCellBackground(this, col, row, r, flags, fill);
    if (fill) FillSolid(c, r, background);
    c.RestoreState();
}

TRect TNxCustomGrid::FocusRect() {
    if (m_currentRow < 0 || m_currentRow >= RowCount() || !m_columns->ValidIndex(m_currentColumn))
        return {};
    if (m_currentRow < m_topRow) return {};
    TRect r = CellBounds(m_currentColumn, m_currentRow);
    if (m_options.Contains(goSelectFullRow)) {
        r.Left = IndicatorWidth() - m_horzScrollBar.Position();
        r.Right = m_columns->TotalWidth() + IndicatorWidth() - m_horzScrollBar.Position();
    }
    r.Left += m_marginLeft;
    r.Right -= m_marginRight;
    return r;
}

void TNxCustomGrid::PaintFocusRect(TCanvas& c) {
    if (m_options.Contains(goInput) && Editing()) return;
    if (RowCount() < 1 || !Focused() || m_appearanceOptions.Contains(aoHideFocus)) return;
    const TRect r = FocusRect();
    if (r.IsEmpty() || IntersectRect(r, BodyRect()).IsEmpty()) return;
    TNxCustomColumn* column = m_columns->Item(m_currentColumn);
    if (!column->Visible()) return;
    c.SaveState();
    c.IntersectClipRect(CellClipRect(column, r));
    if (m_appearanceOptions.Contains(aoAlphaBlendedSelection)) {
        c.Brush()->SetStyle(bsSolid);
        c.Brush()->SetColor(clHighlight);
        c.FrameRect(r);
    } else {
        c.DrawFocusRect(r);
    }
    c.RestoreState();
}

void TNxCustomGrid::PaintHeaders(TCanvas& c) {
    TStyleDisplay* painter = HeaderDisplay();
    painter->Canvas = &c;
    painter->Themed = Themed();
    painter->RightToLeft = false;
    const int clientW = ClientWidth();
    const int scrollLeft = ScrollingAreaLeft();
    const TRect body = BodyRect();
    for (TNxCustomColumn* column : m_columns->DisplayOrder()) {
        if (!column->Visible()) continue;
        const bool fixed = column->Position() < m_columns->FixedCols();
        const TRect hr = ColumnHeaderRect(column);
        if (!fixed && hr.Right <= scrollLeft) continue;
        if (hr.Left >= clientW) break;
        c.SaveState();
        if (!fixed) c.IntersectClipRect({scrollLeft, 0, clientW, ClientHeight()});
        c.SetFont(*Font());
        if (m_options.Contains(goHeader)) {
            if (c.IsVisible(hr)) painter->DrawHeader(column, hr, column == m_pressedHeader);
        }
        if (m_options.Contains(goInput)) {
            const int top = m_options.Contains(goHeader) ? m_headerSize : 0;
            painter->DrawInput(column, {hr.Left, top, hr.Right, body.Top});
        }
        if (m_options.Contains(goFooter))
            painter->DrawFooter(column, {hr.Left, body.Bottom, hr.Right, ClientHeight()});
        c.RestoreState();
    }
    const int right = m_columns->TotalWidth() + IndicatorWidth() - m_horzScrollBar.Position();
    if (right < clientW) {
        if (m_options.Contains(goInput)) {
            const int top = m_options.Contains(goHeader) ? m_headerSize : 0;
            painter->DrawInputOutsideBackground({right, top, clientW, body.Top});
        }
        if (m_options.Contains(goFooter))
            painter->DrawInputOutsideBackground({right, body.Bottom, clientW, ClientHeight()});
    }
    if (m_dragging && m_dropPosition >= 0 && m_options.Contains(goHeader)) PaintDropMarks(c);
    if (m_options.Contains(goIndicator)) {
        const int ind = IndicatorWidth();
        if (m_options.Contains(goHeader))
            painter->DrawIndicatorAreaBackground({0, 0, ind, m_headerSize});
        if (m_options.Contains(goInput))
            painter->DrawIndicatorAreaBackground(
                {0, m_options.Contains(goHeader) ? m_headerSize : 0, ind, body.Top});
        if (m_options.Contains(goFooter))
            painter->DrawIndicatorAreaBackground({0, body.Bottom, ind, ClientHeight()});
    }
}

// Two small arrows, at the top and the bottom of the header, where a dragged column would land.
void TNxCustomGrid::PaintDropMarks(TCanvas& c) {
    const auto& order = m_columns->DisplayOrder();
    if (!m_dragColumn || order.empty()) return;
    // The drop place counts the columns without the dragged one.
    std::vector<TNxCustomColumn*> rest;
    for (TNxCustomColumn* column : order)
        if (column != m_dragColumn) rest.push_back(column);
    int x = IndicatorWidth() - m_horzScrollBar.Position();
    for (size_t i = 0; i < rest.size() && int(i) < m_dropPosition; ++i)
        if (rest[i]->Visible())
            x = rest[i]->Left() - ColumnScrollOffset(rest[i]) + rest[i]->Width();
    if (m_dropPosition < int(rest.size()) && rest[size_t(m_dropPosition)]->Visible())
        x = rest[size_t(m_dropPosition)]->Left() - ColumnScrollOffset(rest[size_t(m_dropPosition)]);
    c.Pen()->SetStyle(psSolid);
    c.Pen()->SetColor(clRed);
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(clRed);
    c.Polygon({{x - 4, 0}, {x + 4, 0}, {x, 4}});
    c.Polygon({{x - 4, m_headerSize - 1}, {x + 4, m_headerSize - 1}, {x, m_headerSize - 5}});
}

void TNxCustomGrid::PaintCaption(TCanvas& c) {
    if (m_caption.empty()) return;
    const TRect body = BodyRect();
    const int h = m_horzScrollBar.Position();
    c.SetFont(*Font());
    if (!Enabled()) c.Font()->SetColor(clGrayText);
    const int textHeight = c.TextHeight(m_caption);
    TRect r{body.Left - h, body.Top + 4, ClientWidth() - h, body.Top + 4 + textHeight};
    c.Brush()->SetStyle(bsClear);
    DrawText(c, m_caption, r, DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}
