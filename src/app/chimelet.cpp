#include "app/errorreport.h"
#include "app/frame.h"
#include "app/startuptrace.h"
#include "linuxplatform/clock.h"
#include "linuxplatform/desktopwallpaper.h"
#include "linuxplatform/desktopwindow.h"
#include "linuxplatform/dialogs.h"
#include "linuxplatform/moduleaudiodevice.h"
#include "linuxplatform/modulehttpclient.h"
#include "linuxplatform/sessionplatform.h"
#include "linuxplatform/shell.h"
#include "linuxplatform/singleinstance.h"
#include "linuxplatform/sleepwatch.h"
#include "linuxplatform/termination.h"
#include "linuxplatform/tray.h"
#include "linuxplatform/windowshape.h"
#include "linuxplatform/xdgautostart.h"

#include <QIcon>

int main(int argc, char** argv) {
    startuptrace::begin();
    choosewindowplatform();
    ChimeletApplication app(argc, argv);
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
    LocalSingleInstance instance(QString::fromLatin1(kMutexName),
                                 QString::fromLatin1(kMessageName));
    XdgAutostart autostart;
    ModuleHttpClient http(modulefolders(), CHIMELET_UPDATE_URL);
    X11WindowShape shape;
    LogindSleepWatch sleep;
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
    onterminationsignal([&frame] { frame.shutdown(); });
    frame.showmain();
    startuptrace::mark("main window shown");
    return app.exec();
}
