#include "desktopframe.h"
#include "ui/dialogs/update.h"
#include "ui/editor/nedit.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TEST_F(DesktopFrame, EscapeClosesAnOpenListBeforeItCancelsTheEditor) {
    main()->BitBtn1->click();
    TForm2* editor = frame->form2();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
    QTest::keyClicks(editor->Edit1, "kept");
    for (QComboBox* list : {editor->ComboBox5, editor->ComboBox1}) {
        QWidget* popup = list->view()->window();
        // A window manager still settling the new window's focus closes a list opened
        // meanwhile: the key is pressed once the list has stayed open.
        for (int tries = 0; tries < 10 && !popup->isVisible(); ++tries) {
            list->setFocus();
            list->showPopup();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
            QTest::qWait(200);
        }
        ASSERT_TRUE(popup->isVisible());
        presskey("Escape");
        ASSERT_TRUE(QTest::qWaitFor([popup] { return !popup->isVisible(); }, 3000));
        // Whatever else the key did has happened once the window has had its events.
        QTest::qWait(200);
        ASSERT_TRUE(editor->isVisible()) << list->objectName().toStdString();
    }
    presskey("Escape");
    ASSERT_TRUE(QTest::qWaitFor([editor] { return !editor->isVisible(); }, 3000));
    // Cancel after the list closed: the typed text was never applied, and nothing else.
    EXPECT_EQ(ws().db().readnotification(ws().rows().row(0).record).MessageText, "");
}

// Return presses the button that has the focus, in windows that are no dialogs too.
TEST_F(DesktopFrame, ReturnPressesTheFocusedButton) {
    main()->BitBtn1->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([this] { return main()->BitBtn1->hasFocus(); }, 3000));
    presskey("Return");
    TForm2* editor = frame->form2();
    ASSERT_TRUE(QTest::qWaitFor([editor] { return editor->isVisible(); }, 3000))
        << "Return on New opened no editor";
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
    editor->BitBtn2->setFocus(); // Cancel
    presskey("Return");
    ASSERT_TRUE(QTest::qWaitFor([editor] { return !editor->isVisible(); }, 3000));

    main()->Checkforupdates2->trigger();
    TForm10* update = frame->form10();
    ASSERT_TRUE(QTest::qWaitFor([update] { return !update->checking(); }));
    ASSERT_TRUE(QTest::qWaitForWindowActive(update));
    ASSERT_TRUE(QTest::qWaitFor([update] { return update->doupdate->hasFocus(); }, 3000));
    presskey("Return");
    // The download starts, and fails against this test's server.
    EXPECT_TRUE(QTest::qWaitFor([update] { return !update->doupdate->isEnabled(); }, 3000));
    update->noupdate->click();
}
