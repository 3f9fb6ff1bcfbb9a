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

// The program's modules, which it loads from beside itself at first use.
inline bool copymodules(const QString& folder) {
    for (const char* module : {"chimelet-audio.so", "chimelet-http.so"})
        if (!QFile::copy(qEnvironmentVariable("CHIMELET_BUILD_DIR") + '/' + module,
                         folder + '/' + module))
            return false;
    return true;
}

// The files mapped into the running process `pid`.
inline QByteArray mappedfiles(qint64 pid) {
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
    return maps.open(QIODevice::ReadOnly) ? maps.readAll() : QByteArray();
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
