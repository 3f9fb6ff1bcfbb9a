#include "ui/help.h"

TForm9::TForm9(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Chimelet - Help"));
}
