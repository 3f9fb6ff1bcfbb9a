#include "ui/dialogs/savenexit.h"
#include "ui/dialogs/picturedialog.h"

#include "schedule/errorreporter.h"
#include "ui/widgets/accessiblenames.h"
#include "ui/widgets/fixedwindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TForm12::TForm12(ErrorReporter& reporter, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form12"));
    setWindowTitle(QStringLiteral("Save before exit?"));
    makefixedwindow(this);

    auto* picture = new QLabel(this);
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(48, 48));
    picture->setAccessibleName(QStringLiteral("Question"));
    auto* heading = new QLabel(QStringLiteral("Save file before exit?"), this);
    QFont serif(QStringLiteral("Serif"));
    serif.setStyleHint(QFont::Serif);
    serif.setPixelSize(24);
    heading->setFont(serif);
    auto* text = new QLabel(QStringLiteral("You haven't saved changes to your clt file.  Would you "
                                           "like to save it now?"),
                            this);
    text->setWordWrap(true);

    exitfromabout = new QPushButton(QStringLiteral("Just exit"), this);
    BitBtn1 = new QPushButton(QStringLiteral("Save then exit"), this);
    exitfromabout->setObjectName(QStringLiteral("exitfromabout"));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    connectguarded(reporter, exitfromabout, &QPushButton::clicked, this,
                   &TForm12::exitfromaboutClick);
    // A save that fails is reported and the program stays, so nothing is lost.
    connectguarded(reporter, BitBtn1, &QPushButton::clicked, this, &TForm12::BitBtn1Click);

    auto* words = new QVBoxLayout;
    words->addWidget(heading);
    words->addWidget(text);
    picturedialoglayout(this, picture, words, {exitfromabout, BitBtn1});
    nameforaccess(this);
    taborder({exitfromabout, BitBtn1});
    setFixedSize(420, 170);
}

void TForm12::BitBtn1Click() {
    // A cancelled Save dialog still exits, as the user asked to leave.
    emit saveRequested();
    emit leave();
}

void TForm12::exitfromaboutClick() {
    emit leave();
}

void TForm12::closeEvent(QCloseEvent* e) {
    e->ignore();
    emit leave();
}

void TForm12::reject() {
    hide();
    emit exitCancelled();
}
