#include "store/filebytes.h"

#include "store/nativename.h"
#include "store/privatefiles.h"

#include <QFile>
#include <QScopeGuard>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool writeall(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += n;
    }
    return true;
}

} // namespace

bool isregularfile(const QString& path) {
    struct stat st {};
    return ::stat(nativename(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<QByteArray> readregularfile(const QString& path, qint64 maxBytes) {
    // Opened without waiting (a FIFO would wait for a writer), then checked on the open
    // file itself, so a name swapped in between cannot slip a device in.
    const int fd = ::open(nativename(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    QFile f;
    if (!f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    // The buffer is sized by the file, not by the bound, so a small file costs a small
    // buffer; a file that grew meanwhile is read on, up to the bound.
    const qint64 size = st.st_size;
    QByteArray bytes = f.read(std::min(size, maxBytes) + 1);
    if (bytes.size() > size && bytes.size() <= maxBytes)
        bytes += f.read(maxBytes + 1 - bytes.size());
    if (f.error() != QFileDevice::NoError || bytes.size() > maxBytes) return std::nullopt;
    return bytes;
}

bool replacefile(const QString& path, const QByteArray& bytes) {
    QByteArray target = nativename(path);
    // A link is followed: the file it names is replaced, and the link stays.
    if (char* real = ::realpath(target.constData(), nullptr)) {
        target = real;
        std::free(real);
    }
    QByteArray temporary = target + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = false;
    const auto cleanup = qScopeGuard([&] {
        if (!ok) ::unlink(temporary.constData());
    });
    struct stat old {};
    if (::stat(target.constData(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        // A new file is the user's alone, less what a stricter umask takes away.
        const QFileDevice::Permissions fresh = newfilepermissions();
        ::fchmod(fd, (fresh.testFlag(QFileDevice::ReadOwner) ? S_IRUSR : 0) |
                         (fresh.testFlag(QFileDevice::WriteOwner) ? S_IWUSR : 0));
    }
    const bool written = writeall(fd, bytes) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written) return false;
    ok = ::rename(temporary.constData(), target.constData()) == 0;
    return ok;
}
