#include "app/lifecycle.h"

#include "app/appglobals.h"
#include "app/startuptrace.h"
#include "linuxplatform/dialogs.h"
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

#include <QFileInfo>
#include <QTimer>

#include <exception>
#include <optional>

QString datafolderof(const QString& executable) {
    try {
        return AppPaths::locate(QFileInfo(executable).absolutePath(), {},
                                specialfolder(SpecialFolder::UserData))
            .datafolder;
    } catch (const std::exception&) {
        return {};
    }
}

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
    keepdialogstatein(g.paths.datafolder);
    // Start minimised is carried out by showmain: the window is not shown at all.
    g.platform.tray->show();
    startuptrace::mark("startup: tray icon");
    // After an end that skipped the shutdown the working database still holds the list
    // the user had: it is reopened, not emptied.
    const std::optional<RunState> last = readrunstate(g.paths.runstatefile);
    const bool reopened =
        last && list_.reopendatabase(g.paths.databasefile, last->listfile, last->modified);
    if (!reopened) list_.newdatabase(g.paths.databasefile);
    startuptrace::mark("startup: working database");
    // The file dialogs start in g.paths.docfolder, read when each opens.
    g.started = true;
    if (reopened) {
        tellreopened();
        // A list named on the command line opens only where nothing unsaved is lost.
        if (!startfile_.isEmpty() && !list_.modified()) list_.open(startfile_);
    } else {
        list_.openstartupfile(startfile_.isEmpty() ? fromansi(g.settings.defaultfile())
                                                   : startfile_);
    }
    startuptrace::mark("startup: default file");
    // Once the start's list is open: written before, it was at once written again with the
    // list's name, a second synced file before the window could show.
    keeprunstate();
}

void Lifecycle::keeprunstate() {
    const auto record = [this] {
        const RunState now{list_.currentfile(), list_.modified()};
        if (written_ == now) return;
        if (writerunstate(g_.paths.runstatefile, now)) written_ = now;
    };
    record();
    if (keeping_) return;
    keeping_ = true;
    QObject::connect(&list_, &ListController::modifiedChanged, &list_, record);
    QObject::connect(&list_, &ListController::fileNameChanged, &list_, record);
}

void Lifecycle::tellreopened() {
    const QString text = QString::fromLatin1(kReopenedMessage);
    main_.shownotice(text);
    TrayIcon* tray = g_.platform.tray;
    if (!tray) return;
    tray->setballoontext(text);
    tray->showballoon();
}

void Lifecycle::shutdown(bool keepchanges) {
    AppGlobals& g = g_;
    // What the next start finds tells it how this run ended.
    if (g.started && !(keepchanges && list_.modified())) removerunstate(g.paths.runstatefile);
    // The list first: no tick may fire into a presentation being taken down.
    list_.close();
    presentation_.dispatcher().popdur->stop();
    if (!audio_.mp3player.FileName.isEmpty()) audio_.mp3player.Close();
    g.settings.close();
    if (g.platform.tray) g.platform.tray->hide();
    g.endprocess(0);
}
