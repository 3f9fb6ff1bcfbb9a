#include "app/savenexit.h"

#include "app/frame.h"
#include "ui/appglobals.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TForm12::TForm12(AppGlobals& g, QWidget* parent) : QDialog(parent), g_(g) {
    setWindowTitle(QStringLiteral("Save before exit?"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);

    auto* picture = new QLabel(this);
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(48, 48));
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
    connect(exitfromabout, &QPushButton::clicked, this, &TForm12::exitfromaboutClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm12::BitBtn1Click);

    auto* words = new QVBoxLayout;
    words->addWidget(heading);
    words->addWidget(text);
    auto* upper = new QHBoxLayout;
    upper->addWidget(picture, 0, Qt::AlignTop);
    upper->addLayout(words, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(exitfromabout);
    buttons->addWidget(BitBtn1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(upper);
    layout->addLayout(buttons);
    setFixedSize(420, 170);
}

void TForm12::BitBtn1Click() {
    if (g_.ws.currentfile.isEmpty()) {
        const auto chosen = savedialog ? savedialog() : std::nullopt;
        if (!chosen) {
            shutdown(g_);
            return;
        }
        if (saveas) saveas(*chosen);
        shutdown(g_);
    }
    if (savelist) savelist();
    shutdown(g_);
}

void TForm12::exitfromaboutClick() {
    shutdown(g_);
}

void TForm12::closeEvent(QCloseEvent* e) {
    e->ignore();
    shutdown(g_);
}
