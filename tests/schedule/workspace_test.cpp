#include "schedule/timetext.h"
#include "schedule/workspace.h"
#include "store/ioerror.h"
#include "support/manualclock.h"
#include "support/samplerecord.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>

namespace {

TNotificationRecord note(const char* text, const char* type, int h, int m, int s) {
    SampleRecord r(text);
    r.timer(type, h, m, s);
    return r.active(totalseconds(r.record()) > 0);
}

struct WorkspaceRows : ::testing::Test {
    ManualClock clock{QDateTime(QDate(2026, 3, 4), QTime(8, 0, 1))};
    Workspace ws{clock};
    const RowTable& rows = ws.rows();

    QString text(int r, int part) const { return rows.subitem(r, part); }
    int image(int r, int part) const {
        return rows.row(r).subImage[static_cast<std::size_t>(part)];
    }
};

TEST_F(WorkspaceRows, ZeroCountdownIsInactiveWithNothingLeft) {
    ws.addtolist(note("Tea", "Countdown", 0, 0, 0), RecordIndex(3));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.row(0).caption, "Tea");
    EXPECT_EQ(rows.row(0).itemImage, icon::Notification);
    EXPECT_EQ(text(0, rowpart::TimerType), "Countdown");
    EXPECT_EQ(image(0, rowpart::TimerType), icon::Countdown);
    EXPECT_EQ(text(0, rowpart::Time), "0");
    EXPECT_EQ(text(0, rowpart::Left), "-");
    EXPECT_EQ(text(0, rowpart::State), "Inactive");
    EXPECT_EQ(image(0, rowpart::State), icon::Inactive);
    EXPECT_EQ(text(0, rowpart::RecordIndex), "3");
    EXPECT_EQ(rows.recordindex(0).value, 3);
    // No file named: no icon in the image and audio columns.
    EXPECT_EQ(image(0, rowpart::Image), icon::None);
    EXPECT_EQ(image(0, rowpart::Audio), icon::None);
}

TEST_F(WorkspaceRows, CertainTimeShowsClockTextAndTimeUntilItsNextOccurrence) {
    TNotificationRecord rec = note("Stand up", "Certain time", 8, 0, 0);
    ws.addtolist(rec, RecordIndex(1)); // the clock stands at 08:00:01: the time is tomorrow
    clock.set(QTime(7, 59, 59));
    ws.addtolist(rec, RecordIndex(2));
    clock.set(QTime(8, 0, 0));
    ws.addtolist(rec, RecordIndex(3));
    clock.set(QTime(6, 30, 0));
    ws.addtolist(note("Lunch", "Certain time", 12, 5, 9), RecordIndex(4));

    EXPECT_EQ(text(0, rowpart::Time), "08:00:00");
    EXPECT_EQ(image(0, rowpart::TimerType), icon::CertainTime);
    EXPECT_EQ(text(0, rowpart::Left), "23h59m59s");
    EXPECT_EQ(text(1, rowpart::Left), "1s");
    EXPECT_EQ(text(2, rowpart::Left), "-");
    EXPECT_EQ(text(3, rowpart::Time), "12:05:09");
    EXPECT_EQ(text(3, rowpart::Left), "5h35m9s");
    // A new row shows the time left as if idle, but its state is the stored one.
    EXPECT_EQ(text(0, rowpart::State), "Active");
    EXPECT_EQ(image(0, rowpart::State), icon::Active);
}

TEST_F(WorkspaceRows, FilesAndRepeatFlagGiveTextsWithMatchingIcons) {
    TNotificationRecord repeat = note("Stretch", "Countdown", 1, 2, 3);
    repeat.RepeatFlag = 1;
    repeat.ImageFile = "/pics/sun.jpg";
    repeat.AudioFile = "/snd/ding.wav";
    TNotificationRecord once = repeat;
    once.RepeatFlag = 2; // only exactly 1 means Repeat
    ws.addtolist(repeat, RecordIndex(1));
    ws.addtolist(once, RecordIndex(2));

    EXPECT_EQ(text(0, rowpart::Image), "/pics/sun.jpg");
    EXPECT_EQ(image(0, rowpart::Image), icon::Image);
    EXPECT_EQ(text(0, rowpart::Audio), "/snd/ding.wav");
    EXPECT_EQ(image(0, rowpart::Audio), icon::Audio);
    EXPECT_EQ(text(0, rowpart::Time), "1h2m3s");
    EXPECT_EQ(text(0, rowpart::Left), "1h2m3s");
    EXPECT_EQ(text(0, rowpart::Repeat), "Repeat");
    EXPECT_EQ(image(0, rowpart::Repeat), icon::Repeat);
    EXPECT_EQ(text(1, rowpart::Repeat), "Run Once");
    EXPECT_EQ(image(1, rowpart::Repeat), icon::RunOnce);
}

