#pragma once

#include "store/notificationrecord.h"
#include "store/recordfile.h"

#include <QString>

// The working database: record 0 the header, Notifications from record 1.
// Every access is a direct seek; nothing is cached.
class WorkingDatabase {
public:
    WorkingDatabase();

    void setPath(const QString& path) { path_ = path; }
    QString path() const { return path_; }

    // Deletes any old file (ignoring failure) and writes a fresh header.
    void createdatabase();
    // Reopens the file at the path, keeping its contents.
    void reopen();
    void close() { file_.close(); }
    bool isOpen() const { return file_.isOpen(); }

    TNotificationRecord readnotification(int32_t index);
    void writenotification(const TNotificationRecord& rec, int32_t index);
    ListHeader readheader();
    void setrecordcount(int32_t count);
    void setmodebyte(uint8_t mode);
    int64_t recordsPresent() const { return file_.recordsPresent(); }

private:
    RecordBytes readRaw(int32_t index);
    void writeRaw(const RecordBytes& raw, int32_t index);

    QString path_;
    RecordFile file_;
};
