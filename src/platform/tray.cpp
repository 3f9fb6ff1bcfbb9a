#include "platform/tray.h"

void TrayIcon::setballoontext(const QString& text) {
    balloon_ = text.left(255);
    if (balloon_.isEmpty()) withdrawballoon();
}

void TrayIcon::showballoon() {
    if (!balloon_.isEmpty())
        popballoon(QString::fromLatin1(kBalloonTitle), balloon_, kBalloonMsecs);
}
