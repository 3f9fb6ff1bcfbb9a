#include "present/txtbx.h"

TForm5::TForm5(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral(""));
}