TEST_F(WorkspaceRows, FirstCountdownAddedTakesTheSequentialTurnWhateverItsState) {
    ws.addtolist(note("At noon", "Certain time", 12, 0, 0), RecordIndex(1));
    EXPECT_EQ(ws.seqrow(), -1);
    ws.addtolist(note("Idle", "Countdown", 0, 0, 0),
                 RecordIndex(2)); // inactive, still takes the turn
    ws.addtolist(note("Tea", "Countdown", 0, 0, 10), RecordIndex(4));
    EXPECT_EQ(ws.seqrow(), 1);
    EXPECT_EQ(ws.rowcount(), 3);
    EXPECT_EQ(ws.rowcount(), rows.size());
    ws.setseqrow(-1); // the turn ran out: the next countdown added takes it
    ws.addtolist(note("Eggs", "Countdown", 0, 4, 0), RecordIndex(5));
    EXPECT_EQ(ws.seqrow(), 3);
}

TEST_F(WorkspaceRows, ARebuiltListComesAtOnceWithTheTurnAtItsFirstCountdown) {
    TempFolder tmp;
    ws.db().setpath(tmp.file("chdb.res"));
    ws.db().createdatabase();
    TNotificationRecord gone = note("Gone", "Countdown", 0, 0, 5);
    gone.Deleted = 1;
    const TNotificationRecord records[] = {note("Noon", "Certain time", 12, 0, 0), gone,
                                           note("Tea", "Countdown", 0, 2, 0)};
    for (int i = 0; i < 3; ++i)
        ws.db().writenotification(records[i], RecordIndex(i + 1));
    ws.addtolist(note("Before", "Certain time", 9, 0, 0), RecordIndex(9));
    QList<std::pair<int, int>> appended;
    QObject::connect(&rows, &RowTable::rowsAppended, [&appended](int first, int last) {
        appended.append({first, last});
    });

    ws.rebuildlist(3);
    EXPECT_EQ(appended, (QList<std::pair<int, int>>{{1, 2}}));
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows.recordindex(1).value, 1);
    EXPECT_EQ(rows.recordindex(2).value, 3);
    EXPECT_EQ(text(1, rowpart::Time), "12:00:00");
    EXPECT_EQ(text(1, rowpart::Left), "3h59m59s");
    EXPECT_EQ(text(2, rowpart::Left), "2m");
    EXPECT_EQ(ws.seqrow(), 2);
}

TEST_F(WorkspaceRows, ACountdownShowsAndStepsAsItsFullTimeTextAboveAndBelowAHundredHours) {
    // A countdown's row is made from its seconds; its texts, made when read, and its steps
    // must be those of the full time's text, whose two-digit reading drops digits above
    // a hundred hours.
    const TNotificationRecord notes[] = {note("Short", "Countdown", 2, 0, 1),
                                         note("Long", "Countdown", 123, 45, 6),
                                         note("Huge", "Countdown", 4012, 0, 0)};
    for (int r = 0; r < 3; ++r) {
        ws.addtolist(notes[r], RecordIndex(r + 5));
        const QString full = idlelefttext(notes[r], clock.now().time());
        EXPECT_EQ(text(r, rowpart::Left), full);
        EXPECT_EQ(text(r, rowpart::RecordIndex), QString::number(r + 5));
        ASSERT_TRUE(ws.rows().stepcountdown(r, 1));
        EXPECT_EQ(text(r, rowpart::Left), countdownstep(full)) << "row " << r;
    }
}

