// The icon's menu on the session bus.
#include "platform/StatusNotifierMenu.h"

#include <algorithm>

#include "platform/DBusInterface.h"

namespace {

const TDBusInterface& MenuInterface() {
    static const TDBusInterface menu(
        "com.canonical.dbusmenu", {"Version u", "TextDirection s", "Status s", "IconThemePath as"},
        {"GetLayout(i parentId, i recursionDepth, as propertyNames)"
         " -> (u revision, (ia{sv}av) layout)",
         "GetGroupProperties(ai ids, as propertyNames) -> (a(ia{sv}) properties)",
         "GetProperty(i id, s name) -> (v value)", "Event(i id, s eventId, v data, u timestamp)",
         "EventGroup(a(isvu) events) -> (ai idErrors)", "AboutToShow(i id) -> (b needUpdate)",
         "AboutToShowGroup(ai ids) -> (ai updatesNeeded, ai idErrors)"},
        {"ItemsPropertiesUpdated(a(ia{sv}) updatedProps, a(ias) removedProps)",
         "LayoutUpdated(u revision, i parent)", "ItemActivationRequested(i id, u timestamp)"});
    return menu;
}

// The layout never changes while the icon is shown: one revision.
constexpr guint32 Revision = 1;

std::vector<std::string> Strings(GVariant* array) {
    std::vector<std::string> out;
    GVariantIter iter;
    const char* s = nullptr;
    g_variant_iter_init(&iter, array);
    while (g_variant_iter_next(&iter, "&s", &s)) out.emplace_back(s);
    return out;
}

bool Wanted(const std::vector<std::string>& names, const char* name) {
    return names.empty() || std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

TStatusNotifierMenu::TStatusNotifierMenu(std::vector<TrayMenuItemLayout> items, TTrayEmit emit)
    : m_items(std::move(items)), m_emit(std::move(emit)) {}

TStatusNotifierMenu::~TStatusNotifierMenu() {
    if (m_registration) g_dbus_connection_unregister_object(m_bus, m_registration);
}

bool TStatusNotifierMenu::Export(GDBusConnection* bus, const char* path, std::string& why) {
    static const GDBusInterfaceVTable vtable = {
        &TStatusNotifierMenu::Call, &TStatusNotifierMenu::Property, nullptr, {}};
    m_registration = MenuInterface().Export(bus, path, vtable, this, "menu", why);
    if (!m_registration) return false;
    m_bus = bus;
    return true;
}

GVariant* TStatusNotifierMenu::Properties(int id, const std::vector<std::string>& names) const {
    GVariantBuilder props;
    g_variant_builder_init(&props, G_VARIANT_TYPE("a{sv}"));
    if (id == 0) {
        if (Wanted(names, "children-display"))
            g_variant_builder_add(&props, "{sv}", "children-display",
                                  g_variant_new_string("submenu"));
        return g_variant_builder_end(&props);
    }
    const TrayMenuItemLayout* item = FindTrayMenuItem(m_items, id);
    if (item && item->separator) {
        if (Wanted(names, "type"))
            g_variant_builder_add(&props, "{sv}", "type", g_variant_new_string("separator"));
    } else if (item) {
        if (Wanted(names, "label"))
            g_variant_builder_add(&props, "{sv}", "label",
                                  g_variant_new_string(item->label.c_str()));
        if (Wanted(names, "enabled"))
            g_variant_builder_add(&props, "{sv}", "enabled", g_variant_new_boolean(item->enabled));
    }
    if (item && Wanted(names, "visible"))
        g_variant_builder_add(&props, "{sv}", "visible", g_variant_new_boolean(TRUE));
    return g_variant_builder_end(&props);
}

GVariant* TStatusNotifierMenu::Node(int id, int depth,
                                    const std::vector<std::string>& names) const {
    GVariantBuilder children;
    g_variant_builder_init(&children, G_VARIANT_TYPE("av"));
    if (id == 0 && depth != 0)
        for (const TrayMenuItemLayout& item : m_items)
            g_variant_builder_add(&children, "v", Node(item.id, depth - 1, names));
    return g_variant_new("(i@a{sv}av)", id, Properties(id, names), &children);
}

void TStatusNotifierMenu::Event(int id, const char* eventId) {
    // The root's events (opened, closed) and hovering need nothing.
    const TrayMenuItemLayout* item = FindTrayMenuItem(m_items, id);
    if (item && g_strcmp0(eventId, "clicked") == 0 && item->enabled && m_emit)
        m_emit(TrayEvent{TrayAction::MenuItem, id, 0, 0});
}

void TStatusNotifierMenu::Call(GDBusConnection*, const char*, const char*, const char*,
                               const char* method, GVariant* args,
                               GDBusMethodInvocation* invocation, gpointer data) {
    auto* self = static_cast<TStatusNotifierMenu*>(data);
    auto unknown = [invocation](int id) {
        g_dbus_method_invocation_return_error(invocation, G_DBUS_ERROR, G_DBUS_ERROR_INVALID_ARGS,
                                              "the menu has no item %d", id);
    };
    if (g_strcmp0(method, "GetLayout") == 0) {
        gint32 parent = 0, depth = -1;
        GVariant* names = nullptr;
        g_variant_get(args, "(ii@as)", &parent, &depth, &names);
        const std::vector<std::string> wanted = Strings(names);
        g_variant_unref(names);
        if (!self->Known(parent)) return unknown(parent);
        g_dbus_method_invocation_return_value(
            invocation,
            g_variant_new("(u@(ia{sv}av))", Revision, self->Node(parent, depth, wanted)));
    } else if (g_strcmp0(method, "GetGroupProperties") == 0) {
        GVariant* ids = nullptr;
        GVariant* names = nullptr;
        g_variant_get(args, "(@ai@as)", &ids, &names);
        const std::vector<std::string> wanted = Strings(names);
        std::vector<int> asked;
        GVariantIter iter;
        gint32 id = 0;
        g_variant_iter_init(&iter, ids);
        while (g_variant_iter_next(&iter, "i", &id)) asked.push_back(id);
        if (asked.empty()) {
            asked.push_back(0);
            for (const TrayMenuItemLayout& item : self->m_items) asked.push_back(item.id);
        }
        GVariantBuilder out;
        g_variant_builder_init(&out, G_VARIANT_TYPE("a(ia{sv})"));
        for (int each : asked)
            if (self->Known(each))
                g_variant_builder_add(&out, "(i@a{sv})", each, self->Properties(each, wanted));
        g_variant_unref(ids);
        g_variant_unref(names);
        g_dbus_method_invocation_return_value(invocation, g_variant_new("(a(ia{sv}))", &out));
    } else if (g_strcmp0(method, "GetProperty") == 0) {
        gint32 id = 0;
        const char* name = nullptr;
        g_variant_get(args, "(i&s)", &id, &name);
        if (!self->Known(id)) return unknown(id);
        GVariant* props = self->Properties(id, {name});
        GVariant* value = g_variant_lookup_value(props, name, nullptr);
        g_variant_unref(g_variant_ref_sink(props));
        if (!value)
            return g_dbus_method_invocation_return_error(
                invocation, G_DBUS_ERROR, G_DBUS_ERROR_INVALID_ARGS, "item %d has no %s", id, name);
        g_dbus_method_invocation_return_value(invocation, g_variant_new("(v)", value));
        g_variant_unref(value);
    } else if (g_strcmp0(method, "Event") == 0) {
        gint32 id = 0;
        const char* eventId = nullptr;
        GVariant* data = nullptr;
        guint32 timestamp = 0;
        g_variant_get(args, "(i&svu)", &id, &eventId, &data, &timestamp);
        g_variant_unref(data);
        if (!self->Known(id)) return unknown(id);
        // Answered before it is acted on: the action may end the program.
        g_dbus_method_invocation_return_value(invocation, nullptr);
        self->Event(id, eventId);
    } else if (g_strcmp0(method, "EventGroup") == 0) {
        GVariantIter* events = nullptr;
        g_variant_get(args, "(a(isvu))", &events);
        GVariantBuilder errors;
        g_variant_builder_init(&errors, G_VARIANT_TYPE("ai"));
        gint32 id = 0;
        const char* eventId = nullptr;
        GVariant* data = nullptr;
        guint32 timestamp = 0;
        std::vector<std::pair<int, std::string>> known;
        while (g_variant_iter_next(events, "(i&svu)", &id, &eventId, &data, &timestamp)) {
            if (self->Known(id))
                known.emplace_back(id, eventId);
            else
                g_variant_builder_add(&errors, "i", id);
            g_variant_unref(data);
        }
        g_variant_iter_free(events);
        g_dbus_method_invocation_return_value(invocation, g_variant_new("(ai)", &errors));
        for (const auto& [each, what] : known) self->Event(each, what.c_str());
    } else if (g_strcmp0(method, "AboutToShow") == 0) {
        g_dbus_method_invocation_return_value(invocation, g_variant_new("(b)", FALSE));
    } else if (g_strcmp0(method, "AboutToShowGroup") == 0) {
        GVariantBuilder updates, errors;
        g_variant_builder_init(&updates, G_VARIANT_TYPE("ai"));
        g_variant_builder_init(&errors, G_VARIANT_TYPE("ai"));
        g_dbus_method_invocation_return_value(invocation,
                                              g_variant_new("(aiai)", &updates, &errors));
    } else {
        g_dbus_method_invocation_return_error(invocation, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_METHOD,
                                              "no method %s", method);
    }
}

GVariant* TStatusNotifierMenu::Property(GDBusConnection*, const char*, const char*, const char*,
                                        const char* name, GError** error, gpointer) {
    GVariant* value = nullptr;
    if (g_strcmp0(name, "Version") == 0)
        value = g_variant_new_uint32(3);
    else if (g_strcmp0(name, "TextDirection") == 0)
        value = g_variant_new_string("ltr");
    else if (g_strcmp0(name, "Status") == 0)
        value = g_variant_new_string("normal");
    // No icon theme of its own: an empty list.
    return MenuInterface().PropertyReply(name, value, error);
}
