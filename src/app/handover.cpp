#include "app/handover.h"

#include "linuxplatform/detachedstart.h"
#include "linuxplatform/singleinstance.h"

#include <QDeadlineTimer>
#include <QThread>

#include <cstdio>

namespace {

void say(const QString& message) {
    // One voice: every line names the program first.
    for (const QString& line : message.split(u'\n'))
        std::fputs(
            ((line.startsWith(QLatin1String("chimelet: ")) ? line
                                                           : QStringLiteral("chimelet: ") + line) +
             u'\n')
                .toUtf8()
                .constData(),
            stderr);
}

int print(const RemoteReply& reply) {
    for (const QString& line : reply.lines)
        std::fputs((line + u'\n').toUtf8().constData(), stdout);
    std::fflush(stdout);
    if (!reply.message.isEmpty()) say(reply.message);
    return reply.code;
}

int notstarted() {
    say(QStringLiteral("Chimelet could not be started."));
    return 1;
}

bool noanswer(const RemoteReply& reply) {
    return reply.code != 0 && reply.message == QLatin1String(LocalSingleInstance::kNoAnswer);
}

// Quit is done when the program has ended: after its answer, or when "Save before exit?"
// was answered with an exit, with none.
int ended(const LocalSingleInstance& instance, const RemoteReply& reply,
          const QDeadlineTimer& deadline) {
    if (reply.code != 0 && !noanswer(reply)) return print(reply);
    while (instance.othercopyruns()) {
        if (deadline.hasExpired()) {
            say(noanswer(reply)
                    ? reply.message
                    : QStringLiteral("Chimelet did not end within %1 s.").arg(kQuitMsecs / 1000));
            return 1;
        }
        QThread::msleep(20);
    }
    return 0;
}

} // namespace

std::optional<int> handover(const LocalSingleInstance& instance, const CommandLine& line) {
    const bool quit = line.command.verb == QLatin1String(remoteverbs::Quit);
    const int wait = quit ? kQuitMsecs : kHandoverMsecs;
    const QDeadlineTimer deadline(wait);
    if (auto reply = instance.send(line.command, wait))
        return quit ? ended(instance, *reply, deadline) : print(*reply);
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
            return quit ? ended(instance, *reply, deadline) : print(*reply);
        // The copy we started gave up, and no other copy took its place.
        if (started > 0 && hasended(started) && !instance.othercopyruns()) return notstarted();
    }
    return notstarted();
}
