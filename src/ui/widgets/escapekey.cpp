#include "ui/widgets/escapekey.h"

#include <QKeyEvent>
#include <QWidget>

namespace {
// Hears the Escape that nothing inside the window took. A shortcut would hear it before
// an open drop-down list or menu, which takes the first Escape for itself.
class EscapeKey : public QObject {
public:
    EscapeKey(QWidget* window, std::function<void()> act) : QObject(window), act_(std::move(act)) {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() != Qt::Key_Escape ||
            (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        act_();
        return true;
    }

private:
    std::function<void()> act_;
};
} // namespace

void onescape(QWidget* window, std::function<void()> act) {
    new EscapeKey(window, std::move(act));
}
