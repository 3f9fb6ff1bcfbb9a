#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QFile>
#include <QString>
#include <QThread>

#include <functional>

// Helpers for tests that run the real executable.

inline QString builtprogram() {
    return qEnvironmentVariable("CHIMELET_BUILD_DIR") + QStringLiteral("/chimelet");
}

inline bool waitfor(const std::function<bool()>& cond, int msecs) {
    QDeadlineTimer deadline(msecs);
    while (!deadline.hasExpired()) {
        if (cond()) return true;
        QThread::msleep(20);
    }
    return cond();
}

inline QByteArray filebytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}
