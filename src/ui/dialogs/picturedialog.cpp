#include "ui/dialogs/picturedialog.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

QVBoxLayout* picturedialoglayout(QWidget* owner, QWidget* picture, QLayout* words,
                                 std::initializer_list<QWidget*> right, QWidget* left) {
    auto* upper = new QHBoxLayout;
    upper->addWidget(picture, 0, Qt::AlignTop);
    upper->addLayout(words, 1);
    auto* buttons = new QHBoxLayout;
    if (left) buttons->addWidget(left);
    buttons->addStretch();
    for (QWidget* b : right)
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(owner);
    layout->addLayout(upper);
    layout->addLayout(buttons);
    return layout;
}
