#include "ui/widgets/returnkey.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace {
// Hears the Return that nothing inside the window took; a push button outside a dialog
// leaves it to its window.
class ReturnKey : public QObject {
public:
    explicit ReturnKey(QWidget* window) : QObject(window), window_(window) {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(e);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
            (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
        if (!button || button->window() != window_ || !button->isEnabled()) return false;
        button->click();
        return true;
    }

private:
    QWidget* window_;
};
} // namespace

void returnpressesbuttons(QWidget* window) {
    new ReturnKey(window);
}
