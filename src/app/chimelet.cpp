#include "app/commandline.h"
#include "app/errorreport.h"
#include "app/frame.h"
#include "app/handover.h"
#include "app/remotecommands.h"
#include "app/startuptrace.h"
#include "linuxplatform/clock.h"
#include "linuxplatform/compositorlimits.h"
#include "linuxplatform/desktopwallpaper.h"
#include "linuxplatform/desktopwindow.h"
#include "linuxplatform/detachedstart.h"
#include "linuxplatform/dialogs.h"
#include "linuxplatform/folders.h"
#include "linuxplatform/heapreturn.h"
#include "linuxplatform/moduleaudiodevice.h"
#include "linuxplatform/modulehttpclient.h"
#include "linuxplatform/sessionbusservice.h"
#include "linuxplatform/sessionplatform.h"
#include "linuxplatform/shell.h"
#include "linuxplatform/singleinstance.h"
#include "linuxplatform/sleepwatch.h"
#include "linuxplatform/termination.h"
#include "linuxplatform/tray.h"
#include "linuxplatform/windowloss.h"
#include "linuxplatform/windowshape.h"
#include "linuxplatform/xdgautostart.h"
#include "offthread/offthread.h"
#include "present/fsimage.h"
#include "schedule/listcontroller.h"
#include "schedule/rowtable.h"
#include "store/nativename.h"
#include "ui/mainwindow/main.h"

#include <QDir>
#include <QIcon>
#include <QScopeGuard>

#include <climits>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    startuptrace::begin();
    // The command line is read before anything starts: help, the version and a refused
    // option print and end here, and a command goes to the running copy.
    // Kept as the bytes the shell passed: a file name may be in any encoding, while a
    // text that is not UTF-8 is refused by name.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << namefromnative(QByteArray(argv[i]));
    QByteArray here(PATH_MAX, '\0');
    const QString folder = ::getcwd(here.data(), here.size())
                               ? namefromnative(QByteArray(here.constData()))
                               : QDir::currentPath();
    const CommandLine line = parsecommandline(arguments, folder);
    using Action = CommandLine::Action;
    if (line.action == Action::Help || line.action == Action::Version) {
        std::fputs((line.text + u'\n').toUtf8().constData(), stdout);
        return 0;
    }
    if (line.action == Action::Refused) {
        std::fputs((line.text + u'\n').toUtf8().constData(), stderr);
        return kRefusedExit;
    }
    // One copy per data folder: its lock is taken before any file there is touched, and
    // the copy that holds it is found through it from any environment of the user.
    const QString datafolder = datafolderof(ownexecutable());
    LocalSingleInstance instance(datafolder);
    if (line.action == Action::Command || line.action == Action::Open)
        if (const auto code = handover(instance, line, datafolder)) return *code;
    if (!datafolder.isEmpty() && !instance.acquire()) {
        // Another copy won the race to start: the file goes to it.
        if (line.action == Action::Open) return handover(instance, line, datafolder).value_or(1);
        return instance.reachrunning() ? 0 : unreachable(datafolder, false);
    }

    returnlargeblocks();
    WindowPlatformChoice platformchoice(line.platform.toLocal8Bit());
    ChimeletApplication app(argc, argv);
    platformchoice.release();
    startuptrace::mark("application");
    // No display name: the desktop would add it to every window title.
    QApplication::setApplicationName(QStringLiteral("Chimelet"));
    QApplication::setQuitOnLastWindowClosed(false);

    SystemClock clock;
    QtDialogs dialogs;
    DesktopShell shell;
    SystemTrayIcon tray;
    SystemDesktopWallpaper desktop;
    ModuleAudioDevice audio(modulefolders());
    X11WindowOpacity opacity;
    XdgAutostart autostart;
    ModuleHttpClient http(modulefolders(), CHIMELET_UPDATE_URL);
    X11WindowShape shape;
    LogindSleepWatch sleep;
    // Work still running when the windows are gone ends before the services it uses.
    const auto transfers = qScopeGuard([] { transferpool().waitForDone(); });
    Platform platform;
    platform.clock = &clock;
    platform.dialogs = &dialogs;
    platform.tray = &tray;
    platform.shell = &shell;
    platform.desktop = &desktop;
    platform.audio = &audio;
    platform.opacity = &opacity;
    platform.instance = &instance;
    platform.autostart = &autostart;
    platform.http = &http;
    platform.shape = &shape;
    platform.sleep = &sleep;

    startuptrace::mark("platform services");
    Frame frame(platform, QCoreApplication::applicationDirPath());
    startuptrace::mark("windows created");
    if (frame.secondinstance()) return 0;
    // A logout or a kill asks nobody: unsaved changes are there at the next start.
    onterminationsignal([&frame] { frame.shutdown(true); });
    X11WindowLossWatch mainloss(frame.form1());
    frame.form1()->setforwardbyshowinganew(forwardbyshowinganew);
    frame.form3()->setcoverbyfullscreen(coverpanelsbyfullscreen);
    if (line.action == Action::Open)
        frame.openatstart(localfile(line.command.args[0]).value_or(QString()));
    // Commands are answered from the start-up on, also while one of its boxes ("Load
    // failed") waits for the user; until the list is there they are told so.
    RemoteCommands commands(frame);
    const RemoteHandler answer = [&commands](const RemoteCommand& c) { return commands.run(c); };
    instance.setcommands(answer);
    SessionBusService bus(QString::fromLatin1(CHIMELET_APP_ID), answer);
    bus.publish();
    QObject::connect(&frame.list(), &ListController::fired, &bus,
                     [&bus, &frame](int row, const QString& text) {
                         bus.tellfired(frame.list().rows().row(row).id, row + 1, text);
                     });
    frame.showmain();
    startuptrace::mark("main window shown");
    return app.exec();
}
