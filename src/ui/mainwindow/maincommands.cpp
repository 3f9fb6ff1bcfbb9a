// The main window's command handlers: each takes the selected row and hands the
// work to the engine, the list files or the editor.
#include "platform/dialogs.h"
#include "schedule/engine.h"
#include "schedule/errorreporter.h"
#include "schedule/listfiles.h"
#include "schedule/secondticker.h"
#include "schedule/workspace.h"
#include "store/apppaths.h"
#include "ui/mainwindow/main.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>

template <class Control, class Signal>
void TForm1::handle(Control* control, Signal signal, void (TForm1::*handler)()) {
    connect(control, signal, this,
            [this, handler] { guarded(reporter_, [this, handler] { (this->*handler)(); }); });
}

TForm1::~TForm1() {
    // The list's icons belong to this window; the widgets showing them go first.
    delete takeCentralWidget();
}

void TForm1::connectcommands(NotificationSink& sink) {
    hooks_.clockpanel = [this](const QString& t) { setpaneltext(2, t); };
    hooks_.filepanel = [this](const QString& t) { setpaneltext(4, t); };
    hooks_.modeselector = [this](PlayMode mode) { showmode(mode); };
    hooks_.showpreview = [this](int32_t index) { showpreview(index); };
    hooks_.closeaudio = [this] { emit audioCloseRequested(); };
    hooks_.editnotification = [this](RecordIndex index, int row) {
        emit editRequested(index, row);
    };
    engine_ = std::make_unique<Engine>(ws_, sink, hooks_);
    files_ = std::make_unique<ListFiles>(ws_, hooks_);

    handle(BitBtn1, &QPushButton::clicked, &TForm1::BitBtn1Click);
    handle(BitBtn2, &QPushButton::clicked, &TForm1::BitBtn2Click);
    handle(BitBtn3, &QPushButton::clicked, &TForm1::BitBtn3Click);
    handle(BitBtn4, &QPushButton::clicked, &TForm1::BitBtn4Click);
    handle(BitBtn5, &QPushButton::clicked, &TForm1::BitBtn5Click);
    handle(BitBtn6, &QPushButton::clicked, &TForm1::BitBtn6Click);
    handle(BitBtn7, &QPushButton::clicked, &TForm1::BitBtn7Click);
    handle(BitBtn8, &QPushButton::clicked, &TForm1::BitBtn8Click);
    handle(ComboBox5, &QComboBox::currentTextChanged, &TForm1::ComboBox5Change);
    handle(BitBtn9, &QPushButton::clicked, &TForm1::BitBtn9Click);
    for (const auto& [action, handler] : commands_)
        handle(action, &QAction::triggered, handler);
}

void TForm1::BitBtn1Click() {
    emit newRequested();
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
    // The items stand in the order of the modes' values.
    engine_->ComboBox5Change(static_cast<PlayMode>(ComboBox5->currentIndex()));
}
void TForm1::BitBtn6Click() {
    files_->newlist();
}

namespace {
FileDialogSetup listdialog(const AppPaths& paths, const char* title, bool saving) {
    FileDialogSetup setup;
    setup.title = QString::fromLatin1(title);
    setup.filter = QString::fromLatin1(kListFileFilter);
    setup.folder = paths.docfolder;
    setup.confirmOverwrite = saving;
    return setup;
}
} // namespace

void TForm1::BitBtn7Click() {
    if (auto path = dialogs_.openfile(listdialog(paths_, "Open", false))) files_->open(*path);
}

void TForm1::BitBtn8Click() {
    if (!files_->needsname()) {
        files_->savelist();
        return;
    }
    SaveAs1Click();
}

std::optional<QString> TForm1::SaveDialog1() {
    return dialogs_.savefile(listdialog(paths_, "Save As", true));
}

void TForm1::SaveAs1Click() {
    if (auto path = SaveDialog1()) files_->saveas(*path);
}
