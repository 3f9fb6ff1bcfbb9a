#include "neditfixture.h"

#include <QApplication>
#include <QFocusEvent>
#include <QTest>

using EditorTimeEntry = EditorFixture;

namespace {
void focusevent(QWidget* w, QEvent::Type type, Qt::FocusReason reason) {
    QFocusEvent e(type, reason);
    QApplication::sendEvent(w, &e);
}
} // namespace

TEST_F(EditorTimeEntry, TypingIsCheckedAsItHappens) {
    editor->makenew();
    editor->Edit4->clear();
    QTest::keyClicks(editor->Edit4, "x");
    EXPECT_EQ(editor->Edit4->text(), "");
    QTest::keyClicks(editor->Edit4, "24");
    EXPECT_EQ(editor->Edit4->text(), "");
    EXPECT_EQ(messages(), QStringList(2, "Must be between 0 - 23")) << "x, then 24 but not 2";
    QTest::keyClicks(editor->Edit4, "2a");
    EXPECT_EQ(editor->Edit4->text(), "2");
    editor->Edit5->clear();
    QTest::keyClicks(editor->Edit5, "007");
    EXPECT_EQ(editor->Edit5->text(), "7");
    EXPECT_EQ(messages().size(), 2);
}

TEST_F(EditorTimeEntry, StoredValuesAreCheckedWhenTheEditorOpens) {
    TNotificationRecord rec = sample();
    rec.Hours = 24;
    rec.Minutes = -5;
    rec.DisplayDuration = 0; // the edit's own first text is "0" too
    const int index = addstored(rec);
    editor->editnotification(RecordIndex(index), 0);
    EXPECT_EQ(editor->Edit4->text(), "");
    EXPECT_EQ(editor->Edit5->text(), "5");
    EXPECT_EQ(editor->Edit9->text(), "");
    EXPECT_EQ(messages(), (QStringList{"Must be between 0 - 23", "Must be between 1 - 59"}));
    // Opening stores the record as read, switched off, whatever the edits made of it.
    rec.Active = 0;
    EXPECT_EQ(stored(index), rec);
}

TEST_F(EditorTimeEntry, EmptyEditsRefillAtTheirOwnMoment) {
    editor->makenew();
    for (QLineEdit* e : {editor->Edit4, editor->Edit5, editor->Edit6, editor->Edit9})
        e->clear();
    for (auto [e, refill] : {std::pair{editor->Edit4, "0"}, std::pair{editor->Edit6, "0"},
                             std::pair{editor->Edit9, "5"}}) {
        focusevent(e, QEvent::FocusIn, Qt::TabFocusReason);
        EXPECT_EQ(e->text(), "");
        // A message box or another window taking the focus is no leaving.
        focusevent(e, QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        EXPECT_EQ(e->text(), "");
        focusevent(e, QEvent::FocusOut, Qt::TabFocusReason);
        EXPECT_EQ(e->text(), refill);
    }
    focusevent(editor->Edit5, QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    EXPECT_EQ(editor->Edit5->text(), "");
    focusevent(editor->Edit5, QEvent::FocusIn, Qt::MouseFocusReason);
    EXPECT_EQ(editor->Edit5->text(), "0") << "minutes refill on entering";
    editor->Edit5->clear();
    focusevent(editor->Edit5, QEvent::FocusOut, Qt::TabFocusReason);
    EXPECT_EQ(editor->Edit5->text(), "");
    EXPECT_TRUE(messages().isEmpty());
}
