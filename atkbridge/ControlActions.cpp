// A control's place on the screen, its focus, and its actions (run after the request is
// answered).
#include "atkbridge/BridgeObjects.h"
#include "atkbridge/ControlInterfaces.h"

#include "ui/Control.h"
#include "ui/WinControl.h"

namespace {

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

} // namespace

void ComponentInit(gpointer iface, gpointer) {
    auto* c = static_cast<AtkComponentIface*>(iface);
    c->get_extents = GetExtents;
    c->grab_focus = GrabFocus;
    c->get_layer = GetLayer;
    c->ref_accessible_at_point = RefAccessibleAtPoint;
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
