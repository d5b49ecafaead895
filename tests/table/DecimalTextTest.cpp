#include "table/DecimalText.h"

#include "rtl/NumberText.h"
#include "tests/table/TableTestSupport.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

// What the general number reader makes of `text` written with `mark`.
double GeneralReading(const std::string& text, char mark) {
    TFormatSettings settings = FormatSettings;
    settings.DecimalSeparator = mark;
    return StrToFloat(text, settings);
}

} // namespace

// Plain decimals take a quicker road than other texts; it must give the very same doubles,
// including those that are not exact in binary and the longest digit runs.
TEST(DecimalText, PlainDecimalsReadExactlyAsTheGeneralReaderReadsThem) {
    std::vector<std::string> texts = {"0,1",
                                      "0,3",
                                      "1,005",
                                      "2,675",
                                      "1,01",
                                      "1000",
                                      "0",
                                      "00,50",
                                      ",5",
                                      "5,",
                                      "999999999999999",
                                      "0,000000000000001",
                                      "123456789012,345",
                                      "9007199254,740993"};
    std::mt19937 random(20261209);
    for (int i = 0; i < 2000; ++i) {
        const int digits = 1 + int(random() % 15);
        std::string text;
        for (int d = 0; d < digits; ++d) text += char('0' + random() % 10);
        text.insert(random() % (text.size() + 1), 1, ',');
        texts.push_back(text);
    }
    for (char locale : {',', '.'}) {
        DecimalSeparatorScope scope(locale);
        for (const std::string& commaText : texts) {
            const double expected = GeneralReading(commaText, ',');
            std::string pointText = commaText;
            if (const size_t mark = pointText.find(','); mark != std::string::npos)
                pointText[mark] = '.';
            double value = -1;
            ASSERT_TRUE(TryReadDecimal(commaText, value)) << commaText;
            EXPECT_EQ(value, expected) << commaText;
            ASSERT_TRUE(TryReadDecimal(pointText, value)) << pointText;
            EXPECT_EQ(value, expected) << pointText;
            ASSERT_TRUE(TryReadDecimal(StringAsciiToWide(commaText), value)) << commaText;
            EXPECT_EQ(value, expected) << commaText;
        }
    }
}

TEST(DecimalText, OtherTextsFallBackToTheGeneralReader) {
    DecimalSeparatorScope scope(',');
    double value = 0;
    EXPECT_TRUE(TryReadDecimal(std::string_view(" 1,5 "), value));
    EXPECT_EQ(value, 1.5);
    EXPECT_TRUE(TryReadDecimal(std::u16string_view(u"-2.25"), value));
    EXPECT_EQ(value, -2.25);
    EXPECT_TRUE(TryReadDecimal(std::string_view("1,5E3"), value));
    EXPECT_EQ(value, 1500);
    EXPECT_TRUE(TryReadDecimal(std::string_view("12345678901234567"), value));
    EXPECT_EQ(value, 12345678901234567.0);
    for (std::string_view bad : {"", ",", "1,2,3", "1,2.3", "1 2", "INF", "0x10"})
        EXPECT_FALSE(TryReadDecimal(bad, value)) << bad;
}
