#include "desktopframe.h"
#include "schedule/secondticker.h"
#include "support/tempfolder.h"
#include "ui/dialogs/about.h"
#include "ui/dialogs/help.h"
#include "ui/dialogs/options.h"
#include "ui/dialogs/savenexit.h"
#include "ui/dialogs/update.h"
#include "ui/editor/nedit.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

namespace {
// The tray icon's own window, docked in the tray host.
QWidget* trayiconwindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qstrcmp(w->metaObject()->className(), "QSystemTrayIconSys") == 0 && w->isVisible())
            return w;
    return nullptr;
}

// Where the window manager put a window once it has framed it and stopped moving it. A
// loaded machine can take seconds to frame a window.
QRect settledframe(const QWidget* w) {
    QRect last;
    for (int i = 0; i < 100; ++i) {
        QTest::qWait(100);
        const QRect now = w->frameGeometry();
        // Framed means a title bar above: a window manager may put the borders on first.
        const bool titled = w->geometry().top() - now.top() > now.bottom() - w->geometry().bottom();
        if (now == last && titled) break;
        last = now;
    }
    return last;
}
} // namespace

TEST_F(DesktopFrame, TheTrayAnswersWhileTheEditorAndASecondaryWindowAreUp) {
    ASSERT_TRUE(QTest::qWaitFor([] { return trayiconwindow() != nullptr; }, 5000));
    const QString icon = QString::number(trayiconwindow()->winId());
    main()->BitBtn1->click();
    TForm2* editor = frame->form2();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editor));
    ASSERT_FALSE(main()->isEnabled());

    xdotool({"mousemove", "--sync", "--window", icon, "8", "8", "click", "3"});
    // Made at this first asking.
    EXPECT_EQ(main()->traypop, nullptr);
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return main()->traypop && main()->traypop->isVisible(); }, 3000));
    QMenu* menu = main()->traypop;
    clickat(menu->mapToGlobal(menu->actionGeometry(main()->TrayAbout1).center()));
    TForm8* about = frame->form8();
    ASSERT_TRUE(QTest::qWaitFor([about] { return about->isVisible(); }, 3000))
        << "the tray menu's About did nothing";
    EXPECT_FALSE(main()->isEnabled());
    EXPECT_FALSE(editor->isEnabled());

    // Hidden into the tray meanwhile, the main window comes back with a click, still held.
    main()->hideintray();
    xdotool({"mousemove", "--sync", "--window", icon, "8", "8", "click", "1"});
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main()));
    EXPECT_FALSE(main()->isEnabled());
    about->exitfromabout->click();
    EXPECT_TRUE(main()->isEnabled());
    EXPECT_TRUE(editor->isEnabled());
}

TEST_F(DesktopFrame, BoxesAndFileDialogsOpenAboveTheHelpWindow) {
    main()->Help4->trigger();
    QWidget* help = frame->form9();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    main()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main()));
    // Each opens from the main window; seen on the screen, it is stacked above help.
    for (QAction* command : {main()->Delete2, main()->Open1}) {
        int above = -2, dialogs = 0;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            ++dialogs;
            if (QTest::qWaitFor([&] { return stackplace(dialog) >= 0; }, 10000))
                QTest::qWait(200); // the window manager settles its stacking
            above = stackplace(dialog) - stackplace(help);
            dialog->reject();
        });
        command->trigger();
        EXPECT_EQ(dialogs, 1) << command->objectName().toStdString();
        EXPECT_GT(above, 0) << command->objectName().toStdString() << " opened under help";
    }
}

