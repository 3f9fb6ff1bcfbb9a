#include "offthread/offthread.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>

namespace {
// Something a call would read: ASan sees a call that reaches a deleted one.
struct Receiver : QObject {
    QList<int> heard;
};

void settle(QThreadPool& pool) {
    pool.waitForDone();
    QCoreApplication::sendPostedEvents();
}
} // namespace

TEST(OffThread, WorkRunsAwayAndEveryAnswerComesBackInOrderOnTheReceiversThread) {
    QThreadPool pool;
    Receiver receiver;
    QThread* worker = nullptr;
    QList<QThread*> answeredon;
    runoffthread(pool, &receiver, [&](const ReplyChannel& reply) {
        worker = QThread::currentThread();
        for (int i = 0; i < 100; ++i)
            reply.post([&, i] {
                receiver.heard << i;
                answeredon << QThread::currentThread();
            });
    });
    settle(pool);
    runoffthread(
        pool, &receiver, [] { return 7; }, [&](int n) { receiver.heard << n; });
    settle(pool);
    EXPECT_NE(worker, QThread::currentThread());
    ASSERT_EQ(receiver.heard.size(), 101);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(receiver.heard[i], i);
    EXPECT_EQ(receiver.heard.last(), 7);
    EXPECT_EQ(answeredon.count(QThread::currentThread()), 100);
}

// The owner of a receiver does not wait for its work: what the work says after the receiver
// is gone, or while it goes, reaches nobody.
TEST(OffThread, AReceiverDeletedBeforeItsWorkEndsHearsNothing) {
    QThreadPool pool;
    std::promise<void> release;
    std::atomic<int> calls = 0;
    auto* receiver = new Receiver;
    runoffthread(
        pool, receiver, [wait = release.get_future().share()] { return wait.wait(), 1; },
        [&](int n) {
            receiver->heard << n;
            ++calls;
        });
    delete receiver;
    release.set_value();
    settle(pool);
    EXPECT_EQ(calls, 0);

    // Deleted between two of a stream of answers.
    std::atomic<bool> stop = false;
    receiver = new Receiver;
    runoffthread(pool, receiver, [&](const ReplyChannel& reply) {
        for (int i = 0; !stop; ++i) {
            reply.post([&, i] {
                receiver->heard << i;
                ++calls;
            });
            QThread::yieldCurrentThread();
        }
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return calls > 0; }, 5000));
    delete receiver;
    const int heard = calls;
    QTest::qWait(20);
    stop = true;
    settle(pool);
    EXPECT_EQ(calls, heard);
}
