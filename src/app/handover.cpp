#include "app/handover.h"

#include "linuxplatform/detachedstart.h"
#include "linuxplatform/singleinstance.h"

#include <QDeadlineTimer>
#include <QThread>

#include <cstdio>

namespace {

int print(const RemoteReply& reply) {
    for (const QString& line : reply.lines)
        std::fputs((line + u'\n').toLocal8Bit().constData(), stdout);
    if (!reply.message.isEmpty())
        std::fputs((reply.message + u'\n').toLocal8Bit().constData(), stderr);
    std::fflush(stdout);
    return reply.code;
}

int notstarted() {
    std::fputs("chimelet: Chimelet could not be started; the command was not carried out.\n",
               stderr);
    return 1;
}

} // namespace

int unreachable(const QString& datafolder, bool command) {
    const QString text =
        QStringLiteral("chimelet: a copy of Chimelet uses %1 but does not answer%2\n")
            .arg(datafolder, command ? QStringLiteral("; the command was not carried out.")
                                     : QStringLiteral("."));
    std::fputs(text.toLocal8Bit().constData(), stderr);
    return 1;
}

std::optional<int> handover(const LocalSingleInstance& instance, const CommandLine& line,
                            const QString& datafolder) {
    const QDeadlineTimer deadline(kHandoverMsecs);
    if (auto reply = instance.send(line.command, kHandoverMsecs)) return print(*reply);
    // A copy holds the folder but took no connection for a while: nothing else may
    // start on it.
    if (instance.othercopyruns()) return unreachable(datafolder, true);
    if (line.command.verb == QLatin1String(remoteverbs::Quit))
        return 0; // nothing runs that could be ended
    if (line.action == CommandLine::Action::Open) return std::nullopt;
    const pid_t started = startdetached(ownexecutable());
    if (started < 0) return notstarted();
    // A copy is starting: it answers once its start-up is done.
    while (!deadline.hasExpired()) {
        QThread::msleep(50);
        if (auto reply = instance.send(line.command, deadline.remainingTime()))
            return print(*reply);
        // The copy we started gave up, and no other copy took its place.
        if (hasended(started) && !instance.othercopyruns()) return notstarted();
    }
    return notstarted();
}
