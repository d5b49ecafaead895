#include "platform/DBusInterface.h"

#include <string_view>
#include <utility>

namespace {

// A single complete type; the first type that is not is noted in `bad`.
std::string Checked(std::string_view type, std::string& bad) {
    std::string text(type);
    if (bad.empty() && (!g_variant_type_string_is_valid(text.c_str()) ||
                        !g_variant_type_is_definite(G_VARIANT_TYPE(text.c_str()))))
        bad = "\"" + text + "\" is not a D-Bus type";
    return text;
}

// A member or argument name (letters, digits and "_", not first a digit); the first that is
// not is noted in `bad`.
std::string Named(std::string_view name, std::string& bad) {
    std::string text(name);
    if (bad.empty() && !g_dbus_is_member_name(text.c_str()))
        bad = "\"" + text + "\" is not a D-Bus name";
    return text;
}

// "type name, type name" into <arg> elements, with a direction where one is given.
void AddArguments(std::string& xml, std::string_view list, const char* direction,
                  std::string& bad) {
    while (!list.empty()) {
        const size_t comma = list.find(", ");
        const std::string_view one = list.substr(0, comma);
        const size_t space = one.rfind(' ');
        xml += "<arg type=\"" + Checked(one.substr(0, space), bad) + "\"";
        if (space != std::string_view::npos)
            xml += " name=\"" + Named(one.substr(space + 1), bad) + "\"";
        if (direction) xml += std::string(" direction=\"") + direction + "\"";
        xml += "/>";
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 2);
    }
}

// The inside of "(...)"; the whole text where it is not in parentheses.
std::string_view Inside(std::string_view text) {
    if (text.size() >= 2 && text.front() == '(' && text.back() == ')')
        return text.substr(1, text.size() - 2);
    return text;
}

// "Name(in...) -> (out...)" into a <method> or <signal> element.
void AddMember(std::string& xml, const char* element, std::string_view text, bool directed,
               std::string& bad) {
    const size_t arrow = text.find(" -> ");
    const std::string_view head = text.substr(0, arrow);
    const size_t open = head.find('(');
    xml += std::string("<") + element + " name=\"" + Named(head.substr(0, open), bad) + "\">";
    if (open != std::string_view::npos)
        AddArguments(xml, Inside(head.substr(open)), directed ? "in" : nullptr, bad);
    if (arrow != std::string_view::npos)
        AddArguments(xml, Inside(text.substr(arrow + 4)), "out", bad);
    xml += std::string("</") + element + ">";
}

// The empty values of basic types in GVariant's text form; any other basic type is a number.
constexpr std::pair<char, const char*> BasicEmptyTexts[] = {
    {'b', "false"}, {'s', "''"}, {'o', "'/'"}, {'g', "''"}, {'v', "<''>"}};

std::string EmptyText(const GVariantType* type) {
    if (g_variant_type_is_array(type)) return "[]";
    if (g_variant_type_is_maybe(type)) return "nothing";
    if (g_variant_type_is_tuple(type)) {
        std::string items;
        for (const GVariantType* item = g_variant_type_first(type); item;
             item = g_variant_type_next(item))
            items += (items.empty() ? "" : ", ") + EmptyText(item);
        // A tuple of one is written with a comma after it.
        return "(" + items + (g_variant_type_n_items(type) == 1 ? ",)" : ")");
    }
    const char kind = g_variant_type_peek_string(type)[0];
    for (const auto& [basic, text] : BasicEmptyTexts)
        if (basic == kind) return text;
    return "0";
}

} // namespace

std::string DBusErrorText(GError* error) {
    std::string text = error ? error->message : "?";
    if (error) g_error_free(error);
    return text;
}

GVariant* EmptyDBusValue(const GVariantType* type) {
    return g_variant_parse(type, EmptyText(type).c_str(), nullptr, nullptr, nullptr);
}

GVariant* EmptyDBusValue(const char* type) {
    return EmptyDBusValue(G_VARIANT_TYPE(type));
}

TDBusInterface::TDBusInterface(std::string name, std::vector<std::string> properties,
                               std::vector<std::string> methods, std::vector<std::string> signals) {
    if (!g_dbus_is_interface_name(name.c_str()))
        m_parseError = "\"" + name + "\" is not a D-Bus interface name";
    m_xml = "<node><interface name=\"" + name + "\">";
    for (const std::string& p : properties) {
        const size_t space = p.find(' ');
        m_xml += "<property name=\"" + Named(p.substr(0, space), m_parseError) + "\" type=\"" +
                 Checked(space == std::string::npos ? "" : p.substr(space + 1), m_parseError) +
                 "\" access=\"read\"/>";
    }
    for (const std::string& m : methods) AddMember(m_xml, "method", m, true, m_parseError);
    for (const std::string& s : signals) AddMember(m_xml, "signal", s, false, m_parseError);
    m_xml += "</interface></node>";
    // A type GDBus would take here and refuse only on the first call is caught now.
    if (!m_parseError.empty()) return;
    GError* error = nullptr;
    m_node = g_dbus_node_info_new_for_xml(m_xml.c_str(), &error);
    if (!m_node)
        m_parseError = DBusErrorText(error);
    else if (!m_node->interfaces || !m_node->interfaces[0])
        m_parseError = "no interface";
}

TDBusInterface::~TDBusInterface() {
    if (m_node) g_dbus_node_info_unref(m_node);
}

GDBusInterfaceInfo* TDBusInterface::Info() const {
    return m_parseError.empty() && m_node ? m_node->interfaces[0] : nullptr;
}

unsigned TDBusInterface::Export(GDBusConnection* bus, const char* path,
                                const GDBusInterfaceVTable& vtable, gpointer self, const char* what,
                                std::string& why) const {
    const std::string failed = std::string("the ") + what + " cannot be exported: ";
    if (!Info()) {
        why = failed + m_parseError;
        return 0;
    }
    GError* error = nullptr;
    const unsigned id =
        g_dbus_connection_register_object(bus, path, Info(), &vtable, self, nullptr, &error);
    if (!id) why = failed + DBusErrorText(error);
    return id;
}

GVariant* TDBusInterface::PropertyReply(const char* name, GVariant* value, GError** error) const {
    GDBusPropertyInfo* property =
        Info() ? g_dbus_interface_info_lookup_property(Info(), name) : nullptr;
    if (!property) {
        if (value) g_variant_unref(g_variant_take_ref(value));
        g_set_error(error, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_PROPERTY, "no property %s", name);
        return nullptr;
    }
    return value ? value : EmptyDBusValue(property->signature);
}
