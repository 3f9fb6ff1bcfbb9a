#pragma once

#include "platform/autostart.h"

// An XDG autostart desktop entry "Chimelet.desktop", read by every desktop session
// that follows the freedesktop.org autostart rules.
class XdgAutostart : public Autostart {
public:
    // An empty folder means the session's own: $XDG_CONFIG_HOME/autostart.
    explicit XdgAutostart(QString folder = {}) : folder_(std::move(folder)) {}

    QString create(const QString& program) override;
    bool exists(const QString& entry) const override;
    void remove(const QString& entry) override;

private:
    QString folder_;
};

// The entry's bytes: Exec and Path escaped so that any file name survives.
QByteArray desktopentry(const QString& program);
