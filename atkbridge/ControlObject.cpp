// The ATK object of a control: its name, role, states, relations and geometry come from the
// control's description each time they are asked for; the interfaces its type carries
// (action, text, editable text, value, table, window) are chosen from its first one.
#include "atkbridge/BridgeObjects.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "ui/Control.h"
#include "ui/WinControl.h"

namespace {

struct BrvControlObject {
    AtkObject parent;
    TControlNode* node;
};
struct BrvControlObjectClass {
    AtkObjectClass parent_class;
};

gpointer g_parentClass = nullptr;

TControlNode* Node(gpointer object) {
    return reinterpret_cast<BrvControlObject*>(object)->node;
}

TControl* ControlOf(gpointer object) {
    TControlNode* node = Node(object);
    return node ? node->control : nullptr;
}

TAccessibleInfo InfoOf(gpointer object) {
    TControl* c = ControlOf(object);
    return c ? AccessibleInfoOf(*c) : TAccessibleInfo{};
}

// A label that names the control: the one its description gives, or a sibling label whose
// description says it labels it.
TControl* LabelOf(TControl* control, const TAccessibleInfo& info) {
    if (info.LabelledBy) return info.LabelledBy;
    TWinControl* parent = control->Parent();
    if (!parent) return nullptr;
    for (TControl* sibling : parent->ChildControls()) {
        if (sibling == control) continue;
        const TAccessibleInfo s = AccessibleInfoOf(*sibling);
        for (TControl* target : s.LabelFor)
            if (target == control) return sibling;
    }
    return nullptr;
}

// --- AtkObject ---

void InstanceInit(GTypeInstance* instance, gpointer) {
    reinterpret_cast<BrvControlObject*>(instance)->node = new TControlNode;
}

void Finalize(GObject* object) {
    delete Node(object);
    reinterpret_cast<BrvControlObject*>(object)->node = nullptr;
    G_OBJECT_CLASS(g_parentClass)->finalize(object);
}

const gchar* GetName(AtkObject* object) {
    TControl* c = ControlOf(object);
    if (!c) return "";
    TControlNode* node = Node(object);
    const TAccessibleInfo info = AccessibleInfoOf(*c);
    AnsiString name = info.Name;
    if (name.empty())
        if (TControl* label = LabelOf(c, info)) name = AccessibleInfoOf(*label).Name;
    node->name = ToUtf8(name);
    return node->name.c_str();
}

const gchar* GetDescription(AtkObject* object) {
    TControl* c = ControlOf(object);
    if (!c) return "";
    TControlNode* node = Node(object);
    node->description = ToUtf8(AccessibleInfoOf(*c).Description);
    return node->description.c_str();
}

AtkRole GetRole(AtkObject* object) {
    TControl* c = ControlOf(object);
    if (!c) return ATK_ROLE_INVALID;
    return AtkRoleOf(AccessibleInfoOf(*c).Role);
}

AtkObject* GetParent(AtkObject* object) {
    TControl* c = ControlOf(object);
    if (!c) return nullptr;
    if (!c->Parent()) return RootObject();
    return ControlObject(ExposedControl(c->Parent()));
}

std::vector<TControl*> ChildrenOf(TControl* c) {
    return c ? AccessibleInfoOf(*c).Children : std::vector<TControl*>{};
}

gint GetNChildren(AtkObject* object) {
    TControl* c = ControlOf(object);
    if (!c) return 0;
    const TAccessibleInfo info = AccessibleInfoOf(*c);
    if (info.Table)
        return info.Table->AccessibleColumnCount() * (info.Table->AccessibleRowCount() + 1);
    return gint(info.Children.size());
}

AtkObject* RefChild(AtkObject* object, gint i) {
    TControl* c = ControlOf(object);
    if (!c || i < 0) return nullptr;
    const TAccessibleInfo info = AccessibleInfoOf(*c);
    if (info.Table) {
        const int columns = info.Table->AccessibleColumnCount();
        if (columns == 0 || i >= columns * (info.Table->AccessibleRowCount() + 1)) return nullptr;
        AtkObject* cell = TableCellObject(object, i / columns - 1, i % columns);
        return cell ? ATK_OBJECT(g_object_ref(cell)) : nullptr;
    }
    if (size_t(i) >= info.Children.size()) return nullptr;
    AtkObject* child = ControlObject(info.Children[size_t(i)]);
    return child ? ATK_OBJECT(g_object_ref(child)) : nullptr;
}

gint GetIndexInParent(AtkObject* object) {
    TControl* c = ControlOf(object);
    if (!c) return -1;
    const std::vector<TControl*> siblings =
        c->Parent() ? ChildrenOf(ExposedControl(c->Parent())) : TopLevelControls();
    for (size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i] == c) return gint(i);
    return -1;
}

