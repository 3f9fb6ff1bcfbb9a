// The main window's command handlers: each takes the selected row and hands the
// work to the list controller or the editor.
#include "platform/dialogs.h"
#include "schedule/errorreporter.h"
#include "schedule/listcontroller.h"
#include "schedule/listfiles.h"
#include "schedule/workspace.h"
#include "store/apppaths.h"
#include "ui/mainwindow/main.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeView>

TForm1::~TForm1() {
    // The list is no scroll area any more while its viewport is destroyed: the filter that
    // asks it for the viewport stops first.
    ListView1->viewport()->removeEventFilter(this);
    // The list's icons belong to this window; the widgets showing them go first.
    delete takeCentralWidget();
    delete traypop;
}

void TForm1::connectcommands() {
    connectguarded(reporter_, BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
    connectguarded(reporter_, BitBtn2, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
    connectguarded(reporter_, BitBtn3, &QPushButton::clicked, this, &TForm1::BitBtn3Click);
    connectguarded(reporter_, BitBtn4, &QPushButton::clicked, this, &TForm1::BitBtn4Click);
    connectguarded(reporter_, BitBtn5, &QPushButton::clicked, this, &TForm1::BitBtn5Click);
    connectguarded(reporter_, BitBtn6, &QPushButton::clicked, this, &TForm1::BitBtn6Click);
    connectguarded(reporter_, BitBtn7, &QPushButton::clicked, this, &TForm1::BitBtn7Click);
    connectguarded(reporter_, BitBtn8, &QPushButton::clicked, this, &TForm1::BitBtn8Click);
    connectguarded(reporter_, ComboBox5, &QComboBox::currentTextChanged, this,
                   &TForm1::ComboBox5Change);
    connectguarded(reporter_, BitBtn9, &QPushButton::clicked, this, &TForm1::BitBtn9Click);
    for (const auto& [action, handler] : commands_)
        connectguarded(reporter_, action, &QAction::triggered, this, handler);
    commandsconnected_ = true;
}

void TForm1::BitBtn1Click() {
    emit newRequested();
}
void TForm1::BitBtn2Click() {
    list_.edit(itemindex());
}
void TForm1::BitBtn3Click() {
    list_.remove(itemindex());
}
void TForm1::BitBtn4Click() {
    list_.stop(itemindex());
}
void TForm1::BitBtn5Click() {
    list_.resume(itemindex());
}
void TForm1::StopAll1Click() {
    list_.stopall();
}
void TForm1::StartAll1Click() {
    list_.startall();
}
void TForm1::ComboBox5Change() {
    // The items stand in the order of the modes' values.
    list_.setplaymode(static_cast<PlayMode>(ComboBox5->currentIndex()));
}
void TForm1::BitBtn6Click() {
    list_.newlist();
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
    if (auto path = dialogs_.openfile(listdialog(paths_, "Open", false))) list_.open(*path);
}

void TForm1::BitBtn8Click() {
    if (!list_.needsname()) {
        list_.save();
        return;
    }
    SaveAs1Click();
}

std::optional<QString> TForm1::SaveDialog1() {
    return dialogs_.savefile(listdialog(paths_, "Save As", true));
}

void TForm1::SaveAs1Click() {
    if (auto path = SaveDialog1()) list_.saveas(*path);
}
