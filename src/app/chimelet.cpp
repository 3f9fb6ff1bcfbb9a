#include "app/errorreport.h"
#include "app/frame.h"
#include "platform/clock.h"
#include "platform/desktopwallpaper.h"
#include "platform/dialogs.h"
#include "platform/sessionplatform.h"
#include "platform/shell.h"
#include "platform/termination.h"
#include "platform/tray.h"

#include <QIcon>

int main(int argc, char** argv) {
    choosewindowplatform();
    ChimeletApplication app(argc, argv);
    // No display name: the desktop would add it to every window title.
    QApplication::setApplicationName(QStringLiteral("Chimelet"));
    QApplication::setQuitOnLastWindowClosed(false);

    SystemClock clock;
    QtDialogs dialogs;
    DesktopShell shell;
    SystemTrayIcon tray;
    SystemDesktopWallpaper desktop;
    Platform platform;
    platform.clock = &clock;
    platform.dialogs = &dialogs;
    platform.tray = &tray;
    platform.shell = &shell;
    platform.desktop = &desktop;

    ChimeletApplication::setreporter([&dialogs](const QString& text) { dialogs.infobox(text); });

    Frame frame(platform, QCoreApplication::applicationDirPath());
    if (frame.secondinstance()) return 0;
    onterminationsignal([&frame] { shutdown(frame.globals()); });
    frame.showmain();
    return app.exec();
}
