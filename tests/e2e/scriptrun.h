#pragma once

#include "programrun.h"
#include "support/abstractsocket.h"

#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

#include <csignal>

struct Outcome {
    int code = -1;
    QString out, err;
};

// The real program driven from here, as a script drives it: each command a process of
// its own, against the copy that runs (started by the first command).
class CommandLineTest : public OffscreenRun {
protected:
    void SetUp() override {
        OffscreenRun::SetUp();
        env.insert("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    }
    void TearDown() override {
        if (const qint64 pid = runningpid(); pid > 0) ::kill(static_cast<pid_t>(pid), SIGKILL);
        OffscreenRun::TearDown();
    }
    Outcome chimelet(const QStringList& args) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(folder.path());
        p.start(exe, args);
        return finish(p);
    }
    // A command line of a shell, for the bytes no QString carries: `$0` is the program.
    Outcome shell(const QString& script) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(folder.path());
        p.start("/bin/sh", {"-c", script, exe});
        return finish(p);
    }
    static Outcome finish(QProcess& p) {
        Outcome o;
        if (p.waitForFinished(70000) && p.exitStatus() == QProcess::NormalExit)
            o.code = p.exitCode();
        o.out = QString::fromUtf8(p.readAllStandardOutput());
        o.err = QString::fromUtf8(p.readAllStandardError());
        return o;
    }
    // The copy that holds the lock, 0 when none does.
    qint64 runningpid() const {
        const qint64 pid = lockholder(folder.path());
        return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) == 0 ? pid : 0;
    }
    QStringList files() const { return QDir(folder.path()).entryList(QDir::Files); }
};

// Whether the process has ended (a child not yet collected counts as ended).
inline bool hasgone(qint64 pid) {
    const QByteArray stat = readbytes(QStringLiteral("/proc/%1/stat").arg(pid));
    return stat.isEmpty() || stat.mid(stat.lastIndexOf(')') + 2, 1) == "Z";
}
