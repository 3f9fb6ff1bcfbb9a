#include "present/dismissoverlays.h"

#include "platform/tray.h"
#include "present/fsimage.h"
#include "present/puimage.h"
#include "present/txtbx.h"

void dismissoverlays(TrayIcon& tray, TForm5& text, TForm4& small, TForm3& fullscreen) {
    tray.setballoontext(QString());
    for (OverlayWindow* w :
         {static_cast<OverlayWindow*>(&text), static_cast<OverlayWindow*>(&small),
          static_cast<OverlayWindow*>(&fullscreen)})
        if (w->isVisible()) w->dismiss();
}

void linkoverlays(TrayIcon& tray, TForm5& text, TForm4& small, TForm3& fullscreen) {
    for (OverlayWindow* w :
         {static_cast<OverlayWindow*>(&text), static_cast<OverlayWindow*>(&small),
          static_cast<OverlayWindow*>(&fullscreen)})
        QObject::connect(w, &OverlayWindow::clicked, w,
                         [t = &tray, x = &text, s = &small, f = &fullscreen] {
                             dismissoverlays(*t, *x, *s, *f);
                         });
}
