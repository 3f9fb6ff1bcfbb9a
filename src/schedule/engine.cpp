#include "schedule/engine.h"

#include "platform/clock.h"
#include "schedule/timetext.h"
#include "schedule/workspace.h"
#include "store/ansitext.h"
#include "store/notificationsink.h"

#include <QScopedValueRollback>

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
} // namespace

Engine::Engine(Workspace& ws, NotificationSink& sink, QObject* parent)
    : QObject(parent), ws_(ws), sink_(sink) {}

int Engine::duewindow(const QDateTime& now) const {
    if (!lasttick_.isValid()) return 1;
    const qint64 gap = epochsecond(now) - epochsecond(lasttick_);
    if (gap == 0) return 0;
    if (gap < 0 || gap > kLateWindowSecs) return 1;
    // The seconds of the day in between; a jump of the local clock (daylight
    // saving) makes them disagree with the real gap, and then only the exact
    // second counts.
    const int advance =
        ((secondofday(now) - secondofday(lasttick_)) % kDaySecs + kDaySecs) % kDaySecs;
    if (advance < 1 || advance > kLateWindowSecs) return 1;
    return advance;
}

bool Engine::certaindue(int64_t total) const {
    // A time of day outside the day never comes round.
    if (total >= kDaySecs || total <= -kDaySecs) return false;
    const int64_t since = ((secondofday(now_) - total) % kDaySecs + kDaySecs) % kDaySecs;
    return since < window_;
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
        window_ = duewindow(now_);
        lasttick_ = now_;
        emit clockChanged(currenttimetext(now_.time()));
        // The list hears of the tick's text changes once, at its end.
        RowTable::Batch batch(ws_.rows());
        for (int row = 0; row < ws_.rowcount(); ++row) {
            const RecordIndex index = ws_.rows().recordindex(row);
            if (index.valid()) tickrow(row, index);
        }
    } while (tickpending_);
}

void Engine::tickrow(int row, RecordIndex index) {
    if (!ticking_) {
        now_ = ws_.clock().now();
        window_ = 1;
    }
    const ScheduleFields& f = ws_.db().schedule(index.value);
    if (f.Deleted != 0 || f.Active != 1) return;
    // Sequential mode holds back every countdown but the one whose turn it is.
    if (ws_.playmode() != PlayMode::Lateral && f.countdown && row != ws_.seqrow()) return;

    if (f.countdown) {
        if (!ws_.rows().stepcountdown(row)) fire(row, index);
        return;
    }
    // One frozen moment for the whole tick, so a slow tick cannot see two seconds.
    if (certaindue(totalSeconds(f))) {
        fire(row, index);
        return;
    }
    // An empty text here is a certain time whose second this tick has seen already.
    const QString left = untiltext(totalSeconds(f), now_.time());
    if (!left.isEmpty()) ws_.rows().setsubitem(row, rowpart::Left, left);
}

void Engine::fire(int row, RecordIndex index) {
    TNotificationRecord rec = ws_.db().readnotification(index.value);
    if (rec.RepeatFlag == 1) {
        TNotificationRecord idle = rec;
        idle.Active = 0;
        ws_.rows().setsubitem(row, rowpart::Left, lefttext(idle, QString(), now_.time()));
    } else {
        ws_.rows().setsubitem(row, rowpart::Left, QStringLiteral("-"));
        ws_.rows().setstate(row, false);
        // On disk before anything is presented: a crash during the show loses nothing.
        ws_.db().setactive(index.value, 0);
        rec.Active = 0;
    }
    if (ws_.playmode() == PlayMode::Sequential) ws_.setseqrow(nextsequential());
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
    const bool armed = timeset(ws_.db().schedule(index.value));
    // Written before the message: ticks go on while the message box is open.
    ws_.db().setactive(index.value, armed ? 1 : 0);
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
        const ScheduleFields& f = ws_.db().schedule(index.value);
        if (f.Deleted == 1) continue;
        const uint8_t active = start && timeset(f) ? 1 : 0;
        // Start All leaves the rows it cannot arm as they are.
        if (!start || active == 1) ws_.rows().setstate(row, start);
        ws_.db().setactive(index.value, active);
    }
}

void Engine::setplaymode(PlayMode mode) {
    ws_.setplaymode(mode);
    ws_.markmodified();
    ws_.db().setmodebyte(static_cast<uint8_t>(mode));
    restartsequence();
}
