#include "linuxplatform/folders.h"

#include <QDir>
#include <QStandardPaths>

#include <stdexcept>

QString specialfolder(SpecialFolder which) {
    QString path;
    switch (which) {
    case SpecialFolder::Documents:
        path = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        break;
    case SpecialFolder::Autostart:
        path = QStandardPaths::writableLocation(QStandardPaths::ConfigLocation) +
               QStringLiteral("/autostart");
        break;
    case SpecialFolder::UserData:
        path = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
               QStringLiteral("/Chimelet");
        break;
    }
    if (path.isEmpty()) throw std::runtime_error("The system cannot find the folder specified.");
    // A cut data folder would be some other folder.
    return which == SpecialFolder::UserData ? path : path.left(260);
}
