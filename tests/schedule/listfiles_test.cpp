#include "enginefixture.h"

#include "store/ansitext.h"
#include "store/shortstring.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <limits>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {
QByteArray withheader(QByteArray bytes, int32_t count, uint8_t mode) {
    auto* p = reinterpret_cast<uint8_t*>(bytes.data());
    bytes::putint32(p + headerfield::RecordCount, count);
    p[headerfield::Mode] = mode;
    return bytes;
}
} // namespace

TEST(NotificationFileNames, ExtensionAndNamePart) {
    EXPECT_EQ(addextension("notes"), "notes.clt");
    EXPECT_EQ(addextension("notes.CLT"), "notes.CLT");
    EXPECT_EQ(addextension("a"), "a.clt");
    EXPECT_EQ(addextension("x.clt.bak"), "x.clt.bak.clt");
    EXPECT_EQ(filenameonly("/home/u/notes.clt"), "notes.clt");
    EXPECT_EQ(filenameonly("C:\\docs\\a.clt"), "a.clt");
    EXPECT_EQ(filenameonly("notes.clt"), "");
}

class NotificationFiles : public EngineTest {
protected:
    // Three Notifications, the second deleted, saved as list.clt.
    QString savedlist(PlayMode mode = PlayMode::Lateral) {
        add(countdown("A", 5));
        add(countdown("B", 6));
        add(certain("C", QTime(18, 0, 0), true, /*active=*/false));
        engine.remove(1);
        engine.setplaymode(mode);
        EXPECT_TRUE(files.saveas(folder.file("list")));
        return folder.file("list.clt");
    }
};

TEST_F(NotificationFiles, SavingCopiesTheDatabaseExactlyUnderTheRightName) {
    const QString path = savedlist();
    EXPECT_EQ(ws.currentfile(), path);
    EXPECT_EQ(readbytes(path), readbytes(ws.db().path()));
    EXPECT_EQ(readbytes(path).size(), 4 * 960);
    EXPECT_FALSE(ws.modified());
    EXPECT_EQ(filepanel.last(), "list.clt");
    add(countdown("D", 3)); // the working database is open again
    EXPECT_TRUE(files.saveas(folder.file("notes.CLT")));
    EXPECT_TRUE(files.saveas(folder.file("a")));
    EXPECT_EQ(readbytes(folder.file("a.clt")), readbytes(ws.db().path()));
    EXPECT_EQ(readbytes(folder.file("notes.CLT")).size(), 5 * 960);
}

TEST_F(NotificationFiles, OpeningBuildsRowsForTheLiveRecordsAndPreviewsTheFirst) {
    const QString path = savedlist(PlayMode::Sequential);
    files.newlist();
    previews.clear();
    mode.clear();
    ASSERT_TRUE(files.open(path));
    ASSERT_EQ(ws.rowcount(), 2);
    EXPECT_EQ(ws.rows().recordindex(0).value, 1);
    EXPECT_EQ(ws.rows().recordindex(1).value, 3);
    EXPECT_EQ(state(1), "Inactive"); // as stored
    EXPECT_EQ(ws.recordcount(), 3);
    EXPECT_EQ(previews, QList<int32_t>{1});
    EXPECT_EQ(mode, QStringList{"Sequential"});
    EXPECT_EQ(ws.playmode(), PlayMode::Sequential);
    EXPECT_EQ(ws.currentfile(), path);
    EXPECT_FALSE(ws.modified());
    tick(5);
    EXPECT_EQ(sink.log, QStringList{"5:A"});

    // Only 0 and 1 are written; anything else runs as the Lateral the selector shows.
    writebytes(path, withheader(readbytes(path), 3, 7));
    ASSERT_TRUE(files.open(path));
    EXPECT_EQ(mode.last(), "Lateral");
    EXPECT_EQ(ws.playmode(), PlayMode::Lateral);
}

