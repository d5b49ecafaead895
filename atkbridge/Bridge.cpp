// The bridge: the objects of the controls, the application's root, what the controls'
// changes are announced as, and the start on a session bus.
#include "atkbridge/AtkBridge.h"

#include <atk-bridge.h>

#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "atkbridge/BridgeObjects.h"
#include "atkbridge/GLibPump.h"
#include "atkbridge/UtilHooks.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Screen.h"

namespace {

// --- the application's root ---

struct BrvRoot {
    AtkObject parent;
};
struct BrvRootClass {
    AtkObjectClass parent_class;
};

const gchar* RootName(AtkObject*) {
    static std::string name;
    name = ToUtf8(Application->Title());
    return name.c_str();
}

gint RootNChildren(AtkObject*) {
    return gint(TopLevelControls().size());
}

AtkObject* RootRefChild(AtkObject*, gint i) {
    const std::vector<TControl*> forms = TopLevelControls();
    if (i < 0 || size_t(i) >= forms.size()) return nullptr;
    AtkObject* child = ControlObject(forms[size_t(i)]);
    return child ? ATK_OBJECT(g_object_ref(child)) : nullptr;
}

AtkStateSet* RootStates(AtkObject*) {
    AtkStateSet* set = atk_state_set_new();
    atk_state_set_add_state(set, ATK_STATE_ENABLED);
    atk_state_set_add_state(set, ATK_STATE_SENSITIVE);
    return set;
}

void RootClassInit(gpointer klass, gpointer) {
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->get_name = RootName;
    atk->get_n_children = RootNChildren;
    atk->ref_child = RootRefChild;
    atk->ref_state_set = RootStates;
}

GType RootType() {
    static GType type = 0;
    if (type) return type;
    const GTypeInfo info = {sizeof(BrvRootClass), nullptr, nullptr, RootClassInit, nullptr, nullptr,
                            sizeof(BrvRoot),      0,       nullptr, nullptr};
    type = g_type_register_static(ATK_TYPE_OBJECT, "BrvApplication", &info, GTypeFlags(0));
    return type;
}

// --- what the controls' changes become on the bus ---

const struct {
    TAccessibleStates bit;
    AtkStateType atk;
} kStateMap[] = {
    {asFocused, ATK_STATE_FOCUSED},        {asFocusable, ATK_STATE_FOCUSABLE},
    {asEnabled, ATK_STATE_ENABLED},        {asEnabled, ATK_STATE_SENSITIVE},
    {asVisible, ATK_STATE_VISIBLE},        {asShowing, ATK_STATE_SHOWING},
    {asChecked, ATK_STATE_CHECKED},        {asEditable, ATK_STATE_EDITABLE},
    {asSelected, ATK_STATE_SELECTED},      {asCheckable, ATK_STATE_CHECKABLE},
    {asSelectable, ATK_STATE_SELECTABLE},  {asActive, ATK_STATE_ACTIVE},
    {asSingleLine, ATK_STATE_SINGLE_LINE}, {asModal, ATK_STATE_MODAL},
    {asDefault, ATK_STATE_DEFAULT},
};

class TBridge : public TAccessibleListener {
public:
    std::unordered_map<TControl*, AtkObject*> objects;
    AtkObject* root = nullptr;
    std::vector<TControl*> topLevels;
    AtkObject* focused = nullptr; // a reference while it is set

    void AccessibleChanged(TControl& control, TAccessibleChange change) override {
        if (change == TAccessibleChange::Destroyed) {
            Gone(control);
            return;
        }
        if (!control.Parent()) TopLevelsChanged();
        if (change == TAccessibleChange::Focus) {
            Focus(ExposedControl(&control));
            return;
        }
        AtkObject* object = ExistingControlObject(&control);
        if (!object) {
            // A change inside something a screen reader follows still reaches it: the inner
            // edit of a spin box changes the spin box.
            TControl* exposed = ExposedControl(&control);
            if (exposed == &control || !exposed) return;
            object = ExistingControlObject(exposed);
            if (!object) return;
        }
        Announce(object);
        if (change == TAccessibleChange::Table) TableChanged(object);
        if (change == TAccessibleChange::Selection) SelectionChanged(object);
    }

