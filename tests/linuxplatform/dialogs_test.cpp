#include "linuxplatform/dialogs.h"
#include "support/tempfolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

TEST(FileDialogs, StartInTheWantedFolderOrElseAtHome) {
    TempFolder tmp;
    EXPECT_EQ(dialogstartfolder(tmp.path()), tmp.path());
    // A missing documents folder would become the suggested file name.
    EXPECT_EQ(dialogstartfolder(tmp.file("Documents")), QDir::homePath());
    QFile plain(tmp.file("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    EXPECT_EQ(dialogstartfolder(tmp.file("plain")), QDir::homePath());
}
