#include "ui/dialogs/about.h"
#include "ui/dialogs/picturedialog.h"

#include "chimeletversion.h"
#include "platform/shell.h"
#include "ui/widgets/accessiblenames.h"
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
    Image1->setPixmap(drawprogramicon(48));
    Image1->setAccessibleName(QStringLiteral("Chimelet"));
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

    // The client area is 300 x 126: the name and version share a line, the attribution
    // wraps, the host and "Freeware" share the last line.
    Label3->setWordWrap(true);
    auto* heading = new QHBoxLayout;
    heading->addWidget(Label1);
    heading->addSpacing(6);
    heading->addWidget(Label2, 0, Qt::AlignBottom);
    heading->addStretch();
    auto* last = new QHBoxLayout;
    last->addWidget(Label4);
    last->addStretch();
    last->addWidget(Label5);
    auto* words = new QVBoxLayout;
    words->setSpacing(0);
    words->addLayout(heading);
    words->addWidget(Label3);
    words->addLayout(last);
    QVBoxLayout* all = picturedialoglayout(this, Image1, words, {exitfromabout}, BitBtn1);
    all->setContentsMargins(8, 6, 8, 6);
    all->setSpacing(4);
    FormCreate();
    nameforaccess(this);
    taborder({exitfromabout, BitBtn1});
    setFixedSize(300, 126);
}

void TForm8::FormCreate() {
    Label1->setText(QStringLiteral("Chimelet"));
    Label2->setText(QStringLiteral("v" CHIMELET_VERSION));
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
