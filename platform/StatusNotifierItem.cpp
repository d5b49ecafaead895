// The icon as a status notifier item on the session bus.
#include "platform/StatusNotifierItem.h"

#include <gio/gio.h>
#include <unistd.h>

#include <atomic>

#include "platform/DBusInterface.h"
#include "platform/StatusNotifierMenu.h"
#include "platform/TrayIconPixels.h"

namespace {

const TDBusInterface& ItemInterface() {
    static const TDBusInterface item(
        "org.kde.StatusNotifierItem",
        {"Category s", "Id s", "Title s", "Status s", "WindowId i", "IconName s",
         "IconPixmap a(iiay)", "OverlayIconName s", "OverlayIconPixmap a(iiay)",
         "AttentionIconName s", "AttentionIconPixmap a(iiay)", "AttentionMovieName s",
         "ToolTip (sa(iiay)ss)", "ItemIsMenu b", "Menu o"},
        {"ContextMenu(i x, i y)", "Activate(i x, i y)", "SecondaryActivate(i x, i y)",
         "Scroll(i delta, s orientation)"},
        {"NewTitle", "NewIcon", "NewAttentionIcon", "NewOverlayIcon", "NewToolTip",
         "NewStatus(s status)"});
    return item;
}

constexpr const char* ItemPath = "/StatusNotifierItem";
constexpr const char* MenuPath = "/MenuBar";
constexpr const char* Watcher = "org.kde.StatusNotifierWatcher";
constexpr const char* WatcherPath = "/StatusNotifierWatcher";
// A desktop answers within this, or it is not taken to have a status area (milliseconds).
constexpr int CallTimeout = 2000;

// A call on the bus, waited for; the reply or nothing with the reason in `why`.
GVariant* CallSync(GDBusConnection* bus, const char* name, const char* path, const char* iface,
                   const char* method, GVariant* args, const char* replyType, std::string& why) {
    GError* error = nullptr;
    GVariant* reply = g_dbus_connection_call_sync(
        bus, name, path, iface, method, args, replyType ? G_VARIANT_TYPE(replyType) : nullptr,
        G_DBUS_CALL_FLAGS_NO_AUTO_START, CallTimeout, nullptr, &error);
    if (!reply) why = DBusErrorText(error);
    return reply;
}

// a(iiay) of every picture.
GVariant* Pixmaps(const TrayIconContent& content) {
    GVariantBuilder list;
    g_variant_builder_init(&list, G_VARIANT_TYPE("a(iiay)"));
    for (const TrayPicture& p : content.pictures) {
        const std::vector<uint8_t> bytes = ArgbNetworkOrder(p);
        if (bytes.empty()) continue;
        GVariant* data =
            g_variant_new_fixed_array(G_VARIANT_TYPE_BYTE, bytes.data(), bytes.size(), 1);
        g_variant_builder_add(&list, "(ii@ay)", p.width, p.height, data);
    }
    return g_variant_builder_end(&list);
}

class TStatusNotifierItem : public TTrayBackend {
public:
    TStatusNotifierItem(const TrayIconContent& content, TTrayEmit emit)
        : m_content(content), m_emit(std::move(emit)),
          m_menu(std::make_unique<TStatusNotifierMenu>(TrayMenuLayout(content.menu), m_emit)) {}

    ~TStatusNotifierItem() override {
        if (!m_bus) return;
        if (m_watchId) g_dbus_connection_signal_unsubscribe(m_bus, m_watchId);
        if (m_closedId) g_signal_handler_disconnect(m_bus, m_closedId);
        if (m_itemId) g_dbus_connection_unregister_object(m_bus, m_itemId);
        m_menu.reset(); // it unregisters itself from the connection, which must still be there
        // Replies already given go out first (a Close in the menu is answered before the
        // program ends); closing then drops the name, and the host forgets the item.
        g_dbus_connection_flush_sync(m_bus, nullptr, nullptr);
        g_dbus_connection_close_sync(m_bus, nullptr, nullptr);
        g_object_unref(m_bus);
    }

    const char* Protocol() const override { return "status notifier"; }

    bool Start(std::string& why) {
        GError* error = nullptr;
        char* address = g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SESSION, nullptr, &error);
        if (!address) {
            why = "no session bus: " + DBusErrorText(error);
            return false;
        }
        m_bus = g_dbus_connection_new_for_address_sync(
            address,
            GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                 G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, &error);
        g_free(address);
        if (!m_bus) {
            why = "no session bus: " + DBusErrorText(error);
            return false;
        }
        if (!WatcherShowsItems(why)) return false;
        if (!Export(why)) return false;
        if (!Register(why)) return false;
        WatchWatcher();
        return true;
    }

private:
    // A watcher on the bus, with a host that shows what registers with it.
    bool WatcherShowsItems(std::string& why) {
        std::string error;
        GVariant* owned =
            CallSync(m_bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                     "NameHasOwner", g_variant_new("(s)", Watcher), "(b)", error);
        if (!owned) {
            why = "the session bus does not answer: " + error;
            return false;
        }
        gboolean has = FALSE;
        g_variant_get(owned, "(b)", &has);
        g_variant_unref(owned);
        if (!has) {
            why = "no status notifier watcher on the session bus";
            return false;
        }
        GVariant* host = CallSync(
            m_bus, Watcher, WatcherPath, "org.freedesktop.DBus.Properties", "Get",
            g_variant_new("(ss)", Watcher, "IsStatusNotifierHostRegistered"), "(v)", error);
        // A watcher that cannot say is taken at its word that it shows items.
        if (!host) return true;
        GVariant* value = nullptr;
        g_variant_get(host, "(v)", &value);
        const bool registered =
            !g_variant_is_of_type(value, G_VARIANT_TYPE_BOOLEAN) || g_variant_get_boolean(value);
        g_variant_unref(value);
        g_variant_unref(host);
        if (!registered) why = "the status notifier watcher has no host to show items";
        return registered;
    }

