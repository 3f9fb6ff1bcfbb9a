#include "linuxplatform/shell.h"

#include <QDesktopServices>
#include <QUrl>

void DesktopShell::brow(const QString& url) {
    QDesktopServices::openUrl(QUrl(url));
}

void DesktopShell::openfile(const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
