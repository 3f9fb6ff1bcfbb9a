#include "ui/dialogs/debug.h"

#include <QTextEdit>
#include <QVBoxLayout>

TForm7::TForm7(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Debug"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    RichEdit1 = new QTextEdit(this);
    RichEdit1->setLineWrapMode(QTextEdit::NoWrap);
    RichEdit1->setAccessibleName(QStringLiteral("Debug log"));
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(RichEdit1);
    resize(337, 296);
}

void TForm7::showme(const QString& text) {
    // append() would read the text as rich text when it looks like markup.
    QTextCursor end(RichEdit1->document());
    end.movePosition(QTextCursor::End);
    if (!RichEdit1->document()->isEmpty()) end.insertBlock();
    end.insertText(text);
}
