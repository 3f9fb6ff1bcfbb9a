#include "store/privatefiles.h"

#include "store/filebytes.h"

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The process's umask, read without changing it: another thread may be making a file.
mode_t currentumask() {
    const auto status = readregularfile(QStringLiteral("/proc/self/status"), 1 << 16);
    if (status) {
        for (const QByteArray& line : status->split('\n')) {
            if (!line.startsWith("Umask:")) continue;
            bool ok = false;
            const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
            if (ok) return static_cast<mode_t>(mask & 0777);
        }
    }
    const mode_t mask = ::umask(077);
    ::umask(mask);
    return mask;
}

} // namespace

QFileDevice::Permissions newfilepermissions() {
    const mode_t mask = currentumask();
    QFileDevice::Permissions p;
    if (!(mask & S_IRUSR)) p |= QFileDevice::ReadOwner;
    if (!(mask & S_IWUSR)) p |= QFileDevice::WriteOwner;
    return p;
}

bool makeprivatefolder(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        QDir().mkpath(info.absolutePath());
        QDir().mkdir(path,
                     QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    struct stat st {};
    const QByteArray name = QFile::encodeName(path);
    if (::stat(name.constData(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    // A folder made open to others by an earlier version is closed now.
    if (st.st_uid == ::geteuid() && (st.st_mode & 077) != 0)
        ::chmod(name.constData(), st.st_mode & 0700);
    return true;
}
