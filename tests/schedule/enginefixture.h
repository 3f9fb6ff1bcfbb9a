#pragma once

#include "platform/clock.h"
#include "schedule/engine.h"
#include "schedule/listfiles.h"
#include "schedule/notificationsink.h"
#include "schedule/workspace.h"
#include "support/tempfolder.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

// Remembers every Notification handed over, and at which tick.
class RecordingSink : public NotificationSink {
public:
    struct Shown {
        int tick;
        QString name;
        TNotificationRecord rec;
    };
    std::vector<Shown> shown;
    int tick = 0;
    std::function<void(const TNotificationRecord&)> also;

    void shownotification(const TNotificationRecord& rec) override {
        shown.push_back({tick, QString::fromStdString(rec.MessageText), rec});
        if (also) also(rec);
    }
    QStringList names() const {
        QStringList out;
        for (const auto& s : shown)
            out << s.name;
        return out;
    }
    // "tick:name" for each firing, in order.
    QStringList log() const {
        QStringList out;
        for (const auto& s : shown)
            out << QString::number(s.tick) + ":" + s.name;
        return out;
    }
};

// What the engine and the file commands asked of the window.
struct HookLog {
    ListHooks hooks;
    QStringList clock, file, mode;
    QList<int32_t> previews;
    QList<QPair<int32_t, int>> edits;
    int audioclosed = 0;

    HookLog() {
        hooks.clockpanel = [this](const QString& t) { clock << t; };
        hooks.filepanel = [this](const QString& t) { file << t; };
        hooks.modeselector = [this](const QString& t) { mode << t; };
        hooks.showpreview = [this](int32_t i) { previews << i; };
        hooks.closeaudio = [this] { ++audioclosed; };
        hooks.editnotification = [this](int32_t i, int r) { edits << qMakePair(i, r); };
    }
};

// A working list in a temporary folder, a set clock, and the engine on it.
class EngineTest : public ::testing::Test {
protected:
    TempFolder folder;
    ManualClock clock{QDateTime(QDate(2026, 3, 2), QTime(12, 0, 0))};
    Workspace ws{clock};
    QStringList messages;
    RecordingSink sink;
    HookLog log;
    Engine engine{ws, sink, log.hooks};
    ListFiles files{ws, log.hooks};

    void SetUp() override {
        ws.db.setPath(folder.file("chdb.res"));
        ws.db.createdatabase();
        ws.infobox = [this](const QString& t) { messages << t; };
    }

    static TNotificationRecord countdown(const char* name, int secs, bool repeat = true,
                                         bool active = true) {
        TNotificationRecord r = base(name, repeat, active);
        r.TimerType = codes::Countdown;
        r.Hours = secs / 3600;
        r.Minutes = secs / 60 % 60;
        r.Seconds = secs % 60;
        return r;
    }
    static TNotificationRecord certain(const char* name, QTime at, bool repeat = true,
                                       bool active = true) {
        TNotificationRecord r = base(name, repeat, active);
        r.TimerType = codes::CertainTime;
        r.Hours = at.hour();
        r.Minutes = at.minute();
        r.Seconds = at.second();
        return r;
    }

    // Adds a Notification as the editor would; returns its row.
    int add(const TNotificationRecord& rec) {
        const int32_t index = ws.appendrecord(rec);
        ws.addtolist(rec, index);
        ws.markmodified();
        return ws.rowcount - 1;
    }

    // The clock moves one second, then the engine ticks; `n` times.
    void tick(int n = 1) {
        for (int i = 0; i < n; ++i) {
            clock.advance(1000);
            tickat(clock.now());
        }
    }
    void tickat(const QDateTime& t) {
        clock.set(t);
        ++sink.tick;
        engine.tick();
    }
    void tickat(const QTime& t) { tickat(QDateTime(clock.now().date(), t)); }

    QString left(int row) const { return ws.rows.subitem(row, rowpart::Left); }
    QString state(int row) const { return ws.rows.subitem(row, rowpart::State); }
    int stateicon(int row) const { return ws.rows.row(row).subImage[rowpart::State]; }
    TNotificationRecord stored(int row) { return ws.db.readnotification(ws.rows.recordindex(row)); }

private:
    static TNotificationRecord base(const char* name, bool repeat, bool active) {
        TNotificationRecord r;
        r.MessageText = name;
        r.RepeatFlag = repeat ? 1 : 0;
        r.Active = active ? 1 : 0;
        r.DisplayDuration = 5;
        r.DisplayText = 1;
        r.TextDisplayType = codes::BalloonAndOverlay;
        return r;
    }
};
