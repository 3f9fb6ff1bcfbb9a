#include "schedule/workspace.h"

#include "platform/clock.h"
#include "schedule/timetext.h"
#include "store/ansitext.h"

void Workspace::markmodified() {
    modified_ = true;
    emit modifiedChanged(true);
}

void Workspace::clearmodified() {
    modified_ = false;
    emit modifiedChanged(false);
}

void setstate(RowTable& rows, int row, bool active) {
    if (active)
        rows.setsubitem(row, rowpart::State, QStringLiteral("Active"), icon::Active);
    else
        rows.setsubitem(row, rowpart::State, QStringLiteral("Inactive"), icon::Inactive);
}

NotificationRow Workspace::rowfor(const TNotificationRecord& rec, int32_t index) const {
    NotificationRow row;
    row.caption = fromansi(rec.MessageText);
    row.itemImage = icon::Notification;
    auto set = [&row](int part, const QString& text, int image) {
        row.sub[static_cast<std::size_t>(part)] = text;
        row.subImage[static_cast<std::size_t>(part)] = image;
    };
    set(rowpart::Image, fromansi(rec.ImageFile), rec.ImageFile.empty() ? icon::None : icon::Image);
    set(rowpart::Audio, fromansi(rec.AudioFile), rec.AudioFile.empty() ? icon::None : icon::Audio);
    set(rowpart::TimerType, fromansi(rec.TimerType),
        isCountdown(rec) ? icon::Countdown : icon::CertainTime);
    set(rowpart::Time,
        isCountdown(rec) ? hmstotext(rec.Hours, rec.Minutes, rec.Seconds)
                         : clocktext(QString::number(rec.Hours), QString::number(rec.Minutes),
                                     QString::number(rec.Seconds)),
        icon::None);
    TNotificationRecord inactive = rec;
    inactive.Active = 0;
    set(rowpart::Left, lefttext(inactive, QString(), clock_.now().time()), icon::None);
    if (rec.Active == 1)
        set(rowpart::State, QStringLiteral("Active"), icon::Active);
    else
        set(rowpart::State, QStringLiteral("Inactive"), icon::Inactive);
    if (rec.RepeatFlag == 1)
        set(rowpart::Repeat, QStringLiteral("Repeat"), icon::Repeat);
    else
        set(rowpart::Repeat, QStringLiteral("Run Once"), icon::RunOnce);
    set(rowpart::RecordIndex, QString::number(index), icon::None);
    return row;
}

void Workspace::addtolist(const TNotificationRecord& rec, int32_t index) {
    // The first countdown added while no turn is set takes the turn, active or not.
    if (isCountdown(rec) && seqrow == -1) seqrow = rowcount();
    rows.append(rowfor(rec, index));
}

bool Workspace::updatelist(int row, const TNotificationRecord& rec) {
    NotificationRow fresh = rowfor(rec, 0);
    const NotificationRow& old = rows.row(row);
    fresh.itemImage = old.itemImage;
    fresh.sub[rowpart::RecordIndex] = old.sub[rowpart::RecordIndex];
    fresh.subImage[rowpart::RecordIndex] = old.subImage[rowpart::RecordIndex];
    // The state follows the timer, the same rule by which Apply sets Active.
    const bool active = timeset(rec);
    fresh.sub[rowpart::State] = active ? QStringLiteral("Active") : QStringLiteral("Inactive");
    fresh.subImage[rowpart::State] = active ? icon::Active : icon::Inactive;
    rows.replace(row, fresh);
    return true;
}

void Workspace::rebuildlist(int32_t count) {
    for (int32_t i = 1; i <= count; ++i) {
        const TNotificationRecord rec = db.readnotification(i);
        if (rec.Deleted == 0) addtolist(rec, i);
    }
}

void Workspace::emptylist() {
    rows.clear();
}

void Workspace::deletenotification(int32_t index) {
    markmodified();
    TNotificationRecord rec = db.readnotification(index);
    rec.Deleted = 1;
    db.writenotification(rec, index);
}

void Workspace::stopnotification(int32_t index) {
    markmodified();
    TNotificationRecord rec = db.readnotification(index);
    rec.Active = 0;
    db.writenotification(rec, index);
}

int32_t Workspace::appendrecord(const TNotificationRecord& rec) {
    ++recordcount;
    db.setrecordcount(recordcount);
    db.writenotification(rec, recordcount);
    return recordcount;
}
