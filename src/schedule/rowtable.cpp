#include "schedule/rowtable.h"

#include "store/integertext.h"

int RowTable::append(const NotificationRow& row) {
    rows_.push_back(row);
    const int r = size() - 1;
    emit rowAppended(r);
    return r;
}

void RowTable::replace(int r, const NotificationRow& row) {
    rows_.at(static_cast<std::size_t>(r)) = row;
    emit rowChanged(r, -1);
}

void RowTable::remove(int r) {
    rows_.erase(rows_.begin() + r);
    emit rowRemoved(r);
}

void RowTable::clear() {
    rows_.clear();
    emit cleared();
}

void RowTable::setsubitem(int r, int part, const QString& text) {
    auto& cell = rows_.at(static_cast<std::size_t>(r)).sub[static_cast<std::size_t>(part)];
    if (cell == text) return;
    cell = text;
    emit rowChanged(r, part);
}

void RowTable::setsubitem(int r, int part, const QString& text, int image) {
    auto& row = rows_.at(static_cast<std::size_t>(r));
    row.sub[static_cast<std::size_t>(part)] = text;
    row.subImage[static_cast<std::size_t>(part)] = image;
    emit rowChanged(r, part);
}

int RowTable::recordindex(int r) const {
    if (!exists(r)) return -1;
    const auto v = parseinteger(subitem(r, rowpart::RecordIndex).toStdString());
    return v ? *v : -1;
}
