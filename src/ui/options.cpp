#include "ui/options.h"

TForm11::TForm11(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Chimelet - Options"));
}