    bool Export(std::string& why) {
        static const GDBusInterfaceVTable vtable = {
            &TStatusNotifierItem::Call, &TStatusNotifierItem::Property, nullptr, {}};
        m_itemId = ItemInterface().Export(m_bus, ItemPath, vtable, this, "item", why);
        return m_itemId && m_menu->Export(m_bus, MenuPath, why);
    }

    bool Register(std::string& why) {
        static std::atomic<int> count{0};
        m_name = "org.kde.StatusNotifierItem-" + std::to_string(getpid()) + "-" +
                 std::to_string(++count);
        std::string error;
        GVariant* reply =
            CallSync(m_bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                     "RequestName", g_variant_new("(su)", m_name.c_str(), 4u), "(u)", error);
        if (!reply) {
            why = "the item's name cannot be had: " + error;
            return false;
        }
        guint32 result = 0;
        g_variant_get(reply, "(u)", &result);
        g_variant_unref(reply);
        if (result != 1) {
            why = "the item's name " + m_name + " is taken";
            return false;
        }
        reply = CallSync(m_bus, Watcher, WatcherPath, Watcher, "RegisterStatusNotifierItem",
                         g_variant_new("(s)", m_name.c_str()), nullptr, error);
        if (!reply) {
            why = "the status notifier watcher refused the item: " + error;
            return false;
        }
        g_variant_unref(reply);
        return true;
    }

    // The watcher (or the whole bus) going away takes the icon with it.
    void WatchWatcher() {
        m_watchId = g_dbus_connection_signal_subscribe(
            m_bus, "org.freedesktop.DBus", "org.freedesktop.DBus", "NameOwnerChanged",
            "/org/freedesktop/DBus", Watcher, G_DBUS_SIGNAL_FLAGS_NONE,
            &TStatusNotifierItem::OwnerChanged, this, nullptr);
        m_closedId =
            g_signal_connect(m_bus, "closed", G_CALLBACK(&TStatusNotifierItem::Closed), this);
    }

    void Lost() {
        if (m_lost) return;
        m_lost = true;
        if (m_emit) m_emit(TrayEvent{TrayAction::Lost, 0, 0, 0});
    }

    static void OwnerChanged(GDBusConnection*, const char*, const char*, const char*, const char*,
                             GVariant* args, gpointer data) {
        const char* name = nullptr;
        const char* before = nullptr;
        const char* after = nullptr;
        g_variant_get(args, "(&s&s&s)", &name, &before, &after);
        if (!after || !*after) static_cast<TStatusNotifierItem*>(data)->Lost();
    }

    static void Closed(GDBusConnection*, gboolean, GError*, gpointer data) {
        static_cast<TStatusNotifierItem*>(data)->Lost();
    }

    static void Call(GDBusConnection*, const char*, const char*, const char*, const char* method,
                     GVariant* args, GDBusMethodInvocation* invocation, gpointer data) {
        auto* self = static_cast<TStatusNotifierItem*>(data);
        gint32 x = 0, y = 0;
        if (g_strcmp0(method, "Activate") == 0 || g_strcmp0(method, "SecondaryActivate") == 0) {
            g_variant_get(args, "(ii)", &x, &y);
            if (self->m_emit) self->m_emit(TrayEvent{TrayAction::Activate, 0, x, y});
        } else if (g_strcmp0(method, "ContextMenu") == 0) {
            g_variant_get(args, "(ii)", &x, &y);
            if (self->m_emit) self->m_emit(TrayEvent{TrayAction::ContextMenu, 0, x, y});
        } else if (g_strcmp0(method, "Scroll") != 0) {
            g_dbus_method_invocation_return_error(
                invocation, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_METHOD, "no method %s", method);
            return;
        }
        g_dbus_method_invocation_return_value(invocation, nullptr);
    }

    static GVariant* Property(GDBusConnection*, const char*, const char*, const char*,
                              const char* name, GError** error, gpointer data) {
        auto* self = static_cast<TStatusNotifierItem*>(data);
        const TrayIconContent& c = self->m_content;
        auto is = [name](const char* n) { return g_strcmp0(name, n) == 0; };
        GVariant* value = nullptr;
        if (is("Category"))
            value = g_variant_new_string("ApplicationStatus");
        else if (is("Id"))
            value = g_variant_new_string(c.id.c_str());
        else if (is("Title"))
            value = g_variant_new_string(c.title.c_str());
        else if (is("Status"))
            value = g_variant_new_string("Active");
        else if (is("IconPixmap"))
            value = Pixmaps(c);
        else if (is("ToolTip"))
            value = g_variant_new("(sa(iiay)ss)", "", nullptr, c.title.c_str(), c.toolTip.c_str());
        else if (is("Menu"))
            value = g_variant_new_object_path(MenuPath);
        // The rest are empty: no window, no named icons, no overlay or attention, not a menu
        // alone.
        return ItemInterface().PropertyReply(name, value, error);
    }

    TrayIconContent m_content;
    TTrayEmit m_emit;
    std::unique_ptr<TStatusNotifierMenu> m_menu;
    GDBusConnection* m_bus = nullptr;
    std::string m_name;
    unsigned m_itemId = 0;
    unsigned m_watchId = 0;
    gulong m_closedId = 0;
    bool m_lost = false;
};

} // namespace

std::unique_ptr<TTrayBackend> MakeStatusNotifierItem(const TrayIconContent& content, TTrayEmit emit,
                                                     std::string& why) {
    auto item = std::make_unique<TStatusNotifierItem>(content, std::move(emit));
    if (!item->Start(why)) return nullptr;
    return item;
}