    // Takes what the object said last, tells what differs, keeps what it says now.
    void Announce(AtkObject* object) {
        TControlNode* node = NodeOf(object);
        if (!node || !node->control) return;
        const TAccessibleInfo info = AccessibleInfoOf(*node->control);
        const TAccessibleStates changed = info.States ^ node->states;
        const TAccessibleStates was = node->states;
        node->states = info.States;
        for (const auto& s : kStateMap) {
            if (!(changed & s.bit)) continue;
            atk_object_notify_state_change(object, s.atk, (info.States & s.bit) != 0);
        }
        if (changed & asActive) {
            if (g_type_is_a(G_OBJECT_TYPE(object), ATK_TYPE_WINDOW))
                g_signal_emit_by_name(object, info.States & asActive ? "activate" : "deactivate");
        }
        (void)was;
        const std::string name = ToUtf8(info.Name);
        if (name != node->name) {
            node->name = name;
            g_object_notify(G_OBJECT(object), "accessible-name");
        }
        const std::string description = ToUtf8(info.Description);
        if (description != node->description) {
            node->description = description;
            g_object_notify(G_OBJECT(object), "accessible-description");
        }
        if (info.HasText) {
            const std::string text = ToUtf8(info.Text);
            if (text != node->text) {
                const glong oldLength = g_utf8_strlen(node->text.c_str(), -1);
                const glong newLength = g_utf8_strlen(text.c_str(), -1);
                if (oldLength > 0)
                    g_signal_emit_by_name(object, "text-remove", 0, gint(oldLength),
                                          node->text.c_str());
                if (newLength > 0)
                    g_signal_emit_by_name(object, "text-insert", 0, gint(newLength), text.c_str());
                node->text = text;
            }
        }
        if (info.HasValue && info.Value != node->value) {
            node->value = info.Value;
            g_object_notify(G_OBJECT(object), "accessible-value");
            g_signal_emit_by_name(object, "value-changed", info.Value, nullptr);
        }
        if (!info.Table) ChildrenChanged(object, node, info.Children);
    }

    void ChildrenChanged(AtkObject* object, TControlNode* node, const std::vector<TControl*>& now) {
        if (now == node->children) return;
        const std::vector<TControl*> before = node->children;
        node->children = now;
        for (size_t i = before.size(); i-- > 0;) {
            if (std::find(now.begin(), now.end(), before[i]) != now.end()) continue;
            AtkObject* child = ExistingControlObject(before[i]);
            g_signal_emit_by_name(object, "children-changed::remove", guint(i), child);
        }
        for (size_t i = 0; i < now.size(); ++i) {
            if (std::find(before.begin(), before.end(), now[i]) != before.end()) continue;
            g_signal_emit_by_name(object, "children-changed::add", guint(i), ControlObject(now[i]));
        }
    }

    void TopLevelsChanged() {
        if (!root) return;
        const std::vector<TControl*> now = TopLevelControls();
        if (now == topLevels) return;
        const std::vector<TControl*> before = topLevels;
        topLevels = now;
        for (size_t i = before.size(); i-- > 0;) {
            if (std::find(now.begin(), now.end(), before[i]) != now.end()) continue;
            AtkObject* child = ExistingControlObject(before[i]);
            g_signal_emit_by_name(root, "children-changed::remove", guint(i), child);
            if (child) g_signal_emit_by_name(child, "destroy");
        }
        for (size_t i = 0; i < now.size(); ++i) {
            if (std::find(before.begin(), before.end(), now[i]) != before.end()) continue;
            AtkObject* child = ControlObject(now[i]);
            g_signal_emit_by_name(root, "children-changed::add", guint(i), child);
            g_signal_emit_by_name(child, "create");
            if (NodeOf(child)->states & asActive) g_signal_emit_by_name(child, "activate");
        }
    }

    void Focus(TControl* control) {
        AtkObject* object = ControlObject(control);
        if (object == focused) {
            if (object) Announce(object);
            return;
        }
        AtkObject* old = focused;
        focused = object ? ATK_OBJECT(g_object_ref(object)) : nullptr;
        if (old) {
            Announce(old);
            g_object_unref(old);
        }
        if (!object) return;
        Announce(object);
        // The focus tracker is what the adaptor announces the focus with.
        atk_focus_tracker_notify(object);
    }

    void TableChanged(AtkObject* object) {
        TControlNode* node = NodeOf(object);
        const TAccessibleInfo info = AccessibleInfoOf(*node->control);
        if (!info.Table) return;
        DropTableCells(object);
        const int rows = info.Table->AccessibleRowCount();
        const int was = node->rowCount;
        node->rowCount = rows;
        if (rows > was)
            g_signal_emit_by_name(object, "row-inserted", was, rows - was);
        else if (rows < was)
            g_signal_emit_by_name(object, "row-deleted", rows, was - rows);
        g_signal_emit_by_name(object, "model-changed");
    }

