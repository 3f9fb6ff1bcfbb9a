#include "mainfixture.h"

#include <QAccessible>
#include <QComboBox>
#include <QSignalSpy>
#include <QTest>

namespace {

using MainWindowAccess = MainWindowFixture;

QString spoken(QObject* o, QAccessible::Text what = QAccessible::Name) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(o);
    return i ? i->text(what) : QStringLiteral("<none>");
}

TEST_F(MainWindowAccess, TheModeSelectorIsNamedByItsLabelAndSaysItsItemAsItsValue) {
    EXPECT_EQ(spoken(form->ComboBox5), "Countdown activation mode:");
    EXPECT_EQ(spoken(form->ComboBox5, QAccessible::Value), "Lateral");
    form->ComboBox5->setCurrentIndex(1);
    EXPECT_EQ(spoken(form->ComboBox5), "Countdown activation mode:");
    QAccessibleInterface* combo = QAccessible::queryAccessibleInterface(form->ComboBox5);
    ASSERT_NE(combo->textInterface(), nullptr);
    EXPECT_EQ(combo->textInterface()->text(0, -1), "Sequential");
}

} // namespace
