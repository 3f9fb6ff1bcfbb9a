#include "ui/update.h"

TForm10::TForm10(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Chimelet - Update Available"));
}
