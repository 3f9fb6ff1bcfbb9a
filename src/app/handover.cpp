#include "app/handover.h"

#include "linuxplatform/detachedstart.h"
#include "linuxplatform/singleinstance.h"
#include "store/nativename.h"

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
    say(QStringLiteral("Chimelet could not be started; the command was not carried out."));
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

int unreachable(const QString& datafolder, bool command) {
    say(QStringLiteral("a copy of Chimelet uses %1 but does not answer%2")
            .arg(shownname(datafolder), command
                                            ? QStringLiteral("; the command was not carried out.")
                                            : QStringLiteral(".")));
    return 1;
}

std::optional<int> handover(const LocalSingleInstance& instance, const CommandLine& line,
                            const QString& datafolder) {
    const bool quit = line.command.verb == QLatin1String(remoteverbs::Quit);
    const int wait = quit ? kQuitMsecs : kHandoverMsecs;
    const QDeadlineTimer deadline(wait);
    if (auto reply = instance.send(line.command, wait))
        return quit ? ended(instance, *reply, deadline) : print(*reply);
    // A copy holds the folder but took no connection for a while: nothing else may
    // start on it.
    if (instance.othercopyruns()) return unreachable(datafolder, true);
    if (quit) return 0; // nothing runs that could be ended
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
