#include "linuxplatform/detachedstart.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

pid_t startdetached(const QString& program) {
    const QByteArray path = QFile::encodeName(program);
    const pid_t pid = ::fork();
    if (pid != 0) return pid < 0 ? -1 : pid;
    ::setsid();
    const int null = ::open("/dev/null", O_RDWR);
    for (int fd = 0; fd < 3; ++fd)
        if (null >= 0) ::dup2(null, fd);
    ::execl(path.constData(), path.constData(), static_cast<char*>(nullptr));
    ::_exit(127);
}

bool hasended(pid_t pid) {
    int status = 0;
    return ::waitpid(pid, &status, WNOHANG) != 0;
}

QString ownexecutable() {
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}
