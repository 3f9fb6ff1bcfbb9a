#include "app/frame.h"
#include "framefixture.h"
#include "schedule/engine.h"
#include "schedule/secondticker.h"
#include "support/fakeplatform.h"
#include "support/samplerecord.h"
#include "ui/dialogs/about.h"
#include "ui/dialogs/help.h"
#include "ui/dialogs/options.h"
#include "ui/dialogs/savenexit.h"
#include "ui/dialogs/update.h"
#include "ui/editor/nedit.h"
#include "ui/mainwindow/main.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

// The whole program over fakes, its main window shown and active as a user has it.
class Commands : public FrameFixture {
protected:
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->hide();
    }
    TForm1* main() { return frame->form1(); }

    void showactive() {
        frame->showmain();
        ASSERT_TRUE(g().started);
        main()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main()));
    }
    RecordIndex addcountdown(const char* text) {
        const TNotificationRecord r = SampleRecord(text).countdown(30).active().lasting(5);
        const RecordIndex index = ws().appendrecord(r);
        ws().addtolist(r, index);
        return index;
    }
    QString state(int row) { return ws().rows().subitem(row, rowpart::State); }
    void select(int row) {
        main()->ListView1->selectionModel()->select(main()->ListView1->model()->index(row, 0),
                                                    QItemSelectionModel::ClearAndSelect |
                                                        QItemSelectionModel::Rows);
    }
    // Presses keys where the user's focus is: in the list.
    void press(QKeySequence keys) {
        main()->ListView1->setFocus();
        const QKeyCombination k = keys[0];
        QTest::keyClick(main()->ListView1, k.key(), k.keyboardModifiers());
    }
    void setstartminimised() {
        SettingsStore s;
        ASSERT_TRUE(s.opensettings(exe.filePath("chsb.rez")));
        s.writesetting(TSettingsRecord{"", 1, 0}, 0);
        s.close();
    }
};

} // namespace

TEST_F(Commands, ShortcutsReachTheirHandlersFromTheListAndTheTrayMenuHasNone) {
    showactive();
    addcountdown("Tea");
    addcountdown("Bread");
    select(0);

    press(Qt::CTRL | Qt::Key_X);
    EXPECT_EQ(state(0), "Inactive");
    press(Qt::CTRL | Qt::Key_R);
    EXPECT_EQ(state(0), "Active");
    press(Qt::ALT | Qt::Key_Backspace);
    EXPECT_EQ(state(0), "Inactive");
    EXPECT_EQ(state(1), "Inactive");
    press(Qt::CTRL | Qt::Key_A);
    EXPECT_EQ(state(1), "Active");
    EXPECT_EQ(main()->ListView1->selectionModel()->selectedRows().size(), 1)
        << "Ctrl+A started all instead of selecting all rows";

    press(Qt::Key_F2);
    EXPECT_TRUE(frame->form2()->isVisible());
    frame->form2()->BitBtn2Click();
    ASSERT_FALSE(frame->form2()->isVisible());
    main()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main()));
    select(1);
    press(Qt::SHIFT | Qt::Key_Delete);
    EXPECT_EQ(ws().rows().size(), 1);

    press(Qt::CTRL | Qt::Key_O);
    press(Qt::CTRL | Qt::Key_S);
    ASSERT_EQ(fakes.dialogs.asked.size(), 2);
    EXPECT_EQ(fakes.dialogs.asked[0].title, "Open");
    EXPECT_EQ(fakes.dialogs.asked[1].title, "Save As");

    // Each window the keys ask for holds the main window while it is up: close it again.
    const auto opens = [this](QKeySequence keys, QWidget* window) {
        main()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main()));
        press(keys);
        EXPECT_TRUE(window->isVisible()) << keys.toString().toStdString();
        window->hide();
    };
    opens(Qt::Key_F10, frame->form11());
    opens(Qt::Key_F1, frame->form9());
    // The update check runs; the fake server cannot be reached.
    main()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main()));
    press(Qt::CTRL | Qt::Key_U);
    // The answer comes from the check's own thread.
    ASSERT_TRUE(QTest::qWaitFor([this] { return !frame->form10()->checking(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(fakes.dialogs.messages, QStringList{"Could not connect to update server."});
    fakes.dialogs.messages.clear();
    press(Qt::SHIFT | Qt::Key_Insert);
    EXPECT_TRUE(frame->form2()->isVisible());
    EXPECT_TRUE(fakes.dialogs.messages.isEmpty()) << fakes.dialogs.messages.join("|").toStdString();

    // The list menu shows the same keys and reaches the same handlers.
    const QList<QAction*> list = main()->listmenu()->actions();
    for (QAction* a : list) {
        if (a->isSeparator()) continue;
        QAction* twin = nullptr;
        for (QAction* m : main()->menuBar()->findChildren<QAction*>())
            if (!m->shortcut().isEmpty() && m->shortcut() == a->shortcut()) twin = m;
        EXPECT_TRUE(twin) << a->objectName().toStdString() << " has no key in the main menu";
    }
    frame->form2()->BitBtn2Click();
    for (QAction* a : main()->traymenu()->actions())
        EXPECT_TRUE(a->shortcut().isEmpty()) << a->objectName().toStdString();
}

TEST_F(Commands, CloseHidesIntoTheTrayAndOnlyExitAsksToSave) {
    showactive();
    ws().markmodified();
    main()->close();
    EXPECT_FALSE(main()->isVisible());
    EXPECT_FALSE(frame->form12()->isVisible());
    EXPECT_EQ(ended, -1);
    EXPECT_TRUE(fakes.tray.visible);
    EXPECT_TRUE(tickerof(frame->list()).isActive());

    // A click on the tray icon brings it back in front.
    emit fakes.tray.clicked();
    EXPECT_TRUE(main()->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(main()));

    main()->showMinimized();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !main()->isVisible(); }, 1000));
    // The tray makes its menu when first asked for it.
    ASSERT_EQ(main()->traypop, nullptr);
    ASSERT_EQ(fakes.tray.menu(), main()->traypop);
    main()->Restore1->trigger();
    EXPECT_TRUE(main()->isVisible());
    EXPECT_FALSE(main()->isMinimized());

    main()->Exit2->trigger();
    EXPECT_TRUE(frame->form12()->isVisible());
    EXPECT_EQ(ended, -1);
    // Escape is "not now"; the close box leaves.
    QTest::keyClick(frame->form12(), Qt::Key_Escape);
    EXPECT_FALSE(frame->form12()->isVisible());
    EXPECT_EQ(ended, -1);
    main()->Exit2->trigger();
    frame->form12()->close();
    EXPECT_EQ(ended, 0);
}

