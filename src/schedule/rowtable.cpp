#include "schedule/rowtable.h"

#include "schedule/timetext.h"

#include <algorithm>

void RowTable::fill(NotificationRow& row) {
    // A row that comes with its "Left" seconds and no text keeps them.
    if (!row.leftstale) row.leftsecs = row.countdown ? unittextseconds(row.sub[rowpart::Left]) : 0;
    // Shown from the record when read.
    row.sub[rowpart::RecordIndex] = QString();
}

int RowTable::append(const NotificationRow& row) {
    flush();
    rows_.push_back(row);
    rows_.back().id = ++lastid_;
    fill(rows_.back());
    const int r = size() - 1;
    emit rowsAppended(r, r);
    return r;
}

void RowTable::append(std::vector<NotificationRow> rows) {
    if (rows.empty()) return;
    flush();
    const int first = size();
    rows_.reserve(rows_.size() + rows.size());
    for (NotificationRow& row : rows) {
        rows_.push_back(std::move(row));
        rows_.back().id = ++lastid_;
        fill(rows_.back());
    }
    emit rowsAppended(first, size() - 1);
}

void RowTable::replace(int r, const NotificationRow& row) {
    auto& at = rows_.at(static_cast<std::size_t>(r));
    const int32_t id = at.id;
    at = row;
    at.id = id;
    fill(at);
    changed(r, -1, 7);
}

void RowTable::remove(int r) {
    flush();
    rows_.erase(rows_.begin() + r);
    emit rowRemoved(r);
}

int RowTable::rowofid(int32_t id) const {
    const auto it = std::find_if(rows_.begin(), rows_.end(),
                                 [id](const NotificationRow& r) { return r.id == id; });
    return it == rows_.end() ? -1 : static_cast<int>(it - rows_.begin());
}

void RowTable::clear() {
    dirtyfirst_ = dirtylast_ = -1;
    rows_.clear();
    emit cleared();
}

void RowTable::changed(int r, int firstpart, int lastpart) {
    if (dirtyfirst_ < 0) {
        dirtyfirst_ = dirtylast_ = r;
        dirtypartfirst_ = firstpart;
        dirtypartlast_ = lastpart;
    } else {
        dirtyfirst_ = std::min(dirtyfirst_, r);
        dirtylast_ = std::max(dirtylast_, r);
        dirtypartfirst_ = std::min(dirtypartfirst_, firstpart);
        dirtypartlast_ = std::max(dirtypartlast_, lastpart);
    }
    if (batching_ == 0) flush();
}

void RowTable::flush() {
    if (dirtyfirst_ < 0) return;
    const int first = dirtyfirst_, last = std::min(dirtylast_, size() - 1);
    dirtyfirst_ = dirtylast_ = -1;
    if (first <= last) emit rangeChanged(first, last, dirtypartfirst_, dirtypartlast_);
}

NotificationRow& RowTable::fresh(int r) const {
    NotificationRow& at = rows_.at(static_cast<std::size_t>(r));
    if (at.leftstale) {
        at.sub[rowpart::Left] = secstotext(at.leftsecs, 0);
        at.leftstale = false;
    }
    QString& number = at.sub[rowpart::RecordIndex];
    if (number.isEmpty() && at.record.valid()) number = QString::number(at.record.value);
    return at;
}

const NotificationRow& RowTable::row(int r) const {
    return fresh(r);
}

void RowTable::setsubitem(int r, int part, const QString& text) {
    // A stepped "Left" is compared as shown.
    NotificationRow& entry = fresh(r);
    auto& cell = entry.sub[static_cast<std::size_t>(part)];
    if (cell == text) return;
    cell = text;
    if (part == rowpart::Left && entry.countdown) entry.leftsecs = unittextseconds(text);
    changed(r, part, part);
}

void RowTable::setstate(int r, bool active) {
    auto& row = rows_.at(static_cast<std::size_t>(r));
    row.active = active;
    row.sub[rowpart::State] = active ? QStringLiteral("Active") : QStringLiteral("Inactive");
    row.subImage[rowpart::State] = active ? icon::Active : icon::Inactive;
    changed(r, rowpart::State, rowpart::State);
}

bool RowTable::stepcountdown(int r, int64_t secs) {
    auto& row = rows_.at(static_cast<std::size_t>(r));
    LeftStep next = steppedleft(row.leftsecs, secs);
    if (next.due) return false;
    row.leftsecs = next.seconds;
    row.leftstale = next.longtext.isEmpty();
    if (!row.leftstale) row.sub[rowpart::Left] = std::move(next.longtext);
    changed(r, rowpart::Left, rowpart::Left);
    return true;
}

RecordIndex RowTable::recordindex(int r) const {
    return exists(r) ? at(r).record : RecordIndex();
}
