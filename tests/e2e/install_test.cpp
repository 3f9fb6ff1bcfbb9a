#include "programrun.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>

namespace {

struct Ran {
    int code = -1;
    QString output;
};

Ran run(const QString& program, const QStringList& args, int msecs = 120000) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(msecs)) {
        p.kill();
        p.waitForFinished();
        return {-1, "timed out: " + program};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAll())};
}

QString tool(const char* name, const char* fromEnvironment = nullptr) {
    if (fromEnvironment && qEnvironmentVariableIsSet(fromEnvironment))
        return qEnvironmentVariable(fromEnvironment);
    return QStandardPaths::findExecutable(name);
}

// `cmake --install` of this build into a temporary prefix.
class InstallTest : public ::testing::Test {
protected:
    void SetUp() override {
        const Ran installed = run(
            tool("cmake", "CHIMELET_CMAKE"),
            {"--install", qEnvironmentVariable("CHIMELET_BUILD_DIR"), "--prefix", prefix.path()});
        ASSERT_EQ(installed.code, 0) << installed.output.toStdString();
        const QStringList entries =
            QDir(path("share/applications")).entryList({"*.desktop"}, QDir::Files);
        ASSERT_EQ(entries.size(), 1) << entries.join(' ').toStdString();
        id = QFileInfo(entries[0]).completeBaseName();
    }
    QString path(const QString& relative) const { return prefix.filePath(relative); }
    QString desktopentry() const { return path("share/applications/" + id + ".desktop"); }
    QString metainfo() const { return path("share/metainfo/" + id + ".metainfo.xml"); }

    QTemporaryDir prefix;
    QString id;
};

} // namespace

TEST_F(InstallTest, EveryFileOfADesktopProgramUnderOneId) {
    EXPECT_TRUE(QFileInfo(path("bin/chimelet")).isExecutable());
    EXPECT_EQ(filebytes(path("share/chimelet/chmhlp.tub")),
              filebytes(qEnvironmentVariable("CHIMELET_BUILD_DIR") + "/chmhlp.tub"));
    EXPECT_TRUE(QFile::exists(path("share/man/man1/chimelet.1")));
    EXPECT_TRUE(QRegularExpression(R"(^[a-z0-9_]+(\.[a-z0-9_]+)+\.Chimelet$)").match(id).hasMatch())
        << id.toStdString();

    QSettings entry(desktopentry(), QSettings::IniFormat);
    entry.beginGroup("Desktop Entry");
    EXPECT_EQ(entry.value("Name").toString(), "Chimelet");
    EXPECT_EQ(entry.value("Exec").toString(), "chimelet");
    EXPECT_EQ(entry.value("Icon").toString(), id);
    EXPECT_FALSE(entry.value("Comment").toString().isEmpty());
    EXPECT_EQ(entry.value("StartupNotify").toString(), "true");
    EXPECT_TRUE(filebytes(desktopentry()).contains("\nCategories=Utility;Clock;\n"));

    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString png =
            path(QString("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(id));
        EXPECT_EQ(QImageReader(png).size(), QSize(size, size)) << png.toStdString();
    }
    EXPECT_TRUE(
        filebytes(path("share/icons/hicolor/scalable/apps/" + id + ".svg")).contains("<svg"));

    const QByteArray meta = filebytes(metainfo());
    EXPECT_TRUE(meta.contains("<id>" + id.toUtf8() + "</id>"));
    EXPECT_TRUE(meta.contains(">" + id.toUtf8() + ".desktop</launchable>"));
}

TEST_F(InstallTest, DesktopEntryAndMetainfoValidate) {
    const QString desktopValidator = tool("desktop-file-validate");
    const QString appstream = tool("appstreamcli");
    if (desktopValidator.isEmpty() || appstream.isEmpty())
        GTEST_SKIP() << "desktop-file-validate or appstreamcli missing (packages "
                        "desktop-file-utils, appstream; scripts/setup.sh installs them)";
    const Ran desktop = run(desktopValidator, {desktopentry()});
    EXPECT_EQ(desktop.code, 0) << desktop.output.toStdString();
    EXPECT_TRUE(desktop.output.trimmed().isEmpty()) << desktop.output.toStdString();
    const Ran meta = run(appstream, {"validate", "--no-net", "--pedantic", metainfo()});
    EXPECT_EQ(meta.code, 0) << meta.output.toStdString();
}

TEST_F(InstallTest, AnInstalledCopyKeepsItsFilesInTheUsersDataFolder) {
    QTemporaryDir home, runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("HOME", home.path());
    env.insert("XDG_DATA_HOME", home.filePath("data"));
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(path("bin/chimelet"), {});
    ASSERT_TRUE(program.waitForStarted(5000));
    const QString settings = home.filePath("data/Chimelet/chsb.rez");
    EXPECT_TRUE(waitfor([&] { return filebytes(settings).size() == 4 * 272; }, 10000))
        << program.readAllStandardError().toStdString();
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    EXPECT_TRUE(program.waitForFinished(5000));
    EXPECT_EQ(QDir(path("bin")).entryList(QDir::Files | QDir::Hidden), QStringList{"chimelet"});
}

TEST(PackageTest, DebianPackageHoldsTheInstallAndNamesItsLibraries) {
    const QString cpack = tool("cpack", "CHIMELET_CPACK");
    if (tool("dpkg-shlibdeps").isEmpty() || tool("dpkg-deb").isEmpty() || cpack.isEmpty())
        GTEST_SKIP() << "dpkg-shlibdeps, dpkg-deb or cpack missing (package dpkg-dev): no "
                        "Debian package to build";
    QTemporaryDir out;
    const Ran made =
        run(cpack,
            {"-G", "DEB", "--config",
             qEnvironmentVariable("CHIMELET_BUILD_DIR") + "/CPackConfig.cmake", "-B", out.path()},
            300000);
    ASSERT_EQ(made.code, 0) << made.output.toStdString();
    const QStringList debs = QDir(out.path()).entryList({"chimelet_*.deb"}, QDir::Files);
    ASSERT_EQ(debs.size(), 1) << made.output.toStdString();
    const QString deb = out.filePath(debs[0]);

    const Ran contents = run(tool("dpkg-deb"), {"--contents", deb});
    ASSERT_EQ(contents.code, 0) << contents.output.toStdString();
    for (const char* file :
         {"./usr/bin/chimelet", "./usr/share/chimelet/chmhlp.tub",
          "./usr/share/man/man1/chimelet.1", "./usr/share/icons/hicolor/scalable/apps/",
          "./usr/share/icons/hicolor/48x48/apps/"})
        EXPECT_TRUE(contents.output.contains(file)) << file;
    EXPECT_TRUE(QRegularExpression(R"(\./usr/share/applications/\S+\.Chimelet\.desktop)")
                    .match(contents.output)
                    .hasMatch());
    EXPECT_TRUE(QRegularExpression(R"(\./usr/share/metainfo/\S+\.Chimelet\.metainfo\.xml)")
                    .match(contents.output)
                    .hasMatch());

    const Ran depends = run(tool("dpkg-deb"), {"--field", deb, "Depends"});
    ASSERT_EQ(depends.code, 0) << depends.output.toStdString();
    for (const char* library : {"libqt6widgets6", "libsdl2-mixer", "libjpeg62-turbo", "libwmf"})
        EXPECT_TRUE(depends.output.contains(library))
            << library << " not in: " << depends.output.toStdString();
}