AtkStateSet* RefStateSet(AtkObject* object) {
    AtkStateSet* set = atk_state_set_new();
    TControl* c = ControlOf(object);
    if (!c) {
        atk_state_set_add_state(set, ATK_STATE_DEFUNCT);
        return set;
    }
    AddAtkStates(set, AccessibleInfoOf(*c).States);
    return set;
}

AtkRelationSet* RefRelationSet(AtkObject* object) {
    AtkRelationSet* set = atk_relation_set_new();
    TControl* c = ControlOf(object);
    if (!c) return set;
    const TAccessibleInfo info = AccessibleInfoOf(*c);
    if (TControl* label = LabelOf(c, info))
        if (AtkObject* target = ControlObject(label))
            atk_relation_set_add_relation_by_type(set, ATK_RELATION_LABELLED_BY, target);
    // What this label names: its own word for it, and siblings that name it as their label.
    std::vector<TControl*> named = info.LabelFor;
    if (TWinControl* parent = c->Parent())
        for (TControl* sibling : parent->ChildControls())
            if (sibling != c && AccessibleInfoOf(*sibling).LabelledBy == c)
                named.push_back(sibling);
    for (TControl* target : named)
        if (AtkObject* o = ControlObject(target))
            atk_relation_set_add_relation_by_type(set, ATK_RELATION_LABEL_FOR, o);
    return set;
}

AtkAttributeSet* GetAttributes(AtkObject* object) {
    AtkAttributeSet* attributes = nullptr;
    auto add = [&attributes](const char* name, const char* value) {
        auto* a = static_cast<AtkAttribute*>(g_malloc(sizeof(AtkAttribute)));
        a->name = g_strdup(name);
        a->value = g_strdup(value);
        attributes = g_slist_prepend(attributes, a);
    };
    add("toolkit", "brelvan");
    if (InfoOf(object).Live) {
        add("live", "polite");
        add("container-live", "polite");
    }
    return attributes;
}

void ClassInit(gpointer klass, gpointer) {
    g_parentClass = g_type_class_peek_parent(klass);
    G_OBJECT_CLASS(klass)->finalize = Finalize;
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->get_name = GetName;
    atk->get_description = GetDescription;
    atk->get_role = GetRole;
    atk->get_parent = GetParent;
    atk->get_n_children = GetNChildren;
    atk->ref_child = RefChild;
    atk->get_index_in_parent = GetIndexInParent;
    atk->ref_state_set = RefStateSet;
    atk->ref_relation_set = RefRelationSet;
    atk->get_attributes = GetAttributes;
}

// --- AtkComponent ---

void GetExtents(AtkComponent* component, gint* x, gint* y, gint* width, gint* height,
                AtkCoordType coords) {
    ExtentsIn(InfoOf(component).Bounds, ATK_OBJECT(component), coords, x, y, width, height);
}

gboolean GrabFocus(AtkComponent* component) {
    TControl* c = ControlOf(component);
    if (!c || !c->IsWindowed()) return FALSE;
    auto* w = static_cast<TWinControl*>(c);
    if (!w->CanFocus()) return FALSE;
    w->SetFocus();
    return TRUE;
}

AtkLayer GetLayer(AtkComponent* component) {
    TControl* c = ControlOf(component);
    return c && !c->Parent() ? ATK_LAYER_WINDOW : ATK_LAYER_WIDGET;
}

