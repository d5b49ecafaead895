// The bridge: the objects of the controls, the application's root, what the controls'
// changes are announced as, and the start on a session bus.
#include "atkbridge/AtkBridge.h"

#include <atk-bridge.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <unordered_map>

#include "atkbridge/BridgeObjects.h"
#include "atkbridge/GLibPump.h"
#include "atkbridge/UtilHooks.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Screen.h"

namespace {

// --- what the controls' changes become on the bus ---

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
        node->states = info.States;
        for (const TAtkStateOf& s : AtkStateMappings()) {
            if (!(changed & s.bit)) continue;
            atk_object_notify_state_change(object, s.atk, (info.States & s.bit) != 0);
        }
        if (changed & asActive) {
            if (g_type_is_a(G_OBJECT_TYPE(object), ATK_TYPE_WINDOW))
                g_signal_emit_by_name(object, info.States & asActive ? "activate" : "deactivate");
        }
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
        g_bridge->root = NewRootObject();
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

namespace {
bool StartBridge(std::string& reason) {
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

} // namespace

extern "C" int brelvan_start_accessibility(char* reason, size_t size) {
    std::string why;
    const bool started = StartBridge(why);
    if (reason && size > 0) {
        const size_t n = std::min(why.size(), size - 1);
        why.copy(reason, n);
        reason[n] = 0;
    }
    return started ? 1 : 0;
}

extern "C" void brelvan_stop_accessibility() {
    if (!g_bridge) return;
    SetAccessibleListener(nullptr);
    StopGLibPump();
    atk_bridge_adaptor_cleanup();
}
