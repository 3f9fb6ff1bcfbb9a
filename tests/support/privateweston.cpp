#include "support/privateweston.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

PrivateWeston::PrivateWeston(const QStringList& extra) {
    if (QStandardPaths::findExecutable("weston").isEmpty()) return;
    QFile::setPermissions(runtime_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime_.path());
    env.remove("WAYLAND_DISPLAY");
    env.remove("DISPLAY");
    weston_.setProcessEnvironment(env);
    weston_.setProcessChannelMode(QProcess::MergedChannels);
    weston_.start("weston",
                  QStringList{"--backend=headless-backend.so", "--use-pixman", "--socket=wl-test",
                              "--idle-time=0", "--width=1024", "--height=768", "--debug"} +
                      extra);
    if (!weston_.waitForStarted(5000)) return;
    const QString path = runtime_.filePath("wl-test");
    // The desktop is drawn once its shell client has started; a moment more for its panel.
    if (QTest::qWaitFor([&] { return QFile::exists(path + ".lock") && QFile::exists(path); },
                        10000))
        socket_ = path;
    QTest::qWait(500);
}

PrivateWeston::~PrivateWeston() {
    if (weston_.state() == QProcess::NotRunning) return;
    weston_.terminate();
    if (!weston_.waitForFinished(3000)) weston_.kill();
    weston_.waitForFinished(1000);
}

QString PrivateWeston::screenshot() {
    QProcess shooter;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("WAYLAND_DISPLAY", socket_);
    shooter.setProcessEnvironment(env);
    shooter.setWorkingDirectory(runtime_.path());
    const QDir dir(runtime_.path());
    for (const QString& old : dir.entryList({"wayland-screenshot-*.png"}))
        QFile::remove(dir.filePath(old));
    shooter.start("weston-screenshooter", {});
    if (!shooter.waitForFinished(10000) || shooter.exitCode() != 0) return {};
    const QStringList shots = dir.entryList({"wayland-screenshot-*.png"});
    return shots.isEmpty() ? QString() : dir.filePath(shots.first());
}

QString PrivateWeston::xdisplay() {
    static const QRegularExpression said("xserver listening on display (:[0-9]+)");
    QString display;
    (void)QTest::qWaitFor(
        [&] {
            log_ += weston_.readAll();
            display = said.match(QString::fromLocal8Bit(log_)).captured(1);
            return !display.isEmpty();
        },
        10000);
    return display;
}
