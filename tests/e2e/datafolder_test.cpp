#include "programrun.h"
#include "store/notificationrecord.h"
#include "store/secure.h"
#include "store/workingdatabase.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Runs the real executable from a folder it cannot write, as a packaged program runs.
// Root ignores permission bits, so as root the program runs as "nobody" instead.
class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        exe = exeDir.filePath("chimelet");
        ASSERT_TRUE(QFile::copy(builtprogram(), exe));
        if (::geteuid() == 0) {
            const passwd* nobody = ::getpwnam("nobody");
            if (!nobody || !QFile::exists("/usr/bin/setpriv"))
                GTEST_SKIP() << "running as root without a 'nobody' user and setpriv: no way "
                                "to run the program without write access";
            uid = nobody->pw_uid;
            gid = nobody->pw_gid;
            for (const QTemporaryDir* d : {&home, &runtime})
                ASSERT_EQ(::chown(QFile::encodeName(d->path()), uid, gid), 0);
            ::chmod(QFile::encodeName(exeDir.path()), 0755);
        } else {
            ::chmod(QFile::encodeName(exeDir.path()), 0555);
        }
    }
    void TearDown() override {
        if (running.state() != QProcess::NotRunning) {
            running.kill();
            running.waitForFinished(3000);
        }
        ::chmod(QFile::encodeName(exeDir.path()), 0755);
    }
    void start() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("HOME", home.path());
        env.remove("XDG_DATA_HOME");
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        running.setProcessEnvironment(env);
        running.setWorkingDirectory(home.path());
        if (uid) {
            running.start("/usr/bin/setpriv",
                          {QString("--reuid=%1").arg(uid), QString("--regid=%1").arg(gid),
                           "--clear-groups", exe});
        } else {
            running.start(exe, {});
        }
        ASSERT_TRUE(running.waitForStarted(5000));
    }
    void stop() {
        ::kill(static_cast<pid_t>(running.processId()), SIGTERM);
        ASSERT_TRUE(running.waitForFinished(5000));
        EXPECT_EQ(running.exitCode(), 0);
    }
    QString data(const char* name) const {
        return home.filePath(QString(".local/share/Chimelet/") + name);
    }

    QTemporaryDir exeDir, home, runtime;
    QString exe;
    uid_t uid = 0;
    gid_t gid = 0;
    QProcess running;
};

} // namespace

TEST_F(DataFolderTest, AReadOnlyExeFolderKeepsTheFilesInTheDataFolderAcrossStarts) {
    start();
    ASSERT_TRUE(waitfor([&] { return filebytes(data("chsb.rez")).size() == 4 * 272; }, 10000))
        << running.readAllStandardError().toStdString();
    ASSERT_TRUE(waitfor([&] { return filebytes(data("chdb.res")).size() == 960; }, 2000));
    EXPECT_EQ(running.state(), QProcess::Running) << "halted";
    stop();
    EXPECT_EQ(QDir(exeDir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"chimelet"});

    // A setting made between starts: a default list to open.
    const QString list = home.filePath("tea.clt");
    WorkingDatabase db;
    db.setPath(list);
    db.createdatabase();
    TNotificationRecord tea;
    tea.MessageText = "Tea";
    db.writenotification(tea, 1);
    db.setrecordcount(1);
    db.close();
    SettingsStore settings;
    ASSERT_TRUE(settings.opensettings(data("chsb.rez")));
    TSettingsRecord first = settings.readsetting(0);
    first.Text = SettingsStore::storedText(list.toStdString());
    settings.writesetting(first, 0);
    settings.close();

    start();
    EXPECT_TRUE(waitfor([&] { return filebytes(data("chdb.res")) == filebytes(list); }, 10000))
        << "the second start did not open the list its settings name";
    stop();
}
