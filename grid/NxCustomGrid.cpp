// The grid's rows and cells, properties, and what it does when its columns change.
#include "grid/NxCustomGrid.h"

#include "grid/NxDisplays.h"
#include "rtl/Exceptions.h"
#include "rtl/Strings.h"

#include <algorithm>

TNxCustomGrid::TNxCustomGrid(TComponent* owner)
    : TNxCustomGridControl(owner), m_cells(std::make_unique<TCells>()),
      m_columns(std::make_unique<TNxColumns>(this)) {
    m_columns->DefaultOwner = owner;
    m_headerDisplays[hsAuto] = std::make_unique<TDefaultStyleDisplay>(this);
    m_headerDisplays[hsFlatBorders] = std::make_unique<TFlatStyleDisplay>(this);
    m_headerDisplays[hsOffice2007] = std::make_unique<TOffice2007StyleDisplay>(this);
    m_headerDisplays[hsOffice2010] = std::make_unique<TOffice2010StyleDisplay>(this);
    m_headerDisplays[hsOldStyle] = std::make_unique<TOldStyleDisplay>(this);
    m_headerDisplays[hsOutlook] = std::make_unique<TOutlookStyleDisplay>(this);
    m_headerDisplays[hsVista] = std::make_unique<TVistaStyleDisplay>(this);

    m_cells->SetDefaultRowHeight(m_rowSize);
    m_cells->OnCellChange = [this](TCells*, int column, int row) { CellChanged(column, row); };
    m_cells->OnCompare = [this](TCells*, TCell* a, TCell* b, int& result) {
        if (OnCompare) OnCompare(this, a, b, result);
    };
    m_cells->OnPaintedBackground = [this](int c, int r) { return PaintedBackground(c, r); };
    m_cells->OnPaintedTextColor = [this](int c, int r) { return PaintedTextColor(c, r); };
    m_cells->TemplateOf = [this](int column) { return TemplateOf(column); };
    m_cells->OnVirtualGetText = [this](int column, int row) {
        WideString text;
        TNxCustomColumn* c = m_columns->Item(column);
        if (c->OnGetText) c->OnGetText(c, row, text);
        return text;
    };
    m_cells->OnVirtualSetText = [this](int column, int row, const WideString& text) {
        TNxCustomColumn* c = m_columns->Item(column);
        if (c->OnSetText) c->OnSetText(c, row, text);
    };

    m_color = clWindow;
    m_parentColor = false;
    m_tabStop = true;
    m_width = 250;
    m_height = 150;
    m_controlStyle |= csOpaque;
    RecalcLineMargins();
}

TNxCustomGrid::~TNxCustomGrid() {
    m_edit.Release();  // the grid's own editor is a child window of the grid
    m_columns.reset(); // columns leave before the store goes
    m_cells.reset();
}

TCellTemplate TNxCustomGrid::TemplateOf(int column) {
    TNxCustomColumn* c = m_columns->Item(column);
    return {c->ValueKind(), c->Font()->Style(), c->Color()};
}

// ---- rows and cells ----------------------------------------------------------------------

TCell* TNxCustomGrid::CellObject(int column, int row) {
    return m_cells->Cell(column, row);
}

[[noreturn, gnu::cold, gnu::noinline]] static void CellOutOfBounds(int column, int row) {
    throw Exception(Format("Cell out of bounds (%d, %d)", column, row));
}

// Inline, with the throw kept apart: every cell read and write of a fill passes here.
static inline void CheckCellBounds(int column, int row, int columns, int rows) {
    if (unsigned(row) >= unsigned(rows) || unsigned(column) >= unsigned(columns))
        CellOutOfBounds(column, row);
}

WideString TNxCustomGrid::CellText(int column, int row) {
    CheckCellBounds(column, row, m_cells->ColumnCount(), RowCount());
    return m_cells->CellAt(column, row)->TextValue();
}

void TNxCustomGrid::SetCellText(int column, int row, const WideString& text) {
    CheckCellBounds(column, row, m_cells->ColumnCount(), RowCount());
    m_cells->CellAt(column, row)->SetTextValue(text);
}

