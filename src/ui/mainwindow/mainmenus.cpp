// The main window's menus: the main menu, the list's context menu and the tray menu.
// Each item goes to the same handler as its button; the handlers that only ask for
// another window or a web page are here too.
#include "schedule/errorreporter.h"
#include "ui/mainwindow/main.h"
#include "ui/widgets/listicons.h"
#include "ui/widgets/weblinks.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTreeView>

QAction* TForm1::command(QMenu* menu, const char* name, const QString& caption,
                         const QKeySequence& keys, void (TForm1::*handler)()) {
    auto* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    if (!handler) return action;
    commands_.emplace_back(action, handler);
    if (commandsconnected_) connectguarded(reporter_, action, &QAction::triggered, this, handler);
    return action;
}

void TForm1::buildmenus() {
    const auto S = [](const char* text) { return QString::fromLatin1(text); };
    const QKeySequence none;

    QMenu* file = menuBar()->addMenu(S("&File"));
    New1 = command(file, "New1", S("&New File"), none, &TForm1::BitBtn6Click);
    Open1 = command(file, "Open1", S("&Open File"), Qt::CTRL | Qt::Key_O, &TForm1::BitBtn7Click);
    // Always enabled: saving again is never refused.
    Save1 = command(file, "Save1", S("&Save File"), Qt::CTRL | Qt::Key_S, &TForm1::BitBtn8Click);
    SaveAs1 = command(file, "SaveAs1", S("  Save File &As"), none, &TForm1::SaveAs1Click);
    Close1 = command(file, "Close1", S("  &Close File"), none, &TForm1::BitBtn6Click);
    file->addSeparator();
    Exit2 = command(file, "Exit2", S("E&xit Chimelet"), none, &TForm1::Exit2Click);

    QMenu* notes = menuBar()->addMenu(S("&Notifications"));
    New2 = command(notes, "New2", S("&New"), Qt::SHIFT | Qt::Key_Insert, &TForm1::BitBtn1Click);
    Edit2 = command(notes, "Edit2", S("  &Edit"), Qt::Key_F2, &TForm1::BitBtn2Click);
    Delete2 = command(notes, "Delete2", S("  &Delete"), Qt::SHIFT | Qt::Key_Delete,
                      &TForm1::BitBtn3Click);
    notes->addSeparator();
    Stop2 = command(notes, "Stop2", S("&Stop"), Qt::CTRL | Qt::Key_X, &TForm1::BitBtn4Click);
    Resume2 = command(notes, "Resume2", S("&Resume"), Qt::CTRL | Qt::Key_R, &TForm1::BitBtn5Click);
    notes->addSeparator();
    StopAll3 = command(notes, "StopAll3", S("  S&top All"), Qt::ALT | Qt::Key_Backspace,
                       &TForm1::StopAll1Click);
    StartAll3 = command(notes, "StartAll3", S("  Start &All"), Qt::CTRL | Qt::Key_A,
                        &TForm1::StartAll1Click);

    QMenu* settings = menuBar()->addMenu(S("&Settings"));
    Options2 = command(settings, "Options2", S("&Options"), Qt::Key_F10, &TForm1::BitBtn9Click);
    settings->addSeparator();
    Checkforupdates2 = command(settings, "Checkforupdates2", S("&Check for updates"),
                               Qt::CTRL | Qt::Key_U, &TForm1::Checkforupdates1Click);

    QMenu* help = menuBar()->addMenu(S("&Help"));
    About1 = command(help, "About1", S("&About"), none, &TForm1::About1Click);
    help->addSeparator();
    Help4 = command(help, "Help4", S("  &Help"), Qt::Key_F1, &TForm1::Help1Click);
    help->addSeparator();
    ContactSupport1 = command(help, "ContactSupport1", S("  &Contact Support"), none,
                              &TForm1::ContactSupport1Click);
    VisitSite1 =
        command(help, "VisitSite1", S("  &Visit ") + S(kWebHost), none, &TForm1::VisitSite1Click);
    help->addSeparator();
    Downloadfreeimages1 = command(help, "Downloadfreeimages1", S("  &Download free images"), none,
                                  &TForm1::Downloadfreeimages1Click);

    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListView1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        listmenu()->popup(ListView1->viewport()->mapToGlobal(at));
    });
}

