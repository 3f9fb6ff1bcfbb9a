#include "ui/widgets/accessiblenames.h"

#include "ui/widgets/labelledcombo.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QWidget>

namespace {
// "...", "c", "+" or nothing say nothing spoken; the hint says what the button does.
bool wordcaption(const QString& caption) {
    int letters = 0;
    for (const QChar c : caption)
        if (c.isLetter()) ++letters;
    return letters >= 2;
}
} // namespace

QString spokencaption(const QString& caption) {
    QString spoken;
    spoken.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) ++i;
        spoken += caption[i];
    }
    return spoken;
}

void nameforaccess(QWidget* window) {
    QHash<const QWidget*, QString> labels;
    for (const QLabel* label : window->findChildren<QLabel*>())
        if (label->buddy() && !labels.contains(label->buddy()))
            labels.insert(label->buddy(), spokencaption(label->text()));
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const QString hint = w->toolTip();
        if (w->accessibleDescription().isEmpty() && !hint.isEmpty())
            w->setAccessibleDescription(hint);
        if (!w->accessibleName().isEmpty()) continue;
        if (const auto label = labels.constFind(w); label != labels.cend()) {
            w->setAccessibleName(*label);
            continue;
        }
        // Captions are names already, and stay right when the caption changes.
        if (const auto* b = qobject_cast<QAbstractButton*>(w); b && wordcaption(b->text()))
            continue;
        if (qobject_cast<QLabel*>(w) || qobject_cast<QGroupBox*>(w)) continue;
        if (!hint.isEmpty()) w->setAccessibleName(hint);
    }
    for (QComboBox* combo : window->findChildren<QComboBox*>())
        labelcombo(combo);
}

void taborder(std::initializer_list<QWidget*> chain) {
    QWidget* before = nullptr;
    for (QWidget* w : chain) {
        if (before) QWidget::setTabOrder(before, w);
        before = w;
    }
}
