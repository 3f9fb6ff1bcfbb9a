#include "schedule/engine.h"

#include "platform/clock.h"
#include "schedule/timetext.h"
#include "schedule/workspace.h"
#include "store/ansitext.h"
#include "store/notificationsink.h"

#include <QScopedValueRollback>

#include <algorithm>
#include <utility>

namespace {
constexpr int kDaySecs = 86400;

qint64 epochsecond(const QDateTime& t) {
    const qint64 ms = t.toMSecsSinceEpoch();
    return ms / 1000 - (ms % 1000 < 0 ? 1 : 0);
}

int secondofday(const QDateTime& t) {
    const QTime tod = t.time();
    return tod.hour() * 3600 + tod.minute() * 60 + tod.second();
}

// The seconds that passed between two ticks: the wall clock's advance, unless it fell
// behind the monotonic clock, which means the wall clock was turned back.
int64_t elapsedsecs(qint64 wallsecs, qint64 elapsedmsecs) {
    const qint64 real = elapsedmsecs / 1000;
    if (wallsecs >= real - 1) return std::max<qint64>(wallsecs, 0);
    return real;
}

// The window of local seconds a certain time counts as due in after `advance` seconds:
// a clock turned back shows only its own second, a gap of more than a day one day.
int64_t duewindow(int64_t advance) {
    if (advance < 0) return 1;
    return std::min<int64_t>(advance, kDaySecs);
}
} // namespace

Engine::Engine(Workspace& ws, NotificationSink& sink, QObject* parent)
    : QObject(parent), ws_(ws), sink_(sink) {}

int64_t Engine::localsecond(const QDateTime& t) {
    return t.date().toJulianDay() * kDaySecs + secondofday(t);
}

int64_t Engine::certaindue(int row, int64_t total) const {
    // A time of day outside the day never comes round.
    if (total >= kDaySecs || total <= -kDaySecs) return -1;
    const int64_t since = ((secondofday(now_) - total) % kDaySecs + kDaySecs) % kDaySecs;
    if (since >= window_) return -1;
    // Its moment came round again on a clock turned back: it fired then.
    if (ws_.rows().firedat(row) == nowlocal_ - since) return -1;
    return since;
}

void Engine::tick() {
    if (ticking_) {
        tickpending_ = true;
        return;
    }
    do {
        tickpending_ = false;
        const QScopedValueRollback running(ticking_, true);
        now_ = ws_.clock().now();
        const qint64 elapsed = ws_.clock().elapsedmsecs();
        // The zone is looked at once for this moment; the last tick's is kept as a number.
        const qint64 epoch = epochsecond(now_);
        nowlocal_ = localsecond(now_);
        if (lastepoch_) {
            step_ = elapsedsecs(epoch - *lastepoch_, elapsed - lastelapsed_);
            window_ = duewindow(nowlocal_ - lastlocal_);
        } else {
            // Nothing is caught up from before the program ran.
            step_ = window_ = 1;
        }
        lastepoch_ = epoch;
        lastelapsed_ = elapsed;
        lastlocal_ = nowlocal_;
        freshturn_ = -1;
        late_.clear();
        emit clockChanged(currenttimetext(now_.time()));
        // The list hears of the tick's text changes once, at its end.
        RowTable::Batch batch(ws_.rows());
        for (int row = 0; row < ws_.rowcount(); ++row) {
            const RecordIndex index = ws_.rows().recordindex(row);
            if (index.valid()) tickrow(row, index);
        }
        firelate();
    } while (tickpending_);
}

void Engine::tickrow(int row, RecordIndex index) {
    if (!ticking_) {
        now_ = ws_.clock().now();
        nowlocal_ = localsecond(now_);
        step_ = window_ = 1;
    }
    const ScheduleFields& f = ws_.db().schedule(index);
    if (f.Deleted != 0 || f.Active != 1) return;
    // Sequential mode holds back every countdown but the one whose turn it is.
    if (ws_.playmode() != PlayMode::Lateral && f.countdown && row != ws_.seqrow()) return;

    if (f.countdown) {
        if (step_ == 0) return;
        const int64_t by = row == freshturn_ ? 1 : step_;
        if (!ws_.rows().stepcountdown(row, by)) fire(row, index);
        return;
    }
    // One frozen moment for the whole tick, so a slow tick cannot see two seconds.
    const int64_t since = certaindue(row, totalseconds(f));
    if (since >= 0) {
        if (window_ == 1)
            fire(row, index);
        else
            late_.push_back({since, row, index});
        return;
    }
    // An empty text here is a certain time whose second this tick has seen already.
    const QString left = untiltext(totalseconds(f), now_.time());
    if (!left.isEmpty()) ws_.rows().setsubitem(row, rowpart::Left, left);
}

void Engine::firelate() {
    // Earliest moment first; rows in order within one moment.
    std::stable_sort(late_.begin(), late_.end(),
                     [](const LateFiring& a, const LateFiring& b) { return a.since > b.since; });
    for (const LateFiring& due : late_) {
        // A presentation may pump events, and with them commands that change the list.
        if (ws_.rows().recordindex(due.row) != due.index) continue;
        const ScheduleFields& f = ws_.db().schedule(due.index);
        if (f.Deleted != 0 || f.Active != 1 || f.countdown) continue;
        if (certaindue(due.row, totalseconds(f)) != due.since) continue;
        fire(due.row, due.index, due.since);
    }
    late_.clear();
}

