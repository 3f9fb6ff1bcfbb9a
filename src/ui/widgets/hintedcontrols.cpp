#include "ui/widgets/hintedcontrols.h"

#include <QCheckBox>
#include <QIcon>
#include <QPushButton>

QPushButton* button(const QString& caption, const QString& hint, QWidget* parent) {
    return button(caption, hint, QIcon(), parent);
}

QPushButton* button(const QString& caption, const QString& hint, const QIcon& icon,
                    QWidget* parent) {
    auto* b = new QPushButton(icon, caption, parent);
    if (!hint.isEmpty()) b->setToolTip(hint);
    return b;
}

QCheckBox* checkbox(const QString& caption, const QString& hint, QWidget* parent) {
    auto* c = new QCheckBox(caption, parent);
    if (!hint.isEmpty()) c->setToolTip(hint);
    return c;
}