AtkObject* RefAccessibleAtPoint(AtkComponent* component, gint x, gint y, AtkCoordType coords) {
    AtkObject* self = ATK_OBJECT(component);
    const gint n = atk_object_get_n_accessible_children(self);
    for (gint i = n - 1; i >= 0; --i) {
        AtkObject* child = atk_object_ref_accessible_child(self, i);
        if (!child) continue;
        if (ATK_IS_COMPONENT(child) && atk_component_contains(ATK_COMPONENT(child), x, y, coords))
            return child;
        g_object_unref(child);
    }
    return nullptr;
}

void ComponentInit(gpointer iface, gpointer) {
    auto* c = static_cast<AtkComponentIface*>(iface);
    c->get_extents = GetExtents;
    c->grab_focus = GrabFocus;
    c->get_layer = GetLayer;
    c->ref_accessible_at_point = RefAccessibleAtPoint;
}

// --- AtkAction ---

gint GetNActions(AtkAction* action) {
    return gint(InfoOf(action).Actions.size());
}

gboolean DoAction(AtkAction* action, gint i) {
    TAccessibleInfo info = InfoOf(action);
    if (i < 0 || size_t(i) >= info.Actions.size()) return FALSE;
    if (!(info.States & asEnabled)) return FALSE;
    TControl* c = ControlOf(action);
    // The control may be gone by the time the action runs: its object tells.
    AtkObject* object = ATK_OBJECT(g_object_ref(action));
    RunSoon([object, c, i] {
        if (ControlOf(object) == c && c) {
            TAccessibleInfo now = AccessibleInfoOf(*c);
            if (size_t(i) < now.Actions.size() && now.Actions[size_t(i)].Run)
                now.Actions[size_t(i)].Run();
        }
        g_object_unref(object);
    });
    return TRUE;
}

// The strings ATK hands out must outlive the call: kept per object and action.
const gchar* KeptString(gpointer object, const char* kind, gint i, const AnsiString& text) {
    char key[64];
    std::snprintf(key, sizeof key, "brv-%s-%d", kind, i);
    gchar* copy = g_strdup(ToUtf8(text).c_str());
    g_object_set_data_full(G_OBJECT(object), key, copy, g_free);
    return copy;
}

const gchar* GetActionName(AtkAction* action, gint i) {
    const TAccessibleInfo info = InfoOf(action);
    if (i < 0 || size_t(i) >= info.Actions.size()) return nullptr;
    return KeptString(action, "name", i, info.Actions[size_t(i)].Name);
}

const gchar* GetActionDescription(AtkAction* action, gint i) {
    const TAccessibleInfo info = InfoOf(action);
    if (i < 0 || size_t(i) >= info.Actions.size()) return nullptr;
    return KeptString(action, "description", i, info.Actions[size_t(i)].Description);
}

const gchar* GetKeybinding(AtkAction* action, gint i) {
    const TAccessibleInfo info = InfoOf(action);
    if (i < 0 || size_t(i) >= info.Actions.size()) return nullptr;
    return KeptString(action, "key", i, info.Actions[size_t(i)].KeyBinding);
}

void ActionInit(gpointer iface, gpointer) {
    auto* a = static_cast<AtkActionIface*>(iface);
    a->get_n_actions = GetNActions;
    a->do_action = DoAction;
    a->get_name = GetActionName;
    a->get_localized_name = GetActionName;
    a->get_description = GetActionDescription;
    a->get_keybinding = GetKeybinding;
}

// --- AtkText (offsets count characters of the UTF-8 text) ---

std::string TextOf(gpointer object) {
    return ToUtf8(InfoOf(object).Text);
}

glong CharCount(const std::string& text) {
    return g_utf8_strlen(text.c_str(), glong(text.size()));
}

// Characters [start, end) of a UTF-8 text; end -1 runs to the end.
gchar* Slice(const std::string& text, gint start, gint end) {
    const glong n = CharCount(text);
    if (end < 0 || end > n) end = gint(n);
    if (start < 0) start = 0;
    if (start > end) start = end;
    return g_utf8_substring(text.c_str(), start, end);
}

gchar* GetText(AtkText* t, gint start, gint end) {
    return Slice(TextOf(t), start, end);
}

