#pragma once
// Inside the tray module: the icon's menu on the session bus (com.canonical.dbusmenu), laid out
// from TrayMenuLayout; a click on an entry is told as a MenuItem event.
#include <gio/gio.h>

#include <string>
#include <vector>

#include "platform/TrayBackend.h"
#include "platform/TrayMenuLayout.h"

class TStatusNotifierMenu {
public:
    TStatusNotifierMenu(std::vector<TrayMenuItemLayout> items, TTrayEmit emit);
    ~TStatusNotifierMenu();
    // Exports the menu at `path`; false with the reason in `why`.
    bool Export(GDBusConnection* bus, const char* path, std::string& why);

private:
    static void Call(GDBusConnection*, const char* sender, const char* path, const char* iface,
                     const char* method, GVariant* args, GDBusMethodInvocation* invocation,
                     gpointer self);
    static GVariant* Property(GDBusConnection*, const char* sender, const char* path,
                              const char* iface, const char* name, GError** error, gpointer self);
    // (ia{sv}av) of the root (id 0) or an item, with its children down to `depth` (-1: all).
    GVariant* Node(int id, int depth, const std::vector<std::string>& names) const;
    // a{sv} of the root (id 0) or an item, only the properties named (all when none are).
    GVariant* Properties(int id, const std::vector<std::string>& names) const;
    bool Known(int id) const { return id == 0 || FindTrayMenuItem(m_items, id); }
    // An "Event" of the bus's menu (after it was answered): a click on an enabled entry is told.
    void Event(int id, const char* eventId);

    std::vector<TrayMenuItemLayout> m_items;
    TTrayEmit m_emit;
    GDBusConnection* m_bus = nullptr;
    unsigned m_registration = 0;
};
