#include "schedule/timetext.h"
#include "support/samplerecord.h"

#include <gtest/gtest.h>

#include <climits>

TEST(TimeText, UnitTextsKeepTheirStrictForms) {
    const std::pair<int, const char*> table[] = {
        {3600, "60m"},        {60, "60s"},   {3660, "1h60s"}, {3661, "1h1m1s"}, {7200, "2h"},
        {86399, "23h59m59s"}, {90, "1m30s"}, {0, ""},         {-5, ""},         {1, "1s"}};
    for (auto [t, text] : table)
        EXPECT_EQ(secstotext(t, 0), QString(text)) << t;
    EXPECT_EQ(secstotext(3601, -1), "60m");
}

TEST(TimeText, CountdownStepReadsWhatSecstotextWrites) {
    EXPECT_EQ(countdownstep("60m"), "59m59s");
    EXPECT_EQ(countdownstep("1h60s"), "1h59s");
    EXPECT_EQ(countdownstep("1h5m"), "1h4m59s");
    EXPECT_EQ(countdownstep("2s"), "1s");
    EXPECT_EQ(countdownstep("1s"), "");
    EXPECT_EQ(countdownstep("-"), "");
    EXPECT_EQ(countdownstep(""), "");
    // Walking a whole countdown down through the pair never loses or repeats a second.
    for (int start : {3661, 7200, 86399, 3600, 61}) {
        QString left = secstotext(start, 0);
        int steps = 0;
        while (!left.isEmpty() && steps < 100000) {
            left = countdownstep(left);
            ++steps;
        }
        EXPECT_EQ(steps, start) << start;
    }
}

TEST(TimeText, SteppingTheReadSecondsMatchesSteppingTheText) {
    // The tick steps the seconds it read from the text last time; it must land on
    // exactly the text, and the seconds, that stepping the text itself gives,
    // including the lengths of 100 hours and more whose leading digits are lost.
    auto check = [](const QString& text) {
        const LeftStep next = steppedleft(unittextseconds(text));
        ASSERT_EQ(next.text(), countdownstep(text)) << text.toStdString();
        ASSERT_EQ(next.due, next.text().isEmpty()) << text.toStdString();
        if (!next.due) {
            ASSERT_EQ(next.seconds, unittextseconds(next.text())) << text.toStdString();
        }
    };
    for (int32_t n = 0; n < 400000; n += (n < 4000 ? 1 : 37))
        check(secstotext(n, 0));
    for (int32_t n : {359999, 360000, 360001, 363600, 999999, 86400 * 30})
        check(secstotext(n, 0));
    for (const char* odd : {"-", "", "150h", "1h60s", "5"})
        check(QString::fromLatin1(odd));
}

TEST(TimeText, ProgrammedTimeTexts) {
    EXPECT_EQ(hmstotext(0, 0, 0), "0");
    EXPECT_EQ(hmstotext(0, 90, 0), "90m");
    EXPECT_EQ(hmstotext(1, 0, 5), "1h5s");
    EXPECT_EQ(hmstotext(0, -1, 0), "");
    EXPECT_EQ(clocktext("7", "0", "59"), "07:00:59");
    EXPECT_EQ(clocktext("12", "30", "00"), "12:30:00");
    EXPECT_EQ(clocktext("100", "0", "0"), ":00:00");
    EXPECT_EQ(clocktext("", "5", "5"), ":05:05");
    // The numbers' own form writes what their texts would.
    for (int32_t v : {0, 5, 9, 10, 59, 99, 100, 123456, -1, -9, -10, INT32_MIN, INT32_MAX})
        for (int32_t w : {0, 7, 42, -3})
            EXPECT_EQ(clocktext(v, w, v),
                      clocktext(QString::number(v), QString::number(w), QString::number(v)))
                << v << " " << w;
}

TEST(TimeText, LeftTextAroundACertainTime) {
    TNotificationRecord r = SampleRecord("").at(8);
    EXPECT_EQ(lefttext(r, "", QTime(8, 0, 1)), "23h59m59s");
    EXPECT_EQ(lefttext(r, "", QTime(7, 59, 59)), "1s");
    EXPECT_EQ(lefttext(r, "", QTime(8, 0, 0)), "-"); // inactive
    r.Active = 1;
    EXPECT_EQ(lefttext(r, "", QTime(8, 0, 0)), ""); // due
    // Just before midnight a morning time is hours away, not negative.
    r.Hours = 0;
    r.Minutes = 0;
    r.Seconds = 30;
    EXPECT_EQ(lefttext(r, "", QTime(23, 59, 50)), "40s");
    EXPECT_EQ(secsnow(QTime(23, 59, 50)), 86390);
}

TEST(TimeText, LeftTextOfCountdowns) {
    const QTime noon(12, 0, 0);
    TNotificationRecord r = SampleRecord("").countdown(0);
    EXPECT_EQ(lefttext(r, "", noon), "-"); // zero length
    r.Minutes = 1;
    EXPECT_EQ(lefttext(r, "", noon), "60s");
    r.Active = 1;
    EXPECT_EQ(lefttext(r, "4m10s", noon), "4m9s"); // steps the row's text, not the record
    r.TimerType = "countdown";                     // anything else is a certain time
    EXPECT_EQ(lefttext(r, "4m10s", QTime(0, 0, 0)), "60s");
}

TEST(TimeText, StatusBarClock) {
    EXPECT_EQ(currenttimetext(QTime(9, 5, 0)), "     Current Time: 09:05:00");
}
