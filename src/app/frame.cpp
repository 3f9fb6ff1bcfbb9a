#include "app/frame.h"

#include "app/startuptrace.h"
#include "linuxplatform/folders.h"
#include "platform/shell.h"
#include "platform/singleinstance.h"
#include "platform/sleepwatch.h"
#include "platform/tray.h"
#include "present/dispatcher.h"
#include "present/fsimage.h"
#include "present/mp3r.h"
#include "present/presentation.h"
#include "present/puimage.h"
#include "present/txtbx.h"
#include "schedule/listcontroller.h"
#include "schedule/secondticker.h"
#include "schedule/workspace.h"
#include "store/ansitext.h"
#include "ui/dialogs/about.h"
#include "ui/dialogs/debug.h"
#include "ui/dialogs/help.h"
#include "ui/dialogs/options.h"
#include "ui/dialogs/savenexit.h"
#include "ui/dialogs/update.h"
#include "ui/editor/editorlink.h"
#include "ui/editor/nedit.h"
#include "ui/mainwindow/main.h"
#include "ui/widgets/buttonpadding.h"
#include "ui/widgets/screenfit.h"

#include <QCoreApplication>

#include <unistd.h>

Frame::Frame(Platform platform, const QString& exeFolder)
    : exeFolder_(exeFolder), g_(std::make_unique<AppGlobals>(platform)) {
    padbuttons();
    g_->endprocess = [](int code) { ::_exit(code); };

    AppGlobals& g = *g_;
    form3_ = new TForm3();
    startuptrace::mark("window TForm3");
    form4_ = new TForm4();
    startuptrace::mark("window TForm4");
    form5_ = new TForm5();
    startuptrace::mark("window TForm5");
    form6_ = new TForm6(*platform.audio);
    startuptrace::mark("window TForm6");
    for (OverlayWindow* w : std::initializer_list<OverlayWindow*>{form3_, form4_, form5_}) {
        w->setopacityway(platform.opacity);
        w->setshapeway(platform.shape);
    }
    presentation_ = std::make_unique<Presentation>(*form3_, *form4_, *form5_, *form6_,
                                                   *platform.tray, *platform.desktop, g.paths);
    list_ =
        std::make_unique<ListController>(*platform.clock, presentation_->dispatcher(), g.reporter);
    form1_ = new TForm1(*list_, *platform.dialogs, g.paths, g.reporter);
    startuptrace::mark("window TForm1");
    FormCreate();
    connectwindows();
}

void Frame::connectwindows() {
    AppGlobals& g = *g_;
    form1_->connectcommands();
    linkeditor(
        *form1_, [this]() -> TForm2& { return *form2(); }, *form6_);
    // The commands' messages ("Save failed", ...) share the one box with the errors, so
    // a tick failing behind an open message cannot stack boxes.
    QObject::connect(list_.get(), &ListController::messageRaised, form1_,
                     [this, &g](const QString& text) {
                         if (held_)
                             held_->append(text);
                         else
                             g.reporter.report(text);
                     });
    // A firing's picture is read after the firing; its refusal reaches the same box.
    QObject::connect(&presentation_->dispatcher(), &Dispatcher::picturerefused, form1_,
                     [&g](const QString& why) { g.reporter.report(why); });

    QObject::connect(form1_, &TForm1::exitRequested, form1_,
                     [this] { guarded(g_->reporter, [this] { exitrequest(); }); });
    QObject::connect(form1_, &TForm1::updatecheckRequested, form1_,
                     [this] { form10()->checkforupdates(); });

    QObject::connect(form1_, &TForm1::firstShown, form1_, [this] {
        if (g_->secondinstance || g_->started || showing_) return;
        guarded(g_->reporter, [this] { startup(); });
    });
    // The first tick after a sleep runs at once; the gap rule makes up for the sleep.
    if (g.platform.sleep)
        QObject::connect(g.platform.sleep, &SleepWatch::woke, &list_->ticker(),
                         &SecondTicker::catchup);
    connecttray();
    connectsecondarywindows();
}

// The windows below are made at their first use, not at start: until then nobody has seen
// them, and start-up stays as quick as the main window alone.
TForm2* Frame::form2() {
    if (!form2_) {
        AppGlobals& g = *g_;
        form2_ = new TForm2(list_->workspace(), *g.platform.dialogs, g.paths, *form6_, g.reporter);
        form2_->setsink(presentation_->dispatcher());
        connecteditor(*form1_, *form2_);
    }
    return form2_;
}

TForm7* Frame::form7() {
    if (!form7_) form7_ = new TForm7();
    return form7_;
}

TForm8* Frame::form8() {
    if (!form8_) {
        form8_ = new TForm8(*g_->platform.shell);
        holdwhileshown(form8_);
    }
    return form8_;
}

TForm9* Frame::form9() {
    if (!form9_)
        form9_ =
            new TForm9(*g_->platform.shell, shippedfile(exeFolder_, QStringLiteral("chmhlp.tub")));
    return form9_;
}

TForm10* Frame::form10() {
    if (!form10_) {
        AppGlobals& g = *g_;
        form10_ = new TForm10(*g.platform.http, *g.platform.dialogs, *g.platform.shell, g.paths);
        QObject::connect(form10_, &TForm10::enableothers, form10_,
                         [this](bool on) { holdmainwindows(form10_, !on); });
        QObject::connect(form10_, &TForm10::endprogram, form10_, [this] { shutdown(); });
    }
    return form10_;
}

