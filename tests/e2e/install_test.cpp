#include "programrun.h"
#include "store/secure.h"
#include "store/workingdatabase.h"
#include "support/samplerecord.h"

#include <QDir>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString tool(const char* name) {
    return QStandardPaths::findExecutable(name);
}

QString run(const QString& program, const QStringList& args, int* code = nullptr) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    const bool done = p.waitForFinished(300000);
    if (code) *code = done && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromLocal8Bit(p.readAll());
}

// A list holding one Notification, "Tea".
void writetealist(const QString& path) {
    WorkingDatabase db;
    db.setpath(path);
    db.createdatabase();
    db.writenotification(SampleRecord("Tea"), RecordIndex(1));
    db.setrecordcount(1);
    db.close();
}

QString build(const char* name) {
    return qEnvironmentVariable("CHIMELET_BUILD_DIR") + "/" + name;
}

} // namespace

TEST(Install, EveryFileOfADesktopProgramUnderOneIdAndTheyValidate) {
    QTemporaryDir prefix;
    int code;
    const QString out = run(qEnvironmentVariable("CHIMELET_CMAKE", tool("cmake")),
                            {"--install", build(""), "--prefix", prefix.path()}, &code);
    ASSERT_EQ(code, 0) << out.toStdString();
    const auto at = [&](const QString& relative) { return prefix.filePath(relative); };
    const QStringList entries = QDir(at("share/applications")).entryList({"*.Chimelet.desktop"});
    ASSERT_EQ(entries.size(), 1);
    const QString id = entries[0].chopped(8), entry = at("share/applications/" + entries[0]);
    const QString meta = at("share/metainfo/" + id + ".metainfo.xml");
    EXPECT_TRUE(QFileInfo(at("bin/chimelet")).isExecutable());
    EXPECT_TRUE(QFileInfo(at("bin/chimelet-wmf")).isExecutable());
    // Where the installed program looks for its modules.
    for (const char* module : {"chimelet-audio.so", "chimelet-http.so"})
        EXPECT_TRUE(QFile::exists(at("bin/" CHIMELET_MODULE_FROM_BIN "/") + module)) << module;
    EXPECT_EQ(readbytes(at("share/chimelet/chmhlp.tub")), readbytes(build("chmhlp.tub")));
    EXPECT_TRUE(QFile::exists(at("share/man/man1/chimelet.1")));
    for (const QString& line : QStringList{"Name=Chimelet", "Exec=chimelet %f", "Icon=" + id,
                                           "MimeType=application/x-chimelet-list;",
                                           "Categories=Utility;Clock;", "StartupNotify=true"})
        EXPECT_TRUE(readbytes(entry).contains("\n" + line.toUtf8() + "\n")) << line.toStdString();
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        EXPECT_EQ(
            QImageReader(at(QString("share/icons/hicolor/%1x%1/apps/").arg(size) + id + ".png"))
                .size(),
            QSize(size, size));
    EXPECT_TRUE(readbytes(at("share/icons/hicolor/scalable/apps/" + id + ".svg")).contains("<svg"));
    EXPECT_TRUE(readbytes(meta).contains(">" + id.toUtf8() + ".desktop</launchable>"));

    if (tool("desktop-file-validate").isEmpty() || tool("appstreamcli").isEmpty())
        GTEST_SKIP() << "desktop-file-validate or appstreamcli missing (desktop-file-utils, "
                        "appstream): the desktop entry and metainfo are not validated";
    EXPECT_EQ(run(tool("desktop-file-validate"), {entry}, &code), "");
    EXPECT_EQ(code, 0);
    const QString verdict = run(tool("appstreamcli"), {"validate", "--no-net", meta}, &code);
    EXPECT_EQ(code, 0) << verdict.toStdString();
}

// The real program in a folder it cannot write. Root ignores permission bits, so as
// root the program runs as "nobody".
TEST(Install, AReadOnlyExeFolderKeepsTheFilesInTheDataFolderAcrossStarts) {
    QTemporaryDir exeDir, home, runtime;
    const QString exe = exeDir.filePath("chimelet"), list = home.filePath("tea.clt");
    const QString data = home.filePath(".local/share/Chimelet/");
    ASSERT_TRUE(QFile::copy(builtprogram(), exe));
    const passwd* nobody = ::geteuid() == 0 ? ::getpwnam("nobody") : nullptr;
    QStringList asuser;
    if (::geteuid() == 0) {
        if (!nobody || tool("setpriv").isEmpty()) GTEST_SKIP() << "root without nobody/setpriv";
        for (const QTemporaryDir* d : {&home, &runtime})
            ASSERT_EQ(::chown(QFile::encodeName(d->path()), nobody->pw_uid, nobody->pw_gid), 0);
        asuser = {QString("--reuid=%1").arg(nobody->pw_uid),
                  QString("--regid=%1").arg(nobody->pw_gid), "--clear-groups"};
    }
    ::chmod(QFile::encodeName(exeDir.path()), 0555);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.remove("XDG_DATA_HOME");
    const auto startandstop = [&](const std::function<bool()>& ready) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(asuser.isEmpty() ? exe : tool("setpriv"),
                asuser.isEmpty() ? QStringList() : asuser + QStringList{exe});
        const bool seen = waitfor(ready, 10000);
        ::kill(static_cast<pid_t>(p.processId()), SIGTERM);
        EXPECT_TRUE(p.waitForFinished(5000) && p.exitCode() == 0) << "no clean exit";
        return seen;
    };
    EXPECT_TRUE(startandstop([&] { return readbytes(data + "chsb.rez").size() == 4 * 272; }));
    EXPECT_EQ(QDir(exeDir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"chimelet"});
    ::chmod(QFile::encodeName(exeDir.path()), 0755);

    // A setting made between starts: a list to open at start.
    writetealist(list);
    // Made here as a working database is, the test's own: the user gets to read it.
    ::chmod(QFile::encodeName(list), 0644);
    SettingsStore settings;
    ASSERT_TRUE(settings.opensettings(data + "chsb.rez"));
    settings.writesetting({SettingsStore::storedtext(list.toStdString()), 0, 0}, 0);
    settings.close();
    EXPECT_TRUE(startandstop([&] { return readbytes(data + "chdb.res") == readbytes(list); }))
        << "the second start did not open the list its settings name";
}

