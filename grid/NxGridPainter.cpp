#include "grid/NxGridPainter.h"

#include "gfx/DrawText.h"
#include "grid/NxColumnDisplays.h"
#include "grid/NxCustomGrid.h"
#include "grid/NxDisplays.h"
#include "grid/NxEditController.h"
#include "grid/NxEditors.h"
#include "rtl/NumberText.h"

#include <algorithm>
#include <vector>

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

// A quarter of the highlight colour over the cell's.
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

// ---- colours ------------------------------------------------------------------------------

bool TNxGridPainter::CellIsSelected(const TNxCustomColumn* column, int col, int row) const {
    const TNxCustomGrid& g = m_grid;
    if (column->Options().Contains(coDontHighlight)) return false;
    if (!g.Focused() && g.AppearanceOptions().Contains(aoHideSelection)) return false;
    const bool edited = g.EditController().IsEdited(col, row);
    const bool current = col == g.CurrentColumn() && row == g.CurrentRow();
    if (g.Options().Contains(goSelectFullRow)) {
        if (!g.Cells()->Row(row)->Selected) return false;
        return !((current && g.AppearanceOptions().Contains(aoIndicateSelectedCell)) || edited);
    }
    return current && !edited;
}

TColor TNxGridPainter::CellBackground(const TNxCustomColumn* column, const TCell* cell,
                                      bool selected) const {
    const TNxCustomGrid& g = m_grid;
    TColor color = column->ParentCellColor() ? column->Color() : cell->Color();
    if (g.AppearanceOptions().Contains(aoIndicateSortedColumn) && column->Sorted())
        color = Darken(color);
    if (selected) {
        if (!g.Focused())
            color = g.InactiveSelectionColor();
        else if (g.AppearanceOptions().Contains(aoAlphaBlendedSelection))
            color = BlendSelection(color);
        else
            color = g.SelectionColor();
    }
    return color;
}

TColor TNxGridPainter::TextColor(const TNxCustomColumn* column, int col, int row) const {
    if (m_grid.Focused() && CellIsSelected(column, col, row)) return m_grid.HighlightedTextColor();
    return column->Font()->Color();
}

// ---- the client area ----------------------------------------------------------------------

void TNxGridPainter::Paint(TCanvas& c) {
    TCanvasStateGuard state(c);
    c.IntersectClipRect(m_grid.ClientRect()); // never over the border or the scroll bars
    PaintRows(c);
    PaintHeaders(c);
    PaintRightStrip(c);
    if (m_grid.Cells()->VisibleRowCount() == 0) PaintCaption(c);
}

// Right of the last column: the grid colour, under a themed header strip for hsAuto.
void TNxGridPainter::PaintRightStrip(TCanvas& c) {
    TNxCustomGrid& g = m_grid;
    const int clientWidth = g.ClientWidth();
    const int right =
        g.Columns()->TotalWidth() + g.IndicatorWidth() - g.HorzScrollBar()->Position();
    if (right >= clientWidth) return;
    TRect strip{right, 0, clientWidth, g.ClientHeight()};
    if (g.HeaderStyle() == hsAuto && g.Themed() && g.Options().Contains(goHeader)) {
        TStyleDisplay* painter = g.HeaderDisplay();
        painter->Canvas = &c;
        painter->DrawHeaderOutside({right, 0, clientWidth, g.HeaderSize()});
        strip.Top = g.HeaderSize();
    }
    FillSolid(c, strip, g.Color());
}

TRect TNxGridPainter::CellClipRect(const TNxCustomColumn* column, const TRect& r) const {
    const TNxCustomGrid& g = m_grid;
    TRect clip{r.Left - g.LineMarginLeft(), r.Top - g.LineMarginTop(),
               r.Right + g.LineMarginRight(), r.Bottom + g.LineMarginBottom()};
    clip.Bottom = std::min(clip.Bottom, g.BodyRect().Bottom);
    if (column->Position() >= g.Columns()->FixedCols())
        clip.Left = std::max(clip.Left, g.ScrollingAreaLeft());
    return clip;
}

