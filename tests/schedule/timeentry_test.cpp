#include "schedule/timeentry.h"

#include <gtest/gtest.h>

TEST(TimeEntry, DigitsAreKeptInOrderAndCleanedUp) {
    EXPECT_EQ(checktime(timefield::Hours, "2a").text, "2");
    EXPECT_EQ(checktime(timefield::Minutes, "007").text, "7");
    EXPECT_EQ(checktime(timefield::Seconds, "-5").text, "5") << "the sign is no digit";
    EXPECT_EQ(checktime(timefield::Duration, "1x2").text, "12");
    const TimeCheck empty = checktime(timefield::Hours, "");
    EXPECT_TRUE(empty.text.isEmpty() && empty.message.isEmpty()) << "empty is left alone";
}

TEST(TimeEntry, EachFieldRefusesValuesOutsideItsRange) {
    struct Case {
        const TimeField& field;
        const char* inside;
        const char* outside;
        const char* message;
    };
    for (const Case& c : {Case{timefield::Hours, "23", "24", "Must be between 0 - 23"},
                          Case{timefield::Minutes, "0", "60", "Must be between 0 - 59"},
                          Case{timefield::Seconds, "59", "60", "Must be between 0 - 59"},
                          Case{timefield::Duration, "1", "0", "Must be between 1 - 59"},
                          Case{timefield::Duration, "59", "60", "Must be between 1 - 59"},
                          Case{timefield::Hours, "0", "x", "Must be between 0 - 23"},
                          Case{timefield::Seconds, "0", "99999999999", "Must be between 0 - 59"}}) {
        const TimeCheck in = checktime(c.field, c.inside);
        EXPECT_EQ(in.text, c.inside);
        EXPECT_TRUE(in.message.isEmpty());
        const TimeCheck out = checktime(c.field, c.outside);
        EXPECT_TRUE(out.text.isEmpty()) << c.outside;
        EXPECT_EQ(out.message, c.message) << c.outside;
    }
    EXPECT_EQ(parsedigits("2147483647"), 2147483647);
    EXPECT_EQ(parsedigits("2147483648"), -1);
}
