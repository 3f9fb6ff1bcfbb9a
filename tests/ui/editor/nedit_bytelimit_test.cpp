#include "neditfixture.h"

#include "store/ansitext.h"

#include <QApplication>
#include <QKeyEvent>

namespace {
// Types as a keyboard in any language would, one character per key.
void type(QWidget* edit, const QString& text) {
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(edit, &press);
    }
}
} // namespace

TEST_F(EditorFixture, TypingStopsAtTheMessagesByteLimit) {
    editor->makenew();
    type(editor->Edit1, QString(200, QChar(0x0416)));
    EXPECT_EQ(editor->Edit1->text(), QString(127, QChar(0x0416))) << "two bytes each";
    type(editor->Edit1, "€");
    EXPECT_EQ(editor->Edit1->text().size(), 127) << "€ needs three bytes, one is left";
    type(editor->Edit1, "ab");
    EXPECT_TRUE(editor->Edit1->text().endsWith(QChar(0x0416) + QString("a")));
    editor->BitBtn1Click();
    EXPECT_EQ(fromansi(stored(1).MessageText), editor->Edit1->text()) << "stored whole";
}
