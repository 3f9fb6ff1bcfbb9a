#include "present/fsimage.h"

TForm3::TForm3(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral(""));
}