TEST_F(WorkspaceRows, UpdatelistRestartsLeftAndDerivesStateFromTheTimer) {
    TNotificationRecord rec = note("Tea", "Countdown", 0, 1, 30);
    rec.RepeatFlag = 1;
    ws.addtolist(rec, RecordIndex(7));
    ws.setseqrow(5);
    ws.rows().setsubitem(0, rowpart::Left, "12s"); // partly counted down
    ws.rows().setstate(0, false);

    TNotificationRecord edited = rec;
    edited.MessageText = "Green tea";
    edited.RepeatFlag = 0;
    edited.Active = 0; // the byte does not decide the state text; the timer does
    EXPECT_TRUE(ws.updatelist(0, edited));
    EXPECT_EQ(rows.row(0).caption, "Green tea");
    EXPECT_EQ(text(0, rowpart::Left), "1m30s");
    EXPECT_EQ(text(0, rowpart::State), "Active");
    EXPECT_EQ(image(0, rowpart::State), icon::Active);
    EXPECT_EQ(text(0, rowpart::Repeat), "Run Once");
    EXPECT_EQ(image(0, rowpart::Repeat), icon::RunOnce);
    EXPECT_EQ(text(0, rowpart::RecordIndex), "7");
    EXPECT_EQ(ws.rowcount(), 1);
    EXPECT_EQ(ws.seqrow(), 5);

    edited.Hours = edited.Minutes = edited.Seconds = 0;
    edited.Active = 1;
    ws.updatelist(0, edited);
    EXPECT_EQ(text(0, rowpart::State), "Inactive");
    EXPECT_EQ(image(0, rowpart::State), icon::Inactive);
    EXPECT_EQ(text(0, rowpart::Left), "-");

    // A certain time is always active after an edit, and the item image stays.
    ws.rows().replace(0, [&] {
        NotificationRow r = rows.row(0);
        r.itemImage = icon::Image;
        return r;
    }());
    TNotificationRecord at = note("Call", "Certain time", 9, 0, 0);
    at.Active = 0;
    ws.updatelist(0, at);
    EXPECT_EQ(text(0, rowpart::State), "Active");
    EXPECT_EQ(text(0, rowpart::Time), "09:00:00");
    EXPECT_EQ(image(0, rowpart::TimerType), icon::CertainTime);
    EXPECT_EQ(rows.row(0).itemImage, icon::Image);
}

TEST(WorkspaceRebuild, AddsOneRowPerLiveRecordInRecordOrder) {
    TempFolder tmp;
    ManualClock clock;
    Workspace ws(clock);
    ws.db().setpath(tmp.file("chdb.res"));
    ws.db().createdatabase();
    for (const char* text : {"one", "two", "three", "four"})
        ws.appendrecord(note(text, "Countdown", 0, 0, 5));
    TNotificationRecord gone = ws.db().readnotification(RecordIndex(2));
    gone.Deleted = 1;
    ws.db().writenotification(gone, RecordIndex(2));

    ws.rebuildlist(ws.recordcount());
    ASSERT_EQ(ws.rowcount(), 3);
    EXPECT_EQ(ws.rows().row(0).caption, "one");
    EXPECT_EQ(ws.rows().row(1).caption, "three");
    EXPECT_EQ(ws.rows().recordindex(1).value, 3);
    EXPECT_EQ(ws.rows().recordindex(2).value, 4);
    ws.emptylist();
    EXPECT_EQ(ws.rowcount(), 0);
    EXPECT_EQ(ws.rows().size(), 0);
}

} // namespace

// The working database is valid at every step: a new record that cannot be written is not
// counted, in memory or in the header, and the next one takes its place.
TEST(WorkspaceAppend, ARecordThatCannotBeWrittenIsNotCounted) {
    TempFolder folder;
    ManualClock clock;
    Workspace ws(clock);
    ws.db().setpath(folder.file("chdb.res"));
    ws.db().createdatabase();
    ASSERT_EQ(ws.appendrecord(note("One", "Countdown", 0, 1, 0)).value, 1);

    // The file may not grow past the header and the one record.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldsignal = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit cap{2 * 960, old.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &cap), 0);
    EXPECT_THROW(ws.appendrecord(note("Two", "Countdown", 0, 2, 0)), IoError);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldsignal);

    EXPECT_EQ(ws.recordcount(), 1);
    EXPECT_EQ(ws.db().readheader().RecordCount, 1);
    EXPECT_EQ(readbytes(folder.file("chdb.res")).size(), 2 * 960);
    EXPECT_EQ(ws.appendrecord(note("Two", "Countdown", 0, 2, 0)).value, 2);
    EXPECT_EQ(ws.db().readheader().RecordCount, 2);
    EXPECT_EQ(ws.db().readnotification(RecordIndex(2)).MessageText, "Two");
}
