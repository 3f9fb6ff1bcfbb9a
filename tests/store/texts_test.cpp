#include "store/ansitext.h"
#include "store/colortable.h"
#include "store/integertext.h"

#include <gtest/gtest.h>

TEST(IntegerText, StrictConversion) {
    EXPECT_EQ(parseinteger("42"), 42);
    EXPECT_EQ(parseinteger("-7"), -7);
    EXPECT_EQ(parseinteger(" 007 "), 7);
    EXPECT_EQ(parseinteger("$FF"), 255);
    EXPECT_EQ(parseinteger("2147483647"), 2147483647);
    EXPECT_EQ(parseinteger("-2147483648"), INT32_MIN);
    for (const char* bad : {"", " ", "x", "2a", "1.5", "2147483648", "--1", "$", "1 2"})
        EXPECT_FALSE(parseinteger(bad).has_value()) << bad;
    try {
        strtoint("2a");
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'2a' is not a valid integer value");
    }
}

TEST(ColorTable, NamesNumbersAndTheScrollBar) {
    ASSERT_EQ(colornames().size(), 20u);
    EXPECT_EQ(stringtocolor("clRed", {}), (Rgb{255, 0, 0}));
    EXPECT_EQ(stringtocolor("clMoneyGreen", {}), (Rgb{192, 220, 192}));
    EXPECT_EQ(stringtocolor("clScrollBar", Rgb{1, 2, 3}), (Rgb{1, 2, 3}));
    EXPECT_EQ(stringtocolor("255", {}), (Rgb{255, 0, 0}));     // 0x00BBGGRR
    EXPECT_EQ(stringtocolor("$FF0000", {}), (Rgb{0, 0, 255})); // blue
    EXPECT_THROW(stringtocolor("clNoSuch", {}), ConversionError);
    EXPECT_EQ(colortoname(Rgb{192, 192, 192}), "clSilver");
    EXPECT_FALSE(colortoname(Rgb{1, 2, 3}).has_value());
}

TEST(AnsiText, RoundTripsSingleByteCharacters) {
    std::string all;
    for (int i = 1; i < 256; ++i)
        all.push_back(char(i));
    EXPECT_EQ(toansi(fromansi(all)), all);
    EXPECT_EQ(fromansi("\x80"), QString(QChar(0x20AC)));
    EXPECT_EQ(fromansi("caf\xe9"), QStringLiteral("café"));
    EXPECT_EQ(toansi(QStringLiteral("€ ✓")), std::string("\x80 ?"));
}
