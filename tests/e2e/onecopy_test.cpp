#include "programrun.h"
#include "support/abstractsocket.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <memory>
#include <sys/stat.h>

namespace {

struct Outcome {
    int code = -1;
    QString out, err;
};

// Scripts and cron against one data folder: each command a process of its own, in the
// environment it is given.
class OneCopy : public OffscreenRun {
protected:
    void SetUp() override {
        OffscreenRun::SetUp();
        env.insert("DBUS_SESSION_BUS_ADDRESS", "disabled:");
        umask_ = ::umask(022);
    }
    void TearDown() override {
        const qint64 pid = holder();
        if (pid > 0) {
            ::kill(static_cast<pid_t>(pid), SIGCONT);
            ::kill(static_cast<pid_t>(pid), SIGKILL);
        }
        OffscreenRun::TearDown();
        ::umask(umask_);
    }
    QProcess* launch(const QStringList& args, const QProcessEnvironment& in) {
        auto* p = new QProcess;
        p->setProcessEnvironment(in);
        p->setWorkingDirectory(folder.path());
        p->start(exe, args);
        return p;
    }
    static Outcome finish(QProcess* p) {
        const std::unique_ptr<QProcess> owned(p);
        Outcome o;
        if (p->waitForFinished(60000) && p->exitStatus() == QProcess::NormalExit)
            o.code = p->exitCode();
        o.out = QString::fromUtf8(p->readAllStandardOutput());
        o.err = QString::fromUtf8(p->readAllStandardError());
        return o;
    }
    Outcome chimelet(const QStringList& args, const QProcessEnvironment& in) {
        return finish(launch(args, in));
    }
    Outcome chimelet(const QStringList& args) { return chimelet(args, env); }
    // The copy that holds the folder, 0 when none does.
    qint64 holder() const {
        const qint64 pid = lockholder(folder.path());
        return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) == 0 ? pid : 0;
    }
    // Processes running this test's executable.
    int copies() const {
        int n = 0;
        for (const QString& pid : QDir("/proc").entryList(QDir::Dirs))
            if (QFileInfo("/proc/" + pid + "/exe").canonicalFilePath() ==
                QFileInfo(exe).canonicalFilePath())
                ++n;
        return n;
    }
    mode_t umask_ = 022;
    ino_t inode(const char* name) const {
        struct stat st {};
        return ::stat(QFile::encodeName(folder.filePath(name)).constData(), &st) == 0 ? st.st_ino
                                                                                      : 0;
    }
};

mode_t modebits(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

} // namespace

TEST_F(OneCopy, EveryEnvironmentOfTheUserReachesTheOneCopyOfTheFolder) {
    ASSERT_EQ(chimelet({"--add", "Tea", "--in", "1h"}).code, 0);
    const qint64 pid = holder();
    ASSERT_GT(pid, 0);
    const ino_t db = inode("chdb.res");

    // Cron's environment, another session's runtime folder, one too long for a socket path.
    QProcessEnvironment cron = env, other = env, deep = env;
    cron.remove("XDG_RUNTIME_DIR");
    QTemporaryDir elsewhere;
    other.insert("XDG_RUNTIME_DIR", elsewhere.path());
    const QString longpath = elsewhere.path() + '/' + QString(150, 'r');
    ASSERT_TRUE(QDir().mkpath(longpath));
    deep.insert("XDG_RUNTIME_DIR", longpath);
    int n = 1;
    for (const QProcessEnvironment& in : {cron, other, deep}) {
        const Outcome o = chimelet({"--add", QString("Cron %1").arg(n), "--in", "2h"}, in);
        EXPECT_EQ(o.code, 0) << o.err.toStdString();
        EXPECT_EQ(o.out, QString("@%1\n").arg(++n));
        EXPECT_EQ(chimelet({}, in).code, 0); // a plain start brings the copy forward
    }
    EXPECT_EQ(chimelet({"--list"}, cron).out.count('\n'), 4);
    EXPECT_EQ(holder(), pid);
    EXPECT_EQ(copies(), 1);
    // The working database the copy has open is the one on disk, holding every row.
    EXPECT_EQ(inode("chdb.res"), db);
    EXPECT_EQ(bytes("chdb.res").size(), 5 * 960);

    // A copy that holds the folder but cannot answer: said so, and nothing touched.
    const QByteArray before = bytes("chdb.res");
    ::kill(static_cast<pid_t>(pid), SIGSTOP);
    const Outcome stuck = chimelet({}, cron);
    ::kill(static_cast<pid_t>(pid), SIGCONT);
    EXPECT_EQ(stuck.code, 1);
    EXPECT_TRUE(stuck.err.contains(QDir(folder.path()).path()) &&
                stuck.err.contains("does not answer"))
        << stuck.err.toStdString();
    EXPECT_EQ(bytes("chdb.res"), before);
    EXPECT_EQ(holder(), pid);
}

