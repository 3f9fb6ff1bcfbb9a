#include "app/errorreport.h"

#include "store/ansitext.h"

#include <exception>

namespace {
std::function<void(const QString&)>& reporter() {
    static std::function<void(const QString&)> r;
    return r;
}

void report(const char* text) {
    if (reporter()) reporter()(fromansi(text));
}
} // namespace

ChimeletApplication::ChimeletApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void ChimeletApplication::setreporter(std::function<void(const QString&)> r) {
    reporter() = std::move(r);
}

bool ChimeletApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        report(e.what());
    }
    return false;
}

void reporterrors(const std::function<void()>& work) {
    try {
        work();
    } catch (const std::exception& e) {
        report(e.what());
    }
}