TEST(Install, DebianPackageHoldsTheFilesAndNamesItsLibraries) {
    if (tool("dpkg-shlibdeps").isEmpty() || tool("dpkg-deb").isEmpty())
        GTEST_SKIP() << "dpkg-shlibdeps or dpkg-deb missing (package dpkg-dev): no .deb built";
    QTemporaryDir out;
    int code;
    const QString made =
        run(qEnvironmentVariable("CHIMELET_CPACK", tool("cpack")),
            {"-G", "DEB", "--config", build("CPackConfig.cmake"), "-B", out.path()}, &code);
    ASSERT_EQ(code, 0) << made.toStdString();
    const QStringList debs = QDir(out.path()).entryList({"chimelet_*.deb"});
    ASSERT_EQ(debs.size(), 1) << made.toStdString();
    const QString deb = out.filePath(debs[0]);
    const QString contents = run(tool("dpkg-deb"), {"--contents", deb});
    for (const char* file :
         {"/usr/bin/chimelet", "/usr/bin/chimelet-wmf", "/chimelet/chimelet-audio.so",
          "/usr/share/mime/packages/" CHIMELET_APP_ID ".xml", "/chimelet/chimelet-http.so",
          "/usr/share/chimelet/chmhlp.tub", "Chimelet.desktop", "Chimelet.metainfo.xml",
          "/man1/chimelet.1", "/scalable/apps/", "/256x256/apps/"})
        EXPECT_TRUE(contents.contains(file)) << file << " missing from " << deb.toStdString();
    const QString depends = run(tool("dpkg-deb"), {"--field", deb, "Depends"});
    for (const char* library : {"libqt6widgets6", "libsdl2-mixer", "libjpeg62-turbo", "libwmf"})
        EXPECT_TRUE(depends.contains(library)) << library << " not in " << depends.toStdString();
}

// The desktop of a user who installed the program: the list type is known by its name and
// by its bytes, Chimelet is its default, and opening a list starts Chimelet with it.
TEST(Install, ListFilesAreTheirOwnTypeAndOpenInChimelet) {
    for (const char* name : {"update-mime-database", "update-desktop-database", "xdg-mime", "gio"})
        if (tool(name).isEmpty())
            GTEST_SKIP() << name
                         << " missing (shared-mime-info, "
                            "desktop-file-utils, xdg-utils, libglib2.0-bin)";
    QTemporaryDir prefix, home, runtime;
    int code;
    run(qEnvironmentVariable("CHIMELET_CMAKE", tool("cmake")),
        {"--install", build(""), "--prefix", prefix.path()}, &code);
    ASSERT_EQ(code, 0);
    run(tool("update-mime-database"), {prefix.filePath("share/mime")}, &code);
    ASSERT_EQ(code, 0);
    run(tool("update-desktop-database"), {prefix.filePath("share/applications")}, &code);
    ASSERT_EQ(code, 0);

    writetealist(home.filePath("tea.clt"));
    const QByteArray list = readbytes(home.filePath("tea.clt"));
    writebytes(home.filePath("tea"), list);
    writebytes(home.filePath("zeros"), QByteArray(960, '\0'));

    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_DIRS", prefix.filePath("share") + ":/usr/share");
    env.insert("HOME", home.path());
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    for (const char* unset : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"})
        env.remove(unset);
    env.insert("XDG_CURRENT_DESKTOP", "GNOME"); // xdg-mime asks GIO, as on that desktop
    env.insert("PATH", prefix.filePath("bin") + ":" + env.value("PATH"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    p.setProcessEnvironment(env);
    const auto ask = [&](const QString& program, const QStringList& args) {
        p.start(program, args);
        p.waitForFinished(20000);
        return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    };
    const QString type = "application/x-chimelet-list";
    EXPECT_EQ(ask("xdg-mime", {"query", "filetype", home.filePath("tea.clt")}), type);
    EXPECT_EQ(ask("xdg-mime", {"query", "filetype", home.filePath("tea")}), type);
    EXPECT_NE(ask("xdg-mime", {"query", "filetype", home.filePath("zeros")}), type);
    EXPECT_EQ(ask("xdg-mime", {"query", "default", type}), CHIMELET_APP_ID ".desktop");

    // The program gio starts writes on gio's channels after gio has ended.
    QProcess open;
    open.setProcessEnvironment(env);
    open.setStandardOutputFile(QProcess::nullDevice());
    open.setStandardErrorFile(QProcess::nullDevice());
    open.start("gio", {"open", home.filePath("tea.clt")});
    EXPECT_TRUE(open.waitForFinished(20000) && open.exitCode() == 0);
    const QString db = home.filePath(".local/share/Chimelet/chdb.res");
    EXPECT_TRUE(waitfor([&] { return readbytes(db) == list; }, 20000))
        << readbytes(db).size() << " bytes in " << db.toStdString();
    ask(prefix.filePath("bin/chimelet"), {"--quit"});
    EXPECT_EQ(p.exitCode(), 0);
}
