#include "linuxplatform/dialogs.h"
#include "present/mp3r.h"
#include "schedule/errorreporter.h"
#include "schedule/listcontroller.h"
#include "store/apppaths.h"
#include "store/notificationsink.h"
#include "support/fakeplatform.h"
#include "support/tempfolder.h"
#include "ui/editor/nedit.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
// The real message box; the picker answers with a file that is not there.
struct BoxDialogs : QtDialogs {
    QString answer;
    std::optional<QString> openfile(const FileDialogSetup&) override { return answer; }
};
struct NoSink : NotificationSink {
    void shownotification(const TNotificationRecord&) override {}
};
} // namespace

TEST(MessageBoxes, ThePickersErrorOpensAboveTheEditorAndReleasesIt) {
    FakePlatform fake;
    TempFolder tmp;
    BoxDialogs dialogs;
    dialogs.answer = tmp.file("missing.jpg");
    const AppPaths paths = AppPaths::beside(tmp.path(), tmp.path());
    ErrorReporter reporter(dialogs);
    NoSink sink;
    ListController list(fake.clock, sink, reporter);
    list.newdatabase(tmp.file("chdb.res"));
    TForm6 player(fake.audio);
    TForm2 editor(list, dialogs, paths, player, reporter);
    editor.makenew();
    QApplication::setActiveWindow(&editor);
    ASSERT_TRUE(editor.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    QMessageBox* seen = nullptr;
    Qt::WindowFlags flags;
    Qt::WindowModality modality = Qt::NonModal;
    QTimer::singleShot(0, [&] {
        seen = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!seen) return;
        flags = seen->windowFlags();
        modality = seen->windowModality();
        EXPECT_EQ(seen->parentWidget(), &editor);
        EXPECT_EQ(seen->text(), "Error: Invalid File.");
        seen->accept();
    });
    editor.BitBtn3Click();
    ASSERT_NE(seen, nullptr);
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint)) << "else it hides behind the editor";
    EXPECT_EQ(modality, Qt::WindowModal);

    editor.Edit1->setFocus(); // the editor takes input again
    QTest::keyClicks(editor.Edit1, "ok");
    EXPECT_EQ(editor.Edit1->text(), "ok");
    editor.hide();
}
