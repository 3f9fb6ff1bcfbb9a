#include "ui/main.h"

#include "schedule/timetext.h"
#include "ui/appglobals.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

TForm1::TForm1(AppGlobals& g) : g_(g), updatetimer_(new QTimer(this)) {
    setWindowTitle(QStringLiteral("Chimlet"));
    resize(652, 659);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* top = new QHBoxLayout;
    BitBtn8 = new QPushButton(QStringLiteral("Save File"), central);
    BitBtn8->setToolTip(QStringLiteral("Save the current Chimelet file"));
    BitBtn8->setEnabled(false);
    top->addWidget(BitBtn8);
    top->addStretch();
    layout->addLayout(top);
    layout->addStretch();
    setCentralWidget(central);

    static const int widths[6] = {50, 55, 150, 50, 200, 50};
    for (int i = 0; i < 6; ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setFixedWidth(widths[i]);
        if (i >= 1 && i <= 4) panels_[i]->setAlignment(Qt::AlignCenter);
        panels_[i]->setFrameShape(QFrame::StyledPanel);
        statusBar()->addWidget(panels_[i]);
    }
    panels_[1]->setText(QStringLiteral("Ver 2.0.1"));

    connect(&g_.ws, &Workspace::modifiedChanged, BitBtn8, &QPushButton::setEnabled);

    updatetimer_->setInterval(1000);
    connect(updatetimer_, &QTimer::timeout, this, &TForm1::updatetimerTimer);
    updatetimer_->start();
}

void TForm1::setpaneltext(int panel, const QString& text) { panels_[panel]->setText(text); }

void TForm1::updatetimerTimer() { setpaneltext(2, currenttimetext(*g_.platform.clock)); }

void TForm1::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    emit firstShown();
}
