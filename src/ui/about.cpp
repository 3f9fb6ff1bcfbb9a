#include "ui/about.h"

TForm8::TForm8(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Chimelet - About"));
}
