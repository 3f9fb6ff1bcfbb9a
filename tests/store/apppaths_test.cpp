#include "store/apppaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(AppPaths, InstalledOrReadOnlyCopiesWriteToTheDataFolderAndReadSharedFilesWhereShipped) {
    QTemporaryDir prefix;
    const QString bin = prefix.filePath("bin"), data = prefix.filePath("home/Chimelet");
    QDir().mkpath(prefix.filePath("share/chimelet"));
    QDir().mkpath(bin);
    QFile(prefix.filePath("share/chimelet/chmhlp.tub")).open(QIODevice::WriteOnly);
    // Installed: never into bin, though root could write there.
    AppPaths p = AppPaths::locate(bin, "docs", data);
    EXPECT_EQ(p.settingsfile, data + "/chsb.rez");
    EXPECT_EQ(p.helpfile, prefix.filePath("share/chimelet/chmhlp.tub"));
    EXPECT_TRUE(QDir(bin).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    // A copy in a folder that refuses files, with its help file beside it.
    QFile(prefix.filePath("chmhlp.tub")).open(QIODevice::WriteOnly);
    p = AppPaths::locate(prefix.path(), "docs", data, [&](const QString& f) { return f == data; });
    EXPECT_EQ(p.databasefile, data + "/chdb.res");
    EXPECT_EQ(p.helpfile, prefix.filePath("chmhlp.tub"));
    // Nowhere to write: no file to open. /proc takes no file, not even from root.
    EXPECT_FALSE(canwrite("/proc"));
    p = AppPaths::locate("/proc", "docs", prefix.filePath("share/chimelet/chmhlp.tub/x"));
    EXPECT_TRUE(p.datafolder.isEmpty());
    EXPECT_TRUE(p.settingsfile.isEmpty());
}
