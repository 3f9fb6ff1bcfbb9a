#include "enginefixture.h"

#include <QSignalSpy>

#include <cstring>

namespace {
// A record whose filler bytes (after each string, the pads, the reserved fields)
// are not the zeros the codec would write.
QByteArray withfiller(const TNotificationRecord& rec, uint8_t seed) {
    RecordBytes raw = encodenotification(rec);
    for (std::size_t at : {299u, 913u, 914u, 915u, 929u, 930u, 931u, 939u, 941u, 950u, 958u})
        raw[at] = static_cast<uint8_t>(seed + at);
    for (std::size_t at = 1 + rec.MessageText.size(); at < 256; ++at)
        raw[at] = static_cast<uint8_t>(seed ^ at);
    for (std::size_t at = 893 + rec.TimerType.size(); at < 913; ++at)
        raw[at] = 0xEE;
    return QByteArray(reinterpret_cast<const char*>(raw.data()), static_cast<int>(raw.size()));
}
} // namespace

class WriteThrough : public EngineTest {
protected:
    // The engine's copy and chdb.res hold the same records, byte for byte.
    void agree(const char* after) {
        SCOPED_TRACE(after);
        const QByteArray file = readbytes(ws.db().path());
        ASSERT_EQ(file.size() % 960, 0);
        ASSERT_EQ(file.size() / 960, ws.db().recordspresent());
        for (int i = 0; i < file.size() / 960; ++i) {
            const RecordBytes& seen = ws.db().raw(RecordIndex(i));
            ASSERT_EQ(std::memcmp(seen.data(), file.constData() + i * 960, 960), 0)
                << "record " << i;
            EXPECT_EQ(ws.db().schedule(RecordIndex(i)).Active, seen[recordfield::Active]);
            EXPECT_EQ(ws.db().schedule(RecordIndex(i)).Deleted, seen[recordfield::Deleted]);
        }
    }
};

TEST_F(WriteThrough, TheCopyAndTheFileAgreeAfterEveryCommandThatWrites) {
    add(countdown("Once", 2, /*repeat=*/false));
    add(countdown("Again", 3));
    add(certain("Noon", QTime(12, 0, 5)));
    agree("new Notifications");
    tick(2);
    ASSERT_EQ(sink.log.size(), 1); // the run-once countdown fired and switched off
    agree("a firing");
    engine.stop(1);
    agree("stop");
    engine.resume(0);
    agree("resume");
    engine.edit(2);
    agree("edit");
    engine.remove(1);
    agree("delete");
    engine.stopall();
    agree("stop all");
    engine.startall();
    agree("start all");
    engine.setplaymode(PlayMode::Sequential);
    agree("mode change");
    ASSERT_TRUE(files.saveas(folder.file("kept")));
    engine.stopall();
    ASSERT_TRUE(files.open(folder.file("kept.clt")));
    agree("load");
    EXPECT_EQ(ws.db().schedule(RecordIndex(3)).Active, 1); // the loaded bytes, not the stopped ones
    files.newlist();
    agree("new file");
    EXPECT_EQ(ws.db().recordspresent(), 1);
}

TEST_F(WriteThrough, AListStoppedResumedAndSavedAgainIsItsInputByteForByte) {
    TNotificationRecord a = countdown("First", 90), b = certain("Second", QTime(7, 30, 0));
    QByteArray input(960, '\0');
    input[300] = input[301] = input[302] = input[303] = '\xff';
    input[952] = 2;
    input[700] = 'x'; // header bytes without meaning stay too
    input += withfiller(a, 0x11) + withfiller(b, 0x5A);
    const QString path = folder.file("input.clt");
    writebytes(path, input);
    ASSERT_TRUE(files.open(path));
    engine.stop(0);
    engine.resume(0);
    engine.stopall();
    engine.startall();
    tick(3); // repeat countdowns and certain times count without writing
    ASSERT_TRUE(files.saveas(folder.file("output.clt")));
    EXPECT_EQ(readbytes(folder.file("output.clt")), input);
}

TEST_F(WriteThrough, OneTickTellsTheListOnceForAllRowsItChanged) {
    add(countdown("Idle", 30, true, /*active=*/false));
    add(countdown("A", 30));
    add(certain("B", QTime(18, 0, 0)));
    add(countdown("C", 30));
    QSignalSpy changes(&ws.rows(), &RowTable::rangeChanged);
    tick();
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes[0][0].toInt(), 1); // the inactive first row is not in it
    EXPECT_EQ(changes[0][1].toInt(), 3);
    EXPECT_EQ(changes[0][2].toInt(), rowpart::Left);
    EXPECT_EQ(changes[0][3].toInt(), rowpart::Left);
    EXPECT_EQ(left(3), "29s");
}
