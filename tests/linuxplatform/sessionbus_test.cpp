#include "linuxplatform/sessionbusservice.h"

#include "support/privatebus.h"

#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QTest>
#include <gtest/gtest.h>

// A caller on the bus tells a bad argument from a command that could not be carried out by
// the error's name alone, as the command line tells them by its exit code.
TEST(SessionBus, ARefusalAnswersWithTheErrorNameOfItsKind) {
    PrivateBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon is not installed";
    RemoteReply answer;
    QStringList heard;
    SessionBusService service(
        "org.example.Chimelet",
        [&](const RemoteCommand& c) {
            heard << c.verb;
            return answer;
        },
        bus.connect("service"));
    ASSERT_TRUE(service.publish());
    QDBusConnection caller = bus.connect("caller");
    struct Case {
        const char* method;
        QVariantList args;
        RemoteReply reply; // what the handler answers
        const char* error; // the error's name, empty for none
        int handled;       // whether the handler was asked
    };
    const Case cases[] = {
        {"Open", {"/a.clt"}, {1, {}, "Load failed", {}}, "org.freedesktop.DBus.Error.Failed", 1},
        {"Open", {"x.clt"}, {2, {}, "Relative.", {}}, "org.freedesktop.DBus.Error.InvalidArgs", 1},
        {"Add", {"Tea", "5m", "12:00", false}, {}, "org.freedesktop.DBus.Error.InvalidArgs", 0},
        {"Add", {"Tea", "", "", false}, {}, "org.freedesktop.DBus.Error.InvalidArgs", 0},
        {"Add", {"Tea", "5m", "", false}, {0, {"3"}, {}, {}}, "", 1},
        {"StopAll", {}, {}, "", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.method);
        answer = c.reply;
        heard.clear();
        QDBusMessage call = QDBusMessage::createMethodCall(
            "org.example.Chimelet", "/org/example/Chimelet", "org.example.Chimelet", c.method);
        call.setArguments(c.args);
        const QDBusPendingCall pending = caller.asyncCall(call);
        ASSERT_TRUE(QTest::qWaitFor([&] { return pending.isFinished(); }, 5000));
        EXPECT_EQ(pending.error().name(), QString::fromLatin1(c.error));
        if (*c.error && c.handled) {
            EXPECT_EQ(pending.error().message(), c.reply.message);
        }
        EXPECT_EQ(heard.size(), c.handled);
    }
}
