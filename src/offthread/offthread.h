#pragma once

#include <QObject>
#include <QThreadPool>

#include <functional>
#include <memory>
#include <utility>

// The one way work leaves the GUI thread. The work runs on a pool's thread; what it says
// goes back through a queued connection to the receiver, which Qt cuts when the receiver is
// deleted, however the two threads interleave. So the work never touches the receiver (it
// may outlive it), and whoever owns the receiver need not wait for the work.

class OffThreadRelay;

// What the work holds to speak to its receiver: each call posted runs on the receiver's
// thread, in the order posted, unless the receiver is gone by then. Safe from any thread.
class ReplyChannel {
public:
    explicit ReplyChannel(std::shared_ptr<OffThreadRelay> relay) : relay_(std::move(relay)) {}
    void post(const std::function<void()>& call) const;

private:
    std::shared_ptr<OffThreadRelay> relay_;
};

// Runs `work` on `pool`, handing it the channel back to `receiver`. The work catches what it
// raises: nothing may unwind out of a pool's thread.
void runoffthread(QThreadPool& pool, QObject* receiver,
                  std::function<void(const ReplyChannel&)> work);

// Runs `work()` on `pool`, then `then(result)` on the receiver's thread unless it is gone.
template <typename Work, typename Then>
void runoffthread(QThreadPool& pool, QObject* receiver, Work work, Then then) {
    runoffthread(pool, receiver,
                 std::function<void(const ReplyChannel&)>(
                     [work = std::move(work), then = std::move(then)](const ReplyChannel& reply) {
                         reply.post([then, result = work()] { then(result); });
                     }));
}

// The pool of work that waits on the outside (a server, a transfer); each piece has a
// thread of its own, so none waits behind another. The program waits for it only once its
// windows are gone, before the services that work uses end.
QThreadPool& transferpool();
