#include "store/apppaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

QStringList everything(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

class AppPathsTest : public ::testing::Test {
protected:
    QString data() const { return home.filePath("share/Chimelet"); }
    QTemporaryDir exe, home;
};

} // namespace

TEST_F(AppPathsTest, AWritableExeFolderKeepsEveryFileBesideIt) {
    const AppPaths p = AppPaths::locate(exe.path(), "docs", data());
    EXPECT_EQ(p.datafolder, exe.path() + "/");
    EXPECT_EQ(p.databasefile, exe.filePath("chdb.res"));
    EXPECT_EQ(p.settingsfile, exe.filePath("chsb.rez"));
    EXPECT_EQ(p.tmpbmp, exe.filePath("tmp.bmp"));
    EXPECT_EQ(p.wallpaperbmp, exe.filePath("Chimelet Background.bmp"));
    EXPECT_EQ(p.helpfile, exe.filePath("chmhlp.tub"));
    EXPECT_EQ(p.docfolder, "docs");
    EXPECT_FALSE(QFileInfo::exists(data()));
    EXPECT_TRUE(everything(exe.path()).isEmpty()) << "the write probe left a file behind";
}

TEST_F(AppPathsTest, AReadOnlyExeFolderSendsTheFilesToTheDataFolderMadeOnFirstStart) {
    touch(exe.filePath("chmhlp.tub"));
    const auto readonlyExe = [this](const QString& f) { return f != exe.path() && canwrite(f); };
    const AppPaths p = AppPaths::locate(exe.path(), "docs", data(), readonlyExe);
    EXPECT_EQ(p.exefolder, exe.path() + "/");
    EXPECT_EQ(p.datafolder, data() + "/");
    EXPECT_EQ(p.databasefile, data() + "/chdb.res");
    EXPECT_EQ(p.settingsfile, data() + "/chsb.rez");
    EXPECT_EQ(p.tmpbmp, data() + "/tmp.bmp");
    EXPECT_EQ(p.wallpaperbmp, data() + "/Chimelet Background.bmp");
    EXPECT_TRUE(QFileInfo(data()).isDir());
    // Shipped files are still read from where they were shipped.
    EXPECT_EQ(p.helpfile, exe.filePath("chmhlp.tub"));
}

TEST_F(AppPathsTest, AnInstalledCopyWritesToTheDataFolderAndReadsItsSharedFiles) {
    QTemporaryDir prefix;
    const QString bin = prefix.filePath("bin");
    QDir().mkpath(bin);
    touch(prefix.filePath("share/chimelet/chmhlp.tub"));
    AppPaths p = AppPaths::locate(bin, "docs", data());
    EXPECT_EQ(p.datafolder, data() + "/");
    EXPECT_EQ(p.helpfile, prefix.filePath("share/chimelet/chmhlp.tub"));
    EXPECT_TRUE(everything(bin).isEmpty());
    // A help file put beside the executable comes first.
    touch(bin + "/chmhlp.tub");
    p = AppPaths::locate(bin, "docs", data());
    EXPECT_EQ(p.helpfile, bin + "/chmhlp.tub");
}

TEST_F(AppPathsTest, NoWritableFolderLeavesNoFileToOpen) {
    const AppPaths p =
        AppPaths::locate(exe.path(), "docs", data(), [](const QString&) { return false; });
    EXPECT_TRUE(p.datafolder.isEmpty());
    EXPECT_TRUE(p.settingsfile.isEmpty());
    EXPECT_TRUE(p.databasefile.isEmpty());
    EXPECT_TRUE(p.tmpbmp.isEmpty());
    EXPECT_EQ(p.docfolder, "docs");
}

TEST_F(AppPathsTest, TheWriteProbeFailsWhereNoFileCanBeMadeEvenForRoot) {
    EXPECT_TRUE(canwrite(exe.path()));
    EXPECT_FALSE(canwrite("/proc"));
    touch(exe.filePath("plain"));
    EXPECT_FALSE(canwrite(exe.filePath("plain")));
    EXPECT_FALSE(canwrite(exe.filePath("missing")));
    // A data folder that cannot be made leaves nowhere to write.
    const AppPaths p = AppPaths::locate("/proc", "docs", exe.filePath("plain/Chimelet"));
    EXPECT_TRUE(p.datafolder.isEmpty());
}
