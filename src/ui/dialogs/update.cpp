#include "ui/dialogs/update.h"
#include "ui/dialogs/picturedialog.h"

#include "platform/dialogs.h"
#include "platform/shell.h"
#include "store/apppaths.h"
#include "store/integertext.h"
#include "ui/widgets/accessiblenames.h"
#include "ui/widgets/escapekey.h"
#include "ui/widgets/fixedwindow.h"
#include "ui/widgets/listicons.h"
#include "ui/widgets/returnkey.h"
#include "ui/widgets/screenfit.h"
#include "update/installerdownload.h"
#include "update/updatecheck.h"
#include "update/updatequery.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>
#include <utility>

TForm10::TForm10(HttpClient& http, Dialogs& dialogs, Shell& shell, const AppPaths& paths,
                 QWidget* parent)
    : QWidget(parent), http_(http), dialogs_(dialogs), shell_(shell), paths_(paths),
      query_(new UpdateQuery(http, this)), download_(new InstallerDownload(http, this)) {
    setWindowTitle(QStringLiteral("Chimelet - Update Available"));
    makefixedwindow(this);

    Image1 = new QLabel(this);
    Image1->setPixmap(drawprogramicon(48));
    Image1->setAccessibleName(QStringLiteral("Chimelet"));
    Image1->setFixedSize(48, 48);
    StaticText3 = new QLabel(QStringLiteral("Chimelet"), this);
    QFont big = StaticText3->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    StaticText3->setFont(big);
    StaticText2 = new QLabel(QString::fromLatin1(kVersionText), this);
    StaticText1 = new QLabel(this);
    StaticText1->setWordWrap(true);
    // The server's news is text: markup in it must not make the label fetch anything.
    StaticText1->setTextFormat(Qt::PlainText);
    StaticText1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setFixedHeight(14);
    ProgressBar1->hide();
    ProgressBar1->setAccessibleName(QStringLiteral("Download progress"));
    StaticText5 = new QLabel(this);
    StaticText5->setMinimumWidth(36);
    doupdate = new QPushButton(QStringLiteral("Update Now"), this);
    noupdate = new QPushButton(QStringLiteral("Cancel"), this);

    auto* title = new QHBoxLayout;
    title->addWidget(StaticText3);
    title->addWidget(StaticText2, 0, Qt::AlignBottom);
    title->addStretch();
    auto* progress = new QHBoxLayout;
    progress->addWidget(ProgressBar1, 1);
    progress->addWidget(StaticText5);
    auto* text = new QVBoxLayout;
    text->setSpacing(2);
    text->addLayout(title);
    text->addWidget(StaticText1, 1);
    text->addLayout(progress);
    QVBoxLayout* all = picturedialoglayout(this, Image1, text, {doupdate, noupdate});
    all->setContentsMargins(8, 6, 8, 6);
    all->setSpacing(4);
    all->setStretch(0, 1);
    setFixedSize(317, 107);
    nameforaccess(this);
    taborder({doupdate, noupdate});

    onescape(this, [this] { close(); });
    returnpressesbuttons(this);
    connect(doupdate, &QPushButton::clicked, this, &TForm10::doupdateClick);
    connect(noupdate, &QPushButton::clicked, this, &TForm10::noupdateClick);
    connect(download_, &InstallerDownload::progress, this, &TForm10::downloadprogress);
    connect(download_, &InstallerDownload::finished, this, &TForm10::downloadfinished);
    connect(query_, &UpdateQuery::checked, this, &TForm10::checked);
    connect(query_, &UpdateQuery::newsFetched, this, &TForm10::shownews);
}

bool TForm10::downloading() const {
    return download_->running();
}

bool TForm10::checking() const {
    return query_->running();
}

void TForm10::checkforupdates() {
    if (query_->check()) emit checkingChanged(true);
}

void TForm10::checked(UpdateCheck result, const QString& news, const QString& error) {
    emit checkingChanged(false);
    if (!error.isEmpty()) {
        dialogs_.infobox(error);
        return;
    }
    switch (result) {
    case UpdateCheck::NoConnection:
        dialogs_.infobox(QString::fromLatin1(kNoConnectionMessage));
        break;
    case UpdateCheck::NoUpdates:
        dialogs_.infobox(QString::fromLatin1(kNoUpdatesMessage));
        break;
    case UpdateCheck::Available:
        news_ = news;
        bringforward(this);
        break;
    }
}

void TForm10::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (!e->spontaneous()) FormShow();
}

void TForm10::FormShow() {
    placeatfirstshow(this);
    emit enableothers(false);
    StaticText5->clear();
    StaticText2->setText(QString::fromLatin1(kVersionText));
    // The news came with the check; a window shown otherwise asks for it.
    awaitingnews_ = true;
    if (news_) {
        shownews(*std::exchange(news_, std::nullopt));
        return;
    }
    StaticText1->clear();
    if (!query_->fetchnews()) shownews(QString());
}

void TForm10::shownews(const QString& news) {
    // Only the show that asked takes its answer; a download or a hide came first.
    if (!std::exchange(awaitingnews_, false)) return;
    if (news.isEmpty()) {
        // Hiding from inside the show would be undone by the show itself.
        QMetaObject::invokeMethod(
            this,
            [this] {
                emit enableothers(true);
                hide();
            },
            Qt::QueuedConnection);
        return;
    }
    StaticText1->setText(news);
    doupdate->setFocus();
}

void TForm10::doupdateClick() {
    awaitingnews_ = false;
    doupdate->setEnabled(false);
    noupdate->setEnabled(false);
    StaticText1->setText(QStringLiteral("Downloading..."));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    download_->start(paths_.datafolder);
}

void TForm10::downloadprogress(qint64 done, qint64 total) {
    // The bar counts in int; larger files are shown in proportion.
    const qint64 scale = total / std::numeric_limits<int>::max() + 1;
    ProgressBar1->setRange(0, int(total / scale));
    ProgressBar1->setValue(int(std::min(done, total) / scale));
    StaticText5->setText(QString::number(percentof(total, done)) + '%');
}

void TForm10::downloadfinished(bool ok, const QString& path) {
    if (!ok) {
        failed();
        return;
    }
    shell_.openfile(path);
    emit endprogram();
}

void TForm10::failed() {
    doupdate->setEnabled(false);
    noupdate->setEnabled(true);
    noupdate->setText(QStringLiteral("Ok"));
    StaticText1->setText(QStringLiteral("Download failed. Try later."));
    ProgressBar1->hide();
}

void TForm10::noupdateClick() {
    awaitingnews_ = false;
    emit enableothers(true);
    noupdate->setText(QStringLiteral("Cancel"));
    noupdate->setEnabled(true);
    doupdate->setEnabled(true);
    hide();
}

void TForm10::closeEvent(QCloseEvent* e) {
    // Closing during a download ends it; it then shows as failed.
    if (download_->running()) download_->cancel();
    awaitingnews_ = false;
    emit enableothers(true);
    ProgressBar1->hide();
    QWidget::closeEvent(e);
}
