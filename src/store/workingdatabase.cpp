#include "store/workingdatabase.h"

#include "store/ioerror.h"
#include "store/shortstring.h"

#include <QFile>

namespace {
// Record 0 holds the list header.
constexpr RecordIndex kHeader(0);
} // namespace

WorkingDatabase::WorkingDatabase() : file_(kNotificationRecordSize) {}

void WorkingDatabase::createdatabase() {
    close();
    if (QFile::exists(path_)) QFile::remove(path_);
    file_.create(path_);
    writeraw(newheader(), kHeader);
}

void WorkingDatabase::reopen() {
    close();
    file_.open(path_);
    load();
}

void WorkingDatabase::close() {
    file_.close();
    records_.clear();
    schedule_.clear();
}

void WorkingDatabase::load() {
    const int64_t present = file_.recordspresent();
    std::vector<RecordBytes> records(static_cast<std::size_t>(present));
    static_assert(sizeof(RecordBytes) == kNotificationRecordSize);
    if (present > 0) file_.read(0, reinterpret_cast<uint8_t*>(records.data()), present);
    std::vector<ScheduleFields> schedule;
    schedule.reserve(records.size());
    for (const RecordBytes& r : records)
        schedule.push_back(decodeschedule(r));
    records_ = std::move(records);
    schedule_ = std::move(schedule);
}

const RecordBytes& WorkingDatabase::raw(RecordIndex at) const {
    const int32_t index = at.value;
    if (!file_.isOpen())
        throw IoError("Cannot read record " + std::to_string(index) + ": file not open");
    if (index < 0 || static_cast<std::size_t>(index) >= records_.size())
        throw IoError("Read beyond end of file: record " + std::to_string(index) + " of " +
                      path_.toStdString() + " (" + std::to_string(records_.size()) +
                      " records present)");
    return records_[static_cast<std::size_t>(index)];
}

void WorkingDatabase::writeraw(const RecordBytes& raw, RecordIndex index) {
    try {
        file_.write(index.value, raw.data());
    } catch (...) {
        // A write that failed part way may have changed the file; the copy follows it.
        try {
            if (file_.isOpen()) load();
        } catch (...) {
            close();
        }
        throw;
    }
    const auto at = static_cast<std::size_t>(index.value);
    if (at >= records_.size()) {
        // Writing past the end fills the gap with zero bytes, in the file as here.
        records_.resize(at + 1, RecordBytes{});
        schedule_.resize(at + 1, decodeschedule(RecordBytes{}));
    }
    records_[at] = raw;
    schedule_[at] = decodeschedule(raw);
}

void WorkingDatabase::patchbyte(RecordIndex index, std::size_t offset, uint8_t value) {
    RecordBytes changed = raw(index);
    changed[offset] = value;
    writeraw(changed, index);
}

TNotificationRecord WorkingDatabase::readnotification(RecordIndex index) const {
    return decodenotification(raw(index));
}

const ScheduleFields& WorkingDatabase::schedule(RecordIndex index) const {
    raw(index);
    return schedule_[static_cast<std::size_t>(index.value)];
}

void WorkingDatabase::writenotification(const TNotificationRecord& rec, RecordIndex index) {
    writeraw(encodenotification(rec), index);
}

void WorkingDatabase::setactive(RecordIndex index, uint8_t active) {
    patchbyte(index, recordfield::Active, active);
}

void WorkingDatabase::setdeleted(RecordIndex index, uint8_t deleted) {
    patchbyte(index, recordfield::Deleted, deleted);
}

ListHeader WorkingDatabase::readheader() const {
    return decodeheader(raw(kHeader));
}

void WorkingDatabase::setrecordcount(int32_t count) {
    RecordBytes header = raw(kHeader);
    bytes::putint32(header.data() + headerfield::RecordCount, count);
    writeraw(header, kHeader);
}

void WorkingDatabase::setmodebyte(uint8_t mode) {
    patchbyte(kHeader, headerfield::Mode, mode);
}
