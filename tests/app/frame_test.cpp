#include "app/frame.h"
#include "framefixture.h"
#include "present/txtbx.h"
#include "schedule/listfiles.h"
#include "schedule/secondticker.h"
#include "support/fakeplatform.h"
#include "support/samplerecord.h"
#include "support/tempfolder.h"
#include "ui/dialogs/about.h"
#include "ui/dialogs/options.h"
#include "ui/dialogs/savenexit.h"
#include "ui/dialogs/update.h"
#include "ui/editor/nedit.h"
#include "ui/mainwindow/main.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

class FrameTest : public FrameFixture {
protected:
    int startupEnding() {
        return ending([this] { frame->startup(); });
    }
};

} // namespace

TEST_F(FrameTest, SecondaryWindowsAreMadeOnceAtFirstUse) {
    EXPECT_FALSE(frame->secondinstance());
    // Only what the first show needs is made at start; the rest once, at first use.
    const auto made = [] {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            n += qobject_cast<TForm2*>(w) || qobject_cast<TForm8*>(w) ||
                 qobject_cast<TForm10*>(w) || qobject_cast<TForm11*>(w);
        return n;
    };
    EXPECT_EQ(made(), 0);
    ASSERT_EQ(startupEnding(), -1);
    emit frame->form1()->newRequested();
    EXPECT_TRUE(frame->form2()->isVisible());
    EXPECT_EQ(made(), 1);
    emit frame->form1()->newRequested();
    EXPECT_EQ(made(), 1);
    EXPECT_FALSE(frame->form1()->BitBtn8->isEnabled()) << "a fresh start has nothing unsaved";
}

TEST_F(FrameTest, SecondCopyIsRefused) {
    FakePlatform other;
    other.instance.othercopy = true;
    Frame second(other.platform(), exe.path());
    EXPECT_TRUE(second.secondinstance());
    EXPECT_EQ(other.instance.broadcasts, 1);
    EXPECT_FALSE(other.instance.listening);
    EXPECT_TRUE(fakes.instance.listening);
    second.showmain(); // runs nothing, opens nothing
    EXPECT_FALSE(second.globals().started);
    EXPECT_FALSE(QFile::exists(file("chsb.rez")));
}

TEST_F(FrameTest, FirstStartCreatesBlankStoresAndShowsTheTray) {
    EXPECT_EQ(startupEnding(), -1);
    EXPECT_TRUE(g().started);
    EXPECT_TRUE(fakes.tray.visible);
    EXPECT_EQ(QFile(file("chsb.rez")).size(), 4 * 272);
    EXPECT_EQ(QFile(file("chdb.res")).size(), 960);
    EXPECT_EQ(g().paths.tmpbmp, file("tmp.bmp"));
    EXPECT_EQ(g().paths.wallpaperbmp, file("Chimelet Background.bmp"));
    EXPECT_TRUE(ws().currentfile().isEmpty());
    EXPECT_TRUE(fakes.dialogs.messages.isEmpty());
}

TEST_F(FrameTest, UnusableSettingsHaltBeforeAnythingElse) {
    writebytes(file("chsb.rez"), {});
    EXPECT_EQ(startupEnding(), 1);
    ASSERT_EQ(fakes.dialogs.messages.size(), 1);
    EXPECT_EQ(fakes.dialogs.messages[0], QString::fromLatin1(kUnstableMessage));
    EXPECT_FALSE(fakes.tray.visible);
    EXPECT_FALSE(QFile::exists(file("chdb.res")));
    EXPECT_FALSE(g().started);
}

TEST_F(FrameTest, NoWritableFolderHaltsBeforeAnythingElse) {
    // Neither /proc nor a folder inside it can take a file, whoever runs the test.
    frame.reset();
    makeframe("/proc");
    qputenv("XDG_DATA_HOME", "/proc/chimelet-test");
    const int code = startupEnding();
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(code, 1);
    ASSERT_EQ(fakes.dialogs.messages.size(), 1);
    EXPECT_EQ(fakes.dialogs.messages[0], QString::fromLatin1(kUnstableMessage));
    EXPECT_FALSE(fakes.tray.visible);
    EXPECT_FALSE(g().started);
}

TEST_F(FrameTest, ExitWithoutChangesEndsAtOnce) {
    ASSERT_EQ(startupEnding(), -1);
    EXPECT_EQ(ending([this] { frame->exitrequest(); }), 0);
    EXPECT_FALSE(fakes.tray.visible);
    EXPECT_FALSE(tickerof(frame->list()).isActive());
    EXPECT_TRUE(QFile::exists(file("chdb.res"))); // left for the next start to discard
}

TEST_F(FrameTest, ExitWithChangesAsksFirst) {
    ASSERT_EQ(startupEnding(), -1);
    ws().markmodified();
    EXPECT_EQ(ending([this] { frame->exitrequest(); }), -1);
    EXPECT_TRUE(frame->form12()->isVisible());
    // Closing the question ends the program without saving.
    EXPECT_EQ(ending([this] { frame->form12()->close(); }), 0);
}

TEST_F(FrameTest, SaveThenExitOnAnUnnamedListWithTheDialogCancelled) {
    ASSERT_EQ(startupEnding(), -1);
    ws().markmodified();
    bool saved = false;
    QObject::connect(&frame->list(), &ListController::fileNameChanged, [&saved] { saved = true; });
    EXPECT_EQ(ending([this] { frame->form12()->BitBtn1Click(); }), 0);
    EXPECT_FALSE(saved);
}

