// GUIDs: distinct, version 4 from the generator, and their exact text form both ways.
#include "platform/Guid.h"
#include "rtl/SysUtils.h"

#include <gtest/gtest.h>
#include <set>

TEST(Guid, NewOnesAreDistinctAndRoundTrip) {
    std::set<std::string> texts;
    for (int i = 0; i < 500; ++i) {
        TGUID g = NewGuid();
        EXPECT_FALSE(IsNullGuid(g));
        std::string t = GuidToString(g);
        ASSERT_EQ(t.size(), 38u);
        EXPECT_EQ(t[15], '4') << t; // random GUIDs carry version 4
        EXPECT_EQ(StringToGuid(t), g);
        texts.insert(t);
    }
    EXPECT_EQ(texts.size(), 500u);
}

TEST(Guid, TextLayout) {
    TGUID g;
    g.D1 = 0x0123ABCD;
    g.D2 = 0x00EF;
    g.D3 = 0x4567;
    const uint8_t tail[8] = {0x89, 0xAB, 0x00, 0x01, 0x02, 0x03, 0xFE, 0xFF};
    std::copy(tail, tail + 8, g.D4);
    EXPECT_EQ(GuidToString(g), "{0123ABCD-00EF-4567-89AB-00010203FEFF}");
    EXPECT_EQ(StringToGuid("{0123abcd-00ef-4567-89ab-00010203feff}"), g);
    EXPECT_EQ(GuidToString(TGUID{}), "{00000000-0000-0000-0000-000000000000}");
}

TEST(Guid, MalformedTextRaises) {
    const char* bad[] = {"",
                         "0123ABCD-00EF-4567-89AB-00010203FEFF",
                         "{0123ABCD-00EF-4567-89AB-00010203FEF}",
                         "{0123ABCD-00EF-4567-89AB-00010203FEFF",
                         "{0123ABCD_00EF-4567-89AB-00010203FEFF}",
                         "{0123ABCG-00EF-4567-89AB-00010203FEFF}",
                         "{0123ABCD-00EF-4567-89AB-00010203FEFF} "};
    for (const char* s : bad) {
        TGUID g;
        EXPECT_FALSE(TryStringToGuid(s, g)) << s;
    }
    try {
        StringToGuid("{nope}");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'{nope}' is not a valid GUID value");
    }
}