void Engine::fire(int row, RecordIndex index, int64_t since) {
    TNotificationRecord rec = ws_.db().readnotification(index);
    if (!iscountdown(rec)) ws_.rows().setfiredat(row, nowlocal_ - since);
    if (rec.RepeatFlag == 1) {
        ws_.rows().setsubitem(row, rowpart::Left, idlelefttext(rec, now_.time()));
    } else {
        ws_.rows().setsubitem(row, rowpart::Left, QStringLiteral("-"));
        ws_.rows().setstate(row, false);
        // On disk before anything is presented: a crash during the show loses nothing.
        ws_.db().setactive(index, 0);
        rec.Active = 0;
    }
    if (ws_.playmode() == PlayMode::Sequential) {
        ws_.setseqrow(nextsequential());
        freshturn_ = ws_.seqrow();
    }
    // The presentation may pump events; the list is told of this tick's changes first.
    ws_.rows().flush();
    emit fired(row, fromansi(rec.MessageText));
    sink_.shownotification(rec);
}

int Engine::nextsequential() const {
    const RowTable& rows = ws_.rows();
    auto takesturn = [&rows](int r) { return rows.countdown(r) && rows.active(r); };
    for (int r = ws_.seqrow() + 1; r < ws_.rowcount(); ++r)
        if (takesturn(r)) return r;
    if (ws_.seqrow() >= 0) {
        // The current row comes last, so a lone countdown follows itself.
        for (int r = 0; r <= ws_.seqrow() && r < rows.size(); ++r)
            if (takesturn(r)) return r;
    }
    return -1;
}

void Engine::restartsequence() {
    if (ws_.playmode() == PlayMode::Sequential && ws_.seqrow() == -1)
        ws_.setseqrow(nextsequential());
}

void Engine::edit(int row) {
    const RecordIndex index = ws_.rows().recordindex(row);
    if (!index.valid()) {
        emit messageRaised(QString::fromLatin1(kSelectOrCreateMessage));
        return;
    }
    if (row == ws_.seqrow()) ws_.setseqrow(nextsequential());
    ws_.stopnotification(index);
    ws_.rows().setstate(row, false);
    emit editRequested(index, row);
}

void Engine::remove(int row) {
    const RecordIndex index = ws_.rows().recordindex(row);
    if (!index.valid()) {
        emit messageRaised(QString::fromLatin1(kSelectMessage));
        return;
    }
    ws_.deletenotification(index);
    ws_.rows().remove(row);
    // The turn stays with its countdown as the rows below move up; when the
    // countdown itself goes, the next one in line takes it.
    if (ws_.seqrow() > row) {
        ws_.setseqrow(ws_.seqrow() - 1);
    } else if (ws_.seqrow() == row) {
        ws_.setseqrow(row - 1);
        ws_.setseqrow(nextsequential());
    }
}

void Engine::stop(int row) {
    const RecordIndex index = ws_.rows().recordindex(row);
    if (!index.valid()) {
        emit messageRaised(QString::fromLatin1(kSelectMessage));
        return;
    }
    if (ws_.playmode() == PlayMode::Sequential && row == ws_.seqrow())
        ws_.setseqrow(nextsequential());
    ws_.stopnotification(index);
    ws_.rows().setstate(row, false);
}

bool Engine::resumeone(RecordIndex index) {
    ws_.markmodified();
    const bool armed = timeset(ws_.db().schedule(index));
    // Written before the message: ticks go on while the message box is open.
    ws_.db().setactive(index, armed ? 1 : 0);
    if (!armed) emit messageRaised(QString::fromLatin1(kTimeNotSetMessage));
    return armed;
}

void Engine::resume(int row) {
    const RecordIndex index = ws_.rows().recordindex(row);
    if (!index.valid()) {
        emit messageRaised(QString::fromLatin1(kSelectMessage));
        return;
    }
    if (!resumeone(index)) return;
    ws_.rows().setstate(row, true);
    restartsequence();
}

void Engine::stopall() {
    setall(false);
}

void Engine::startall() {
    if (ws_.rowcount() <= 0) return;
    setall(true);
    restartsequence();
}

void Engine::setall(bool start) {
    if (ws_.rowcount() <= 0) return;
    ws_.markmodified();
    RowTable::Batch batch(ws_.rows());
    for (int row = 0; row < ws_.rowcount(); ++row) {
        const RecordIndex index = ws_.rows().recordindex(row);
        if (!index.valid()) continue;
        const ScheduleFields& f = ws_.db().schedule(index);
        if (f.Deleted == 1) continue;
        const uint8_t active = start && timeset(f) ? 1 : 0;
        // Start All leaves the rows it cannot arm as they are.
        if (!start || active == 1) ws_.rows().setstate(row, start);
        ws_.db().setactive(index, active);
    }
}

void Engine::setplaymode(PlayMode mode) {
    ws_.setplaymode(mode);
    ws_.markmodified();
    ws_.db().setmodebyte(static_cast<uint8_t>(mode));
    restartsequence();
}
