#include "app/frame.h"

#include "app/errorreport.h"
#include "app/savenexit.h"
#include "platform/folders.h"
#include "platform/tray.h"
#include "present/dispatcher.h"
#include "present/fsimage.h"
#include "present/mp3r.h"
#include "present/presentation.h"
#include "present/puimage.h"
#include "present/txtbx.h"
#include "schedule/listfiles.h"
#include "schedule/secondticker.h"
#include "store/ansitext.h"
#include "ui/about.h"
#include "ui/debug.h"
#include "ui/help.h"
#include "ui/main.h"
#include "ui/nedit.h"
#include "ui/options.h"
#include "ui/screenfit.h"
#include "ui/update.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

#include <unistd.h>

Frame::Frame(Platform platform, const QString& exeFolder)
    : exeFolder_(exeFolder), g_(std::make_unique<AppGlobals>(platform)),
      instance_(QString::fromLatin1(kMutexName), QString::fromLatin1(kMessageName)) {
    g_->endprocess = [](int code) { ::_exit(code); };
    g_->exitrequest = [g = g_.get()] { ::exitrequest(*g); };

    g_->form1 = new TForm1(*g_);
    FormCreate();
    g_->form2 = new TForm2(*g_);
    g_->form3 = new TForm3();
    g_->form4 = new TForm4();
    g_->form5 = new TForm5();
    g_->form6 = new TForm6();
    g_->form7 = new TForm7();
    g_->form8 = new TForm8();
    g_->form9 = new TForm9();
    g_->form10 = new TForm10();
    g_->form11 = new TForm11();
    form12_ = new TForm12(*g_, g_->form1);
    g_->form12 = form12_;

    presentation_ = std::make_unique<Presentation>(*g_->form3, *g_->form4, *g_->form5, *g_->form6,
                                                   *platform.tray, *platform.desktop, g_->paths);
    g_->dispatcher = &presentation_->dispatcher();
    g_->form1->connectcommands(presentation_->dispatcher());
    g_->form2->setsink(presentation_->dispatcher());
    g_->ws.infobox = [g = g_.get()](const QString& text) { g->infobox(text); };
    form12_->savelist = [g = g_.get()] { g->form1->files()->savelist(); };
    form12_->saveas = [g = g_.get()](const QString& path) { g->form1->files()->saveas(path); };
    form12_->savedialog = [g = g_.get()] { return g->form1->SaveDialog1(); };

    QObject::connect(g_->form1, &TForm1::firstShown, g_->form1, [this] {
        if (g_->secondinstance || g_->started) return;
        reporterrors([this] { startup(*g_, exeFolder_); });
    });
}

Frame::~Frame() {
    presentation_.reset();
    for (QWidget* w :
         std::initializer_list<QWidget*>{g_->form2, g_->form3, g_->form4, g_->form5, g_->form6,
                                         g_->form7, g_->form8, g_->form9, g_->form10, g_->form11})
        delete w;
    delete g_->form1; // owns form12
}

void Frame::FormCreate() {
    g_->started = false;
    g_->secondinstance = false;
    if (instance_.acquire()) {
        instance_.listen();
        return;
    }
    g_->secondinstance = true;
    instance_.broadcast();
}

void Frame::showmain() {
    if (g_->secondinstance) return;
    QWidget* main = g_->form1;
    placeonscreen(main);
    main->show();
}

void startup(AppGlobals& g, const QString& exeFolder) {
    g.started = false;
    g.ws.playmode = 0;
    g.ws.seqrow = -1;
    g.paths = AppPaths::beside(exeFolder, specialfolder(SpecialFolder::Documents));
    g.ws.db.setPath(g.paths.databasefile);
    if (!g.settings.opensettings(g.paths.settingsfile)) {
        g.infobox(QString::fromLatin1(kUnstableMessage));
        g.endprocess(1);
        return;
    }
    if (g.settings.startminimized()) g.form1->setWindowOpacity(0.0);
    g.ws.currentfile = fromansi(g.settings.defaultfile());
    g.platform.tray->show();
    g.ws.db.createdatabase();
    g.ws.recordcount = 0;
    {
        const QSignalBlocker quiet(g.form1->ComboBox5);
        g.form1->ComboBox5->setCurrentText(QStringLiteral("Lateral"));
    }
    g.form2->fillfonts();
    // The file dialogs start in g.paths.docfolder, read when each opens.
    g.started = true;
    g.ws.rowcount = 0;
    g.form1->files()->startupfile();
}

void shutdown(AppGlobals& g) {
    if (g.form1) g.form1->updatetimer()->stop();
    if (g.dispatcher) g.dispatcher->popdur->stop();
    if (g.form6 && !g.form6->mp3player.FileName.isEmpty()) g.form6->mp3player.Close();
    g.ws.db.close();
    g.settings.close();
    if (g.platform.tray) g.platform.tray->hide();
    g.endprocess(0);
    // A replaced endprocess (tests) may return; the program still ends here.
    throw std::runtime_error("process ended");
}

void exitrequest(AppGlobals& g) {
    if (!g.form1->BitBtn8->isEnabled()) shutdown(g);
    g.form12->show();
}
