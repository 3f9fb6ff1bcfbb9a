#include "neditfixture.h"

#include "platform/dialogs.h"
#include "store/ansitext.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace {
struct EditorTexts : EditorFixture {
    void SetUp() override {
        EditorFixture::SetUp();
        editor->makenew();
    }
    // Types as a keyboard in any language would, one character per key.
    void type(const QString& text) {
        for (QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(editor->Edit1, &press);
        }
    }
};

// The real message box; the picker answers with a file that is not there.
struct BoxDialogs : QtDialogs {
    QString answer;
    std::optional<QString> openfile(const FileDialogSetup&) override { return answer; }
};
} // namespace

TEST_F(EditorTexts, TypingStopsAtTheMessagesByteLimit) {
    type(QString(200, QChar(0x0416)));
    EXPECT_EQ(editor->Edit1->text(), QString(127, QChar(0x0416))) << "two bytes each";
    type("€");
    EXPECT_EQ(editor->Edit1->text().size(), 127) << "€ needs three bytes, one is left";
    type("ab");
    EXPECT_TRUE(editor->Edit1->text().endsWith(QChar(0x0416) + QString("a")));
    editor->BitBtn1Click();
    EXPECT_EQ(fromansi(stored(1).MessageText), editor->Edit1->text()) << "stored whole";
}

TEST_F(EditorTexts, ThePickersErrorOpensAboveTheEditorAndReleasesIt) {
    BoxDialogs dialogs;
    dialogs.answer = tmp.file("missing.jpg");
    g.platform.dialogs = &dialogs;
    QApplication::setActiveWindow(editor.get());
    ASSERT_TRUE(editor->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QMessageBox* seen = nullptr;
    Qt::WindowFlags flags;
    Qt::WindowModality modality = Qt::NonModal;
    QTimer::singleShot(0, [&] {
        seen = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!seen) return;
        flags = seen->windowFlags();
        modality = seen->windowModality();
        EXPECT_EQ(seen->parentWidget(), editor.get());
        EXPECT_EQ(seen->text(), "Error: Invalid File.");
        seen->accept();
    });
    editor->BitBtn3Click();
    ASSERT_NE(seen, nullptr);
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint)) << "else it hides behind the editor";
    EXPECT_EQ(modality, Qt::WindowModal);

    editor->Edit1->setFocus(); // the editor takes input again
    QTest::keyClicks(editor->Edit1, "ok");
    EXPECT_EQ(editor->Edit1->text(), "ok");
}
