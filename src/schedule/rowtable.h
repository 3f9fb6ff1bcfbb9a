#pragma once

#include "store/recordindex.h"

#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

// The Notification list as data: one row per Notification, caption and sub-items 0-7
// with their icons, in the order added. What the engine decides on (the record, the
// state, the timer type, the countdown's seconds) is held as data beside the texts,
// which only show it. The main window shows the table through a model that listens
// to the signals.
struct NotificationRow {
    QString caption;
    int itemImage = -1;
    std::array<QString, 8> sub;
    std::array<int, 8> subImage{-1, -1, -1, -1, -1, -1, -1, -1};

    // The row's id, given when it is added and never given again while the program runs
    // (rows renumber, ids do not): how scripts hold on to a Notification. Not stored.
    int32_t id = 0;
    RecordIndex record;     // sub-item 7 shows it
    bool active = false;    // sub-item 5 shows it
    bool countdown = false; // sub-item 2 shows it
    int32_t leftsecs = 0;   // the seconds a countdown reads from its "Left" text; 0 otherwise
    // The local moment (Engine::localsecond) a certain time last fired at, so a clock
    // turned back does not fire it twice.
    int64_t firedat = INT64_MIN;
    // "Left" is shown from leftsecs, its text made when next read: set by the table when it
    // steps a countdown, or by whoever makes a countdown's row with its seconds only.
    bool leftstale = false;
};

// Sub-item numbers and list icon indices.
namespace rowpart {
constexpr int Image = 0, Audio = 1, TimerType = 2, Time = 3, Left = 4, State = 5, Repeat = 6,
              RecordIndex = 7;
}
namespace icon {
constexpr int None = -1, Active = 0, Inactive = 1, Audio = 2, CertainTime = 3, Countdown = 4,
              Notification = 5, Image = 6, RunOnce = 7, Repeat = 8;
}

class RowTable : public QObject {
    Q_OBJECT
public:
    int size() const { return static_cast<int>(rows_.size()); }
    bool exists(int row) const { return row >= 0 && row < size(); }
    // The row with all its texts as shown.
    const NotificationRow& row(int r) const;

    // The row gets the next id.
    int append(const NotificationRow& row);
    // Rows at the end, told to the listeners at once; each gets the next id.
    void append(std::vector<NotificationRow> rows);
    // The row keeps its id.
    void replace(int r, const NotificationRow& row);
    void remove(int r);
    void clear();

    QString subitem(int r, int part) const { return row(r).sub[static_cast<std::size_t>(part)]; }
    // Texts without meaning to the engine; "Left" keeps its seconds in step.
    void setsubitem(int r, int part, const QString& text);
    // "Active"/"Inactive" with its icon, and the state itself.
    void setstate(int r, bool active);
    // `secs` seconds off a countdown's "Left". False, leaving the row as it is, when
    // nothing is left: the countdown is due.
    bool stepcountdown(int r, int64_t secs);
    int64_t firedat(int r) const { return exists(r) ? at(r).firedat : INT64_MIN; }
    void setfiredat(int r, int64_t at) { rows_.at(static_cast<std::size_t>(r)).firedat = at; }

    // The row holding the id, -1 for none.
    int rowofid(int32_t id) const;
    // The row's record; invalid for a missing row.
    RecordIndex recordindex(int r) const;
    bool active(int r) const { return exists(r) && at(r).active; }
    bool countdown(int r) const { return exists(r) && at(r).countdown; }

    // Changes to texts made inside a batch reach the listeners as one rangeChanged
    // when the outermost batch ends; a row added or removed meanwhile flushes first.
    class Batch {
    public:
        explicit Batch(RowTable& t) : t_(t) { ++t_.batching_; }
        ~Batch() {
            if (--t_.batching_ == 0) t_.flush();
        }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        RowTable& t_;
    };
    // Tells the listeners of what changed so far in the batch.
    void flush();

signals:
    // Rows first to last were added at the end.
    void rowsAppended(int first, int last);
    // Rows first to last, sub-items firstpart to lastpart (-1: the caption too).
    void rangeChanged(int first, int last, int firstpart, int lastpart);
    void rowRemoved(int row);
    void cleared();

private:
    // The row with its texts made, as shown and as changed.
    NotificationRow& fresh(int r) const;
    // The row's data without making its texts; `row` for what is shown.
    const NotificationRow& at(int r) const { return rows_.at(static_cast<std::size_t>(r)); }
    void changed(int r, int firstpart, int lastpart);
    static void fill(NotificationRow& row);

    // Mutable for the stepped "Left" texts, made only when somebody reads them: a tick
    // steps every countdown, while a list shows a screenful.
    mutable std::vector<NotificationRow> rows_;
    int batching_ = 0;
    int32_t lastid_ = 0;
    int dirtyfirst_ = -1, dirtylast_ = -1, dirtypartfirst_ = 0, dirtypartlast_ = 0;
};