TEST_F(DesktopFrame, EscapeInSaveBeforeExitCancelsTheExitAndTheCloseBoxStillExits) {
    const AppGlobals& g = frame->globals();
    main()->BitBtn1->click();
    frame->form2()->BitBtn1->click(); // a Notification in the list, not saved
    ASSERT_TRUE(ws().modified());
    const QByteArray database = readbytes(g.paths.databasefile);

    main()->Exit2->trigger();
    TForm12* ask = frame->form12();
    ASSERT_TRUE(QTest::qWaitForWindowActive(ask));
    presskey("Escape");
    EXPECT_TRUE(QTest::qWaitFor([ask] { return !ask->isVisible(); }, 3000));
    EXPECT_EQ(ended, -1);
    EXPECT_TRUE(ws().modified());
    EXPECT_EQ(ws().rowcount(), 1);
    EXPECT_EQ(readbytes(g.paths.databasefile), database);
    EXPECT_TRUE(tickerof(frame->list()).isActive());
    EXPECT_TRUE(main()->isVisible() && main()->isEnabled());

    main()->Exit2->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowActive(ask));
    closebox(ask);
    EXPECT_TRUE(QTest::qWaitFor([this] { return ended == 0; }, 3000));
}

TEST_F(DesktopFrame, EscapeIsTheCloseBoxOfUpdateHelpAndEditor) {
    main()->Checkforupdates2->trigger();
    TForm10* update = frame->form10();
    // The check answers from its own thread; the window shows after that.
    ASSERT_TRUE(QTest::qWaitFor([update] { return !update->checking(); }));
    ASSERT_TRUE(QTest::qWaitForWindowActive(update));
    ASSERT_FALSE(main()->isEnabled());
    presskey("Escape");
    EXPECT_TRUE(QTest::qWaitFor([update] { return !update->isVisible(); }, 3000));
    EXPECT_TRUE(main()->isEnabled());

    main()->Help4->trigger();
    TForm9* help = frame->form9();
    ASSERT_TRUE(QTest::qWaitForWindowActive(help));
    presskey("Escape");
    EXPECT_TRUE(QTest::qWaitFor([help] { return !help->isVisible(); }, 3000));

    // In the editor Escape is Cancel: the new Notification stays, inactive.
    main()->BitBtn1->click();
    TForm2* editor = frame->form2();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
    QTest::keyClicks(editor->Edit1, "kept?");
    presskey("Escape");
    EXPECT_TRUE(QTest::qWaitFor([editor] { return !editor->isVisible(); }, 3000));
    EXPECT_TRUE(main()->isEnabled());
    const NotificationRow row = ws().rows().row(0);
    EXPECT_FALSE(row.active);
    EXPECT_EQ(ws().db().readnotification(row.record).MessageText, "");
}

TEST_F(DesktopFrame, CentredWindowsComeBackWhereTheyWere) {
    const QRect screen = main()->screen()->availableGeometry();
    const std::pair<QWidget*, std::function<void()>> windows[] = {
        {frame->form10(),
         [this] {
             main()->Checkforupdates2->trigger();
             EXPECT_TRUE(QTest::qWaitFor([this] { return !frame->form10()->checking(); }));
         }},
        {frame->form9(), [this] { main()->Help4->trigger(); }},
        {frame->form11(), [this] { main()->Options2->trigger(); }},
        {frame->form8(), [this] { main()->About1->trigger(); }},
        {frame->form2(), [this] { main()->BitBtn1->click(); }},
    };
    for (const auto& [window, open] : windows) {
        const std::string name = window->windowTitle().toStdString();
        QRect first;
        for (int showing = 0; showing < 3; ++showing) {
            open();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(window)) << name;
            // Compared by the window's own area: a loaded window manager tells a window its
            // frame late, and until then its frame reads as its bare outline.
            if (showing == 0) {
                settledframe(window);
                first = window->geometry();
                EXPECT_LE((first.center() - screen.center()).manhattanLength(), 30) << name;
            } else {
                const bool back =
                    QTest::qWaitFor([&] { return window->geometry() == first; }, 10000);
                EXPECT_TRUE(back) << name << ", showing " << showing + 1;
                EXPECT_EQ(window->geometry(), first) << name << ", showing " << showing + 1;
            }
            window->close();
            ASSERT_TRUE(QTest::qWaitFor([window] { return !window->isVisible(); }, 3000));
        }
    }
}
