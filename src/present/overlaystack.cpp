#include "present/overlaystack.h"

#include "present/fsimage.h"
#include "present/puimage.h"
#include "present/txtbx.h"

void stackoverlays(TForm5& text, TForm4& small, TForm3& fullscreen) {
    for (QWidget* w : {static_cast<QWidget*>(&fullscreen), static_cast<QWidget*>(&small),
                       static_cast<QWidget*>(&text)})
        if (w->isVisible()) w->raise();
}
