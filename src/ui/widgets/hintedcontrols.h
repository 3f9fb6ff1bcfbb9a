#pragma once

class QCheckBox;
class QIcon;
class QPushButton;
class QString;
class QWidget;

// Buttons and check boxes with the hint shown when the pointer rests on them; an empty
// hint shows none.
QPushButton* button(const QString& caption, const QString& hint, QWidget* parent);
QPushButton* button(const QString& caption, const QString& hint, const QIcon& icon,
                    QWidget* parent);
QCheckBox* checkbox(const QString& caption, const QString& hint, QWidget* parent);
