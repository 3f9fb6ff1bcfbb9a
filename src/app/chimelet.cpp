#include "app/errorreport.h"
#include "app/frame.h"
#include "linuxplatform/audiodevice.h"
#include "linuxplatform/clock.h"
#include "linuxplatform/desktopwallpaper.h"
#include "linuxplatform/desktopwindow.h"
#include "linuxplatform/dialogs.h"
#include "linuxplatform/httplibclient.h"
#include "linuxplatform/shell.h"
#include "linuxplatform/termination.h"
#include "linuxplatform/tray.h"
#include "linuxplatform/xdgautostart.h"

#include <QIcon>

int main(int argc, char** argv) {
    ChimeletApplication app(argc, argv);
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
    HttplibClient http(CHIMELET_UPDATE_URL);
    Platform platform;
    platform.clock = &clock;
    platform.dialogs = &dialogs;
    platform.tray = &tray;
    platform.shell = &shell;
    platform.desktop = &desktop;
    platform.audio = &audio;
    platform.opacity = &opacity;
    platform.autostart = &autostart;
    platform.http = &http;

    Frame frame(platform, QCoreApplication::applicationDirPath());
    if (frame.secondinstance()) return 0;
    onterminationsignal([&frame] { frame.shutdown(); });
    frame.showmain();
    return app.exec();
}
