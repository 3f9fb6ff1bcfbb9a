// Record access in a working database of 10,000 Notifications: what the tick reads
// per row every second, a whole record decoded, and a command's one-byte change
// written through to the file.
#include "store/workingdatabase.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <random>

int main() {
    constexpr int kRecords = 10000;
    constexpr int kRounds = 5;
    QTemporaryDir dir;
    WorkingDatabase db;
    db.setpath(dir.filePath("chdb.res"));
    db.createdatabase();
    TNotificationRecord rec;
    rec.MessageText = "Benchmark";
    rec.TimerType = "Countdown";
    rec.Minutes = 5;
    rec.Active = 1;
    for (int i = 1; i <= kRecords; ++i)
        db.writenotification(rec, RecordIndex(i));
    db.setrecordcount(kRecords);

    std::mt19937 rng(7);
    std::uniform_int_distribution<int> pick(1, kRecords);
    QElapsedTimer t;

    long long sink = 0;
    t.start();
    for (int round = 0; round < kRounds; ++round)
        for (int i = 1; i <= kRecords; ++i)
            sink += db.readnotification(RecordIndex(i)).Minutes;
    const double readNs = double(t.nsecsElapsed()) / (kRounds * kRecords);

    t.restart();
    for (int round = 0; round < kRounds; ++round)
        for (int i = 1; i <= kRecords; ++i)
            sink += db.schedule(RecordIndex(i)).Minutes;
    const double tickNs = double(t.nsecsElapsed()) / (kRounds * kRecords);

    t.restart();
    for (int n = 0; n < kRounds * kRecords; ++n) {
        const int i = pick(rng);
        db.setactive(RecordIndex(i), db.schedule(RecordIndex(i)).Active == 1 ? 0 : 1);
    }
    const double rmwNs = double(t.nsecsElapsed()) / (kRounds * kRecords);

    std::printf("working database of %d records\n", kRecords);
    std::printf("readnotification (in order):        %8.2f us per record\n", readNs / 1000);
    std::printf("  one tick's reads of every record: %8.2f ms\n", readNs * kRecords / 1e6);
    std::printf("fields the tick reads:              %8.2f us per record\n", tickNs / 1000);
    std::printf("  one tick's reads of every record: %8.2f ms\n", tickNs * kRecords / 1e6);
    std::printf("flag change written through:        %8.2f us per record\n", rmwNs / 1000);
    std::printf("RESULT db_tick_reads_10k_ms %.3f ms\n", tickNs * kRecords / 1e6);
    return sink == 0 ? 1 : 0;
}
