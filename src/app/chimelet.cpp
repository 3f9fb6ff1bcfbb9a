#include "app/errorreport.h"
#include "app/frame.h"
#include "app/startuptrace.h"
#include "linuxplatform/audiodevice.h"
#include "linuxplatform/clock.h"
#include "linuxplatform/desktopwallpaper.h"
#include "linuxplatform/desktopwindow.h"
#include "linuxplatform/dialogs.h"
#include "linuxplatform/shell.h"
#include "linuxplatform/termination.h"
#include "linuxplatform/tray.h"
#include "linuxplatform/xdgautostart.h"

#include <QIcon>

int main(int argc, char** argv) {
    startuptrace::begin();
    ChimeletApplication app(argc, argv);
    startuptrace::mark("application");
    QApplication::setApplicationName(QStringLiteral("Chimelet"));
    QApplication::setApplicationDisplayName(QStringLiteral("Chimelet"));
    QApplication::setQuitOnLastWindowClosed(false);

    SystemClock clock;
    QtDialogs dialogs;
    DesktopShell shell;
    SystemTrayIcon tray;
    SystemDesktopWallpaper desktop;
    SdlAudioDevice audio;
    X11WindowOpacity opacity;
    XdgAutostart autostart;
    Platform platform;
    platform.clock = &clock;
    platform.dialogs = &dialogs;
    platform.tray = &tray;
    platform.shell = &shell;
    platform.desktop = &desktop;
    platform.audio = &audio;
    platform.opacity = &opacity;
    platform.autostart = &autostart;

    startuptrace::mark("platform services");
    Frame frame(platform, QCoreApplication::applicationDirPath());
    startuptrace::mark("windows created");
    if (frame.secondinstance()) return 0;
    onterminationsignal([&frame] { frame.shutdown(); });
    frame.showmain();
    startuptrace::mark("main window shown");
    return app.exec();
}
