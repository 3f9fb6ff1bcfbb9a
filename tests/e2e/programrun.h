#pragma once

#include "support/tempfolder.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

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
    return readbytes(QStringLiteral("/proc/%1/maps").arg(pid));
}

inline bool waitfor(const std::function<bool()>& cond, int msecs) {
    QDeadlineTimer deadline(msecs);
    while (!deadline.hasExpired()) {
        if (cond()) return true;
        QThread::msleep(20);
    }
    return cond();
}

// The real executable copied into a temporary folder that is also its home, started
// from there as a user would; whatever still runs at the end is killed.
class ProgramRun : public ::testing::Test {
protected:
    void SetUp() override {
        exe = folder.filePath("chimelet");
        ASSERT_TRUE(QFile::copy(builtprogram(), exe)) << builtprogram().toStdString();
        env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        env.insert("HOME", folder.path());
    }
    void TearDown() override {
        for (QProcess* p : {&first, &second})
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(3000);
            }
    }
    void start(QProcess& p) {
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(folder.path());
        p.start(exe, {});
        ASSERT_TRUE(p.waitForStarted(5000));
    }
    QByteArray bytes(const char* name) const { return readbytes(folder.filePath(name)); }

    QTemporaryDir folder, runtime;
    QString exe;
    QProcessEnvironment env;
    QProcess first, second;
};
