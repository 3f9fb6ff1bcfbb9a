#include "app/frame.h"

#include "app/startuptrace.h"
#include "linuxplatform/folders.h"
#include "platform/shell.h"
#include "platform/singleinstance.h"
#include "platform/sleepwatch.h"
#include "platform/tray.h"
#include "present/announcement.h"
#include "present/dismissoverlays.h"
#include "present/dispatcher.h"
#include "present/fsimage.h"
#include "present/mp3r.h"
#include "present/presentation.h"
#include "present/puimage.h"
#include "present/txtbx.h"
#include "schedule/listcontroller.h"
#include "store/ansitext.h"
#include "ui/dialogs/about.h"
#include "ui/dialogs/debug.h"
#include "ui/dialogs/help.h"
#include "ui/dialogs/options.h"
#include "ui/dialogs/savenexit.h"
#include "ui/dialogs/update.h"
#include "ui/editor/nedit.h"
#include "ui/mainwindow/main.h"
#include "ui/widgets/buttonpadding.h"
#include "ui/widgets/fixedwindow.h"
#include "ui/widgets/labelledcombo.h"
#include "ui/widgets/screenfit.h"

#include <QCoreApplication>
#include <QPointer>

#include <unistd.h>
#include <utility>

Frame::Frame(Platform platform, const QString& exeFolder)
    : exeFolder_(exeFolder), g_(std::make_unique<AppGlobals>(platform)) {
    padbuttons();
    // Before any window: a screen reader hears of each from its first event on.
    installlabelledcombos();
    installannouncing();
    g_->endprocess = [](int code) { ::_exit(code); };

    AppGlobals& g = *g_;
    form3_ = std::make_unique<TForm3>();
    startuptrace::mark("window TForm3");
    form4_ = std::make_unique<TForm4>();
    startuptrace::mark("window TForm4");
    form5_ = std::make_unique<TForm5>();
    startuptrace::mark("window TForm5");
    form6_ = std::make_unique<TForm6>(*platform.audio);
    startuptrace::mark("window TForm6");
    for (OverlayWindow* w :
         std::initializer_list<OverlayWindow*>{form3_.get(), form4_.get(), form5_.get()}) {
        w->setopacityway(platform.opacity);
        w->setshapeway(platform.shape);
    }
    presentation_ = std::make_unique<Presentation>(*form3_, *form4_, *form5_, *form6_,
                                                   *platform.tray, *platform.desktop, g.paths);
    list_ =
        std::make_unique<ListController>(*platform.clock, presentation_->dispatcher(), g.reporter);
    form1_ = std::make_unique<TForm1>(*list_, *platform.dialogs, g.paths, g.reporter);
    startuptrace::mark("window TForm1");
    lifecycle_ =
        std::make_unique<Lifecycle>(g, *list_, *presentation_, *form1_, *form6_, exeFolder_);
    lifecycle_->claiminstance();
    connectwindows();
}

void Frame::connectwindows() {
    AppGlobals& g = *g_;
    form1_->connectcommands();
    // New and Edit open the editor, made at its first call.
    connectguarded(g.reporter, form1_.get(), &TForm1::newRequested, form1_.get(),
                   [this] { form2()->makenew(); });
    connectguarded(g.reporter, form1_.get(), &TForm1::editRequested, form1_.get(),
                   [this](RecordIndex index, int row) { form2()->editnotification(index, row); });
    QObject::connect(list_.get(), &ListController::audioCloseRequested, form6_.get(),
                     [this] { form6_->mp3player.Close(); });
    // The commands' messages ("Save failed", ...) share the one box with the errors, so
    // a tick failing behind an open message cannot stack boxes.
    QObject::connect(list_.get(), &ListController::messageRaised, form1_.get(),
                     [this, &g](const QString& text) {
                         if (held_)
                             held_->append(text);
                         else
                             g.reporter.report(text);
                     });
    // A firing's picture is read after the firing; its refusal reaches the same box.
    QObject::connect(&presentation_->dispatcher(), &Dispatcher::picturerefused, form1_.get(),
                     [&g](const QString& why) { g.reporter.report(why); });

    connectguarded(g.reporter, form1_.get(), &TForm1::exitRequested, form1_.get(),
                   [this] { exitrequest(); });
    connectguarded(g.reporter, form1_.get(), &TForm1::dismissRequested, form1_.get(),
                   [this, &g] { dismissoverlays(*g.platform.tray, *form5_, *form4_, *form3_); });
    connectguarded(g.reporter, form1_.get(), &TForm1::updatecheckRequested, form1_.get(),
                   [this] { form10()->checkforupdates(); });
    connectguarded(g.reporter, form1_.get(), &TForm1::firstShown, form1_.get(), [this] {
        if (g_->secondinstance || g_->started || lifecycle_->showing()) return;
        startup();
    });
    // The first tick after a sleep runs at once; the gap rule makes up for the sleep.
    if (g.platform.sleep)
        connectguarded(g.reporter, g.platform.sleep, &SleepWatch::woke, list_.get(),
                       &ListController::catchup);
    connecttray();
    connectsecondarywindows();
}

// The windows below are made at their first use, not at start: until then nobody has seen
// them, and start-up stays as quick as the main window alone.
TForm2* Frame::form2() {
    if (!form2_) {
        AppGlobals& g = *g_;
        form2_ =
            std::make_unique<TForm2>(*list_, *g.platform.dialogs, g.paths, *form6_, g.reporter);
        form2_->setsink(presentation_->dispatcher());
        // The main window waits while the editor is up.
        QObject::connect(form2_.get(), &TForm2::editingChanged, form1_.get(),
                         [this](bool editing) { form1_->setEnabled(!editing); });
    }
    return form2_.get();
}

