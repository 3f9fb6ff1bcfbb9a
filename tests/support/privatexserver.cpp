#include "support/privatexserver.h"

#include <QStandardPaths>
#include <QThread>

PrivateXServer::PrivateXServer(const QString& screen) {
    if (QStandardPaths::findExecutable("Xvfb").isEmpty()) return;
    server_.start("Xvfb",
                  {"-displayfd", "1", "-screen", "0", screen, "-noreset", "-nolisten", "tcp"});
    if (!server_.waitForStarted(5000)) return;
    QByteArray number;
    while (!number.contains('\n') && server_.waitForReadyRead(5000))
        number += server_.readAllStandardOutput();
    if (number.trimmed().isEmpty()) return;
    const QString display = ":" + QString::fromLatin1(number.trimmed());
    // A server may announce itself a moment before it takes connections.
    for (int i = 0; i < 50 && display_.isEmpty(); ++i) {
        QProcess probe;
        probe.start("xdpyinfo", {"-display", display});
        if (probe.waitForFinished(3000) && probe.exitCode() == 0)
            display_ = display;
        else
            QThread::msleep(100);
    }
}

PrivateXServer::~PrivateXServer() {
    if (server_.state() == QProcess::NotRunning) return;
    server_.terminate();
    if (!server_.waitForFinished(3000)) server_.kill();
    server_.waitForFinished(1000);
}
