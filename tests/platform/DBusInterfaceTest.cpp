// The tray module's description of its bus interfaces: the XML made from a few lines, the
// empty values of types, and the property replies built on both.
#include "platform/DBusInterface.h"

#include <gtest/gtest.h>

namespace {

// Prints and drops `value`, floating or not.
std::string Printed(GVariant* value) {
    if (g_variant_is_floating(value)) g_variant_ref_sink(value);
    gchar* text = g_variant_print(value, TRUE);
    std::string out = text;
    g_free(text);
    g_variant_unref(value);
    return out;
}

const TDBusInterface& Sample() {
    static const TDBusInterface sample(
        "org.example.Sample", {"Title s", "Pixmaps a(iiay)", "Tip (sa(iiay)ss)", "Menu o"},
        {"Poke", "Move(i x, i y)",
         "Layout(i parentId, as propertyNames) -> (u revision, (ia{sv}av) layout)"},
        {"Changed", "NewStatus(s status)"});
    return sample;
}

} // namespace

TEST(DBusInterface, TheLinesBecomeTheInterfaceWithEveryArgumentAndDirection) {
    GDBusInterfaceInfo* info = Sample().Info();
    ASSERT_NE(info, nullptr) << Sample().ParseError() << "\n" << Sample().Xml();
    EXPECT_STREQ(info->name, "org.example.Sample");
    GDBusPropertyInfo* tip = g_dbus_interface_info_lookup_property(info, "Tip");
    ASSERT_NE(tip, nullptr);
    EXPECT_STREQ(tip->signature, "(sa(iiay)ss)");
    EXPECT_EQ(tip->flags, G_DBUS_PROPERTY_INFO_FLAGS_READABLE);
    GDBusMethodInfo* poke = g_dbus_interface_info_lookup_method(info, "Poke");
    ASSERT_NE(poke, nullptr);
    EXPECT_EQ(poke->in_args[0], nullptr);
    EXPECT_EQ(poke->out_args[0], nullptr);
    GDBusMethodInfo* layout = g_dbus_interface_info_lookup_method(info, "Layout");
    ASSERT_NE(layout, nullptr);
    ASSERT_NE(layout->in_args[0], nullptr);
    ASSERT_NE(layout->in_args[1], nullptr);
    EXPECT_EQ(layout->in_args[2], nullptr);
    EXPECT_STREQ(layout->in_args[0]->name, "parentId");
    EXPECT_STREQ(layout->in_args[1]->signature, "as");
    ASSERT_NE(layout->out_args[1], nullptr);
    EXPECT_EQ(layout->out_args[2], nullptr);
    EXPECT_STREQ(layout->out_args[0]->signature, "u");
    EXPECT_STREQ(layout->out_args[1]->name, "layout");
    EXPECT_STREQ(layout->out_args[1]->signature, "(ia{sv}av)");
    GDBusSignalInfo* status = g_dbus_interface_info_lookup_signal(info, "NewStatus");
    ASSERT_NE(status, nullptr);
    ASSERT_NE(status->args[0], nullptr);
    EXPECT_STREQ(status->args[0]->signature, "s");
    EXPECT_EQ(status->args[1], nullptr);
    EXPECT_NE(g_dbus_interface_info_lookup_signal(info, "Changed"), nullptr);
}

TEST(DBusInterface, AMalformedDescriptionIsToldAndNothingIsExported) {
    for (const TDBusInterface* bad :
         {new TDBusInterface("org.example.Bad", {"Title a("}, {}, {}),
          new TDBusInterface("org.example.Bad", {"Title"}, {}, {}),
          new TDBusInterface("org.example.Bad", {}, {"Get(i id) -> (x value, (ai list)"}, {}),
          new TDBusInterface("org.example.Bad", {}, {}, {"Changed(q+ what)"}),
          new TDBusInterface("org.example.Bad", {"Ti<tle s"}, {}, {}),
          new TDBusInterface("org.example.Bad", {}, {"Move(i x\" y)"}, {}),
          new TDBusInterface("Bad", {"Title s"}, {}, {})}) {
        EXPECT_EQ(bad->Info(), nullptr) << bad->Xml();
        EXPECT_FALSE(bad->ParseError().empty()) << bad->Xml();
        delete bad;
    }
    const TDBusInterface broken("org.example.Broken", {"Title a("}, {}, {});
    EXPECT_EQ(broken.ParseError(), "\"a(\" is not a D-Bus type");
    const GDBusInterfaceVTable vtable = {nullptr, nullptr, nullptr, {}};
    std::string why;
    EXPECT_EQ(broken.Export(nullptr, "/x", vtable, nullptr, "thing", why), 0u);
    EXPECT_EQ(why.rfind("the thing cannot be exported: ", 0), 0u) << why;
    GError* error = nullptr;
    EXPECT_EQ(broken.PropertyReply("Title", nullptr, &error), nullptr);
    EXPECT_NE(DBusErrorText(error), "?");
}

TEST(DBusInterface, EmptyValuesHaveTheirTypeAndNothingIn) {
    EXPECT_EQ(Printed(EmptyDBusValue("s")), "''");
    EXPECT_EQ(Printed(EmptyDBusValue("o")), "objectpath '/'");
    EXPECT_EQ(Printed(EmptyDBusValue("b")), "false");
    EXPECT_EQ(Printed(EmptyDBusValue("i")), "0");
    EXPECT_EQ(Printed(EmptyDBusValue("u")), "uint32 0");
    EXPECT_EQ(Printed(EmptyDBusValue("as")), "@as []");
    EXPECT_EQ(Printed(EmptyDBusValue("a{sv}")), "@a{sv} {}");
    EXPECT_EQ(Printed(EmptyDBusValue("(sa(iiay)ss)")), "('', @a(iiay) [], '', '')");
    EXPECT_EQ(Printed(EmptyDBusValue("v")), "<''>");
    EXPECT_EQ(Printed(EmptyDBusValue("d")), "0.0");
    EXPECT_EQ(Printed(EmptyDBusValue("(i)")), "(0,)");
    EXPECT_EQ(Printed(EmptyDBusValue("()")), "()");
    EXPECT_EQ(Printed(EmptyDBusValue("mi")), "@mi nothing");
    EXPECT_EQ(Printed(EmptyDBusValue("(ia{sv}av)")), "(0, @a{sv} {}, @av [])");
}

TEST(DBusInterface, PropertyRepliesGiveTheValueOrTheEmptyOneOfTheDeclaredType) {
    GError* error = nullptr;
    EXPECT_EQ(Printed(Sample().PropertyReply("Title", g_variant_new_string("Tray"), &error)),
              "'Tray'");
    EXPECT_EQ(Printed(Sample().PropertyReply("Pixmaps", nullptr, &error)), "@a(iiay) []");
    EXPECT_EQ(Printed(Sample().PropertyReply("Menu", nullptr, &error)), "objectpath '/'");
    EXPECT_EQ(error, nullptr);
    EXPECT_EQ(Sample().PropertyReply("Nothing", g_variant_new_string("lost"), &error), nullptr);
    ASSERT_NE(error, nullptr);
    EXPECT_TRUE(g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_PROPERTY));
    EXPECT_EQ(DBusErrorText(error), "no property Nothing");
    EXPECT_EQ(DBusErrorText(nullptr), "?");
}