int TNxCustomGrid::AddRows(int count) {
    if (count < 1) return m_lastAddedRow;
    const int oldCount = RowCount();
    m_cells->AppendRows(count);
    if (m_options.Contains(goUseDefaultValues)) {
        for (int r = oldCount; r < RowCount(); ++r)
            for (int c = 0; c < m_columns->Count(); ++c) {
                const WideString& value = m_columns->Item(c)->DefaultValue();
                if (!value.empty()) SetCellText(c, r, value);
            }
    }
    return RowsAdded(oldCount);
}

int TNxCustomGrid::AddRowsFrom(TNxCustomGrid& source, const std::vector<int>& rows) {
    if (rows.empty()) return m_lastAddedRow;
    const int oldCount = RowCount();
    m_cells->AppendRowsFrom(*source.m_cells, rows);
    return RowsAdded(oldCount);
}

int TNxCustomGrid::RowsAdded(int oldCount) {
    // Rows appended below the window change nothing on screen.
    if (!RefreshSuspended() && HandleAllocated() && oldCount - 1 < m_rowsShownEnd) {
        if (m_gridLinesStyle == lsFramed && m_options.Contains(goGrid) && RowCount() > 1 &&
            oldCount > 0)
            RedrawRow(oldCount - 1);
        RedrawRow(RowCount() - 1);
        const int top = RowTop(oldCount);
        const TRect body = BodyRect();
        if (top < body.Bottom) {
            const TRect r{body.Left, std::max(top - m_marginTop, body.Top), ClientWidth(),
                          body.Bottom};
            InvalidateRect(Handle(), &r, false);
        }
    }
    m_lastAddedRow = RowCount() - 1;
    m_navigator.RowsAppended(m_lastAddedRow);
    if (!RefreshSuspended()) m_navigator.RecalcVertScroll();
    RedrawFormulaFooters(-1);
    if (OnDataChange) OnDataChange(this, dkRowAdded, m_lastAddedRow);
    NotifyAccessible(*this, TAccessibleChange::Table);
    return m_lastAddedRow;
}

void TNxCustomGrid::ClearRows() {
    ReplaceRows([this] { m_cells->ClearRows(); });
}

int TNxCustomGrid::ReplaceRowsFrom(TNxCustomGrid& source, const std::vector<int>& rows) {
    ReplaceRows([&] { m_cells->ReplaceRowsFrom(*source.m_cells, rows); });
    return rows.empty() ? m_lastAddedRow : RowsAdded(0);
}

void TNxCustomGrid::ReplaceRows(const std::function<void()>& replace) {
    m_edit.End();
    m_navigator.RowsReset();
    replace();
    m_customHeights = false;
    m_vertScrollBar.SetPosition(0);
    HideGridHint();
    m_mouse.ForgetHoverCell();
    InvalidateBody();
    RedrawFormulaFooters(-1);
    m_navigator.RecalcHorzScroll();
    m_navigator.RecalcVertScroll();
    NotifyAccessible(*this, TAccessibleChange::Table);
}

void TNxCustomGrid::InsertRowAt(int index) {
    m_edit.End();
    index = std::clamp(index, 0, RowCount());
    m_lastAddedRow = index;
    m_cells->InsertRow(index);
    m_navigator.RowInserted(index);
    if (OnDataChange) OnDataChange(this, dkRowInserted, index);
    NotifyAccessible(*this, TAccessibleChange::Table);
}

void TNxCustomGrid::RemoveRow(int index) {
    CheckListIndex(index, RowCount());
    m_edit.End();
    TRow* row = m_cells->Row(index);
    if (row->ChildCount > 0) {
        // Children follow their parent; delete them from the last one up.
        int last = index;
        while (last + 1 < RowCount() && m_cells->Row(last + 1)->Level > row->Level) ++last;
        for (int r = last; r > index; --r) RemoveRow(r);
        row->ChildCount = 0;
    }
    if (row->Parent) --row->Parent->ChildCount;
    const bool wasVisible = row->Visible;
    m_cells->DeleteRow(index);
    m_navigator.RowRemoved(index, wasVisible);
    if (OnDataChange) OnDataChange(this, dkRowDeleted, index);
    NotifyAccessible(*this, TAccessibleChange::Table);
}

