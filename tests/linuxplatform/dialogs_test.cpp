#include "linuxplatform/dialogs.h"
#include "support/tempfolder.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTest>
#include <QTimer>

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

// The filters show their texts as given, match by every pattern in them, and what the
// dialog remembers stays in the program's folder.
TEST(FileDialogs, ShowFilterTextsAsGivenAndKeepTheirStateInTheProgramsFolder) {
    TempFolder tmp, state;
    for (const char* name : {"a.jpg", "b.WMF", "c.bmp", "d.txt"})
        writebytes(tmp.file(name), "x");
    keepdialogstatein(state.path());
    QtDialogs dialogs;
    QStringList texts, listed;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        auto* model = dialog->findChild<QFileSystemModel*>();
        if (!types || !model) return dialog->reject();
        for (int i = 0; i < types->count(); ++i)
            texts << types->itemText(i);
        const QModelIndex folder = model->index(tmp.path());
        if (!QTest::qWaitFor([&] { return model->rowCount(folder) >= 3; }, 5000))
            return dialog->reject();
        QTest::qWait(100); // a file the filter lets through late would show by now
        for (int r = 0; r < model->rowCount(folder); ++r)
            listed << model->index(r, 0, folder).data().toString();
        dialog->reject();
    });
    const auto chosen = dialogs.openfile(
        {"Open", "All (*.jpg;*.jpeg;*.bmp; *.wmf);;Text (*.txt)", tmp.path(), false, false});
    EXPECT_FALSE(chosen);
    EXPECT_EQ(texts, (QStringList{"All (*.jpg;*.jpeg;*.bmp; *.wmf)", "Text (*.txt)"}));
    listed.sort();
    EXPECT_EQ(listed, (QStringList{"a.jpg", "b.WMF", "c.bmp"}));
    EXPECT_TRUE(QFile::exists(state.file("QtProject.conf")));
}
