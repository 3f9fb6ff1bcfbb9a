#pragma once

#include "schedule/engine.h"
#include "schedule/listfiles.h"
#include "schedule/workspace.h"
#include "store/notificationsink.h"
#include "support/manualclock.h"
#include "support/samplerecord.h"
#include "support/tempfolder.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <functional>

// Remembers each Notification handed over as "tick:name".
class RecordingSink : public NotificationSink {
public:
    QStringList log;
    QList<TNotificationRecord> recs;
    int tick = 0;
    std::function<void()> also;

    void shownotification(const TNotificationRecord& rec) override {
        log << QString::number(tick) + ":" + QString::fromStdString(rec.MessageText);
        recs << rec;
        if (also) also();
    }
};

// A working list in a temporary folder, a set clock, the engine and file
// commands on it, and a record of what they asked of the window.
class EngineTest : public ::testing::Test {
protected:
    TempFolder folder;
    ManualClock clock{QDateTime(QDate(2026, 3, 2), QTime(12, 0, 0))};
    Workspace ws{clock};
    RecordingSink sink;
    Engine engine{ws, sink};
    ListFiles files{ws};
    QStringList messages, clockpanel, filepanel, mode;
    QList<int32_t> previews;
    QList<QPair<int32_t, int>> edits;
    int audioclosed = 0;
    // What the commands tell the user; a test may take them itself.
    std::function<void(const QString&)> message = [this](const QString& t) { messages << t; };

    void SetUp() override {
        ws.db().setpath(folder.file("chdb.res"));
        ws.db().createdatabase();
        const auto tell = [this](const QString& t) { message(t); };
        QObject::connect(&engine, &Engine::messageRaised, &engine, tell);
        QObject::connect(&files, &ListFiles::messageRaised, &files, tell);
        QObject::connect(&engine, &Engine::clockChanged, &engine,
                         [this](const QString& t) { clockpanel << t; });
        QObject::connect(&files, &ListFiles::fileNameChanged, &files,
                         [this](const QString& t) { filepanel << t; });
        QObject::connect(&files, &ListFiles::playmodeChanged, &files, [this](PlayMode m) {
            mode << (m == PlayMode::Sequential ? "Sequential" : "Lateral");
        });
        QObject::connect(&files, &ListFiles::previewChanged, &files,
                         [this](int32_t i) { previews << i; });
        QObject::connect(&files, &ListFiles::audioCloseRequested, &files,
                         [this] { ++audioclosed; });
        QObject::connect(&engine, &Engine::editRequested, &engine,
                         [this](RecordIndex i, int r) { edits << qMakePair(i.value, r); });
    }

    static TNotificationRecord countdown(const char* name, int secs, bool repeat = true,
                                         bool active = true) {
        return make(name, codes::Countdown, secs, repeat, active);
    }
    static TNotificationRecord certain(const char* name, QTime at, bool repeat = true,
                                       bool active = true) {
        return make(name, codes::CertainTime, at.msecsSinceStartOfDay() / 1000, repeat, active);
    }

    // Adds a Notification as the editor does; returns its row.
    int add(const TNotificationRecord& rec) {
        ws.addtolist(rec, ws.appendrecord(rec));
        ws.markmodified();
        return ws.rowcount() - 1;
    }

    // A second passes, then the engine ticks; `n` times.
    void tick(int n = 1) {
        for (int i = 0; i < n; ++i) {
            clock.advance(1000);
            ++sink.tick;
            engine.tick();
        }
    }
    // The wall clock alone moves to `t` (a late tick, a sleep, a clock set), then a tick.
    void tickat(const QDateTime& t) {
        clock.set(t);
        ++sink.tick;
        engine.tick();
    }
    void tickat(const QTime& t) { tickat(QDateTime(clock.now().date(), t)); }

    QString left(int row) const { return ws.rows().subitem(row, rowpart::Left); }
    QString state(int row) const { return ws.rows().subitem(row, rowpart::State); }
    TNotificationRecord stored(int row) {
        return ws.db().readnotification(ws.rows().recordindex(row));
    }

private:
    static TNotificationRecord make(const char* name, const char* type, int secs, bool repeat,
                                    bool active) {
        return SampleRecord(name)
            .timer(type, secs / 3600, secs / 60 % 60, secs % 60)
            .repeating(repeat)
            .active(active)
            .lasting(5);
    }
};