// The two menus nobody sees before a right click are made at the first one.
QMenu* TForm1::listmenu() {
    if (!listpop) buildlistmenu();
    return listpop;
}

QMenu* TForm1::traymenu() {
    if (!traypop) buildtraymenu();
    return traypop;
}

void TForm1::buildlistmenu() {
    const auto S = [](const char* text) { return QString::fromLatin1(text); };
    // The list menu's shortcuts are shown for reference; the main menu's, live in the
    // whole window, are the ones that act, so a key never matches twice.
    listpop = new QMenu(this);
    listpop->setObjectName(S("listpop"));
    AddNew1 = command(listpop, "AddNew1", S("&Add New"), Qt::SHIFT | Qt::Key_Insert,
                      &TForm1::BitBtn1Click);
    Edit1 = command(listpop, "Edit1", S(" &Edit"), Qt::Key_F2, &TForm1::BitBtn2Click);
    Delete1 = command(listpop, "Delete1", S(" &Delete"), Qt::SHIFT | Qt::Key_Delete,
                      &TForm1::BitBtn3Click);
    listpop->addSeparator();
    Stop1 = command(listpop, "Stop1", S("&Stop"), Qt::CTRL | Qt::Key_X, &TForm1::BitBtn4Click);
    Resume1 =
        command(listpop, "Resume1", S("&Resume"), Qt::CTRL | Qt::Key_R, &TForm1::BitBtn5Click);
    listpop->addSeparator();
    StopAll1 = command(listpop, "StopAll1", S("  &S&top All"), Qt::ALT | Qt::Key_Backspace,
                       &TForm1::StopAll1Click);
    StartAll1 = command(listpop, "StartAll1", S("  Sta&rt All"), Qt::CTRL | Qt::Key_A,
                        &TForm1::StartAll1Click);
    listpop->addSeparator();
    Help2 = command(listpop, "Help2", S("  &Help"), Qt::Key_F1, &TForm1::Help1Click);
}

void TForm1::buildtraymenu() {
    const auto S = [](const char* text) { return QString::fromLatin1(text); };
    const QKeySequence none;

    // Not a child of this window: the tray must answer while a secondary window holds
    // this one disabled, and a disabled window disables its children.
    traypop = new QMenu;
    traypop->setObjectName(S("traypop"));
    // A heading: choosing it does nothing.
    TrayTitle1 = command(traypop, "TrayTitle1", S("Chimelet"), none, nullptr);
    TrayTitle1->setIcon(programicon());
    QFont bold = TrayTitle1->font();
    bold.setBold(true);
    TrayTitle1->setFont(bold);
    TrayAbout1 = command(traypop, "TrayAbout1", S("  &About"), none, &TForm1::About1Click);
    Help1 = command(traypop, "Help1", S("  &Help"), none, &TForm1::Help1Click);
    traypop->addSeparator();
    StopAll2 = command(traypop, "StopAll2", S("&Stop All"), none, &TForm1::StopAll1Click);
    StartAll2 = command(traypop, "StartAll2", S("S&tart All"), none, &TForm1::StartAll1Click);
    traypop->addSeparator();
    Options3 = command(traypop, "Options3", S("&Options"), none, &TForm1::BitBtn9Click);
    traypop->addSeparator();
    Restore1 = command(traypop, "Restore1", S("&Restore"), none, &TForm1::Restore1Click);
    traypop->addSeparator();
    Exit1 = command(traypop, "Exit1", S("&Exit Chimelet"), none, &TForm1::Exit1Click);
}

void TForm1::BitBtn9Click() {
    emit optionsRequested();
}
void TForm1::Checkforupdates1Click() {
    emit updatecheckRequested();
}
void TForm1::About1Click() {
    emit aboutRequested();
}
void TForm1::Help1Click() {
    emit helpRequested();
}
void TForm1::ContactSupport1Click() {
    emit browRequested(QString::fromLatin1(kSupportPage));
}
void TForm1::VisitSite1Click() {
    emit browRequested(QString::fromLatin1(kHomePage));
}
void TForm1::Downloadfreeimages1Click() {
    emit browRequested(QString::fromLatin1(kImagesPage));
}
void TForm1::Exit1Click() {
    emit exitRequested();
}
void TForm1::Exit2Click() {
    emit exitRequested();
}