void TNxGridPainter::PaintRows(TCanvas& c) {
    TNxCustomGrid& g = m_grid;
    TNxColumns& columns = *g.Columns();
    const TRect body = g.BodyRect();
    const TRect clipBox = c.ClipRect();
    const int clientW = g.ClientWidth();
    const int scrollLeft = g.ScrollingAreaLeft();
    const int fixedCols = columns.FixedCols();
    const int marginTop = g.LineMarginTop();
    const int marginBottom = g.LineMarginBottom();
    const int marginLeft = g.LineMarginLeft();
    const int marginRight = g.LineMarginRight();
    const int marginVertical = marginTop + marginBottom;
    int y = body.Top + marginTop;
    int row = g.TopRow();
    for (; y < body.Bottom; ++row) {
        const bool inStore = row < g.RowCount();
        if (inStore && !g.RowIsVisible(row)) continue;
        const int height = inStore ? g.Cells()->Row(row)->Height : g.RowSize();
        const bool meetsClip =
            y + height + marginBottom > clipBox.Top && y - marginTop < clipBox.Bottom;
        if (meetsClip) {
            for (TNxCustomColumn* column : columns.DisplayOrder()) {
                if (!column->Visible()) continue;
                const int left = column->Left() - g.ColumnScrollOffset(column);
                const TRect r{left, y, left + column->Width(), y + height};
                if (r.Right <= 0 || r.Left >= clientW) continue;
                if (column->Position() >= fixedCols && r.Right <= scrollLeft) continue;
                if (r.Right + marginRight <= clipBox.Left || r.Left - marginLeft >= clipBox.Right)
                    continue;
                const int index = columns.IndexOf(column);
                if (inStore)
                    PaintCell(c, column, index, row, r);
                else
                    PaintEmptyCell(c, column, index, row, r);
            }
            if (g.Options().Contains(goIndicator)) {
                TStyleDisplay* painter = g.HeaderDisplay();
                painter->Canvas = &c;
                painter->DrawIndicator({0, y, g.IndicatorWidth(), y + height + marginBottom},
                                       inStore && row == g.CurrentRow());
            }
        }
        y += height + marginVertical;
    }
    g.m_rowsShownEnd = row;
    if (g.Options().Contains(goSelectFullRow)) PaintFocusRect(c);
}

// A line from p to q covers p up to but not including q.
void TNxGridPainter::PaintGridLines(TCanvas& c, TNxCustomColumn* column, const TRect& r,
                                    bool inStore, bool lastRow, TColor lineColor) {
    const TNxCustomGrid& g = m_grid;
    const bool framed = g.GridLinesStyle() == lsFramed;
    if (g.LineMarginBottom() > 0)
        FillSolid(c, {r.Left, r.Bottom, r.Right + 1, r.Bottom + 1},
                  lastRow && framed ? clBlack : lineColor);
    if (g.LineMarginTop() > 0)
        FillSolid(c, {r.Left, r.Top - 1, r.Right + 1, r.Top}, clBtnHighlight);
    if (g.LineMarginLeft() > 0)
        FillSolid(c, {r.Left, r.Top - 1, r.Left + 1, r.Bottom + 1}, clBtnHighlight);
    if (g.LineMarginRight() > 0) {
        const bool black = framed && inStore && column == g.Columns()->LastVisible();
        FillSolid(c, {r.Right - 1, r.Top - 1, r.Right, r.Bottom + 1}, black ? clBlack : lineColor);
    }
}

