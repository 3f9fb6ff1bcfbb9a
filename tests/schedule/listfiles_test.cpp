#include "enginefixture.h"

#include "store/shortstring.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/resource.h>

namespace {
QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writefile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// The header's RecordCount and Mode patched into a file's bytes.
QByteArray withheader(QByteArray bytes, int32_t count, uint8_t mode) {
    auto* p = reinterpret_cast<uint8_t*>(bytes.data());
    bytes::putInt32(p + headerfield::RecordCount, count);
    p[headerfield::Mode] = mode;
    return bytes;
}
} // namespace

TEST(NotificationFileNames, ExtensionAndNamePart) {
    EXPECT_EQ(addextension("notes"), "notes.clt");
    EXPECT_EQ(addextension("notes.CLT"), "notes.CLT");
    EXPECT_EQ(addextension("/home/u/x.Clt"), "/home/u/x.Clt");
    EXPECT_EQ(addextension("a"), "a.clt");
    EXPECT_EQ(addextension("clt"), "clt.clt");
    EXPECT_EQ(addextension("x.clt.bak"), "x.clt.bak.clt");

    EXPECT_EQ(filenameonly("/home/u/notes.clt"), "notes.clt");
    EXPECT_EQ(filenameonly("C:\\docs\\a.clt"), "a.clt");
    EXPECT_EQ(filenameonly("/mixed\\dir/b.clt"), "b.clt");
    EXPECT_EQ(filenameonly("notes.clt"), "");
    EXPECT_EQ(filenameonly("/home/u/"), "");
}

class NotificationFiles : public EngineTest {
protected:
    // Three Notifications, the second deleted, saved as list.clt.
    QString savedlist(uint8_t mode = 0) {
        add(countdown("A", 5));
        add(countdown("B", 6));
        add(certain("C", QTime(18, 0, 0), true, /*active=*/false));
        engine.remove(1);
        engine.ComboBox5Change(mode == 1 ? "Sequential" : "Lateral");
        EXPECT_TRUE(files.saveas(folder.file("list")));
        return folder.file("list.clt");
    }
};

TEST_F(NotificationFiles, SavingNamesTheFileAndCopiesTheDatabaseExactly) {
    const QString path = savedlist();
    EXPECT_EQ(ws.currentfile, path);
    EXPECT_EQ(contents(path), contents(ws.db.path()));
    EXPECT_EQ(contents(path).size(), 4 * 960);
    EXPECT_FALSE(ws.modified());
    EXPECT_EQ(log.file.last(), "list.clt");
    // The working database is open again and takes new records.
    add(countdown("D", 3));
    EXPECT_EQ(ws.db.readnotification(4).MessageText, "D");

    EXPECT_TRUE(files.saveas(folder.file("notes.CLT")));
    EXPECT_TRUE(QFile::exists(folder.file("notes.CLT")));
    EXPECT_TRUE(files.saveas(folder.file("a")));
    EXPECT_TRUE(QFile::exists(folder.file("a.clt")));
    EXPECT_FALSE(files.needsname());
    EXPECT_TRUE(files.savelist());
    EXPECT_EQ(contents(folder.file("a.clt")), contents(ws.db.path()));
}

TEST_F(NotificationFiles, OpeningBuildsRowsForTheLiveRecordsAndPreviewsTheFirst) {
    const QString path = savedlist(/*mode=*/1);
    files.newlist();
    log.previews.clear();
    log.mode.clear();

    ASSERT_TRUE(files.open(path));
    ASSERT_EQ(ws.rowcount, 2);
    EXPECT_EQ(ws.rows.recordindex(0), 1);
    EXPECT_EQ(ws.rows.recordindex(1), 3);
    EXPECT_EQ(ws.rows.row(0).caption, "A");
    EXPECT_EQ(state(0), "Active");
    EXPECT_EQ(state(1), "Inactive");
    EXPECT_EQ(left(0), "5s");
    EXPECT_EQ(ws.recordcount, 3);
    EXPECT_EQ(log.previews, QList<int32_t>{1});
    EXPECT_EQ(log.mode, QStringList{"Sequential"});
    EXPECT_EQ(ws.playmode, 1);
    EXPECT_EQ(ws.seqrow, 0);
    EXPECT_EQ(ws.currentfile, path);
    EXPECT_EQ(log.file.last(), "list.clt");
    EXPECT_FALSE(ws.modified());
    EXPECT_TRUE(messages.isEmpty());
    // The loaded list runs.
    tick(5);
    EXPECT_EQ(sink.names(), QStringList({"A"}));
}

TEST_F(NotificationFiles, AnUnknownModeByteOpensAsTheLateralItShows) {
    const QString path = savedlist();
    writefile(path, withheader(contents(path), 3, 7));
    ASSERT_TRUE(files.open(path));
    EXPECT_EQ(log.mode.last(), "Lateral");
    EXPECT_EQ(ws.playmode, 0);
}

