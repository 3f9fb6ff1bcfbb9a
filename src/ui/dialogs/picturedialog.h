#pragma once

#include <initializer_list>

class QLayout;
class QVBoxLayout;
class QWidget;

// The layout the small windows share: a picture at the top left beside a column of
// words, and a row of buttons along the bottom, `right` at the right edge and `left`
// (if any) at the left.
QVBoxLayout* picturedialoglayout(QWidget* owner, QWidget* picture, QLayout* words,
                                 std::initializer_list<QWidget*> right, QWidget* left = nullptr);
