#pragma once

#include "schedule/rowtable.h"
#include "store/workingdatabase.h"

#include <QObject>
#include <QString>

class Clock;

// The countdown activation mode; the value is the list header's mode byte.
enum class PlayMode : uint8_t { Lateral = 0, Sequential = 1 };

// The open list: working database, its rows and the counters that mirror them.
// Everything the engine, the commands and the editor share lives here, so all of
// them can run without a window.
class Workspace : public QObject {
    Q_OBJECT
public:
    explicit Workspace(const Clock& clock) : clock_(clock) {}

    const Clock& clock() const { return clock_; }

    // The working database the list lives in, and the rows the list shows.
    WorkingDatabase& db() { return db_; }
    const WorkingDatabase& db() const { return db_; }
    RowTable& rows() { return rows_; }
    const RowTable& rows() const { return rows_; }
    // Rows in the list.
    int32_t rowcount() const { return rows_.size(); }

    // The highest record index in use; mirrors the header.
    int32_t recordcount() const { return recordcount_; }
    void setrecordcount(int32_t count) { recordcount_ = count; }
    // The row of the running countdown in Sequential mode, -1 for none.
    int32_t seqrow() const { return seqrow_; }
    void setseqrow(int32_t row) { seqrow_ = row; }
    PlayMode playmode() const { return playmode_; }
    void setplaymode(PlayMode mode) { playmode_ = mode; }
    // The record index shown in the preview, 0 for none.
    int32_t lastpreview() const { return lastpreview_; }
    void setlastpreview(int32_t index) { lastpreview_ = index; }
    // The .clt file Save writes to; empty for an unnamed list.
    const QString& currentfile() const { return currentfile_; }
    void setcurrentfile(const QString& path) { currentfile_ = path; }

    // The unsaved-changes mark.
    bool modified() const { return modified_; }
    void markmodified();
    void clearmodified();

    // Rows from records; `now` is the time of day the certain times' "Left" counts from.
    NotificationRow rowfor(const TNotificationRecord& rec, RecordIndex index,
                           const QTime& now) const;
    void addtolist(const TNotificationRecord& rec, RecordIndex index);
    bool updatelist(int row, const TNotificationRecord& rec);
    void rebuildlist(int32_t count);
    void emptylist();

    // Record commands shared by the engine and the editor.
    // Each writes only its flag byte into the record as read.
    void deletenotification(RecordIndex index);
    void stopnotification(RecordIndex index);
    // A new record at recordcount + 1, written at once, then counted in the header and
    // here; returns its index.
    RecordIndex appendrecord(const TNotificationRecord& rec);

signals:
    void modifiedChanged(bool modified);

private:
    const Clock& clock_;
    WorkingDatabase db_;
    RowTable rows_;
    int32_t recordcount_ = 0;
    int32_t seqrow_ = -1;
    PlayMode playmode_ = PlayMode::Lateral;
    int32_t lastpreview_ = 0;
    QString currentfile_;
    bool modified_ = false;
};
