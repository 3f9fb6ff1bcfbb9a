#include "linuxplatform/folders.h"

#include <QDir>
#include <QStandardPaths>

#include <stdexcept>

QString specialfolder(SpecialFolder which) {
    QString path;
    if (which == SpecialFolder::Documents)
        path = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    else
        path = QStandardPaths::writableLocation(QStandardPaths::ConfigLocation) +
               QStringLiteral("/autostart");
    if (path.isEmpty()) throw std::runtime_error("The system cannot find the folder specified.");
    return path.left(260);
}