    void SelectionChanged(AtkObject* object) {
        TControlNode* node = NodeOf(object);
        const TAccessibleInfo info = AccessibleInfoOf(*node->control);
        if (!info.Table) return;
        const int row = info.Table->AccessibleSelectedRow();
        if (row == node->selectedRow) return;
        node->selectedRow = row;
        if (row >= 0 && (info.States & asFocused))
            if (AtkObject* cell = TableCellObject(object, row, 0))
                g_signal_emit_by_name(object, "active-descendant-changed", cell);
    }

    void Gone(TControl& control) {
        auto found = objects.find(&control);
        if (found == objects.end()) return;
        AtkObject* object = found->second;
        objects.erase(found);
        if (object == focused) {
            focused = nullptr;
            g_object_unref(object);
        }
        ControlObjectGone(object);
        g_object_unref(object);
        if (std::find(topLevels.begin(), topLevels.end(), &control) != topLevels.end()) {
            // Forms leave the root as they go.
            const auto at = std::find(topLevels.begin(), topLevels.end(), &control);
            const guint index = guint(at - topLevels.begin());
            topLevels.erase(at);
            g_signal_emit_by_name(root, "children-changed::remove", index, nullptr);
        }
    }
};

TBridge* g_bridge = nullptr;

// A queued action, run from an idle source of the main context.
gboolean RunQueued(gpointer data) {
    auto* action = static_cast<std::function<void()>*>(data);
    try {
        (*action)();
    } catch (...) {
        Application->HandleException(nullptr);
    }
    return G_SOURCE_REMOVE;
}

void DeleteQueued(gpointer data) {
    delete static_cast<std::function<void()>*>(data);
}

} // namespace

// --- shared helpers ---

std::string ToUtf8(const AnsiString& ansi) {
    return AnsiToUtf8(ansi);
}

AnsiString FromUtf8(const char* utf8) {
    return Utf8ToAnsi(utf8 ? utf8 : "");
}

AtkRole AtkRoleOf(TAccessibleRole role) {
    switch (role) {
    case TAccessibleRole::Unknown:
        return ATK_ROLE_UNKNOWN;
    case TAccessibleRole::Frame:
        return ATK_ROLE_FRAME;
    case TAccessibleRole::Dialog:
        return ATK_ROLE_DIALOG;
    case TAccessibleRole::Alert:
        return ATK_ROLE_ALERT;
    case TAccessibleRole::PageTabList:
        return ATK_ROLE_PAGE_TAB_LIST;
    case TAccessibleRole::PageTab:
        return ATK_ROLE_PAGE_TAB;
    case TAccessibleRole::Panel:
        return ATK_ROLE_PANEL;
    case TAccessibleRole::Filler:
        return ATK_ROLE_FILLER;
    case TAccessibleRole::Label:
        return ATK_ROLE_LABEL;
    case TAccessibleRole::Link:
        return ATK_ROLE_LINK;
    case TAccessibleRole::Text:
        return ATK_ROLE_TEXT;
    case TAccessibleRole::PasswordText:
        return ATK_ROLE_PASSWORD_TEXT;
    case TAccessibleRole::CheckBox:
        return ATK_ROLE_CHECK_BOX;
    case TAccessibleRole::RadioButton:
        return ATK_ROLE_RADIO_BUTTON;
    case TAccessibleRole::PushButton:
        return ATK_ROLE_PUSH_BUTTON;
    case TAccessibleRole::SpinButton:
        return ATK_ROLE_SPIN_BUTTON;
    case TAccessibleRole::Image:
        return ATK_ROLE_IMAGE;
    case TAccessibleRole::Table:
        return ATK_ROLE_TABLE;
    case TAccessibleRole::TableCell:
        return ATK_ROLE_TABLE_CELL;
    case TAccessibleRole::ColumnHeader:
        return ATK_ROLE_COLUMN_HEADER;
    case TAccessibleRole::Separator:
        return ATK_ROLE_SEPARATOR;
    }
    return ATK_ROLE_UNKNOWN;
}

void AddAtkStates(AtkStateSet* set, TAccessibleStates states) {
    for (const auto& s : kStateMap)
        if (states & s.bit) atk_state_set_add_state(set, s.atk);
}

