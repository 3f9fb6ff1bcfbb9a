#pragma once

#include "store/notificationrecord.h"
#include "store/recordindex.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <cstdint>

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
    // order. A tick asked for while one runs (presentation may pump events) runs
    // right after it instead of inside it.
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

    // A certain time whose second was skipped by a late tick still fires when the
    // gap is at most this long; after a longer gap (a suspended machine) it is missed.
    static constexpr int kLateWindowSecs = 300;

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
    // Seconds of the day, ending at the tick's own second, in which a certain
    // time counts as due: 1 for an exact match, more after a late tick, 0 when
    // this second was already handled.
    int duewindow(const QDateTime& now) const;
    bool certaindue(int64_t total) const;
    void fire(int row, RecordIndex index);
    // In Sequential mode with no turn set, the first active countdown takes it.
    void restartsequence();
    // Stop All and Start All: every listed record switched off, or on where its time is set.
    void setall(bool start);

    Workspace& ws_;
    NotificationSink& sink_;

    QDateTime lasttick_;
    QDateTime now_;
    int window_ = 1;
    bool ticking_ = false;
    bool tickpending_ = false;
};

inline constexpr const char* kSelectOrCreateMessage =
    "Select a Notification in the list to perform this action or create a new Notification if "
    "the list is empty.";
inline constexpr const char* kSelectMessage =
    "Select a Notification in the list to perform this action.";
inline constexpr const char* kTimeNotSetMessage = "Time not set, unable to activate Notification";