gint GetCharacterCount(AtkText* t) {
    return gint(CharCount(TextOf(t)));
}

gint GetCaretOffset(AtkText* t) {
    return InfoOf(t).CaretOffset;
}

gboolean SetCaretOffset(AtkText*, gint) {
    return FALSE;
}

gunichar GetCharacterAtOffset(AtkText* t, gint offset) {
    const std::string text = TextOf(t);
    if (offset < 0 || offset >= CharCount(text)) return 0;
    return g_utf8_get_char(g_utf8_offset_to_pointer(text.c_str(), offset));
}

// One line: the whole text; a word: the run of non-spaces around the offset; a character.
gchar* TextAtOffset(AtkText* t, AtkTextBoundary boundary, gint offset, gint* start, gint* end) {
    const std::string text = TextOf(t);
    const gint n = gint(CharCount(text));
    gint s = 0, e = n;
    if (boundary == ATK_TEXT_BOUNDARY_CHAR) {
        s = std::min(std::max(offset, 0), n);
        e = std::min(s + 1, n);
    } else if (boundary == ATK_TEXT_BOUNDARY_WORD_START || boundary == ATK_TEXT_BOUNDARY_WORD_END) {
        gchar* all = g_strdup(text.c_str());
        auto isSpace = [&](gint i) {
            return g_unichar_isspace(g_utf8_get_char(g_utf8_offset_to_pointer(all, i)));
        };
        s = std::min(std::max(offset, 0), n);
        e = s;
        while (s > 0 && !isSpace(s - 1)) --s;
        while (e < n && !isSpace(e)) ++e;
        while (e < n && isSpace(e)) ++e;
        g_free(all);
    }
    *start = s;
    *end = e;
    return Slice(text, s, e);
}

gchar* GetTextAtOffset(AtkText* t, gint offset, AtkTextBoundary boundary, gint* start, gint* end) {
    return TextAtOffset(t, boundary, offset, start, end);
}

gchar* GetStringAtOffset(AtkText* t, gint offset, AtkTextGranularity granularity, gint* start,
                         gint* end) {
    AtkTextBoundary boundary = ATK_TEXT_BOUNDARY_LINE_START;
    if (granularity == ATK_TEXT_GRANULARITY_CHAR) boundary = ATK_TEXT_BOUNDARY_CHAR;
    if (granularity == ATK_TEXT_GRANULARITY_WORD) boundary = ATK_TEXT_BOUNDARY_WORD_START;
    return TextAtOffset(t, boundary, offset, start, end);
}

void TextInit(gpointer iface, gpointer) {
    auto* t = static_cast<AtkTextIface*>(iface);
    t->get_text = GetText;
    t->get_character_count = GetCharacterCount;
    t->get_caret_offset = GetCaretOffset;
    t->set_caret_offset = SetCaretOffset;
    t->get_character_at_offset = GetCharacterAtOffset;
    t->get_text_at_offset = GetTextAtOffset;
    t->get_string_at_offset = GetStringAtOffset;
}

// --- AtkEditableText: the new text goes through the control as if typed ---

bool ReplaceText(gpointer object, const std::string& utf8) {
    TAccessibleInfo info = InfoOf(object);
    if (!info.SetText) return false;
    info.SetText(FromUtf8(utf8.c_str()));
    return true;
}

void SetTextContents(AtkEditableText* t, const gchar* text) {
    ReplaceText(t, text ? text : "");
}

void InsertText(AtkEditableText* t, const gchar* text, gint length, gint* position) {
    if (!text || !position) return;
    // A password's own characters are never read back: inserting needs the real text, so
    // only appending to an empty box or replacing it whole is done there.
    const TAccessibleInfo info = InfoOf(t);
    if (!info.SetText) return;
    const std::string added = length < 0 ? std::string(text) : std::string(text, size_t(length));
    if (info.Role == TAccessibleRole::PasswordText) {
        if (!info.Text.empty()) return;
        ReplaceText(t, added);
        *position = gint(CharCount(added));
        return;
    }
    const std::string now = ToUtf8(info.Text);
    const gint n = gint(CharCount(now));
    const gint at = std::min(std::max(*position, 0), n);
    gchar* head = Slice(now, 0, at);
    gchar* tail = Slice(now, at, -1);
    ReplaceText(t, std::string(head) + added + tail);
    g_free(head);
    g_free(tail);
    *position = at + gint(CharCount(added));
}