TEST_F(NotificationFiles, AFileThatIsNoListIsRefusedWithNothingLost) {
    const QString good = savedlist();
    add(countdown("unsaved", 9));
    const QByteArray db = readbytes(ws.db().path());
    const QByteArray list = readbytes(good);
    // A colour no row can be shown in: refused before anything is replaced.
    QByteArray zzz = list;
    bytes::putshortstring(reinterpret_cast<uint8_t*>(zzz.data()) + 960 + 304, 20, "zzz");
    zzz[960 + 256] = 1; // its text is shown
    const QByteArray bad[] = {list.left(list.size() - 100),
                              withheader(list, 4, 0),
                              withheader(list, -1, 0),
                              list.left(500),
                              QByteArray(),
                              zzz};
    QStringList paths{folder.file("missing.clt"), folder.path()};
    for (const QByteArray& b : bad) {
        paths << folder.file(QString("bad%1.clt").arg(paths.size()));
        writebytes(paths.last(), b);
    }
    // Not files: reading them would wait for a writer or never end.
    paths << folder.file("fifo.clt") << folder.file("zero.clt");
    ASSERT_EQ(mkfifo(QFile::encodeName(paths[paths.size() - 2]).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", paths.last()));
    for (const QString& path : paths) {
        messages.clear();
        EXPECT_FALSE(files.open(path)) << path.toStdString();
        EXPECT_EQ(messages, QStringList{"Load failed"}) << path.toStdString();
        EXPECT_EQ(readbytes(ws.db().path()), db) << path.toStdString();
        EXPECT_EQ(ws.rowcount(), 3) << path.toStdString();
        EXPECT_EQ(ws.currentfile(), good) << path.toStdString();
        EXPECT_TRUE(ws.modified()) << path.toStdString();
    }
    add(countdown("after", 2)); // still the open, working list
    EXPECT_EQ(ws.db().readnotification(RecordIndex(5)).MessageText, "after");
}

TEST_F(NotificationFiles, TimesBeyondAnyDayOpenCountAndNeverOverflow) {
    // Hours no editor writes: 600000 h is more seconds than 32 bits hold.
    TNotificationRecord big = countdown("big", 0, /*repeat=*/false);
    big.Hours = 600000;
    TNotificationRecord late = certain("late", QTime(0, 0, 0));
    late.Hours = 600000;
    TNotificationRecord before = certain("before", QTime(0, 0, 0));
    before.Hours = std::numeric_limits<int32_t>::min();
    before.Minutes = std::numeric_limits<int32_t>::min();
    add(big);
    add(late);
    add(before);
    ASSERT_TRUE(files.saveas(folder.file("huge")));
    ASSERT_TRUE(files.open(folder.file("huge.clt")));
    EXPECT_EQ(left(0), "600000h");
    EXPECT_EQ(left(1), "599988h") << "at 12:00 the time lies 600000 h - 12 h ahead";
    EXPECT_EQ(left(2), "-");
    engine.startall();
    for (int i = 0; i < 4; ++i)
        tickat(QDateTime(clock.now().date(), QTime(23, 59, 58)).addSecs(i)); // over midnight
    // The countdown's text is read two digits a part, as for any long countdown, so
    // it ends at once; the two times outside the day never come round.
    EXPECT_EQ(sink.log, QStringList{"1:big"});
    EXPECT_EQ(left(0), "-");
}

TEST_F(NotificationFiles, StartUpOpensTheDefaultFileOrStaysEmptyAndUnnamed) {
    const QString path = savedlist();
    files.newlist();
    ws.setcurrentfile(path);
    files.startupfile();
    EXPECT_EQ(ws.rowcount(), 2);
    EXPECT_TRUE(messages.isEmpty());

    files.newlist();
    previews.clear();
    ws.setcurrentfile(folder.file("gone.clt"));
    files.startupfile();
    files.startupfile(); // no default file at all
    EXPECT_EQ(messages, QStringList{"Load failed"});
    EXPECT_TRUE(ws.currentfile().isEmpty());
    EXPECT_EQ(ws.rowcount(), 0);
    EXPECT_EQ(previews, (QList<int32_t>{-1, -1}));
}

TEST_F(NotificationFiles, NewFileIsEmptyUnnamedAndRemembersSequential) {
    savedlist();
    add(countdown("unsaved", 9));
    files.newlist();
    EXPECT_EQ(audioclosed, 1);
    EXPECT_EQ(ws.rows().size(), 0);
    EXPECT_EQ(ws.recordcount(), 0);
    EXPECT_EQ(ws.seqrow(), -1);
    EXPECT_EQ(mode.last(), "Sequential");
    EXPECT_EQ(filepanel.last(), "");
    EXPECT_EQ(previews.last(), -1);
    EXPECT_TRUE(files.needsname());
    EXPECT_FALSE(ws.modified());
    EXPECT_EQ(readbytes(ws.db().path()).size(), 960);

    add(countdown("fresh", 3));
    ASSERT_TRUE(files.saveas(folder.file("fresh")));
    engine.setplaymode(PlayMode::Lateral);
    ASSERT_TRUE(files.open(folder.file("fresh.clt")));
    EXPECT_EQ(ws.playmode(), PlayMode::Sequential);
    EXPECT_EQ(mode.last(), "Sequential");
}

TEST_F(NotificationFiles, ASaveThatCannotBeWrittenKeepsTheOldFile) {
    add(countdown("A", 5));
    ASSERT_TRUE(files.saveas(folder.file("keep")));
    const QString keep = folder.file("keep.clt");
    const QByteArray old = readbytes(keep);
    for (int i = 0; i < 4; ++i)
        add(countdown("more", 5));

    // The file system stops the new copy part-way, as a full disk would.
    struct rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldhandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 2 * 960;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool ok = files.savelist();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldhandler);
    EXPECT_FALSE(ok);
    EXPECT_EQ(readbytes(keep), old);
    EXPECT_EQ(QDir(folder.path()).entryList({"keep*"}, QDir::Files), QStringList{"keep.clt"});

    // A folder that cannot exist: its parent is a regular file. The message box runs the
    // event loop: the list is open again before it, and ticks go on while it is open.
    writebytes(folder.file("plain"), "x");
    bool openatmessage = false;
    message = [this, &openatmessage](const QString& t) {
        messages << t;
        openatmessage = ws.db().isOpen();
        tick(3);
    };
    EXPECT_FALSE(files.saveas(folder.file("plain/notes")));
    EXPECT_EQ(messages, QStringList({"Save failed", "Save failed"}));
    EXPECT_TRUE(openatmessage);
    EXPECT_EQ(left(0), "2s") << "the countdown ran on while the box was open";
    EXPECT_TRUE(ws.modified());
    add(countdown("after", 2)); // the list goes on and saves where it can
    EXPECT_TRUE(files.saveas(folder.file("keep")));
    EXPECT_EQ(readbytes(keep), readbytes(ws.db().path()));
}

TEST_F(NotificationFiles, AnyLanguageSurvivesAListUnderANonLatinFolder) {
    const QString message = QStringLiteral("Чай готов ☕ 日本");
    TNotificationRecord rec = countdown("", 5);
    rec.MessageText = toansi(message, 255);
    add(rec);
    ASSERT_TRUE(QDir().mkpath(folder.file("Документы")));
    ASSERT_TRUE(files.saveas(folder.file("Документы/список")));
    const QString path = folder.file("Документы/список.clt");
    EXPECT_EQ(ws.currentfile(), path);
    files.newlist();
    ASSERT_TRUE(files.open(path));
    ASSERT_EQ(ws.rowcount(), 1);
    EXPECT_EQ(ws.rows().row(0).caption, message);
    EXPECT_EQ(fromansi(ws.db().readnotification(RecordIndex(1)).MessageText), message);
}

namespace {
mode_t modeof(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 0777 : 0;
}
} // namespace

// The reminders are the user's alone: the working database always, a new list file unless
// the umask is stricter still, and a list saved over keeps the mode its owner gave it.
TEST_F(NotificationFiles, FilesTheListLivesInAreTheUsersAlone) {
    const mode_t old = ::umask(022);
    const QString path = savedlist();
    EXPECT_EQ(modeof(ws.db().path()), 0600u);
    EXPECT_EQ(modeof(path), 0600u);
    ::chmod(QFile::encodeName(path).constData(), 0640);
    add(countdown("D", 3));
    EXPECT_TRUE(files.savelist());
    EXPECT_EQ(modeof(path), 0640u);
    ::umask(0277);
    EXPECT_TRUE(files.saveas(folder.file("strict")));
    EXPECT_EQ(modeof(folder.file("strict.clt")), 0400u);
    // An open list file replaces the working database and keeps it private.
    ::umask(0);
    EXPECT_TRUE(files.open(path));
    EXPECT_EQ(modeof(ws.db().path()), 0600u);
    ::umask(old);
}

// What a killed run leaves, reopened by the next: the same rows, mode, file and mark; a
// working database the crash cut short is not taken, and changes nothing.
TEST_F(NotificationFiles, AKilledRunsWorkingListReopensAsItWas) {
    const QString path = savedlist(PlayMode::Sequential);
    add(countdown("D", 3));
    Workspace next(clock);
    ListFiles nextfiles(next);
    next.db().setpath(ws.db().path());
    ASSERT_TRUE(nextfiles.reopenworking(path, true));
    EXPECT_EQ(next.rowcount(), 3);
    EXPECT_EQ(next.rows().subitem(2, rowpart::Left), "3s");
    EXPECT_EQ(next.playmode(), PlayMode::Sequential);
    EXPECT_EQ(next.currentfile(), path);
    EXPECT_TRUE(next.modified());
    EXPECT_EQ(readbytes(path).size(), 4 * 960); // the user's list is not written

    const QByteArray whole = readbytes(ws.db().path());
    for (const QByteArray& cut :
         {whole.left(whole.size() - 100), withheader(whole, 9, 1), QByteArray()}) {
        writebytes(ws.db().path(), cut);
        Workspace later(clock);
        ListFiles laterfiles(later);
        later.db().setpath(ws.db().path());
        EXPECT_FALSE(laterfiles.reopenworking(path, true));
        EXPECT_EQ(later.rowcount(), 0);
        EXPECT_EQ(readbytes(ws.db().path()), cut);
    }
}
