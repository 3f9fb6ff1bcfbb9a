#pragma once

#include "schedule/rowtable.h"
#include "store/workingdatabase.h"

#include <QObject>
#include <QString>

#include <functional>

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

    WorkingDatabase db;
    RowTable rows;
    int32_t recordcount = 0; // highest record index in use, mirrors the header
    int32_t seqrow = -1;     // row of the running countdown in Sequential mode
    PlayMode playmode = PlayMode::Lateral;
    int32_t lastpreview = 0; // record index shown in the preview, 0 for none
    QString currentfile;     // the .clt file Save writes to; empty for an unnamed list

    const Clock& clock() const { return clock_; }
    // Rows in the list.
    int32_t rowcount() const { return rows.size(); }

    // The program's message box, for the commands' messages. Set by the program frame.
    std::function<void(const QString&)> infobox = [](const QString&) {};

    // The unsaved-changes mark.
    bool modified() const { return modified_; }
    void markmodified();
    void clearmodified();

    // Rows from records.
    NotificationRow rowfor(const TNotificationRecord& rec, RecordIndex index) const;
    void addtolist(const TNotificationRecord& rec, RecordIndex index);
    bool updatelist(int row, const TNotificationRecord& rec);
    void rebuildlist(int32_t count);
    void emptylist();

    // Record commands shared by the engine and the editor.
    // Each writes only its flag byte into the record as read.
    void deletenotification(RecordIndex index);
    void stopnotification(RecordIndex index);
    // A new record at recordcount + 1, written at once; returns its index.
    RecordIndex appendrecord(const TNotificationRecord& rec);

signals:
    void modifiedChanged(bool modified);

private:
    const Clock& clock_;
    bool modified_ = false;
};