void TNxCustomGrid::MoveRowTo(int from, int to) {
    CheckListIndex(from, RowCount());
    CheckListIndex(to, RowCount());
    if (from == to) return;
    const bool visible = m_cells->Row(from)->Visible;
    m_cells->MoveRow(from, to);
    if (visible) m_navigator.FindVisibleRange();
    InvalidateBody();
}

void TNxCustomGrid::SwapRowPair(int a, int b) {
    m_cells->ExchangeRows(a, b);
    if (!RefreshSuspended()) {
        RedrawRow(a);
        RedrawRow(b);
    }
}

bool TNxCustomGrid::RowIsVisible(int row) const {
    const TRow* r = m_cells->Row(row);
    return r->Visible && r->Shown;
}

void TNxCustomGrid::SetRowIsVisible(int row, bool visible) {
    m_cells->SetRowVisible(row, visible);
    m_navigator.FindVisibleRange();
    InvalidateBody();
    m_navigator.RecalcVertScroll();
}

bool TNxCustomGrid::RowIsSelected(int row) const {
    return m_cells->Row(row)->Selected;
}

void TNxCustomGrid::SetRowIsSelected(int row, bool selected) {
    m_cells->Row(row)->Selected = selected;
    if (!RefreshSuspended()) RedrawRow(row);
}

int TNxCustomGrid::RowHeightPx(int row) const {
    return m_cells->Row(row)->Height;
}

void TNxCustomGrid::SetRowHeightPx(int row, int height) {
    m_cells->Row(row)->Height = std::max(0, height);
    if (height != m_rowSize) m_customHeights = true;
    InvalidateBody();
    m_navigator.RecalcVertScroll();
}

void TNxCustomGrid::SuspendRefresh() {
    ++m_refreshSuspended;
    m_cells->MuteChangeCallback(true); // CellChanged would ignore every call
}

void TNxCustomGrid::ResumeRefresh() {
    if (m_refreshSuspended > 0) --m_refreshSuspended;
    if (m_refreshSuspended > 0) return;
    m_cells->MuteChangeCallback(false);
    if (!HandleAllocated()) return;
    InvalidateBody();
    if (m_options.Contains(goHeader)) {
        const TRect r{0, 0, ClientWidth(), m_headerSize};
        InvalidateRect(Handle(), &r, false);
    }
    if (m_options.Contains(goIndicator)) {
        const TRect r{0, 0, IndicatorWidth(), ClientHeight()};
        InvalidateRect(Handle(), &r, false);
    }
    m_navigator.RecalcVertScroll();
}

void TNxCustomGrid::SetStartRowCount(int value) {
    if (value < 0 || value == m_startRowCount) return;
    const int old = m_startRowCount;
    m_startRowCount = value;
    if (value > old) {
        AddRows(value - old);
    } else {
        int toDelete = old - value;
        while (toDelete-- > 0 && RowCount() > value) RemoveRow(0);
    }
    Invalidate();
}

void TNxCustomGrid::CellChanged(int column, int row) {
    if (RefreshSuspended()) return;
    if (column < 0 || column >= m_columns->Count() || row < 0 || row >= RowCount()) return;
    // A row that was below the window at the last paint is off screen still, or has come into
    // view since, by a change that invalidated it: either way it needs no repaint of its own.
    // Filling a long list changes mostly such rows.
    if (row < m_rowsShownEnd) RedrawCell(column, row);
    RedrawFormulaFooters(column);
    if (OnChange) OnChange(this, column, row);
}

void TNxCustomGrid::RedrawFormulaFooters(int column) {
    if (!m_options.Contains(goFooter) || RefreshSuspended()) return;
    for (int c = 0; c < m_columns->Count(); ++c) {
        if (column >= 0 && c != column) continue;
        TNxCustomColumn* item = m_columns->Item(c);
        if (item->Footer()->FormulaKind() != fkNone) RedrawColumnPart(item, cpFooter);
    }
}

// ---- properties ---------------------------------------------------------------------------

void TNxCustomGrid::SetAppearanceOptions(TAppearanceOptions value) {
    m_appearanceOptions = value;
    RecalcLineMargins();
    Invalidate();
}

void TNxCustomGrid::SetGridCaption(const WideString& value) {
    m_caption = value;
    InvalidateBody();
}

void TNxCustomGrid::SetFixedCols(int value) {
    m_columns->SetFixedCols(value);
    m_navigator.RecalcHorzScroll();
    Invalidate();
}

