#include "present/mp3r.h"

TForm6::TForm6(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral(""));
}