TEST_F(Commands, SaveStaysAvailableAfterASave) {
    showactive();
    addcountdown("Tea");
    ws().markmodified();
    const QString list = exe.filePath("mine.clt");
    fakes.dialogs.saveAnswers.push_back(list);
    main()->Save1->trigger();
    ASSERT_TRUE(QFile::exists(list));
    EXPECT_FALSE(main()->BitBtn8->isEnabled());
    EXPECT_TRUE(main()->Save1->isEnabled());
    EXPECT_TRUE(main()->SaveAs1->isEnabled());
    QFile::remove(list);
    main()->Save1->trigger();
    EXPECT_TRUE(QFile::exists(list)) << "Save File did not save again";
    EXPECT_EQ(fakes.dialogs.asked.size(), 1);

    // The tray's heading does nothing; the tray's Exit with nothing unsaved ends at once.
    fakes.tray.menu();
    main()->TrayTitle1->trigger();
    EXPECT_EQ(ended, -1);
    EXPECT_TRUE(main()->isVisible());
    main()->Exit1->trigger();
    EXPECT_EQ(ended, 0);
}

TEST_F(Commands, StartMinimisedShowsNothingUntilRestore) {
    setstartminimised();
    frame->showmain();
    ASSERT_TRUE(g().started);
    EXPECT_FALSE(main()->isVisible());
    EXPECT_TRUE(fakes.tray.visible);
    EXPECT_TRUE(tickerof(frame->list()).isActive());

    // A later start of the program brings the window back, opaque and in front.
    fakes.instance.startagain();
    EXPECT_TRUE(main()->isVisible());
    EXPECT_FALSE(main()->isMinimized());
    EXPECT_NEAR(main()->windowOpacity(), 1.0, 1.0 / 255);
    EXPECT_TRUE(QTest::qWaitForWindowActive(main()));
}

TEST_F(Commands, WithoutATrayHostTheWindowIsIconifiedNeverLost) {
    fakes.tray.sethost(false);
    setstartminimised();
    frame->showmain();
    EXPECT_TRUE(main()->isVisible());
    EXPECT_TRUE(main()->isMinimized());
    main()->Restore1Click();
    ASSERT_FALSE(main()->isMinimized());

    main()->close();
    EXPECT_TRUE(main()->isVisible());
    EXPECT_TRUE(main()->isMinimized());
    QApplication::processEvents();
    EXPECT_TRUE(main()->isVisible()) << "minimised into a tray that no one shows";

    // A tray host comes: close hides again; it goes: the window returns to the taskbar.
    main()->Restore1Click();
    fakes.tray.sethost(true);
    main()->close();
    EXPECT_FALSE(main()->isVisible());
    fakes.tray.sethost(false);
    EXPECT_TRUE(main()->isVisible());
    EXPECT_TRUE(main()->isMinimized());

    // Closed while iconified: it stays, and the program runs on.
    main()->close();
    EXPECT_EQ(ended, -1);
    EXPECT_TRUE(main()->isVisible());
}

TEST_F(Commands, WebLinksAndDoubleClickOnTheEmptyList) {
    showactive();
    main()->ContactSupport1->trigger();
    main()->VisitSite1->trigger();
    main()->Downloadfreeimages1->trigger();
    ASSERT_EQ(fakes.shell.opened.size(), 3);
    const QUrl home(fakes.shell.opened[1]);
    EXPECT_TRUE(main()->VisitSite1->text().endsWith(home.host()));
    EXPECT_EQ(home.path(), "/");
    EXPECT_EQ(fakes.shell.opened[0], home.toString() + "?pge=support");
    EXPECT_EQ(fakes.shell.opened[2], home.toString() + "?pge=chimeletimages");

    addcountdown("Tea");
    select(0);
    QWidget* empty = main()->ListView1->viewport();
    const QPoint below(10, empty->height() - 5);
    QTest::mouseDClick(empty, Qt::LeftButton, {}, below);
    ASSERT_EQ(fakes.dialogs.messages.size(), 1);
    EXPECT_EQ(fakes.dialogs.messages[0], QString::fromLatin1(kSelectOrCreateMessage));
    EXPECT_FALSE(frame->form2()->isVisible());
}
