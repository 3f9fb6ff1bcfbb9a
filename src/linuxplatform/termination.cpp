#include "linuxplatform/termination.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace {
int pipeFds[2] = {-1, -1};

void onSignal(int) {
    const char c = 1;
    [[maybe_unused]] auto n = ::write(pipeFds[0], &c, 1);
}
} // namespace

void onterminationsignal(std::function<void()> handler) {
    if (pipeFds[0] == -1 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, pipeFds) != 0) return;
    auto* notifier = new QSocketNotifier(pipeFds[1], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [handler = std::move(handler)] {
        char c;
        [[maybe_unused]] auto n = ::read(pipeFds[1], &c, 1);
        handler();
    });
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
}