TEST_F(OneCopy, AHundredCommandsAtOnceAllArriveAndIdleCallersHoldNoneUp) {
    ASSERT_EQ(chimelet({"--add", "Tea", "--in", "1h"}).code, 0);
    // Callers that connect and say nothing.
    std::vector<int> idle;
    for (int i = 0; i < 20; ++i)
        idle.push_back(connectabstract(socketname(folder.path())));
    ASSERT_GE(*std::min_element(idle.begin(), idle.end()), 0);
    std::vector<QProcess*> running;
    for (int i = 0; i < 100; ++i)
        running.push_back(launch({"--list"}, env));
    int answered = 0;
    for (QProcess* p : running) {
        const Outcome o = finish(p);
        EXPECT_EQ(o.code, 0) << o.err.toStdString();
        answered += o.out.startsWith("@1\t1\tactive\tcountdown\t3600\t") ? 1 : 0;
    }
    EXPECT_EQ(answered, 100);
    for (const int fd : idle)
        ::close(fd);
}

TEST_F(OneCopy, AKilledCopysListComesBackAtTheNextStartAndFires) {
    QByteArray empty(960, '\0');
    empty.replace(300, 4, QByteArray(4, '\xff'));
    writebytes(folder.filePath("mine.clt"), empty);
    const QString list = folder.filePath("mine.clt");
    ::chmod(QFile::encodeName(list), 0640);
    second.setProcessEnvironment(env);
    second.start(exe, {list});
    // Else the --add, finding the folder free, starts a copy of its own.
    ASSERT_TRUE(waitfor([&] { return holder() == second.processId(); }, 15000));
    ASSERT_EQ(chimelet({"--add", "Tea", "--in", "4s"}).code, 0);
    EXPECT_EQ(holder(), second.processId());
    second.kill();
    ASSERT_TRUE(second.waitForFinished(5000));

    start(first);
    ASSERT_TRUE(waitfor([&] { return holder() == first.processId(); }, 15000));
    const Outcome listed = chimelet({"--list"});
    EXPECT_TRUE(listed.out.startsWith("@1\t1\tactive\t")) << listed.out.toStdString();
    // Run once: it fires, and its row goes inactive.
    EXPECT_TRUE(waitfor([&] { return chimelet({"--list"}).out.contains("\tinactive\t"); }, 15000));
    // Still tied to the user's list, with its changes unsaved there: Exit asks first, and
    // --quit waits for the answer.
    EXPECT_EQ(bytes("mine.clt"), empty);
    QProcess* quit = launch({"--quit"}, env);
    EXPECT_TRUE(waitfor([&] { return chimelet({"--stop", "1"}).code == 1; }, 15000));
    EXPECT_FALSE(first.waitForFinished(300));
    EXPECT_NE(quit->state(), QProcess::NotRunning);

    // Everything the program made is the user's alone, under the usual umask.
    for (const char* name : {"chdb.res", "chsb.rez", "chimelet.lock", "chimelet.run"})
        EXPECT_EQ(modebits(folder.filePath(name)), 0600u) << name;
    EXPECT_EQ(modebits(list), 0640u);
    // A program that ends without the answer has ended all the same.
    ::kill(static_cast<pid_t>(first.processId()), SIGKILL);
    EXPECT_EQ(finish(quit).code, 0);
}

// An installed copy keeps its files in the user's data folder, which it makes private.
TEST_F(OneCopy, AnInstalledCopyMakesItsDataFolderPrivate) {
    const QString bin = folder.filePath("usr/bin"), share = folder.filePath("usr/share/chimelet");
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(share));
    ASSERT_TRUE(QFile::rename(exe, bin + "/chimelet"));
    ASSERT_TRUE(copymodules(bin));
    exe = bin + "/chimelet";
    env.remove("XDG_DATA_HOME");
    ASSERT_EQ(chimelet({"--add", "Tea", "--in", "1h"}).code, 0);
    const QString data = folder.filePath(".local/share/Chimelet");
    EXPECT_EQ(modebits(data), 0700u);
    for (const char* name : {"chdb.res", "chsb.rez", "chimelet.lock"})
        EXPECT_EQ(modebits(data + '/' + name), 0600u) << name;
    EXPECT_GT(lockholder(data), 0);
    const qint64 pid = lockholder(data);
    ::kill(static_cast<pid_t>(pid), SIGKILL);
}