void TNxCustomGrid::SetFooterSize(int value) {
    m_footerSize = std::max(0, value);
    Invalidate();
}

void TNxCustomGrid::SetGridLinesColor(TColor value) {
    m_gridLinesColor = value;
    Invalidate();
}

void TNxCustomGrid::SetGridLinesStyle(TGridLinesStyle value) {
    m_gridLinesStyle = value;
    RecalcLineMargins();
    Invalidate();
}

void TNxCustomGrid::SetHeaderSize(int value) {
    m_headerSize = std::max(0, value);
    Invalidate();
    m_navigator.RecalcVertScroll();
}

void TNxCustomGrid::SetHideScrollBar(bool value) {
    m_hideScrollBar = value;
    m_vertScrollBar.SetAutoHide(value);
}

void TNxCustomGrid::SetHighlightedTextColor(TColor value) {
    m_highlightedTextColor = value;
    Invalidate();
}

void TNxCustomGrid::SetInactiveSelectionColor(TColor value) {
    m_inactiveSelectionColor = value;
    Invalidate();
}

void TNxCustomGrid::SetInputSize(int value) {
    m_inputSize = std::max(0, value);
    Invalidate();
}

void TNxCustomGrid::SetOptions(TGridOptions value) {
    const bool indicatorChanged = value.Contains(goIndicator) != m_options.Contains(goIndicator);
    m_options = value;
    RecalcLineMargins();
    if (indicatorChanged) m_columns->Layout();
    m_navigator.RecalcHorzScroll();
    m_navigator.RecalcVertScroll();
    Invalidate();
}

void TNxCustomGrid::SetRowSize(int value) {
    m_rowSize = std::max(1, value);
    m_cells->SetDefaultRowHeight(m_rowSize);
    if (RowCount() > 0) m_customHeights = true; // existing rows keep their height
    Invalidate();
    m_navigator.RecalcVertScroll();
}

void TNxCustomGrid::SetSelectionColor(TColor value) {
    m_selectionColor = value;
    Invalidate();
}

void TNxCustomGrid::SetSortedStyle(TSortedStyle value) {
    m_sortedStyle = value;
    Invalidate();
}

void TNxCustomGrid::RecalcLineMargins() {
    m_marginLeft = m_marginTop = m_marginRight = m_marginBottom = 0;
    if (m_options.Contains(goGrid)) {
        const bool threeD = m_appearanceOptions.Contains(ao3DGridLines);
        if (m_gridLinesStyle != lsHorizontalOnly && m_gridLinesStyle != lsActiveHorzOnly) {
            m_marginRight = 1;
            if (threeD) m_marginLeft = 1;
        }
        if (m_gridLinesStyle != lsVerticalOnly) {
            m_marginBottom = 1;
            if (threeD) m_marginTop = 1;
        }
    }
    m_marginVertical = m_marginTop + m_marginBottom;
}

// ---- columns ------------------------------------------------------------------------------

int TNxCustomGrid::ColumnsClientWidth() const {
    return ClientWidth();
}

TCanvas* TNxCustomGrid::MeasureCanvas() {
    if (!m_measureBitmap) m_measureBitmap = std::make_unique<TBitmap>(1, 1);
    return m_measureBitmap->Canvas();
}

void TNxCustomGrid::ColumnsChanged(TDataChangeKind kind, int index) {
    m_cells->InvalidateTemplates();
    switch (kind) {
    case dkColumnChanged:
        // Appending is silent; a change to a column already there is reported.
        if (index < 0)
            m_cells->AddColumn(TemplateOf(m_columns->Count() - 1));
        else if (!Destroying() && OnDataChange)
            OnDataChange(this, dkColumnChanged, index);
        break;
    case dkColumnInserted:
        m_cells->InsertColumn(index, TemplateOf(index));
        m_navigator.ColumnInserted(index);
        if (!Destroying() && OnDataChange) OnDataChange(this, dkColumnInserted, index);
        break;
    case dkColumnDeleted:
        if (m_sortedColumn && m_columns->IndexOf(m_sortedColumn) < 0) m_sortedColumn = nullptr;
        m_mouse.ForgetRemovedColumns();
        if (index < 0)
            m_cells->ClearAll();
        else if (index < m_cells->ColumnCount())
            m_cells->DeleteColumn(index);
        m_navigator.ColumnsRemoved(index < 0);
        if (!Destroying() && OnDataChange) OnDataChange(this, dkColumnDeleted, index);
        break;
    default:
        break;
    }
    if (Destroying()) return;
    m_navigator.RecalcHorzScroll();
    Invalidate();
}