TEST_F(NotificationFiles, AFileThatIsNoListIsRefusedWithNothingLost) {
    const QString good = savedlist();
    add(countdown("unsaved", 9));
    const QByteArray db = contents(ws.db.path());
    const QByteArray list = contents(good);

    struct Bad {
        const char* name;
        QByteArray bytes;
    };
    const Bad bad[] = {
        {"truncated.clt", list.left(list.size() - 100)},
        {"overcounted.clt", withheader(list, 4, 0)},
        {"negative.clt", withheader(list, -1, 0)},
        {"empty.clt", QByteArray()},
        {"short.clt", list.left(500)},
    };
    for (const Bad& b : bad)
        writefile(folder.file(b.name), b.bytes);
    QDir(folder.path()).mkdir("folder.clt");

    QStringList tried;
    for (const Bad& b : bad)
        tried << folder.file(b.name);
    tried << folder.file("folder.clt") << folder.file("missing.clt");
    for (const QString& path : tried) {
        messages.clear();
        EXPECT_FALSE(files.open(path)) << path.toStdString();
        EXPECT_EQ(messages, QStringList{"Load failed"}) << path.toStdString();
        EXPECT_EQ(contents(ws.db.path()), db) << path.toStdString();
        EXPECT_EQ(ws.rowcount, 3) << path.toStdString();
        EXPECT_EQ(ws.rows.row(2).caption, "unsaved") << path.toStdString();
        EXPECT_EQ(ws.currentfile, good) << path.toStdString();
        EXPECT_TRUE(ws.modified()) << path.toStdString();
    }
    // Still the open, working list.
    add(countdown("after", 2));
    EXPECT_EQ(ws.db.readnotification(5).MessageText, "after");
}

TEST_F(NotificationFiles, StartUpOpensTheDefaultFileOrStaysEmptyAndUnnamed) {
    const QString path = savedlist();
    files.newlist();
    log.previews.clear();

    ws.currentfile = path;
    files.startupfile();
    EXPECT_EQ(ws.rowcount, 2);
    EXPECT_EQ(ws.currentfile, path);
    EXPECT_TRUE(messages.isEmpty());

    files.newlist();
    log.previews.clear();
    ws.currentfile = folder.file("gone.clt");
    files.startupfile();
    EXPECT_EQ(messages, QStringList{"Load failed"});
    EXPECT_TRUE(ws.currentfile.isEmpty());
    EXPECT_EQ(ws.rowcount, 0);
    EXPECT_EQ(log.previews, QList<int32_t>{-1});

    messages.clear();
    files.startupfile(); // no default file: an empty preview, no message
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(log.previews, (QList<int32_t>{-1, -1}));
}

TEST_F(NotificationFiles, NewFileIsEmptyUnnamedAndRemembersSequential) {
    savedlist();
    add(countdown("unsaved", 9));
    files.newlist();
    EXPECT_EQ(log.audioclosed, 1);
    EXPECT_EQ(ws.rowcount, 0);
    EXPECT_EQ(ws.rows.size(), 0);
    EXPECT_EQ(ws.recordcount, 0);
    EXPECT_EQ(ws.seqrow, -1);
    EXPECT_EQ(ws.playmode, 1);
    EXPECT_EQ(log.mode.last(), "Sequential");
    EXPECT_EQ(log.file.last(), "");
    EXPECT_EQ(log.previews.last(), -1);
    EXPECT_TRUE(ws.currentfile.isEmpty());
    EXPECT_TRUE(files.needsname());
    EXPECT_FALSE(ws.modified());
    EXPECT_EQ(contents(ws.db.path()).size(), 960);
    EXPECT_EQ(ws.db.readheader().Mode, 1);

    add(countdown("fresh", 3));
    ASSERT_TRUE(files.saveas(folder.file("fresh")));
    engine.ComboBox5Change("Lateral");
    ASSERT_TRUE(files.open(folder.file("fresh.clt")));
    EXPECT_EQ(ws.playmode, 1);
    EXPECT_EQ(log.mode.last(), "Sequential");
}

TEST_F(NotificationFiles, ASaveThatCannotBeWrittenKeepsTheOldFile) {
    add(countdown("A", 5));
    ASSERT_TRUE(files.saveas(folder.file("keep")));
    const QString keep = folder.file("keep.clt");
    const QByteArray old = contents(keep);
    for (int i = 0; i < 4; ++i)
        add(countdown("more", 5));
    ASSERT_TRUE(ws.modified());

    // The file system refuses to grow the new copy beyond two records.
    struct rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldhandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 2 * 960;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved_ok = files.savelist();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldhandler);

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(messages, QStringList{"Save failed"});
    EXPECT_EQ(contents(keep), old);
    EXPECT_TRUE(ws.modified());
    EXPECT_EQ(QDir(folder.path()).entryList({"keep*"}, QDir::Files), QStringList{"keep.clt"});

    // A folder that cannot exist: its parent is a regular file.
    writefile(folder.file("plain"), "x");
    messages.clear();
    EXPECT_FALSE(files.saveas(folder.file("plain/notes")));
    EXPECT_EQ(messages, QStringList{"Save failed"});
    EXPECT_TRUE(ws.modified());
    // The list goes on working, and saves once given a place that can take it.
    add(countdown("after", 2));
    EXPECT_TRUE(files.saveas(folder.file("keep")));
    EXPECT_EQ(contents(keep), contents(ws.db.path()));
}
