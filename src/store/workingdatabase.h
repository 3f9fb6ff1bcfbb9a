#pragma once

#include "store/notificationrecord.h"
#include "store/recordfile.h"
#include "store/recordindex.h"

#include <QString>

#include <vector>

// The working database: record 0 the header, Notifications from record 1.
//
// The file is the truth. A copy of its records is held in memory so that the tick
// reads no file: every change is written to the file first and enters the copy only
// once the write succeeded, and every open or create fills the copy from the file.
// A change therefore reaches the disk at the moment it is made, and the copy never
// holds a byte the file does not.
class WorkingDatabase {
public:
    WorkingDatabase();

    void setpath(const QString& path) { path_ = path; }
    QString path() const { return path_; }

    // Deletes any old file (ignoring failure) and writes a fresh header.
    void createdatabase();
    // Reopens the file at the path, keeping its contents.
    void reopen();
    void close();
    bool isOpen() const { return file_.isOpen(); }

    TNotificationRecord readnotification(RecordIndex index) const;
    // The fields the tick decides on, decoded when the record was last written.
    const ScheduleFields& schedule(RecordIndex index) const;
    // A whole record from the editor's fields.
    void writenotification(const TNotificationRecord& rec, RecordIndex index);
    // One flag byte changed in the record as read; the other 959 bytes stay.
    void setactive(RecordIndex index, uint8_t active);
    void setdeleted(RecordIndex index, uint8_t deleted);
    ListHeader readheader() const;
    void setrecordcount(int32_t count);
    void setmodebyte(uint8_t mode);
    int64_t recordspresent() const { return file_.recordspresent(); }
    // The bytes of a record as the engine sees them.
    const RecordBytes& raw(RecordIndex index) const;

private:
    void load();
    void writeraw(const RecordBytes& raw, RecordIndex index);
    void patchbyte(RecordIndex index, std::size_t offset, uint8_t value);

    QString path_;
    RecordFile file_;
    std::vector<RecordBytes> records_;
    std::vector<ScheduleFields> schedule_;
};
