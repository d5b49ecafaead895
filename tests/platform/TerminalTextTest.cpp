// Text typed on the terminal reaches the service in code page 1251, or is refused whole with
// the reason; nothing is replaced by a look-alike.
#include "platform/TerminalText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

struct Converted {
    bool ok = false;
    AnsiString ansi;
    std::string error;
};

Converted Convert(std::string_view text, const std::string& encoding) {
    Converted c;
    c.ok = TerminalTextToAnsi(text, encoding, c.ansi, c.error);
    return c;
}

// Sets one variable of the environment for the scope of a test.
class EnvironmentScope {
public:
    EnvironmentScope(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_saved = old;
        setenv(name, value, 1);
    }
    ~EnvironmentScope() {
        if (m_saved)
            setenv(m_name, m_saved->c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_saved;
};

} // namespace

TEST(TerminalText, Utf8BecomesCodePage1251) {
    Converted c = Convert("\xD0\xB4\xD0\xB5\xD0\xBC\xD0\xBE-42 \xE2\x84\x96\xE2\x82\xAC", "UTF-8");
    ASSERT_TRUE(c.ok) << c.error;
    EXPECT_EQ(c.ansi, "\xE4\xE5\xEC\xEE-42 \xB9\x88"); // the sign of number and the euro too
    EXPECT_TRUE(Convert("", "UTF-8").ok);
    EXPECT_EQ(Convert("plain", "utf8").ansi, "plain");
}

TEST(TerminalText, OtherTerminalEncodingsToo) {
    EXPECT_EQ(Convert("\xE4\xE5\xEC\xEE", "CP1251").ansi, "\xE4\xE5\xEC\xEE");
    EXPECT_EQ(Convert("\xE4\xE5\xEC\xEE", "windows-1251").ansi, "\xE4\xE5\xEC\xEE");
    Converted koi = Convert("\xC4\xC5\xCD\xCF", "KOI8-R");
    ASSERT_TRUE(koi.ok) << koi.error;
    EXPECT_EQ(koi.ansi, "\xE4\xE5\xEC\xEE");
    EXPECT_FALSE(Convert("x", "NO-SUCH-ENCODING").ok);
}

TEST(TerminalText, ACharacterTheCodePageCannotHoldIsNamed) {
    Converted c = Convert("ab\xE6\x97\xA5z", "UTF-8"); // a CJK character
    EXPECT_FALSE(c.ok);
    EXPECT_EQ(c.ansi, "");
    EXPECT_EQ(c.error, "\"\xE6\x97\xA5\" has no place in code page 1251");
}

TEST(TerminalText, BytesThatAreNoTextInTheEncodingAreRefused) {
    for (std::string_view bad :
         {std::string_view("a\xFF"), std::string_view("\xD0"), std::string_view("\xC0\xAF")}) {
        Converted c = Convert(bad, "UTF-8");
        EXPECT_FALSE(c.ok);
        EXPECT_EQ(c.error, "the text is not valid UTF-8 (the terminal's encoding)");
    }
}

TEST(TerminalText, TheEncodingComesFromTheLocaleAndTheCLocaleReadsAsUtf8) {
    {
        EnvironmentScope all("LC_ALL", "C.UTF-8");
        EXPECT_EQ(TerminalEncoding(), "UTF-8");
    }
    EnvironmentScope all("LC_ALL", "C");
    EXPECT_EQ(TerminalEncoding(), "UTF-8");
}
