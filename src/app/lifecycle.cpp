#include "app/lifecycle.h"

#include "app/appglobals.h"
#include "app/startuptrace.h"
#include "linuxplatform/folders.h"
#include "platform/singleinstance.h"
#include "platform/tray.h"
#include "present/dispatcher.h"
#include "present/mp3r.h"
#include "present/presentation.h"
#include "schedule/listcontroller.h"
#include "store/ansitext.h"
#include "ui/mainwindow/main.h"
#include "ui/widgets/screenfit.h"

#include <QTimer>

Lifecycle::Lifecycle(AppGlobals& g, ListController& list, Presentation& presentation, TForm1& main,
                     TForm6& audio, const QString& exeFolder)
    : g_(g), list_(list), presentation_(presentation), main_(main), audio_(audio),
      exeFolder_(exeFolder) {}

void Lifecycle::claiminstance() {
    g_.started = false;
    g_.secondinstance = false;
    SingleInstance* instance = g_.platform.instance;
    if (instance->acquire()) {
        instance->listen();
        return;
    }
    g_.secondinstance = true;
    instance->broadcast();
}

void Lifecycle::showmain() {
    if (g_.secondinstance) return;
    QWidget* main = &main_;
    placeonscreen(main);
    // The start-up of the first show runs before anything is seen, so that a start
    // minimised never puts a window on the screen.
    if (!g_.started) guarded(g_.reporter, [this] { startup(); });
    if (g_.started && g_.settings.startminimized()) {
        main_.hideintray();
        return;
    }
    showing_ = true;
    startuptrace::finishon(main);
    main->show();
    showing_ = false;
}

void Lifecycle::startup() {
    AppGlobals& g = g_;
    g.started = false;
    g.paths = AppPaths::locate(exeFolder_, specialfolder(SpecialFolder::Documents),
                               specialfolder(SpecialFolder::UserData));
    startuptrace::mark("startup: paths");
    if (g.paths.datafolder.isEmpty() || !g.settings.opensettings(g.paths.settingsfile)) {
        g.infobox(QString::fromLatin1(kUnstableMessage));
        g.endprocess(1);
        return;
    }
    startuptrace::mark("startup: settings");
    // Start minimised is carried out by showmain: the window is not shown at all.
    g.platform.tray->show();
    startuptrace::mark("startup: tray icon");
    list_.newdatabase(g.paths.databasefile);
    startuptrace::mark("startup: working database");
    // The file dialogs start in g.paths.docfolder, read when each opens.
    g.started = true;
    list_.openstartupfile(startfile_.isEmpty() ? fromansi(g.settings.defaultfile()) : startfile_);
    startuptrace::mark("startup: default file");
}

void Lifecycle::shutdown() {
    AppGlobals& g = g_;
    // The list first: no tick may fire into a presentation being taken down.
    list_.close();
    presentation_.dispatcher().popdur->stop();
    if (!audio_.mp3player.FileName.isEmpty()) audio_.mp3player.Close();
    g.settings.close();
    if (g.platform.tray) g.platform.tray->hide();
    g.endprocess(0);
}
