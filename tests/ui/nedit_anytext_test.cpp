#include "neditfixture.h"

#include "platform/dialogs.h"
#include "store/ansitext.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTest>

namespace {
struct EditorTexts : EditorFixture {
    void SetUp() override {
        EditorFixture::SetUp();
        editor->makenew();
    }
};

// Types text as a keyboard in any language would, one character per key.
void type(QWidget* edit, const QString& text) {
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(edit, &press);
    }
}

// The real message box; the picker answers with a file that is not there.
struct BoxDialogs : QtDialogs {
    QString answer;
    std::optional<QString> openfile(const FileDialogSetup&) override { return answer; }
};
} // namespace

TEST_F(EditorTexts, TypingStopsAtTheMessagesByteLimit) {
    editor->Edit1->setFocus();
    type(editor->Edit1, QString(200, QChar(0x0416)));
    EXPECT_EQ(editor->Edit1->text(), QString(127, QChar(0x0416))) << "two bytes each";
    QTest::keyClicks(editor->Edit1, QStringLiteral("ab"));
    EXPECT_EQ(editor->Edit1->text().size(), 128) << "one byte was left";
    QTest::keyClick(editor->Edit1, Qt::Key_Backspace);
    type(editor->Edit1, QStringLiteral("€"));
    EXPECT_TRUE(editor->Edit1->text().endsWith(QChar(0x0416))) << "€ would need three bytes";
    const QString typed = editor->Edit1->text() + "x";
    QTest::keyClicks(editor->Edit1, QStringLiteral("x"));
    editor->BitBtn1Click();
    EXPECT_EQ(fromansi(stored(1).MessageText), typed) << "stored whole";
}

TEST_F(EditorTexts, ThePickersErrorOpensAboveTheEditorAndReleasesIt) {
    BoxDialogs dialogs;
    dialogs.answer = tmp.file("missing.jpg");
    g.platform.dialogs = &dialogs;
    editor->activateWindow();
    QApplication::setActiveWindow(editor.get());
    ASSERT_TRUE(editor->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    QWidget* owner = nullptr;
    bool ontop = false, blocksonlyeditor = false, titlefits = false;
    QString text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        owner = box->parentWidget();
        ontop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        blocksonlyeditor = box->windowModality() == Qt::WindowModal;
        QFont bold = box->font();
        bold.setBold(true);
        titlefits = box->width() >= QFontMetrics(bold).horizontalAdvance(box->windowTitle()) +
                                        3 * box->style()->pixelMetric(QStyle::PM_TitleBarHeight);
        text = box->text();
        box->accept();
    });
    editor->BitBtn3Click();
    EXPECT_EQ(text, "Error: Invalid File.");
    EXPECT_EQ(owner, editor.get());
    EXPECT_TRUE(ontop) << "a box under a stay-on-top editor would hide behind it";
    EXPECT_TRUE(blocksonlyeditor);
    EXPECT_TRUE(titlefits);

    // The editor takes input again.
    editor->Edit1->setFocus();
    QTest::keyClicks(editor->Edit1, QStringLiteral("ok"));
    EXPECT_EQ(editor->Edit1->text(), "ok");
    QTest::mouseClick(editor->BitBtn2, Qt::LeftButton);
    EXPECT_FALSE(editor->isVisible());
}
