// The application's root object: named after the program, its children the shown forms.
#include "atkbridge/BridgeObjects.h"

#include "ui/Application.h"

namespace {

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

} // namespace

AtkObject* NewRootObject() {
    AtkObject* root = ATK_OBJECT(g_object_new(RootType(), nullptr));
    atk_object_initialize(root, nullptr);
    root->role = ATK_ROLE_APPLICATION;
    return root;
}