TForm7* Frame::form7() {
    if (!form7_) form7_ = std::make_unique<TForm7>();
    return form7_.get();
}

TForm8* Frame::form8() {
    if (!form8_) {
        form8_ = std::make_unique<TForm8>(*g_->platform.shell);
        holdwhileshown(form8_.get());
    }
    return form8_.get();
}

TForm9* Frame::form9() {
    if (!form9_)
        form9_ = std::make_unique<TForm9>(*g_->platform.shell,
                                          shippedfile(exeFolder_, QStringLiteral("chmhlp.tub")));
    return form9_.get();
}

TForm10* Frame::form10() {
    if (!form10_) {
        AppGlobals& g = *g_;
        form10_ = std::make_unique<TForm10>(*g.platform.http, *g.platform.dialogs,
                                            *g.platform.shell, g.paths);
        QObject::connect(form10_.get(), &TForm10::checkingChanged, form1_.get(),
                         &TForm1::showchecking);
        QObject::connect(form10_.get(), &TForm10::enableothers, form10_.get(),
                         [this](bool on) { holdmainwindows(form10_.get(), !on); });
        connectguarded(g.reporter, form10_.get(), &TForm10::endprogram, form10_.get(),
                       [this] { shutdown(); });
    }
    return form10_.get();
}

TForm11* Frame::form11() {
    if (!form11_) {
        AppGlobals& g = *g_;
        form11_ =
            std::make_unique<TForm11>(g.settings, *g.platform.dialogs, *g.platform.autostart,
                                      g.paths, g.reporter, QCoreApplication::applicationFilePath());
        holdwhileshown(form11_.get());
    }
    return form11_.get();
}

TForm12* Frame::form12() {
    if (!form12_) {
        // Not the main window's child: it must answer while that one is held disabled.
        form12_ = std::make_unique<TForm12>(g_->reporter);
        ErrorReporter& reporter = g_->reporter;
        connectguarded(reporter, form12_.get(), &TForm12::leave, form12_.get(), [this] {
            tellexitwaiters(true);
            shutdown();
        });
        connectguarded(reporter, form12_.get(), &TForm12::exitCancelled, form12_.get(),
                       [this] { tellexitwaiters(false); });
        // Saving writes the list file and reopens the working database.
        connectguarded(reporter, form12_.get(), &TForm12::saveRequested, form1_.get(),
                       &TForm1::BitBtn8Click);
    }
    return form12_.get();
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
    TForm1* main = form1_.get();
    const auto restore = [this] {
        form1_->Restore1Click();
        // Brought back from the tray while a secondary window is up: held like the rest,
        // and the windows that hold it come back with it, even where they were minimised.
        if (!holders_.empty()) form1_->setEnabled(false);
        for (QWidget* w : heldby())
            bringforward(w);
    };
    // Made at its first showing; a menu asked for while the windows go is none.
    tray->setmenu(
        [main = QPointer<TForm1>(main)]() -> QMenu* { return main ? main->traymenu() : nullptr; });
    connectguarded(g.reporter, tray, &TrayIcon::clicked, main, restore);
    main->settrayhost(tray->hostavailable());
    connectguarded(g.reporter, tray, &TrayIcon::hostChanged, main, &TForm1::settrayhost);
    // A later start of the program brings this copy forward; it is also the way back
    // where no tray host shows the icon.
    connectguarded(g.reporter, g.platform.instance, &SingleInstance::startedAgain, main, restore);
}

// The windows the main window's commands ask for, and the web pages it opens.
void Frame::connectsecondarywindows() {
    ErrorReporter& reporter = g_->reporter;
    // A window made at its first use may read its files as it is made.
    const auto opens = [this, &reporter](auto signal, auto window) {
        connectguarded(reporter, form1_.get(), signal, form1_.get(),
                       [this, window] { bringforward((this->*window)()); });
    };
    opens(&TForm1::optionsRequested, &Frame::form11);
    opens(&TForm1::aboutRequested, &Frame::form8);
    opens(&TForm1::helpRequested, &Frame::form9);
    Shell* shell = g_->platform.shell;
    connectguarded(reporter, form1_.get(), &TForm1::browRequested, form1_.get(),
                   [shell](const QString& url) {
                       if (shell) shell->brow(url);
                   });
}

Frame::~Frame() = default;

std::vector<QWidget*> Frame::heldby() const {
    std::vector<QWidget*> up;
    for (QWidget* w : std::initializer_list<QWidget*>{form2_.get(), form8_.get(), form10_.get(),
                                                      form11_.get(), form12_.get()})
        if (w && w->isVisible()) up.push_back(w);
    return up;
}

bool Frame::editing() const {
    return list_->editing();
}

void Frame::holdmainwindows(const QObject* by, bool hold) {
    if (hold)
        holders_.insert(by);
    else
        holders_.erase(by);
    // Released only when the last holder goes; a window hidden meanwhile is released too.
    const bool held = !holders_.empty();
    for (QWidget* w : std::initializer_list<QWidget*>{form1_.get(), form2_.get()})
        if (w && (!held || w->isVisible())) w->setEnabled(!held);
}

bool Frame::askingtoexit() const {
    return form12_ && form12_->isVisible();
}

void Frame::tellexit(std::function<void(bool leaving)> outcome) {
    exitwaiters_.push_back(std::move(outcome));
}

void Frame::tellexitwaiters(bool leaving) {
    for (const auto& outcome : std::exchange(exitwaiters_, {}))
        outcome(leaving);
}

void Frame::exitrequest() {
    if (!list_->modified()) {
        tellexitwaiters(true);
        shutdown();
        return;
    }
    TForm12* ask = form12();
    if (!ask->isVisible()) placeover(ask, form1_.get());
    bringforward(ask);
}
