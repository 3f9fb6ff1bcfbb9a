#include "ui/widgets/labelledcombo.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>

namespace {

class LabelledComboBox : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit LabelledComboBox(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return combo()->currentText();
        if (t == QAccessible::Name) {
            const QString name = combo()->accessibleName();
            return name.isEmpty() ? combo()->currentText() : name;
        }
        return QAccessibleWidget::text(t);
    }

    // The popup list, as Qt's own drop-down list has it.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(combo()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == combo()->view() ? 0 : -1;
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = combo()->view()->isVisible();
        return s;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override {
        if (action == showMenuAction() || action == pressAction()) combo()->showPopup();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    // The current item as read-only text, where a reader looks for what the list shows.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override {
        return combo()->currentText().mid(start, end < 0 ? -1 : end - start);
    }
    int characterCount() const override { return int(combo()->currentText().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }
};

QAccessibleInterface* labelledcombo(const QString& classname, QObject* object) {
    auto* combo = qobject_cast<QComboBox*>(object);
    // Editable lists have a text field of their own, which Qt's interface exposes.
    if (!combo || combo->isEditable() || classname != QLatin1String("QComboBox")) return nullptr;
    return new LabelledComboBox(combo);
}

} // namespace

void labelcombo(QComboBox* combo) {
    installlabelledcombos();
    // A list that told of a change while it was made has the interface Qt made then.
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(combo);
    if (made && !dynamic_cast<LabelledComboBox*>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void installlabelledcombos() {
    static const bool installed = [] {
        QAccessible::installFactory(labelledcombo);
        return true;
    }();
    (void)installed;
}
