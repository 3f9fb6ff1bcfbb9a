#include "present/puimage.h"

TForm4::TForm4(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral(""));
}
