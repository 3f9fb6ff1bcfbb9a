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
    std::fputs("chimelet: Chimelet could not be started.\n", stderr);
    return 1;
}

} // namespace

std::optional<int> handover(const LocalSingleInstance& instance, const CommandLine& line) {
    const QDeadlineTimer deadline(kHandoverMsecs);
    if (auto reply = instance.send(line.command, kHandoverMsecs)) return print(*reply);
    const bool quit = line.command.verb == QLatin1String(remoteverbs::Quit);
    pid_t started = -1;
    if (!instance.othercopyruns()) {
        if (quit) return 0; // nothing runs that could be ended
        if (line.action == CommandLine::Action::Open) return std::nullopt;
        started = startdetached(ownexecutable());
        if (started < 0) return notstarted();
    }
    // A copy is starting: it answers once its start-up is done.
    while (!deadline.hasExpired()) {
        QThread::msleep(50);
        if (auto reply = instance.send(line.command, deadline.remainingTime()))
            return print(*reply);
        // The copy we started gave up, and no other copy took its place.
        if (started > 0 && hasended(started) && !instance.othercopyruns()) return notstarted();
    }
    return notstarted();
}
