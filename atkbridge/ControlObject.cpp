// The ATK object of a control: its name, role, states, relations and geometry come from the
// control's description each time they are asked for; the interfaces its type carries
// (action, text, editable text, value, table, window) are chosen from its first one.
#include "atkbridge/BridgeObjects.h"
#include "atkbridge/ControlInterfaces.h"

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

TControl* ControlOf(gpointer object) {
    TControlNode* node = Node(object);
    return node ? node->control : nullptr;
}

TAccessibleInfo InfoOf(gpointer object) {
    TControl* c = ControlOf(object);
    return c ? AccessibleInfoOf(*c) : TAccessibleInfo{};
}

// The strings ATK hands out must outlive the call: kept per object and action.
const gchar* KeptString(gpointer object, const char* kind, gint i, const AnsiString& text) {
    char key[64];
    std::snprintf(key, sizeof key, "brv-%s-%d", kind, i);
    gchar* copy = g_strdup(ToUtf8(text).c_str());
    g_object_set_data_full(G_OBJECT(object), key, copy, g_free);
    return copy;
}

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
