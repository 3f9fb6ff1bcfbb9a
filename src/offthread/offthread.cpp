#include "offthread/offthread.h"
#include "offthread/offthreadrelay.h"

void ReplyChannel::post(const std::function<void()>& call) const {
    emit relay_->call(call);
}

void runoffthread(QThreadPool& pool, QObject* receiver,
                  std::function<void(const ReplyChannel&)> work) {
    auto relay = std::make_shared<OffThreadRelay>();
    QObject::connect(
        relay.get(), &OffThreadRelay::call, receiver,
        [](const std::function<void()>& call) { call(); }, Qt::QueuedConnection);
    // It ends on whichever thread lets it go last, and takes no events: it belongs to none.
    relay->moveToThread(nullptr);
    pool.start([reply = ReplyChannel(std::move(relay)), work = std::move(work)] { work(reply); });
}

namespace {
struct TransferPool : QThreadPool {
    // A download and a check may run at once, and each waits on its own server.
    TransferPool() { setMaxThreadCount(8); }
};
} // namespace

QThreadPool& transferpool() {
    static TransferPool pool;
    return pool;
}
