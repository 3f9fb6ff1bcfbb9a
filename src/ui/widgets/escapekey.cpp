#include "ui/widgets/escapekey.h"

#include <QShortcut>
#include <QWidget>

void onescape(QWidget* window, std::function<void()> act) {
    auto* key = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, window, std::move(act));
}