void TNxGridPainter::PaintCell(TCanvas& c, TNxCustomColumn* column, int col, int row,
                               const TRect& cellRect) {
    TNxCustomGrid& g = m_grid;
    const TAppearanceOptions appearance = g.AppearanceOptions();
    TCellStates flags;
    TColor lineColor = g.GridLinesColor();
    bool fill = true;
    TRect r = cellRect;
    TCell* cell = g.Cells()->Cell(col, row);
    const bool selected = CellIsSelected(column, col, row);
    const bool focused = g.Focused();
    TColor background = CellBackground(column, cell, selected);
    TCanvasStateGuard state(c);
    // From here on the column's font: the colouring, background and custom-draw handlers
    // measure and draw with it.
    c.SetFont(*column->Font());
    if (selected) {
        flags.Include(csSelected);
        if (appearance.Contains(aoBoldTextSelection)) flags.Include(csBoldText);
    }
    if (focused && !appearance.Contains(aoHideFocus)) flags.Include(csFocused);
    if (g.OnCellColoring) g.OnCellColoring(&g, col, row, background, lineColor, flags);
    if (column->Sorted() && !selected) {
        if (g.SortedStyle() == soDarker) background = Darken(background);
        if (g.SortedStyle() == soWhite) background = 0xFFFFFF;
    }

    c.IntersectClipRect(CellClipRect(column, r));
    if (g.Options().Contains(goGrid))
        PaintGridLines(c, column, r, true, row == g.RowCount() - 1, lineColor);
    r.Left += g.LineMarginLeft();
    r.Right -= g.LineMarginRight();
    if (appearance.Contains(aoDontFillCells) || column->DrawingOptions() == doCustomOnly)
        fill = false;
    if (g.OnDrawCellBackground) g.OnDrawCellBackground(&g, col, row, r, flags, fill);

    TColumnDisplay* painter = column->Display();
    painter->Canvas = &c;
    painter->RightToLeft = column->BiDiMode() != 0;
    painter->ClientRect = r;
    painter->HighlightedTextColor = g.HighlightedTextColor();
    const TRow* rowRec = g.Cells()->Row(row);
    painter->Level = rowRec->Level;
    painter->Expanded = rowRec->Expanded;
    painter->ChildCount = rowRec->ChildCount;
    painter->FirstVisibleRow = row == g.FirstVisibleRow();
    painter->Selected = selected;
    const TNxEditController& edit = g.EditController();
    if (edit.IsEdited(col, row) && edit.Editor()) {
        TRect er = edit.Editor()->BoundsRect();
        c.ExcludeClipRect({er.Left + 1, er.Top + 1, er.Right - 2, er.Bottom - 1});
    }
    if (fill) FillSolid(c, r, background);
    painter->Focused = col == g.CurrentColumn() && row == g.CurrentRow();
    painter->ClientRect = {r.Left + column->Padding(), r.Top, r.Right - column->Padding(),
                           r.Bottom};

    const TDrawingOptions drawing = column->DrawingOptions();
    if ((drawing == doNormal || drawing == doCustom) && !cell->ContentHidden()) {
        c.SetFont(*column->Font());
        TColor textColor = column->Font()->Color();
        if (!g.Enabled())
            textColor = clGrayText;
        else if (selected && focused)
            textColor = g.HighlightedTextColor();
        TCellValues& v = painter->Values;
        g.Cells()->Cell(col, row); // the painter's values are read at this position
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
        if (g.OnCellFormating) g.OnCellFormating(&g, col, row, textColor, style, flags);
        if (!(style == c.Font()->Style())) c.Font()->SetStyle(style);
        c.Font()->SetColor(textColor);
        painter->Paint();
    }
    if (appearance.Contains(aoHintMarks)) {
        WideString hint = g.Cells()->Cell(col, row)->Hint();
        if (g.OnCellHint) g.OnCellHint(&g, col, row, hint);
        if (!hint.empty()) {
            painter->ClientRect = r;
            painter->DrawHintMark();
        }
    }
    if (drawing != doNormal && g.OnCustomDrawCell) g.OnCustomDrawCell(&g, col, row, r, flags);
    if (!g.Options().Contains(goSelectFullRow) && col == g.CurrentColumn() && row == g.CurrentRow())
        PaintFocusRect(c);
}