TEST_F(FrameTest, DefaultFileSetInTheOptionsIsTheOneTheNextStartOpens) {
    ASSERT_EQ(startupEnding(), -1);
    const TNotificationRecord rec = SampleRecord("Tea").countdown(0);
    ws().addtolist(rec, ws().appendrecord(rec));
    const QString list = file("Liste für Zoë.clt");
    ASSERT_TRUE(frame->list().saveas(list));

    fakes.dialogs.openAnswers = {list};
    frame->form11()->show();
    frame->form11()->BitBtn3->click();
    frame->form11()->BitBtn1->click();

    frame.reset(); // the program ends; a new one starts in the same folder
    makeframe(exe.path());
    ASSERT_EQ(startupEnding(), -1);
    EXPECT_EQ(ws().currentfile(), list);
    EXPECT_EQ(ws().rowcount(), 1);
}

TEST_F(FrameTest, SecondaryWindowsHoldMainWindowAndEditorUntilEveryWayOut) {
    ASSERT_EQ(startupEnding(), -1);
    frame->form1()->show();
    frame->form2()->show();
    QDialog* about = frame->form8();
    QDialog* options = frame->form11();
    QWidget* update = frame->form10();
    const std::pair<QWidget*, std::function<void()>> ways[] = {
        {about, [this] { frame->form8()->exitfromabout->click(); }},
        {about, [about] { about->close(); }},
        {about, [about] { QTest::keyClick(about, Qt::Key_Escape); }},
        {options, [this] { frame->form11()->BitBtn1->click(); }},
        {options, [this] { frame->form11()->BitBtn2->click(); }},
        {options, [options] { options->close(); }},
        {options, [options] { QTest::keyClick(options, Qt::Key_Escape); }},
        // The fake server has no news: the update window closes itself once it hears so.
        {update,
         [this] {
             EXPECT_TRUE(QTest::qWaitFor([this] { return !frame->form10()->checking(); }));
             QCoreApplication::processEvents();
         }},
    };
    for (const auto& [window, leave] : ways) {
        window->show();
        EXPECT_FALSE(frame->form1()->isEnabled());
        EXPECT_FALSE(frame->form2()->isEnabled());
        leave();
        EXPECT_FALSE(window->isVisible());
        // Both usable again, the main window beside the open editor.
        EXPECT_TRUE(frame->form1()->isEnabled());
        EXPECT_TRUE(frame->form2()->isEnabled());
    }
    // The update window's own way out ends the program.
    EXPECT_EQ(ending([this] { emit frame->form10()->endprogram(); }), 0);
}

TEST_F(FrameTest, EscapeInTheMainWindowEndsTheReminderAndLeavesTheFocusWhereItWas) {
    ASSERT_EQ(startupEnding(), -1);
    TForm1* main = frame->form1();
    main->show();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    main->ListView1->setFocus();
    frame->form5()->starttheshow(QStringLiteral("Tea"), false);
    ASSERT_TRUE(frame->form5()->isVisible());
    QTest::keyClick(main->ListView1, Qt::Key_Escape);
    EXPECT_FALSE(frame->form5()->isVisible());
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), main->ListView1);
}

// What a handler raises reaches the one box, and nothing unwinds through the signal: here
// the leaving question's Save, whose working database cannot be reopened.
TEST_F(FrameTest, ASaveThatRaisesFromTheLeavingQuestionIsReported) {
    ASSERT_EQ(startupEnding(), -1);
    emit frame->form1()->newRequested();
    frame->form2()->BitBtn2Click();
    ws().setcurrentfile(file("kept.clt"));
    ASSERT_TRUE(QFile::remove(file("chdb.res")));
    ASSERT_TRUE(QDir(exe.path()).mkdir("chdb.res"));
    fakes.dialogs.messages.clear();
    emit frame->form12()->saveRequested();
    ASSERT_EQ(fakes.dialogs.messages.size(), 1);
    EXPECT_TRUE(fakes.dialogs.messages[0].contains("chdb.res"))
        << qPrintable(fakes.dialogs.messages[0]);
    EXPECT_TRUE(ws().modified()) << "nothing was saved";
}

// About and Options up together: the main window and the editor come back only when the
// second of them goes, whichever goes first.
TEST_F(FrameTest, TwoSecondaryWindowsUpTogetherHoldUntilBothHaveGone) {
    ASSERT_EQ(startupEnding(), -1);
    frame->form1()->show();
    frame->form2()->show();
    QWidget* about = frame->form8();
    QWidget* options = frame->form11();
    const std::pair<QWidget*, QWidget*> orders[] = {{about, options}, {options, about}};
    for (const auto& [first, second] : orders) {
        SCOPED_TRACE(first->metaObject()->className());
        about->show();
        options->show();
        first->close();
        ASSERT_FALSE(first->isVisible());
        EXPECT_FALSE(frame->form1()->isEnabled());
        EXPECT_FALSE(frame->form2()->isEnabled());
        second->close();
        EXPECT_TRUE(frame->form1()->isEnabled());
        EXPECT_TRUE(frame->form2()->isEnabled());
    }
}
