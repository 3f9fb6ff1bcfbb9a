#pragma once

#include <QProcess>
#include <QString>

// A private X server (Xvfb) for a test, on a display number of its own choosing; ended
// with the object. display() is empty when no server could be started.
class PrivateXServer {
public:
    explicit PrivateXServer(const QString& screen = QStringLiteral("320x200x24"));
    ~PrivateXServer();
    QString display() const { return display_; }

private:
    QProcess server_;
    QString display_;
};
