#include "ui/dialogs/about.h"
#include "ui/dialogs/picturedialog.h"

#include "platform/shell.h"
#include "ui/widgets/listicons.h"
#include "ui/widgets/weblinks.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TForm8::TForm8(Shell& shell, QWidget* parent) : SecondaryWindow(parent), shell_(shell) {
    setWindowTitle(QStringLiteral("Chimelet - About"));
    Image1 = new QLabel(this);
    Image1->setPixmap(drawprogramicon(64));
    Label1 = new QLabel(this);
    QFont title(QStringLiteral("Times New Roman"));
    title.setStyleHint(QFont::Serif);
    title.setPixelSize(24);
    Label1->setFont(title);
    Label2 = new QLabel(this);
    Label3 = new QLabel(this);
    Label4 = new QLabel(QString::fromLatin1(kWebHost), this);
    Label5 = new QLabel(this);
    exitfromabout = new QPushButton(QStringLiteral("Ok"), this);
    BitBtn1 = new QPushButton(QStringLiteral("Visit ") + QString::fromLatin1(kWebHost), this);
    connect(exitfromabout, &QPushButton::clicked, this, &TForm8::exitfromaboutClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm8::BitBtn1Click);

    auto* words = new QVBoxLayout;
    words->setSpacing(1);
    for (QLabel* l : {Label1, Label2, Label3, Label4, Label5})
        words->addWidget(l);
    picturedialoglayout(this, Image1, words, {exitfromabout}, BitBtn1);
    FormCreate();
    setFixedSize(sizeHint().expandedTo(QSize(300, 126)));
}

void TForm8::FormCreate() {
    Label1->setText(QStringLiteral("Chimelet"));
    Label2->setText(QStringLiteral("v2.0.1"));
    Label3->setText(QStringLiteral("Reminders for your desktop, by the Chimelet team"));
    Label5->setText(QStringLiteral("Freeware"));
}

void TForm8::showEvent(QShowEvent* e) {
    SecondaryWindow::showEvent(e);
    if (e->spontaneous()) return;
    Label5->setText(QStringLiteral("Freeware"));
    exitfromabout->setFocus();
}

void TForm8::exitfromaboutClick() {
    hide();
}

void TForm8::BitBtn1Click() {
    shell_.brow(QString::fromLatin1(kHomePage));
}