void TNxCustomGrid::ColumnChanged(TNxCustomColumn* column, TColumnChange change, int value) {
    if (m_cells) m_cells->InvalidateTemplates();
    if (Destroying()) return;
    const int index = column ? m_columns->IndexOf(column) : -1;
    switch (change) {
    case ccRepaint:
    case ccFont:
    case ccOptions:
        RedrawColumnPart(column, cpAll);
        break;
    case ccHeader:
        RedrawColumnPart(column, cpHeader);
        break;
    case ccWidth:
        if (!RefreshSuspended() && HandleAllocated()) {
            if (column) {
                const int h = ColumnScrollOffset(column);
                const TRect r{column->Left() - h - 1, 0, ClientWidth(), ClientHeight()};
                InvalidateRect(Handle(), &r, false);
            } else {
                Invalidate();
            }
        }
        if (column && OnColumnResize) OnColumnResize(this, index);
        m_navigator.RecalcHorzScroll();
        break;
    case ccPosition:
        if (OnColumnMove) OnColumnMove(this, index, value, column->Position());
        Invalidate();
        break;
    case ccVisible:
    case ccLayout:
        m_navigator.RecalcHorzScroll();
        Invalidate();
        break;
    case ccSorted:
        if (HandleAllocated() && m_options.Contains(goHeader)) {
            const TRect r{0, 0, ClientWidth(), m_headerSize};
            InvalidateRect(Handle(), &r, false);
        }
        if (value)
            SortByColumn(column, column->SortKind() == skAscending);
        else if (m_appearanceOptions.Contains(aoIndicateSortedColumn))
            RedrawColumnPart(column, cpBody);
        break;
    case ccSortAgain:
        SortByColumn(column, column->SortKind() == skAscending);
        break;
    }
}

// ---- sorting and editing ------------------------------------------------------------------

void TNxCustomGrid::SortByColumn(TNxCustomColumn* column, bool ascending) {
    if (!column || !column->Options().Contains(coCanSort)) return;
    const int index = m_columns->IndexOf(column);
    if (index < 0) return;
    m_edit.End();
    // The arrow leaves the header sorted before and shows on this one, also when the sort
    // comes from code rather than a header click.
    if (m_sortedColumn && m_sortedColumn != column && m_columns->IndexOf(m_sortedColumn) >= 0 &&
        m_options.Contains(goHeader))
        RedrawColumnPart(m_sortedColumn, cpHeader);
    m_sortedColumn = column;
    if (m_options.Contains(goHeader)) RedrawColumnPart(column, cpHeader);
    if (OnSortColumn) OnSortColumn(this, index, ascending);
    const int current = CurrentRow();
    const TRow* currentRow = current >= 0 && current < RowCount() ? m_cells->Row(current) : nullptr;
    // Header clicks pass the column's SortKind; other callers choose the direction.
    m_cells->SortRows(index, column->SortType(), !ascending,
                      column->Options().Contains(coFullResort));
    m_navigator.RowsReordered(currentRow);
    InvalidateBody();
    if (m_options.Contains(goIndicator) && HandleAllocated()) {
        const TRect r{0, 0, IndicatorWidth(), ClientHeight()};
        InvalidateRect(Handle(), &r, false);
    }
    if (OnAfterSort) OnAfterSort(this, index);
    NotifyAccessible(*this, TAccessibleChange::Table);
}

void TNxCustomGrid::BeginCellEdit(int column, int row, const WideString& initialText) {
    m_edit.Begin(column, row, initialText);
}

TColor TNxCustomGrid::PaintedBackground(int column, int row) {
    TNxCustomColumn* c = m_columns->Item(column);
    return m_painter.CellBackground(c, m_cells->Cell(column, row),
                                    m_painter.CellIsSelected(c, column, row));
}

TColor TNxCustomGrid::PaintedTextColor(int column, int row) {
    return m_painter.TextColor(m_columns->Item(column), column, row);
}
