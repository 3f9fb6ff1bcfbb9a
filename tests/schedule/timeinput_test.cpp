#include "schedule/timeinput.h"

#include <gtest/gtest.h>

TEST(TimeInput, DurationsInUnitsAndClockFormLandInTheEditorsFields) {
    const std::pair<const char*, HmsFields> good[] = {
        {"90s", {0, 1, 30}},    {"25m", {0, 25, 0}},        {"1h30m", {1, 30, 0}},
        {"1h2m3s", {1, 2, 3}},  {"2h", {2, 0, 0}},          {"1:30:00", {1, 30, 0}},
        {"0:00:01", {0, 0, 1}}, {"23:59:59", {23, 59, 59}}, {"86399s", {23, 59, 59}},
        {"0h0m1s", {0, 0, 1}},  {"90m", {1, 30, 0}}};
    for (const auto& [text, want] : good) {
        const auto got = parseduration(QString::fromLatin1(text));
        ASSERT_TRUE(got) << text;
        EXPECT_EQ(*got, want) << text;
    }
    // Nothing, zero, a day or more, other units, repeats and wrong order, signs,
    // short minute parts, and digit runs that would overflow.
    for (const char* bad :
         {"",     "0s",  "0:00:00", "24h",   "86400s",  "24:00:00",  "1d",
          "25",   "m",   "1m1h",    "1h1h",  "1s2m",    "-5m",       "+5m",
          " 5m",  "5m ", "1:5:00",  "1:30",  "1:60:00", "100:00:00", "99999999999999999999s",
          "1.5h", "5M",  "٣m",      "1h90m", "1m60s",   "2h60s"})
        EXPECT_FALSE(parseduration(QString::fromUtf8(bad))) << bad;
}

TEST(TimeInput, TimesOfDayOnTheTwentyFourHourClock) {
    EXPECT_EQ(*parsetimeofday("14:30"), (HmsFields{14, 30, 0}));
    EXPECT_EQ(*parsetimeofday("09:05:07"), (HmsFields{9, 5, 7}));
    EXPECT_EQ(*parsetimeofday("00:00"), (HmsFields{0, 0, 0}));
    EXPECT_EQ(*parsetimeofday("23:59:59"), (HmsFields{23, 59, 59}));
    for (const char* bad : {"", "24:00", "12:60", "12:00:60", "12", "12:0", "12:00:", ":12:00",
                            "1:2:3:4", "12h30", "noon", "-1:00", "12:00 "})
        EXPECT_FALSE(parsetimeofday(bad)) << bad;
}