void DeleteText(AtkEditableText* t, gint start, gint end) {
    const TAccessibleInfo info = InfoOf(t);
    if (!info.SetText) return;
    if (info.Role == TAccessibleRole::PasswordText) {
        // Only a deletion of everything is meaningful without the characters.
        const gint n = gint(info.Text.size());
        if (start <= 0 && (end < 0 || end >= n)) ReplaceText(t, "");
        return;
    }
    const std::string now = ToUtf8(info.Text);
    gchar* head = Slice(now, 0, start);
    gchar* tail = Slice(now, end < 0 ? gint(CharCount(now)) : end, -1);
    ReplaceText(t, std::string(head) + tail);
    g_free(head);
    g_free(tail);
}

void EditableTextInit(gpointer iface, gpointer) {
    auto* e = static_cast<AtkEditableTextIface*>(iface);
    e->set_text_contents = SetTextContents;
    e->insert_text = InsertText;
    e->delete_text = DeleteText;
}

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

void WindowInit(gpointer, gpointer) {}

GType ControlObjectType(unsigned interfaces) {
    static std::map<unsigned, GType> types;
    auto found = types.find(interfaces);
    if (found != types.end()) return found->second;
    const GTypeInfo info = {
        sizeof(BrvControlObjectClass), nullptr, nullptr,      ClassInit, nullptr, nullptr,
        sizeof(BrvControlObject),      0,       InstanceInit, nullptr};
    char name[40];
    std::snprintf(name, sizeof name, "BrvControl%02x", interfaces);
    const GType type = g_type_register_static(ATK_TYPE_OBJECT, name, &info, GTypeFlags(0));
    auto add = [type](GType iface, GInterfaceInitFunc init) {
        const GInterfaceInfo i = {init, nullptr, nullptr};
        g_type_add_interface_static(type, iface, &i);
    };
    add(ATK_TYPE_COMPONENT, ComponentInit);
    if (interfaces & kHasAction) add(ATK_TYPE_ACTION, ActionInit);
    if (interfaces & kHasText) add(ATK_TYPE_TEXT, TextInit);
    if (interfaces & kHasEditableText) add(ATK_TYPE_EDITABLE_TEXT, EditableTextInit);
    if (interfaces & kHasValue) add(ATK_TYPE_VALUE, ValueInit);
    if (interfaces & kHasTable) add(ATK_TYPE_TABLE, TableInit);
    if (interfaces & kHasWindow) add(ATK_TYPE_WINDOW, WindowInit);
    types[interfaces] = type;
    return type;
}

} // namespace

unsigned InterfacesOf(const TAccessibleInfo& info, bool topLevel) {
    unsigned mask = 0;
    if (!info.Actions.empty()) mask |= kHasAction;
    if (info.HasText) mask |= kHasText;
    if (info.HasText &&
        (info.Role == TAccessibleRole::Text || info.Role == TAccessibleRole::PasswordText))
        mask |= kHasEditableText;
    if (info.HasValue) mask |= kHasValue;
    if (info.Table) mask |= kHasTable;
    if (topLevel) mask |= kHasWindow;
    return mask;
}

AtkObject* NewControlObject(TControl* control, unsigned interfaces) {
    AtkObject* object = ATK_OBJECT(g_object_new(ControlObjectType(interfaces), nullptr));
    Node(object)->control = control;
    atk_object_initialize(object, nullptr);
    return object;
}

TControlNode* NodeOf(AtkObject* object) {
    return object ? Node(object) : nullptr;
}

void ControlObjectGone(AtkObject* object) {
    TControlNode* node = Node(object);
    if (!node || !node->control) return;
    node->control = nullptr;
    DropTableCells(object);
    atk_object_notify_state_change(object, ATK_STATE_DEFUNCT, TRUE);
}
