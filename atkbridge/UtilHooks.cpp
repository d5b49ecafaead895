// ATK's process-wide functions, answered for this program.
#include "atkbridge/UtilHooks.h"

#include <map>
#include <string>

namespace {

AtkObject* (*g_root)() = nullptr;

struct TListener {
    guint signal;
    gulong hook;
};
std::map<guint, TListener> g_listeners;
guint g_nextListener = 1;

// "Toolkit:Type:signal" (the toolkit part is not looked at): an emission hook on that
// signal of that type. Other forms are not ours to serve (0).
guint AddGlobalEventListener(GSignalEmissionHook listener, const gchar* event) {
    const std::string eventName = event ? event : "";
    const size_t first = eventName.find(':');
    const size_t second =
        first == std::string::npos ? std::string::npos : eventName.find(':', first + 1);
    if (second == std::string::npos) return 0;
    const std::string typeName = eventName.substr(first + 1, second - first - 1);
    const std::string signalName = eventName.substr(second + 1);
    const GType type = g_type_from_name(typeName.c_str());
    if (!type) return 0;
    // An interface's or class's signals exist only once the type is initialised.
    gpointer klass = nullptr;
    if (G_TYPE_IS_INTERFACE(type))
        klass = g_type_default_interface_ref(type);
    else
        klass = g_type_class_ref(type);
    const guint signal = g_signal_lookup(signalName.c_str(), type);
    if (!signal) return 0;
    (void)klass; // kept for the process's life, as the hooks are
    const gulong hook = g_signal_add_emission_hook(signal, 0, listener, g_strdup(event), g_free);
    const guint id = g_nextListener++;
    g_listeners[id] = {signal, hook};
    return id;
}

void RemoveGlobalEventListener(guint id) {
    auto found = g_listeners.find(id);
    if (found == g_listeners.end()) return;
    g_signal_remove_emission_hook(found->second.signal, found->second.hook);
    g_listeners.erase(found);
}

// Keys reach the program through its display, not through ATK: no key snooping.
guint AddKeyEventListener(AtkKeySnoopFunc, gpointer) {
    return 0;
}
void RemoveKeyEventListener(guint) {}

AtkObject* GetRoot() {
    return g_root ? g_root() : nullptr;
}

const gchar* GetToolkitName() {
    return "brelvan";
}

const gchar* GetToolkitVersion() {
    return "1";
}

} // namespace

void InstallUtilHooks(AtkObject* (*root)()) {
    g_root = root;
    auto* util = static_cast<AtkUtilClass*>(g_type_class_ref(ATK_TYPE_UTIL));
    util->add_global_event_listener = AddGlobalEventListener;
    util->remove_global_event_listener = RemoveGlobalEventListener;
    util->add_key_event_listener = AddKeyEventListener;
    util->remove_key_event_listener = RemoveKeyEventListener;
    util->get_root = GetRoot;
    util->get_toolkit_name = GetToolkitName;
    util->get_toolkit_version = GetToolkitVersion;
}
