// A spin box's value and range, and the grid's table: rows, columns, headers, cells and the
// current row.
#include "atkbridge/BridgeObjects.h"
#include "atkbridge/ControlInterfaces.h"

#include "ui/Control.h"

namespace {

// --- AtkValue ---

void GetValueAndText(AtkValue* v, gdouble* value, gchar** text) {
    const TAccessibleInfo info = InfoOf(v);
    if (value) *value = info.Value;
    if (text) *text = nullptr;
}

AtkRange* GetRange(AtkValue* v) {
    const TAccessibleInfo info = InfoOf(v);
    return atk_range_new(info.MinValue, info.MaxValue, nullptr);
}

gdouble GetIncrement(AtkValue* v) {
    return InfoOf(v).Increment;
}

void SetValue(AtkValue* v, gdouble value) {
    const TAccessibleInfo info = InfoOf(v);
    if (info.SetValue && (info.States & asEnabled)) info.SetValue(value);
}

void SetGValue(GValue* to, double value) {
    g_value_init(to, G_TYPE_DOUBLE);
    g_value_set_double(to, value);
}

void GetCurrentValue(AtkValue* v, GValue* value) {
    SetGValue(value, InfoOf(v).Value);
}
void GetMinimumValue(AtkValue* v, GValue* value) {
    SetGValue(value, InfoOf(v).MinValue);
}
void GetMaximumValue(AtkValue* v, GValue* value) {
    SetGValue(value, InfoOf(v).MaxValue);
}
void GetMinimumIncrement(AtkValue* v, GValue* value) {
    SetGValue(value, InfoOf(v).Increment);
}
gboolean SetCurrentValue(AtkValue* v, const GValue* value) {
    if (!G_VALUE_HOLDS_DOUBLE(value)) return FALSE;
    SetValue(v, g_value_get_double(value));
    return TRUE;
}

// --- AtkTable ---

TAccessibleTable* TableOf(gpointer object) {
    return InfoOf(object).Table;
}

AtkObject* RefAt(AtkTable* t, gint row, gint column) {
    TAccessibleTable* table = TableOf(t);
    if (!table || row < 0 || row >= table->AccessibleRowCount() || column < 0 ||
        column >= table->AccessibleColumnCount())
        return nullptr;
    AtkObject* cell = TableCellObject(ATK_OBJECT(t), row, column);
    return cell ? ATK_OBJECT(g_object_ref(cell)) : nullptr;
}

gint GetIndexAt(AtkTable* t, gint row, gint column) {
    TAccessibleTable* table = TableOf(t);
    if (!table) return -1;
    return (row + 1) * table->AccessibleColumnCount() + column;
}

gint GetColumnAtIndex(AtkTable* t, gint index) {
    TAccessibleTable* table = TableOf(t);
    const int columns = table ? table->AccessibleColumnCount() : 0;
    return columns ? index % columns : -1;
}

gint GetRowAtIndex(AtkTable* t, gint index) {
    TAccessibleTable* table = TableOf(t);
    const int columns = table ? table->AccessibleColumnCount() : 0;
    return columns ? index / columns - 1 : -1;
}

gint GetNColumns(AtkTable* t) {
    TAccessibleTable* table = TableOf(t);
    return table ? table->AccessibleColumnCount() : 0;
}

gint GetNRows(AtkTable* t) {
    TAccessibleTable* table = TableOf(t);
    return table ? table->AccessibleRowCount() : 0;
}

gint One(AtkTable*, gint, gint) {
    return 1;
}

const gchar* GetColumnDescription(AtkTable* t, gint column) {
    TAccessibleTable* table = TableOf(t);
    if (!table) return nullptr;
    return KeptString(t, "column", column, WideToAnsi(table->AccessibleColumnHeader(column)));
}

AtkObject* GetColumnHeader(AtkTable* t, gint column) {
    TAccessibleTable* table = TableOf(t);
    if (!table || column < 0 || column >= table->AccessibleColumnCount()) return nullptr;
    return TableCellObject(ATK_OBJECT(t), -1, column); // not a new reference
}

gint GetSelectedRows(AtkTable* t, gint** selected) {
    TAccessibleTable* table = TableOf(t);
    const int row = table ? table->AccessibleSelectedRow() : -1;
    if (row < 0) {
        if (selected) *selected = nullptr;
        return 0;
    }
    if (selected) {
        *selected = g_new(gint, 1);
        (*selected)[0] = row;
    }
    return 1;
}

gboolean IsRowSelected(AtkTable* t, gint row) {
    TAccessibleTable* table = TableOf(t);
    return table && row >= 0 && table->AccessibleSelectedRow() == row;
}

gboolean IsSelected(AtkTable* t, gint row, gint) {
    return IsRowSelected(t, row);
}

gboolean AddRowSelection(AtkTable* t, gint row) {
    TAccessibleTable* table = TableOf(t);
    if (!table || row < 0 || row >= table->AccessibleRowCount()) return FALSE;
    table->AccessibleSelectRow(row);
    return TRUE;
}

} // namespace

void ValueInit(gpointer iface, gpointer) {
    auto* v = static_cast<AtkValueIface*>(iface);
    v->get_value_and_text = GetValueAndText;
    v->get_range = GetRange;
    v->get_increment = GetIncrement;
    v->set_value = SetValue;
    v->get_current_value = GetCurrentValue;
    v->get_minimum_value = GetMinimumValue;
    v->get_maximum_value = GetMaximumValue;
    v->get_minimum_increment = GetMinimumIncrement;
    v->set_current_value = SetCurrentValue;
}

void TableInit(gpointer iface, gpointer) {
    auto* t = static_cast<AtkTableIface*>(iface);
    t->ref_at = RefAt;
    t->get_index_at = GetIndexAt;
    t->get_column_at_index = GetColumnAtIndex;
    t->get_row_at_index = GetRowAtIndex;
    t->get_n_columns = GetNColumns;
    t->get_n_rows = GetNRows;
    t->get_column_extent_at = One;
    t->get_row_extent_at = One;
    t->get_column_description = GetColumnDescription;
    t->get_column_header = GetColumnHeader;
    t->get_selected_rows = GetSelectedRows;
    t->is_row_selected = IsRowSelected;
    t->is_selected = IsSelected;
    t->add_row_selection = AddRowSelection;
}
