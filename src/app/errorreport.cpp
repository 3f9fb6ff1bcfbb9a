#include "app/errorreport.h"

#include <exception>

ChimeletApplication::ChimeletApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool ChimeletApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        qCritical("Chimelet: unhandled error: %s", e.what());
    }
    return false;
}
