// The decimal separator comes from the user's locale. A Russian locale is compiled into a
// temporary folder when the system has the locale sources; otherwise the test is skipped.
#include "TempDir.h"
#include "rtl/SysUtils.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>

namespace {

// Sets an environment variable for the scope's life.
class EnvScope {
public:
    EnvScope(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~EnvScope() {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

} // namespace

TEST(Locale, CLocaleUsesAPoint) {
    EnvScope all("LC_ALL", "C");
    TFormatSettings fs = LocaleFormatSettings();
    EXPECT_EQ(fs.DecimalSeparator, '.');
    EXPECT_EQ(fs.ThousandSeparator, ',');
}

TEST(Locale, UnknownLocaleFallsBackToAPoint) {
    EnvScope all("LC_ALL", "xx_NOWHERE.UTF-8");
    EXPECT_EQ(LocaleFormatSettings().DecimalSeparator, '.');
}

TEST(Locale, RussianLocaleUsesAComma) {
    if (std::system("command -v localedef >/dev/null 2>&1") != 0 ||
        !FileExists("/usr/share/i18n/locales/ru_RU"))
        GTEST_SKIP() << "no locale sources to build ru_RU from";
    TempDir dir;
    std::string cmd =
        "localedef -i ru_RU -f UTF-8 '" + dir.File("ru_RU.UTF-8") + "' >/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0 || !DirectoryExists(dir.File("ru_RU.UTF-8")))
        GTEST_SKIP() << "localedef could not build ru_RU";
    EnvScope path("LOCPATH", dir.Path().c_str());
    EnvScope all("LC_ALL", nullptr);
    EnvScope lang("LANG", "ru_RU.UTF-8");
    {
        EnvScope numeric("LC_NUMERIC", nullptr);
        TFormatSettings fs = LocaleFormatSettings();
        EXPECT_EQ(fs.DecimalSeparator, ',');
        EXPECT_EQ(fs.ThousandSeparator, ' '); // the no-break space, as a plain blank
        EXPECT_EQ(fs.DateSeparator, '.');
        EXPECT_EQ(fs.ShortDateFormat, "dd/mm/yyyy");
    }
    {
        // LC_NUMERIC wins over LANG for numbers.
        EnvScope numeric("LC_NUMERIC", "C");
        EXPECT_EQ(LocaleFormatSettings().DecimalSeparator, '.');
    }
}