// Below the last row: the grid colour; under lsActiveRows and lsActiveHorzOnly the lines take
// the background colour and vanish.
void TNxGridPainter::PaintEmptyCell(TCanvas& c, TNxCustomColumn* column, int col, int row,
                                    const TRect& cellRect) {
    TNxCustomGrid& g = m_grid;
    TColor background = g.Color();
    if (g.AppearanceOptions().Contains(aoIndicateSortedColumn) && column->Sorted())
        background = Darken(background);
    const TGridLinesStyle style = g.GridLinesStyle();
    TColor lineColor =
        style == lsActiveRows || style == lsActiveHorzOnly ? background : g.GridLinesColor();
    TCellStates flags{csEmpty};
    if (g.OnCellColoring) g.OnCellColoring(&g, col, row, background, lineColor, flags);
    TRect r = cellRect;
    TCanvasStateGuard state(c);
    c.IntersectClipRect(CellClipRect(column, r));
    if (g.Options().Contains(goGrid)) PaintGridLines(c, column, r, false, false, lineColor);
    r.Left += g.LineMarginLeft();
    r.Right -= g.LineMarginRight();
    bool fill = !g.AppearanceOptions().Contains(aoDontFillCells);
    if (g.OnDrawCellBackground) g.OnDrawCellBackground(&g, col, row, r, flags, fill);
    if (fill) FillSolid(c, r, background);
}

TRect TNxGridPainter::FocusRect() const {
    const TNxCustomGrid& g = m_grid;
    const int currentRow = g.CurrentRow();
    if (currentRow < 0 || currentRow >= g.RowCount() || !g.Columns()->ValidIndex(g.CurrentColumn()))
        return {};
    if (currentRow < g.TopRow()) return {};
    TRect r = g.CellBounds(g.CurrentColumn(), currentRow);
    if (g.Options().Contains(goSelectFullRow)) {
        const int h = g.HorzScrollBar()->Position();
        r.Left = g.IndicatorWidth() - h;
        r.Right = g.Columns()->TotalWidth() + g.IndicatorWidth() - h;
    }
    r.Left += g.LineMarginLeft();
    r.Right -= g.LineMarginRight();
    return r;
}

// The dotted rectangle inverts what is under it; with aoAlphaBlendedSelection a solid frame.
void TNxGridPainter::PaintFocusRect(TCanvas& c) {
    const TNxCustomGrid& g = m_grid;
    if (g.Options().Contains(goInput) && g.EditController().Editing()) return;
    if (g.RowCount() < 1 || !g.Focused() || g.AppearanceOptions().Contains(aoHideFocus)) return;
    const TRect r = FocusRect();
    if (r.IsEmpty() || IntersectRect(r, g.BodyRect()).IsEmpty()) return;
    TNxCustomColumn* column = g.Columns()->Item(g.CurrentColumn());
    if (!column->Visible()) return;
    TCanvasStateGuard state(c);
    c.IntersectClipRect(CellClipRect(column, r));
    if (g.AppearanceOptions().Contains(aoAlphaBlendedSelection)) {
        c.Brush()->SetStyle(bsSolid);
        c.Brush()->SetColor(clHighlight);
        c.FrameRect(r);
    } else {
        c.DrawFocusRect(r);
    }
}

