// The cells and column headers of a table: small objects made when a screen reader asks for
// them, named by what the cell says and placed by the table. A header's action sorts.
#include "atkbridge/BridgeObjects.h"

#include "ui/Control.h"

namespace {

struct BrvCell {
    AtkObject parent;
    AtkObject* table; // not a reference: the table drops its cells before it goes
    int row;          // -1: the column's header
    int column;
    gchar* name;
};
struct BrvCellClass {
    AtkObjectClass parent_class;
};

gpointer g_cellParentClass = nullptr;

BrvCell* Cell(gpointer object) {
    return reinterpret_cast<BrvCell*>(object);
}

TAccessibleTable* TableOf(BrvCell* cell) {
    if (!cell->table) return nullptr;
    TControlNode* node = NodeOf(cell->table);
    if (!node || !node->control) return nullptr;
    return AccessibleInfoOf(*node->control).Table;
}

// Still a cell of the table (rows may have gone since it was made).
bool Valid(BrvCell* cell, TAccessibleTable* table) {
    return table && cell->column < table->AccessibleColumnCount() &&
           cell->row < table->AccessibleRowCount();
}

void CellFinalize(GObject* object) {
    g_free(Cell(object)->name);
    G_OBJECT_CLASS(g_cellParentClass)->finalize(object);
}

const gchar* CellName(AtkObject* object) {
    BrvCell* cell = Cell(object);
    TAccessibleTable* table = TableOf(cell);
    if (!Valid(cell, table)) return "";
    const WideString text = cell->row < 0 ? table->AccessibleColumnHeader(cell->column)
                                          : table->AccessibleCellText(cell->column, cell->row);
    g_free(cell->name);
    cell->name = g_strdup(WideToUtf8(text).c_str());
    return cell->name;
}

AtkRole CellRole(AtkObject* object) {
    return Cell(object)->row < 0 ? ATK_ROLE_COLUMN_HEADER : ATK_ROLE_TABLE_CELL;
}

AtkObject* CellParent(AtkObject* object) {
    return Cell(object)->table;
}

gint CellIndex(AtkObject* object) {
    BrvCell* cell = Cell(object);
    TAccessibleTable* table = TableOf(cell);
    if (!Valid(cell, table)) return -1;
    return (cell->row + 1) * table->AccessibleColumnCount() + cell->column;
}

TRect CellBounds(BrvCell* cell, TAccessibleTable* table) {
    return cell->row < 0 ? table->AccessibleHeaderBounds(cell->column)
                         : table->AccessibleCellBounds(cell->column, cell->row);
}

AtkStateSet* CellStates(AtkObject* object) {
    AtkStateSet* set = atk_state_set_new();
    BrvCell* cell = Cell(object);
    TAccessibleTable* table = TableOf(cell);
    if (!Valid(cell, table)) {
        atk_state_set_add_state(set, ATK_STATE_DEFUNCT);
        return set;
    }
    TControlNode* node = NodeOf(cell->table);
    const TAccessibleInfo info = AccessibleInfoOf(*node->control);
    TAccessibleStates states = info.States & (asEnabled | asVisible);
    states |= asVisible;
    if (!CellBounds(cell, table).IsEmpty() && (info.States & asShowing)) states |= asShowing;
    if (cell->row >= 0) {
        states |= asSelectable;
        if (table->AccessibleSelectedRow() == cell->row) states |= asSelected;
    }
    AddAtkStates(set, states);
    atk_state_set_add_state(set, ATK_STATE_TRANSIENT);
    return set;
}

void CellClassInit(gpointer klass, gpointer) {
    g_cellParentClass = g_type_class_peek_parent(klass);
    G_OBJECT_CLASS(klass)->finalize = CellFinalize;
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->get_name = CellName;
    atk->get_role = CellRole;
    atk->get_parent = CellParent;
    atk->get_index_in_parent = CellIndex;
    atk->ref_state_set = CellStates;
}

void CellExtents(AtkComponent* component, gint* x, gint* y, gint* width, gint* height,
                 AtkCoordType coords) {
    BrvCell* cell = Cell(component);
    TAccessibleTable* table = TableOf(cell);
    const TRect r = Valid(cell, table) ? CellBounds(cell, table) : TRect{};
    ExtentsIn(r, ATK_OBJECT(component), coords, x, y, width, height);
}

gboolean CellGrabFocus(AtkComponent* component) {
    BrvCell* cell = Cell(component);
    TAccessibleTable* table = TableOf(cell);
    if (!Valid(cell, table) || cell->row < 0) return FALSE;
    table->AccessibleSelectRow(cell->row);
    return TRUE;
}

void CellComponentInit(gpointer iface, gpointer) {
    auto* c = static_cast<AtkComponentIface*>(iface);
    c->get_extents = CellExtents;
    c->grab_focus = CellGrabFocus;
}

// A header sorts by its column; a cell selects its row.
gint CellNActions(AtkAction*) {
    return 1;
}

gboolean CellDoAction(AtkAction* action, gint i) {
    BrvCell* cell = Cell(action);
    if (i != 0 || !Valid(cell, TableOf(cell))) return FALSE;
    AtkObject* object = ATK_OBJECT(g_object_ref(action));
    RunSoon([object] {
        BrvCell* c = Cell(object);
        if (TAccessibleTable* table = TableOf(c); Valid(c, table)) {
            if (c->row < 0)
                table->AccessibleSortByColumn(c->column);
            else
                table->AccessibleSelectRow(c->row);
        }
        g_object_unref(object);
    });
    return TRUE;
}

const gchar* CellActionName(AtkAction* action, gint i) {
    if (i != 0) return nullptr;
    return Cell(action)->row < 0 ? "sort" : "activate";
}

const gchar* CellActionDescription(AtkAction* action, gint i) {
    if (i != 0) return nullptr;
    return Cell(action)->row < 0 ? "Sorts the rows by this column (again: the other way round)"
                                 : "Makes this row the current one";
}

void CellActionInit(gpointer iface, gpointer) {
    auto* a = static_cast<AtkActionIface*>(iface);
    a->get_n_actions = CellNActions;
    a->do_action = CellDoAction;
    a->get_name = CellActionName;
    a->get_localized_name = CellActionName;
    a->get_description = CellActionDescription;
}

GType CellType() {
    static GType type = 0;
    if (type) return type;
    const GTypeInfo info = {sizeof(BrvCellClass), nullptr, nullptr, CellClassInit, nullptr, nullptr,
                            sizeof(BrvCell),      0,       nullptr, nullptr};
    type = g_type_register_static(ATK_TYPE_OBJECT, "BrvTableCell", &info, GTypeFlags(0));
    const GInterfaceInfo component = {CellComponentInit, nullptr, nullptr};
    g_type_add_interface_static(type, ATK_TYPE_COMPONENT, &component);
    const GInterfaceInfo action = {CellActionInit, nullptr, nullptr};
    g_type_add_interface_static(type, ATK_TYPE_ACTION, &action);
    return type;
}

// A screen reader walking a long table asks for many cells; past this many the ones made
// so far are let go (a client that still holds one keeps it alive).
constexpr size_t kMaxKeptCells = 4096;

} // namespace

AtkObject* TableCellObject(AtkObject* table, int row, int column) {
    TControlNode* node = NodeOf(table);
    if (!node || !node->control) return nullptr;
    const auto key = std::make_pair(row, column);
    auto found = node->cells.find(key);
    if (found != node->cells.end()) return found->second;
    if (node->cells.size() >= kMaxKeptCells) DropTableCells(table);
    AtkObject* object = ATK_OBJECT(g_object_new(CellType(), nullptr));
    BrvCell* cell = Cell(object);
    cell->table = table;
    cell->row = row;
    cell->column = column;
    atk_object_initialize(object, nullptr);
    node->cells[key] = object;
    return object;
}

void DropTableCells(AtkObject* table) {
    TControlNode* node = NodeOf(table);
    if (!node) return;
    std::map<std::pair<int, int>, AtkObject*> cells;
    cells.swap(node->cells);
    for (auto& [key, object] : cells) {
        Cell(object)->table = nullptr;
        g_object_unref(object);
    }
}
