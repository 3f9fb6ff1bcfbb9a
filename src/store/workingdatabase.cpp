#include "store/workingdatabase.h"

#include "store/shortstring.h"

#include <QFile>

WorkingDatabase::WorkingDatabase() : file_(kNotificationRecordSize) {}

void WorkingDatabase::createdatabase() {
    file_.close();
    if (QFile::exists(path_)) QFile::remove(path_);
    file_.create(path_);
    writeRaw(newHeader(), 0);
}

void WorkingDatabase::reopen() {
    file_.open(path_);
}

RecordBytes WorkingDatabase::readRaw(int32_t index) {
    RecordBytes raw;
    file_.read(index, raw.data());
    return raw;
}

void WorkingDatabase::writeRaw(const RecordBytes& raw, int32_t index) {
    file_.write(index, raw.data());
}

TNotificationRecord WorkingDatabase::readnotification(int32_t index) {
    return decodeNotification(readRaw(index));
}

void WorkingDatabase::writenotification(const TNotificationRecord& rec, int32_t index) {
    writeRaw(encodeNotification(rec), index);
}

ListHeader WorkingDatabase::readheader() {
    return decodeHeader(readRaw(0));
}

void WorkingDatabase::setrecordcount(int32_t count) {
    RecordBytes raw = readRaw(0);
    bytes::putInt32(raw.data() + headerfield::RecordCount, count);
    writeRaw(raw, 0);
}

void WorkingDatabase::setmodebyte(uint8_t mode) {
    RecordBytes raw = readRaw(0);
    raw[headerfield::Mode] = mode;
    writeRaw(raw, 0);
}