TForm11* Frame::form11() {
    if (!form11_) {
        AppGlobals& g = *g_;
        form11_ = new TForm11(g.settings, *g.platform.dialogs, *g.platform.autostart, g.paths,
                              g.reporter, QCoreApplication::applicationFilePath());
        holdwhileshown(form11_);
    }
    return form11_;
}

TForm12* Frame::form12() {
    if (!form12_) {
        // Not the main window's child: it must answer while that one is held disabled.
        form12_ = new TForm12(g_->reporter);
        QObject::connect(form12_, &TForm12::leave, form12_, [this] { shutdown(); });
        QObject::connect(form12_, &TForm12::saveRequested, form1_, &TForm1::BitBtn8Click);
    }
    return form12_;
}

void Frame::holdwhileshown(SecondaryWindow* window) {
    QObject::connect(window, &SecondaryWindow::shown, window,
                     [this, window] { holdmainwindows(window, true); });
    QObject::connect(window, &SecondaryWindow::hidden, window,
                     [this, window] { holdmainwindows(window, false); });
}

void Frame::connecttray() {
    AppGlobals& g = *g_;
    TrayIcon* tray = g.platform.tray;
    const auto restore = [this] {
        guarded(g_->reporter, [this] { form1_->Restore1Click(); });
        // Brought back from the tray while a secondary window is up: held like the rest.
        if (!holders_.empty()) form1_->setEnabled(false);
    };
    tray->setmenu(form1_->traypop);
    QObject::connect(tray, &TrayIcon::clicked, form1_, restore);
    form1_->settrayhost(tray->hostavailable());
    QObject::connect(tray, &TrayIcon::hostChanged, form1_, [this](bool available) {
        guarded(g_->reporter, [this, available] { form1_->settrayhost(available); });
    });
    // A later start of the program brings this copy forward; it is also the way back
    // where no tray host shows the icon.
    QObject::connect(g.platform.instance, &SingleInstance::startedAgain, form1_, restore);
}

// The windows the main window's commands ask for, and the web pages it opens.
void Frame::connectsecondarywindows() {
    const auto opens = [this](auto signal, auto window) {
        QObject::connect(form1_, signal, form1_, [this, window] {
            QWidget* w = (this->*window)();
            w->show();
            w->raise();
            w->activateWindow();
        });
    };
    opens(&TForm1::optionsRequested, &Frame::form11);
    opens(&TForm1::aboutRequested, &Frame::form8);
    opens(&TForm1::helpRequested, &Frame::form9);
    Shell* shell = g_->platform.shell;
    QObject::connect(form1_, &TForm1::browRequested, form1_, [shell](const QString& url) {
        if (shell) shell->brow(url);
    });
}

Frame::~Frame() {
    presentation_.reset();
    for (QWidget* w :
         std::initializer_list<QWidget*>{form2_, form3_, form4_, form5_, form6_, form7_, form8_,
                                         form9_, form10_, form11_, form12_})
        delete w;
    delete form1_;
}

void Frame::FormCreate() {
    g_->started = false;
    g_->secondinstance = false;
    SingleInstance* instance = g_->platform.instance;
    if (instance->acquire()) {
        instance->listen();
        return;
    }
    g_->secondinstance = true;
    instance->broadcast();
}

void Frame::showmain() {
    if (g_->secondinstance) return;
    QWidget* main = form1_;
    placeonscreen(main);
    // The start-up of the first show runs before anything is seen, so that a start
    // minimised never puts a window on the screen.
    if (!g_->started) guarded(g_->reporter, [this] { startup(); });
    if (g_->started && g_->settings.startminimized()) {
        form1_->hideintray();
        return;
    }
    showing_ = true;
    startuptrace::finishon(main);
    main->show();
    showing_ = false;
}

bool Frame::editing() const {
    return form2_ && form2_->isVisible();
}

void Frame::holdmainwindows(const QObject* by, bool hold) {
    if (hold)
        holders_.insert(by);
    else
        holders_.erase(by);
    // Released only when the last holder goes; a window hidden meanwhile is released too.
    const bool held = !holders_.empty();
    for (QWidget* w : std::initializer_list<QWidget*>{form1_, form2_})
        if (w && (!held || w->isVisible())) w->setEnabled(!held);
}

void Frame::startup() {
    AppGlobals& g = *g_;
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
    list_->newdatabase(g.paths.databasefile);
    startuptrace::mark("startup: working database");
    // The file dialogs start in g.paths.docfolder, read when each opens.
    g.started = true;
    list_->openstartupfile(startfile_.isEmpty() ? fromansi(g.settings.defaultfile()) : startfile_);
    startuptrace::mark("startup: default file");
}

void Frame::shutdown() {
    AppGlobals& g = *g_;
    list_->ticker().stop();
    presentation_->dispatcher().popdur->stop();
    if (!form6_->mp3player.FileName.isEmpty()) form6_->mp3player.Close();
    list_->close();
    g.settings.close();
    if (g.platform.tray) g.platform.tray->hide();
    g.endprocess(0);
}

void Frame::exitrequest() {
    if (!list_->workspace().modified()) {
        shutdown();
        return;
    }
    TForm12* ask = form12();
    placeover(ask, form1_);
    ask->show();
    ask->raise();
    ask->activateWindow();
}
