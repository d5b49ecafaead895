// The grid as a screen reader sees it: a table of the visible columns in display order, with
// the header captions as column headers and the current row selected.
#include "grid/NxCustomGrid.h"

#include "grid/NxColumnClasses.h"

namespace {
// The header says its caption; a column drawn with a picture alone is named after itself.
WideString HeaderText(const TNxCustomColumn& column) {
    const WideString& caption = column.Header()->Caption();
    if (!caption.empty()) return caption;
    return AnsiToWide(column.Name());
}

// The columns a screen reader reads: the visible ones, in display order.
std::vector<TNxCustomColumn*> Shown(const TNxColumns& columns) {
    std::vector<TNxCustomColumn*> shown;
    for (TNxCustomColumn* c : columns.DisplayOrder())
        if (c->Visible()) shown.push_back(c);
    return shown;
}
} // namespace

void TNxCustomGrid::DescribeAccessible(TAccessibleInfo& info) const {
    TNxCustomGridControl::DescribeAccessible(info);
    info.Role = TAccessibleRole::Table;
    info.Name = WideToAnsi(m_caption);
    info.Children.clear(); // the cells, made by the bridge from the table
    if (m_enabled) info.States |= asFocusable;
    info.Table = const_cast<TNxCustomGrid*>(this);
}

int TNxCustomGrid::AccessibleRowCount() const {
    return RowCount();
}

int TNxCustomGrid::AccessibleColumnCount() const {
    return int(Shown(*m_columns).size());
}

WideString TNxCustomGrid::AccessibleColumnHeader(int column) const {
    const std::vector<TNxCustomColumn*> shown = Shown(*m_columns);
    if (column < 0 || column >= int(shown.size())) return {};
    return HeaderText(*shown[size_t(column)]);
}

TRect TNxCustomGrid::AccessibleHeaderBounds(int column) const {
    const std::vector<TNxCustomColumn*> shown = Shown(*m_columns);
    if (column < 0 || column >= int(shown.size()) || !m_options.Contains(goHeader)) return {};
    TRect r = ColumnHeaderRect(shown[size_t(column)]);
    const TPoint origin = ClientToScreen({0, 0});
    return OffsetRect(r, origin.X, origin.Y);
}

WideString TNxCustomGrid::AccessibleCellText(int column, int row) const {
    const std::vector<TNxCustomColumn*> shown = Shown(*m_columns);
    if (column < 0 || column >= int(shown.size()) || row < 0 || row >= RowCount()) return {};
    TNxCustomColumn* c = shown[size_t(column)];
    const int index = m_columns->IndexOf(c);
    TCell* cell = m_cells->CellAt(index, row);
    TCellValues v;
    v.Text = cell->TextValue();
    v.Int = c->ValueKind() == vkInteger ? cell->IntValue() : 0;
    v.Float = c->ValueKind() == vkFloat ? cell->FloatValue() : 0;
    WideString text = c->DisplayText(v);
    // A picture has no text: its hint says what it shows.
    if (dynamic_cast<const TNxImageColumn*>(c)) text = cell->Hint();
    if (OnCellAccessibleText)
        OnCellAccessibleText(const_cast<TNxCustomGrid*>(this), index, row, text);
    return text;
}

TRect TNxCustomGrid::AccessibleCellBounds(int column, int row) const {
    const std::vector<TNxCustomColumn*> shown = Shown(*m_columns);
    if (column < 0 || column >= int(shown.size()) || row < 0 || row >= RowCount()) return {};
    const int index = m_columns->IndexOf(shown[size_t(column)]);
    TRect r = CellBounds(index, row);
    const TRect body = BodyRect();
    if (!RowIsVisible(row) || r.Bottom <= body.Top || r.Top >= body.Bottom) return {};
    const TPoint origin = ClientToScreen({0, 0});
    return OffsetRect(r, origin.X, origin.Y);
}

int TNxCustomGrid::AccessibleSelectedRow() const {
    const int row = CurrentRow();
    return row >= 0 && row < RowCount() ? row : -1;
}

void TNxCustomGrid::AccessibleSelectRow(int row) {
    if (row < 0 || row >= RowCount()) return;
    const int column = m_columns->ValidIndex(CurrentColumn()) ? CurrentColumn() : 0;
    SelectCell(column, row);
}

void TNxCustomGrid::AccessibleSortByColumn(int column) {
    const std::vector<TNxCustomColumn*> shown = Shown(*m_columns);
    if (column < 0 || column >= int(shown.size())) return;
    TNxCustomColumn* c = shown[size_t(column)];
    SortColumnAs(c, !(c->Sorted() && c->SortKind() == skAscending));
}

void TNxCustomGrid::SortColumnAs(TNxCustomColumn* column, bool ascending) {
    if (!column || !column->Options().Contains(coCanSort)) return;
    const TSortKind kind = ascending ? skAscending : skDescending;
    if (column->Sorted()) {
        if (column->SortKind() != kind) column->SetSortKind(kind);
        return;
    }
    column->SetSortKind(kind);
    column->SetSorted(true);
}