void ExtentsIn(const TRect& screen, AtkObject* object, AtkCoordType coords, gint* x, gint* y,
               gint* width, gint* height) {
    gint ox = 0, oy = 0;
    if (coords == ATK_XY_WINDOW) {
        // Relative to the top-level window the object lies in.
        AtkObject* top = object;
        for (AtkObject* p = atk_object_get_parent(top); p && p != RootObject();
             p = atk_object_get_parent(p))
            top = p;
        if (top != object && ATK_IS_COMPONENT(top)) {
            gint w = 0, h = 0;
            atk_component_get_extents(ATK_COMPONENT(top), &ox, &oy, &w, &h, ATK_XY_SCREEN);
        } else if (top == object) {
            ox = screen.Left;
            oy = screen.Top;
        }
    } else if (coords == ATK_XY_PARENT) {
        AtkObject* parent = atk_object_get_parent(object);
        if (parent && parent != RootObject() && ATK_IS_COMPONENT(parent)) {
            gint w = 0, h = 0;
            atk_component_get_extents(ATK_COMPONENT(parent), &ox, &oy, &w, &h, ATK_XY_SCREEN);
        }
    }
    if (x) *x = screen.Left - ox;
    if (y) *y = screen.Top - oy;
    if (width) *width = screen.Width();
    if (height) *height = screen.Height();
}

void RunSoon(std::function<void()> action) {
    g_idle_add_full(G_PRIORITY_DEFAULT_IDLE, RunQueued,
                    new std::function<void()>(std::move(action)), DeleteQueued);
    WakeGLibPump();
}

std::vector<TControl*> TopLevelControls() {
    std::vector<TControl*> forms;
    if (!Screen) return forms;
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        if (form->Visible() && !form->Parent()) forms.push_back(form);
    }
    return forms;
}

bool IsExposed(const TControl* control) {
    while (control) {
        TWinControl* parent = control->Parent();
        if (!parent) {
            const std::vector<TControl*> top = TopLevelControls();
            return std::find(top.begin(), top.end(), control) != top.end();
        }
        const TAccessibleInfo info = AccessibleInfoOf(*parent);
        if (std::find(info.Children.begin(), info.Children.end(), control) == info.Children.end())
            return false;
        control = parent;
    }
    return false;
}

TControl* ExposedControl(TControl* control) {
    for (TControl* c = control; c; c = c->Parent())
        if (IsExposed(c)) return c;
    return nullptr;
}

AtkObject* ExistingControlObject(TControl* control) {
    if (!g_bridge || !control) return nullptr;
    auto found = g_bridge->objects.find(control);
    return found == g_bridge->objects.end() ? nullptr : found->second;
}

AtkObject* ControlObject(TControl* control) {
    if (!g_bridge || !control) return nullptr;
    if (AtkObject* existing = ExistingControlObject(control)) return existing;
    const TAccessibleInfo info = AccessibleInfoOf(*control);
    AtkObject* object = NewControlObject(control, InterfacesOf(info, !control->Parent()));
    TControlNode* node = NodeOf(object);
    // What it says now is the base the changes are told against.
    node->role = info.Role;
    node->name = ToUtf8(info.Name);
    node->description = ToUtf8(info.Description);
    node->states = info.States;
    node->text = ToUtf8(info.Text);
    node->value = info.Value;
    node->children = info.Children;
    if (info.Table) {
        node->rowCount = info.Table->AccessibleRowCount();
        node->selectedRow = info.Table->AccessibleSelectedRow();
    }
    g_bridge->objects[control] = object;
    return object;
}

AtkObject* RootObject() {
    if (!g_bridge) return nullptr;
    if (!g_bridge->root) {
        g_bridge->root = ATK_OBJECT(g_object_new(RootType(), nullptr));
        atk_object_initialize(g_bridge->root, nullptr);
        g_bridge->root->role = ATK_ROLE_APPLICATION;
        g_bridge->topLevels = TopLevelControls();
    }
    return g_bridge->root;
}

// --- start and stop ---

namespace {
bool HasSessionBus() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    return address && *address && std::strncmp(address, "disabled:", 9) != 0;
}
} // namespace

bool StartAccessibilityBridge(std::string& reason) {
    if (g_bridge) return true;
    const char* off = std::getenv("NO_AT_BRIDGE");
    if (off && std::strcmp(off, "1") == 0) {
        reason = "NO_AT_BRIDGE is set";
        return false;
    }
    if (!HasSessionBus()) {
        reason = "no session bus is named";
        return false;
    }
    g_bridge = new TBridge;
    InstallUtilHooks(RootObject);
    RootObject();
    if (atk_bridge_adaptor_init(nullptr, nullptr) != 0) {
        reason = "the accessibility bus cannot be reached";
        SetAccessibleListener(nullptr);
        return false;
    }
    SetAccessibleListener(g_bridge);
    StartGLibPump();
    return true;
}

void StopAccessibilityBridge() {
    if (!g_bridge) return;
    SetAccessibleListener(nullptr);
    StopGLibPump();
    atk_bridge_adaptor_cleanup();
}
