#include "ui/debug.h"

TForm7::TForm7(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Debug"));
}
