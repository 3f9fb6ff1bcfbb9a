#include "present/presentation.h"

#include "present/dismissoverlays.h"
#include "present/fsimage.h"
#include "present/mp3r.h"
#include "present/overlaystack.h"
#include "present/puimage.h"
#include "present/txtbx.h"

Presentation::Presentation(TForm3& fullscreen, TForm4& small, TForm5& text, TForm6& audio,
                           TrayIcon& tray, DesktopWallpaper& desktop, const AppPaths& paths,
                           QObject* parent)
    : wallpaper_(paths, desktop),
      dispatcher_(PresentSurfaces{fullscreen, small, text, wallpaper_, tray, audio}, paths,
                  parent) {
    linkoverlays(tray, text, small, fullscreen);
    QObject::connect(&dispatcher_, &Dispatcher::displaystarted, &dispatcher_,
                     [&text, &small, &fullscreen] { stackoverlays(text, small, fullscreen); });
}
