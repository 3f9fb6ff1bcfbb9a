#pragma once

#include "store/notificationrecord.h"
#include "support/samplerecord.h"
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

// A text reminder, `duration` seconds long, that fires a second after the start.
inline TNotificationRecord textrecord(const char* type, int fontsize, int duration) {
    return SampleRecord("Tea is ready")
        .countdown(1)
        .active()
        .lasting(duration)
        .text(type, "DejaVu Sans", fontsize, "clNavy");
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
    // Settings that open `list` at the next start ("" for none); `minimised` is start
    // minimised. The store keeps the file's name with each byte raised by one.
    void settingsopening(const QString& list, bool minimised = false) {
        QByteArray settings(4 * 272, '\0');
        const QByteArray name = QFile::encodeName(list);
        settings[0] = char(name.size());
        for (int i = 0; i < name.size(); ++i)
            settings[1 + i] = char(name[i] + 1);
        settings[256] = minimised ? 1 : 0;
        writebytes(folder.filePath("chsb.rez"), settings);
    }
    // A list holding only `rec`, opened at the next start.
    void openatstart(const TNotificationRecord& rec, bool minimised = false) {
        RecordBytes header = newheader();
        header[headerfield::RecordCount] = 1;
        const RecordBytes raw = encodenotification(rec);
        const QString list = folder.filePath("probe.clt");
        writebytes(list, QByteArray(reinterpret_cast<const char*>(header.data()), 960) +
                             QByteArray(reinterpret_cast<const char*>(raw.data()), 960));
        settingsopening(list, minimised);
    }

    QTemporaryDir folder, runtime;
    QString exe;
    QProcessEnvironment env;
    QProcess first, second;
};

// The program with its modules beside it and no screen.
class OffscreenRun : public ProgramRun {
protected:
    void SetUp() override {
        ProgramRun::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_TRUE(copymodules(folder.path()));
        env.insert("QT_QPA_PLATFORM", "offscreen");
    }
};
