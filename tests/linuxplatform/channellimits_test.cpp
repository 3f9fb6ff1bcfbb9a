#include "linuxplatform/commandframe.h"
#include "linuxplatform/singleinstance.h"

#include <QEventLoop>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <thread>

// Frames of exactly the largest size go through the channel, both ways; one byte more is
// refused: a request dropped unheard, a reply replaced by a message that says so.
TEST(CommandChannel, FramesOfTheLargestSizePassAndOneByteMoreIsRefused) {
    QTemporaryDir data;
    LocalSingleInstance running(data.path());
    ASSERT_TRUE(running.acquire());
    running.listen();
    RemoteReply answer;
    QStringList heard;
    running.setcommands([&](const RemoteCommand& c) {
        heard << c.args.value(0);
        return answer;
    });
    const LocalSingleInstance later(data.path());
    // The later copy waits for its answer on a thread of its own while this loop serves it.
    const auto ask = [&](const RemoteCommand& command) {
        RemoteReply got;
        QEventLoop loop;
        std::thread caller([&] {
            got = later.send(command, 60000).value_or(RemoteReply{-1, {}, {}, {}});
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
        loop.exec();
        caller.join();
        return got;
    };
    const auto payload = [](const QByteArray& frame) {
        return qsizetype(frame.size() - commandframe::kHeaderBytes);
    };

    const RemoteCommand none{"open", {"/"}, "limit-token"};
    const qsizetype room = commandframe::kMaxRequest - payload(commandframe::request(none));
    for (const qsizetype more : {0, 1}) {
        SCOPED_TRACE(more);
        const QString path = '/' + QString(room + more, 'a');
        heard.clear();
        const RemoteReply reply = ask({"open", {path}, "limit-token"});
        EXPECT_EQ(reply.code, more ? 1 : 0);
        EXPECT_EQ(heard, more ? QStringList() : QStringList{path});
    }

    const qsizetype lines =
        commandframe::kMaxReply - payload(commandframe::reply({0, {""}, {}, {}}));
    for (const qsizetype more : {0, 1}) {
        SCOPED_TRACE(more);
        answer = {0, {QString(lines + more, 'x')}, {}, {}};
        const RemoteReply reply = ask({"open", {"/"}, "limit-token"});
        answer = {};
        if (more) {
            EXPECT_EQ(reply.code, 1);
            EXPECT_TRUE(reply.lines.isEmpty());
            EXPECT_TRUE(reply.message.contains("too long")) << reply.message.toStdString();
        } else {
            EXPECT_EQ(reply.code, 0) << reply.message.toStdString();
            ASSERT_EQ(reply.lines.size(), 1);
            EXPECT_EQ(reply.lines[0].size(), lines);
        }
    }
}
