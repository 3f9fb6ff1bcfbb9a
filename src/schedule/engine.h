#pragma once

#include "store/notificationrecord.h"
#include "store/recordindex.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class NotificationSink;
class Workspace;
enum class PlayMode : uint8_t;

// The activation engine: once a second it steps every row of the open list and
// hands each due Notification to the sink; it also carries the commands that
// switch Notifications on and off and the countdown activation mode.
// Commands take the selected row, -1 for none.
class Engine : public QObject {
    Q_OBJECT
public:
    Engine(Workspace& ws, NotificationSink& sink, QObject* parent = nullptr);

    // One tick (the window's updatetimerTimer): the clock panel, then every row in
    // order. The seconds since the last tick count as passed: countdowns step by them,
    // and what ended or came round in them fires once (docs/architecture.md, "A gap
    // between ticks"). A tick asked for while one runs (presentation may pump events)
    // runs right after it instead of inside it.
    void tick();
    // One row's step within the current tick.
    void tickrow(int row, RecordIndex index);
    // The next row whose turn it is in Sequential mode, -1 for none.
    int nextsequential() const;

    void edit(int row);
    void remove(int row);
    void stop(int row);
    void resume(int row);
    bool resumeone(RecordIndex index);
    void stopall();
    void startall();
    void setplaymode(PlayMode mode);

    // Seconds of local time as a running count (Julian day × 86400 + second of the day):
    // what a certain time is matched against. It goes back when the clock is turned back.
    static int64_t localsecond(const QDateTime& t);

signals:
    // The current time, at the start of every tick.
    void clockChanged(const QString& text);
    // Edit asks for the editor on the record shown in a row.
    void editRequested(RecordIndex index, int row);
    // A command's message to the user.
    void messageRaised(const QString& text);
    // A Notification in a row fired, with its text; told before it is presented.
    void fired(int row, const QString& text);

private:
    // A certain time that fell due inside a gap, fired after the walk in the order of times.
    struct LateFiring {
        int64_t since; // seconds from its moment to this tick
        int row;
        RecordIndex index;
    };
    // How long ago a row's certain time fell due within this tick's window; -1 when not due.
    int64_t certaindue(int row, int64_t total) const;
    void firelate();
    void fire(int row, RecordIndex index, int64_t since = 0);
    // In Sequential mode with no turn set, the first active countdown takes it.
    void restartsequence();
    // Stop All and Start All: every listed record switched off, or on where its time is set.
    void setall(bool start);

    Workspace& ws_;
    NotificationSink& sink_;

    // The last tick: wall clock (seconds since the epoch), monotonic clock, local second.
    std::optional<qint64> lastepoch_; // none before the first tick
    qint64 lastelapsed_ = 0;
    int64_t lastlocal_ = 0;
    // This tick: its moment, the seconds countdowns step by, and how many seconds of
    // local time, ending at this one, a certain time counts as due in (0: none, at
    // most a day).
    QDateTime now_;
    int64_t nowlocal_ = 0;
    int64_t step_ = 1;
    int64_t window_ = 1;
    // The countdown whose turn began in this tick: it starts fresh, whatever the gap.
    int freshturn_ = -1;
    std::vector<LateFiring> late_;
    bool ticking_ = false;
    bool tickpending_ = false;
};

inline constexpr const char* kSelectOrCreateMessage =
    "Select a Notification in the list to perform this action or create a new Notification if "
    "the list is empty.";
inline constexpr const char* kSelectMessage =
    "Select a Notification in the list to perform this action.";
inline constexpr const char* kTimeNotSetMessage = "Time not set, unable to activate Notification";
