#pragma once
// Inside the tray module: what the objects it exports on the session bus (the status
// notifier item and its menu) share. An interface is described in a few lines instead of its
// introspection XML, exported from that description, and its read-only properties are
// answered with the empty value of their type where the object has nothing to say.
#include <gio/gio.h>

#include <string>
#include <vector>

// The text of a GLib error, which is freed; "?" for none.
std::string DBusErrorText(GError* error);

// The empty value of a D-Bus type: "" for a string, "/" for an object path, 0, false, an
// empty array, a tuple of empty values, a variant holding "". A full reference (not
// floating): the caller owns it.
GVariant* EmptyDBusValue(const GVariantType* type);
GVariant* EmptyDBusValue(const char* type);

class TDBusInterface {
public:
    // `properties`: "Name type" each, all read-only.
    // `methods`: "Name(type arg, ...)", with " -> (type arg, ...)" after it for what it returns.
    // `signals`: "Name" or "Name(type arg, ...)".
    TDBusInterface(std::string name, std::vector<std::string> properties,
                   std::vector<std::string> methods, std::vector<std::string> signals);
    ~TDBusInterface();
    TDBusInterface(const TDBusInterface&) = delete;
    TDBusInterface& operator=(const TDBusInterface&) = delete;

    // The introspection XML of the description.
    const std::string& Xml() const { return m_xml; }
    // The parsed interface; null where the description is not well formed (`ParseError`).
    GDBusInterfaceInfo* Info() const;
    const std::string& ParseError() const { return m_parseError; }

    // Exports `self` at `path` with `vtable`: the registration, or 0 with the reason in `why`
    // ("the WHAT cannot be exported: ...").
    unsigned Export(GDBusConnection* bus, const char* path, const GDBusInterfaceVTable& vtable,
                    gpointer self, const char* what, std::string& why) const;

    // The answer to reading property `name`: `value` where the object gives one (taken), else
    // the empty value of the property's type; an error for a property it does not have.
    GVariant* PropertyReply(const char* name, GVariant* value, GError** error) const;

private:
    std::string m_xml;
    std::string m_parseError;
    GDBusNodeInfo* m_node = nullptr;
};
