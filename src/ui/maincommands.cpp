// The main window's command handlers: each takes the selected row and hands the
// work to the engine, the list files or the editor.
#include "platform/dialogs.h"
#include "present/mp3r.h"
#include "schedule/engine.h"
#include "schedule/listfiles.h"
#include "schedule/secondticker.h"
#include "store/integertext.h"
#include "ui/appglobals.h"
#include "ui/main.h"
#include "ui/nedit.h"
#include "ui/updatecheck.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>

TForm1::~TForm1() {
    // The list's icons belong to this window; the widgets showing them go first.
    delete takeCentralWidget();
}

void TForm1::connectcommands(NotificationSink& sink) {
    hooks_.clockpanel = [this](const QString& t) { setpaneltext(2, t); };
    hooks_.filepanel = [this](const QString& t) { setpaneltext(4, t); };
    hooks_.modeselector = [this](const QString& t) {
        const QSignalBlocker quiet(ComboBox5);
        ComboBox5->setCurrentText(t);
    };
    hooks_.showpreview = [this](int32_t index) { showpreview(index); };
    hooks_.closeaudio = [this] {
        if (g_.form6) g_.form6->mp3player.Close();
    };
    hooks_.editnotification = [this](int32_t index, int row) {
        g_.form2->editnotification(index, row);
    };
    engine_ = std::make_unique<Engine>(g_.ws, sink, hooks_);
    files_ = std::make_unique<ListFiles>(g_.ws, hooks_);

    connect(BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TForm1::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TForm1::BitBtn4Click);
    connect(BitBtn5, &QPushButton::clicked, this, &TForm1::BitBtn5Click);
    connect(BitBtn6, &QPushButton::clicked, this, &TForm1::BitBtn6Click);
    connect(BitBtn7, &QPushButton::clicked, this, &TForm1::BitBtn7Click);
    connect(BitBtn8, &QPushButton::clicked, this, &TForm1::BitBtn8Click);
    connect(ComboBox5, &QComboBox::currentTextChanged, this, &TForm1::ComboBox5Change);
}

void TForm1::BitBtn1Click() {
    g_.form2->makenew();
}
void TForm1::BitBtn2Click() {
    if (engine_) engine_->edit(itemindex());
}
void TForm1::BitBtn3Click() {
    engine_->remove(itemindex());
}
void TForm1::BitBtn4Click() {
    engine_->stop(itemindex());
}
void TForm1::BitBtn5Click() {
    engine_->resume(itemindex());
}
void TForm1::StopAll1Click() {
    engine_->stopall();
}
void TForm1::StartAll1Click() {
    engine_->startall();
}
void TForm1::ComboBox5Change() {
    engine_->ComboBox5Change(ComboBox5->currentText());
}
void TForm1::BitBtn6Click() {
    files_->newlist();
}

namespace {
FileDialogSetup listdialog(const AppGlobals& g, const char* title, bool saving) {
    FileDialogSetup setup;
    setup.title = QString::fromLatin1(title);
    setup.filter = QString::fromLatin1(kListFileFilter);
    setup.folder = g.paths.docfolder;
    setup.confirmOverwrite = saving;
    return setup;
}
} // namespace

void TForm1::BitBtn7Click() {
    if (auto path = g_.platform.dialogs->openfile(listdialog(g_, "Open", false)))
        files_->open(*path);
}

void TForm1::BitBtn8Click() {
    if (!files_->needsname()) {
        files_->savelist();
        return;
    }
    SaveAs1Click();
}

std::optional<QString> TForm1::SaveDialog1() {
    return g_.platform.dialogs->savefile(listdialog(g_, "Save As", true));
}

void TForm1::SaveAs1Click() {
    if (auto path = SaveDialog1()) files_->saveas(*path);
}

void TForm1::closeEvent(QCloseEvent* e) {
    // The window's close asks the exit decision; it ends the program or asks to save.
    e->ignore();
    if (g_.exitrequest) g_.exitrequest();
}

void TForm1::Checkforupdates1Click() {
    emit updatecheckRequested();
}
