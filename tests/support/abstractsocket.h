#pragma once

#include "support/tempfolder.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// The socket the copy holding `datafolder` listens on, as its lock file names it.
inline QByteArray socketname(const QString& datafolder) {
    return readbytes(datafolder + "/chimelet.lock").split('\n').value(1);
}

// The pid the lock file of `datafolder` names, 0 for none.
inline qint64 lockholder(const QString& datafolder) {
    return readbytes(datafolder + "/chimelet.lock").split('\n').value(0).toLongLong();
}

// A connection to the abstract local socket `name`; -1 when refused.
inline int connectabstract(const QByteArray& name) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path + 1, name.constData(), name.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const auto len = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), len) == 0) return fd;
    ::close(fd);
    return -1;
}