// Headers use the grid font, not the column font.
void TNxGridPainter::PaintHeaders(TCanvas& c) {
    TNxCustomGrid& g = m_grid;
    const TGridOptions options = g.Options();
    TStyleDisplay* painter = g.HeaderDisplay();
    painter->Canvas = &c;
    painter->Themed = g.Themed();
    painter->RightToLeft = false;
    const int clientW = g.ClientWidth();
    const int clientH = g.ClientHeight();
    const int scrollLeft = g.ScrollingAreaLeft();
    const TRect body = g.BodyRect();
    const int inputTop = options.Contains(goHeader) ? g.HeaderSize() : 0;
    TNxCustomColumn* pressed = g.Mouse().PressedHeader();
    for (TNxCustomColumn* column : g.Columns()->DisplayOrder()) {
        if (!column->Visible()) continue;
        const bool fixed = column->Position() < g.Columns()->FixedCols();
        const TRect hr = g.ColumnHeaderRect(column);
        if (!fixed && hr.Right <= scrollLeft) continue;
        if (hr.Left >= clientW) break;
        TCanvasStateGuard state(c);
        if (!fixed) c.IntersectClipRect({scrollLeft, 0, clientW, clientH});
        c.SetFont(*g.Font());
        if (options.Contains(goHeader)) {
            if (c.IsVisible(hr)) painter->DrawHeader(column, hr, column == pressed);
        }
        if (options.Contains(goInput))
            painter->DrawInput(column, {hr.Left, inputTop, hr.Right, body.Top});
        if (options.Contains(goFooter))
            painter->DrawFooter(column, {hr.Left, body.Bottom, hr.Right, clientH});
    }
    const int right =
        g.Columns()->TotalWidth() + g.IndicatorWidth() - g.HorzScrollBar()->Position();
    if (right < clientW) {
        if (options.Contains(goInput))
            painter->DrawInputOutsideBackground({right, inputTop, clientW, body.Top});
        if (options.Contains(goFooter))
            painter->DrawInputOutsideBackground({right, body.Bottom, clientW, clientH});
    }
    if (g.Mouse().Dragging() && g.Mouse().DropPosition() >= 0 && options.Contains(goHeader))
        PaintDropMarks(c);
    if (options.Contains(goIndicator)) {
        const int ind = g.IndicatorWidth();
        if (options.Contains(goHeader))
            painter->DrawIndicatorAreaBackground({0, 0, ind, g.HeaderSize()});
        if (options.Contains(goInput))
            painter->DrawIndicatorAreaBackground({0, inputTop, ind, body.Top});
        if (options.Contains(goFooter))
            painter->DrawIndicatorAreaBackground({0, body.Bottom, ind, clientH});
    }
}

// Two small arrows, at the top and the bottom of the header, where a dragged column would land.
void TNxGridPainter::PaintDropMarks(TCanvas& c) {
    const TNxCustomGrid& g = m_grid;
    const auto& order = g.Columns()->DisplayOrder();
    const TNxCustomColumn* dragged = g.Mouse().DraggedColumn();
    const int drop = g.Mouse().DropPosition();
    if (!dragged || order.empty()) return;
    // The drop place counts the columns without the dragged one.
    std::vector<TNxCustomColumn*> rest;
    for (TNxCustomColumn* column : order)
        if (column != dragged) rest.push_back(column);
    int x = g.IndicatorWidth() - g.HorzScrollBar()->Position();
    for (size_t i = 0; i < rest.size() && int(i) < drop; ++i)
        if (rest[i]->Visible())
            x = rest[i]->Left() - g.ColumnScrollOffset(rest[i]) + rest[i]->Width();
    if (drop < int(rest.size()) && rest[size_t(drop)]->Visible())
        x = rest[size_t(drop)]->Left() - g.ColumnScrollOffset(rest[size_t(drop)]);
    const int headerSize = g.HeaderSize();
    c.Pen()->SetStyle(psSolid);
    c.Pen()->SetColor(clRed);
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(clRed);
    c.Polygon({{x - 4, 0}, {x + 4, 0}, {x, 4}});
    c.Polygon({{x - 4, headerSize - 1}, {x + 4, headerSize - 1}, {x, headerSize - 5}});
}

void TNxGridPainter::PaintCaption(TCanvas& c) {
    const TNxCustomGrid& g = m_grid;
    const WideString& caption = g.GridCaption();
    if (caption.empty()) return;
    const TRect body = g.BodyRect();
    const int h = g.HorzScrollBar()->Position();
    c.SetFont(*g.Font());
    if (!g.Enabled()) c.Font()->SetColor(clGrayText);
    const int textHeight = c.TextHeight(caption);
    TRect r{body.Left - h, body.Top + 4, g.ClientWidth() - h, body.Top + 4 + textHeight};
    c.Brush()->SetStyle(bsClear);
    DrawText(c, caption, r, DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}
