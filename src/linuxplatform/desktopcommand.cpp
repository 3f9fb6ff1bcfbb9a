#include "linuxplatform/desktopcommand.h"

#include <QProcess>

CommandResult ProcessRunner::run(const QString& program, const QStringList& args) {
    CommandResult result;
    QProcess process;
    process.start(program, args);
    if (!process.waitForStarted(timeout_)) {
        result.errors = process.errorString();
        return result;
    }
    result.started = true;
    process.closeWriteChannel();
    if (!process.waitForFinished(timeout_)) {
        // A helper that hangs must not hold the program; it is ended and counts as failed.
        process.kill();
        process.waitForFinished(1000);
        result.errors = QStringLiteral("%1 did not finish").arg(program);
        return result;
    }
    result.output = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.errors = QString::fromLocal8Bit(process.readAllStandardError());
    result.exitcode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return result;
}
