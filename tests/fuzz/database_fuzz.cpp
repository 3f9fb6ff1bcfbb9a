// Working database records: the codec keeps every field it reads, and the time
// texts built from any stored numbers stay defined.
#include "fuzzfiles.h"

#include "schedule/timetext.h"
#include "store/workingdatabase.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const QTime clock(0, 0, 1);
    for (std::size_t at = 0; at + kNotificationRecordSize <= size; at += kNotificationRecordSize) {
        RecordBytes raw;
        std::copy_n(data + at, kNotificationRecordSize, raw.begin());
        const TNotificationRecord rec = decodenotification(raw);
        if (decodenotification(encodenotification(rec)) != rec) std::abort();
        (void)hmstotext(rec.Hours, rec.Minutes, rec.Seconds);
        (void)lefttext(rec, QStringLiteral("1h2m3s"), clock);
        TNotificationRecord active = rec;
        active.Active = 1;
        (void)lefttext(active, QString::fromLatin1(rec.MessageText.c_str()), clock);
        (void)countdownstep(QString::fromLatin1(rec.MessageText.c_str()));
        (void)timeset(rec);
    }

    WorkingDatabase db;
    db.setpath(fuzzfile("chdb.res", data, size));
    try {
        db.reopen();
        const ListHeader header = db.readheader();
        for (int32_t i = 1; i <= header.RecordCount && i < 64; ++i)
            (void)db.readnotification(RecordIndex(i));
        db.setmodebyte(header.Mode);
    } catch (const std::exception&) {
        // A short file or one that ends early is refused with IoError.
    }
    return 0;
}
