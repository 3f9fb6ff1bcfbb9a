#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A Weston compositor of a test's own on its headless back end (software drawing,
// screenshots allowed). socket() is the absolute path clients put in WAYLAND_DISPLAY;
// empty when Weston could not be started.
class PrivateWeston {
public:
    explicit PrivateWeston(const QStringList& extra = {});
    ~PrivateWeston();
    QString socket() const { return socket_; }
    // With "--xwayland" among the extras: the X display Weston serves through XWayland,
    // once it says which; empty when it does not within a few seconds.
    QString xdisplay();
    // The screen as Weston shows it, as a PNG file; empty on failure.
    QString screenshot();

private:
    QTemporaryDir runtime_;
    QProcess weston_;
    QString socket_;
    QByteArray log_;
};
