#include "ui/nedit.h"

TForm2::TForm2(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Notification Editor"));
}
