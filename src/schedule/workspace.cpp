#include "schedule/workspace.h"

#include "platform/clock.h"
#include "schedule/timetext.h"
#include "store/ansitext.h"

#include <algorithm>
#include <vector>

void Workspace::markmodified() {
    modified_ = true;
    emit modifiedChanged(true);
}

void Workspace::clearmodified() {
    modified_ = false;
    emit modifiedChanged(false);
}

namespace {
// The two timer types as constant texts: a long list holds no copy of each.
QString timertypetext(const std::string& type) {
    if (type == codes::Countdown) return QStringLiteral("Countdown");
    if (type == codes::CertainTime) return QStringLiteral("Certain time");
    return fromansi(type);
}

void showstate(NotificationRow& row, bool active) {
    row.active = active;
    row.sub[rowpart::State] = active ? QStringLiteral("Active") : QStringLiteral("Inactive");
    row.subImage[rowpart::State] = active ? icon::Active : icon::Inactive;
}
} // namespace

NotificationRow Workspace::rowfor(const TNotificationRecord& rec, RecordIndex index,
                                  const QTime& now) const {
    NotificationRow row;
    row.record = index;
    row.countdown = iscountdown(rec);
    row.caption = fromansi(rec.MessageText);
    row.itemImage = icon::Notification;
    auto set = [&row](int part, const QString& text, int image) {
        row.sub[static_cast<std::size_t>(part)] = text;
        row.subImage[static_cast<std::size_t>(part)] = image;
    };
    set(rowpart::Image, fromansi(rec.ImageFile), rec.ImageFile.empty() ? icon::None : icon::Image);
    set(rowpart::Audio, fromansi(rec.AudioFile), rec.AudioFile.empty() ? icon::None : icon::Audio);
    set(rowpart::TimerType, timertypetext(rec.TimerType),
        iscountdown(rec) ? icon::Countdown : icon::CertainTime);
    set(rowpart::Time,
        iscountdown(rec) ? hmstotext(rec.Hours, rec.Minutes, rec.Seconds)
                         : clocktext(rec.Hours, rec.Minutes, rec.Seconds),
        icon::None);
    // A countdown's "Left" is made from its seconds when shown: a long list shows a screenful.
    const LeftStep left = row.countdown ? leftreading(totalseconds(rec)) : LeftStep{0, true, {}};
    if (left.due) {
        set(rowpart::Left, idlelefttext(rec, now), icon::None);
    } else {
        row.leftsecs = left.seconds;
        row.leftstale = left.longtext.isEmpty();
        row.sub[rowpart::Left] = left.longtext;
    }
    showstate(row, rec.Active == 1);
    if (rec.RepeatFlag == 1)
        set(rowpart::Repeat, QStringLiteral("Repeat"), icon::Repeat);
    else
        set(rowpart::Repeat, QStringLiteral("Run Once"), icon::RunOnce);
    return row;
}

void Workspace::addtolist(const TNotificationRecord& rec, RecordIndex index) {
    // The first countdown added while no turn is set takes the turn, active or not.
    if (iscountdown(rec) && seqrow_ == -1) seqrow_ = rowcount();
    rows_.append(rowfor(rec, index, clock_.now().time()));
}

bool Workspace::updatelist(int row, const TNotificationRecord& rec) {
    const NotificationRow& old = rows_.row(row);
    NotificationRow fresh = rowfor(rec, old.record, clock_.now().time());
    fresh.itemImage = old.itemImage;
    fresh.subImage[rowpart::RecordIndex] = old.subImage[rowpart::RecordIndex];
    // The state follows the timer, the same rule by which Apply sets Active.
    showstate(fresh, timeset(rec));
    rows_.replace(row, fresh);
    return true;
}

void Workspace::rebuildlist(int32_t count) {
    // One moment for the whole list, and the list told of its rows once.
    const QTime now = clock_.now().time();
    std::vector<NotificationRow> rows;
    rows.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int32_t i = 1; i <= count; ++i) {
        if (db_.schedule(RecordIndex(i)).Deleted != 0) continue;
        const TNotificationRecord rec = db_.readnotification(RecordIndex(i));
        // As addtolist: the first countdown while no turn is set takes the turn.
        if (iscountdown(rec) && seqrow_ == -1) seqrow_ = rowcount() + static_cast<int>(rows.size());
        rows.push_back(rowfor(rec, RecordIndex(i), now));
    }
    rows_.append(std::move(rows));
}

void Workspace::emptylist() {
    rows_.clear();
}

void Workspace::deletenotification(RecordIndex index) {
    markmodified();
    db_.setdeleted(index, 1);
}

void Workspace::stopnotification(RecordIndex index) {
    markmodified();
    db_.setactive(index, 0);
}

RecordIndex Workspace::appendrecord(const TNotificationRecord& rec) {
    // The record first, then the count that takes it in: a write that fails or never ends
    // leaves a header that counts only records the file holds.
    const RecordIndex index(recordcount_ + 1);
    db_.writenotification(rec, index);
    db_.setrecordcount(index.value);
    recordcount_ = index.value;
    return index;
}
