#include "linuxplatform/folderlock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

flock wholefile(short type) {
    flock l{};
    l.l_type = type;
    l.l_whence = SEEK_SET;
    l.l_start = 0;
    l.l_len = 0;
    return l;
}

int openlock(const QByteArray& path, int flags) {
    int fd = -1;
    do
        fd = ::open(path.constData(), flags | O_CLOEXEC | O_NOFOLLOW, 0600);
    while (fd < 0 && errno == EINTR);
    return fd;
}

} // namespace

FolderLock::~FolderLock() {
    if (fd_ >= 0) ::close(fd_);
}

bool FolderLock::take() {
    if (fd_ >= 0) return true;
    const QByteArray path = QFile::encodeName(path_);
    int fd = openlock(path, O_RDWR | O_CREAT);
    if (fd < 0 && errno == EACCES) {
        // The user's own file made unreadable: made the user's again. Never removed, as
        // a holder's lock lives on the file it opened.
        ::chmod(path.constData(), 0600);
        fd = openlock(path, O_RDWR | O_CREAT);
    }
    if (fd < 0) return false;
    // Children started later do not inherit it: the lock is an open-file lock, and the
    // descriptor closes on exec.
    flock l = wholefile(F_WRLCK);
    if (::fcntl(fd, F_OFD_SETLK, &l) != 0) {
        ::close(fd);
        return false;
    }
    ::fchmod(fd, 0600);
    fd_ = fd;
    publish(QByteArray::number(static_cast<qint64>(::getpid())) + '\n');
    return true;
}

bool FolderLock::takenbyany() const {
    if (fd_ >= 0) return true;
    const int fd = openlock(QFile::encodeName(path_), O_RDONLY);
    if (fd < 0) return errno != ENOENT;
    flock l = wholefile(F_WRLCK);
    const bool taken = ::fcntl(fd, F_OFD_GETLK, &l) != 0 || l.l_type != F_UNLCK;
    ::close(fd);
    return taken;
}

void FolderLock::publish(const QByteArray& text) {
    if (fd_ < 0) return;
    // Written in place: the lock belongs to this file, a renamed one would hold none.
    if (::ftruncate(fd_, 0) != 0) return;
    qsizetype done = 0;
    while (done < text.size()) {
        const ssize_t n = ::pwrite(fd_, text.constData() + done, text.size() - done, done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        done += n;
    }
}

QByteArray FolderLock::published() const {
    const int fd = openlock(QFile::encodeName(path_), O_RDONLY | O_NONBLOCK);
    if (fd < 0) return {};
    QByteArray text;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        text.resize(kMaxText);
        const ssize_t n = ::pread(fd, text.data(), text.size(), 0);
        text.resize(n > 0 ? n : 0);
    }
    ::close(fd);
    return text;
}
