#include "store/ioerror.h"
#include "store/notificationrecord.h"
#include "store/workingdatabase.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace {

int32_t le32(const RecordBytes& raw, std::size_t at) {
    return int32_t(uint32_t(raw[at]) | uint32_t(raw[at + 1]) << 8 | uint32_t(raw[at + 2]) << 16 |
                   uint32_t(raw[at + 3]) << 24);
}

TNotificationRecord everyFieldDistinct() {
    TNotificationRecord r;
    r.MessageText = "Tea is ready";
    r.DisplayText = 1;
    r.TextDisplayType = "Balloon & Overlay";
    r.FontName = "DejaVu Sans";
    r.FontSize = 68;
    r.FontColor = "clRed";
    r.FontItalic = 1;
    r.FontBold = 0;
    r.FontUnderline = 1;
    r.ImageFile = "/home/u/pic.jpg";
    r.DisplayImage = 1;
    r.ImageDisplayType = "Desktop Overlay (Small Window)";
    r.WallpaperStyle = "Stretch";
    r.AudioFile = "/home/u/ding.wav";
    r.PlayAudio = 1;
    r.TimerType = "Countdown";
    r.Hours = 1;
    r.Minutes = 2;
    r.Seconds = 3;
    r.RepeatFlag = 1;
    r.DisplayDuration = 5;
    r.Fade = 1;
    r.Deleted = 0;
    r.Active = 1;
    r.Reserved1 = 0x11223344;
    r.Reserved2 = -2;
    r.Reserved3 = 7;
    r.RecordCount = 9;
    r.Reserved4 = -100000;
    return r;
}

} // namespace

// A list of one record kept from an earlier build: every field is read from its place, and
// the same record written into a new working database makes the same bytes.
TEST(NotificationRecord, AStoredListOfKnownBytesReadsAsItsFieldsAndIsWrittenTheSame) {
    const QByteArray known = readbytes(QStringLiteral(CHIMELET_KNOWN_FILES "/tea.clt"));
    ASSERT_EQ(known.size(), 2 * int(kNotificationRecordSize));
    RecordBytes header{}, record{};
    std::memcpy(header.data(), known.constData(), header.size());
    std::memcpy(record.data(), known.constData() + header.size(), record.size());
    EXPECT_EQ(decodeheader(header).RecordCount, 1);
    EXPECT_EQ(decodenotification(record), everyFieldDistinct());

    TempFolder dir;
    WorkingDatabase db;
    db.setpath(dir.file("chdb.res"));
    db.createdatabase();
    db.writenotification(everyFieldDistinct(), RecordIndex(1));
    db.setrecordcount(1);
    db.close();
    EXPECT_EQ(readbytes(dir.file("chdb.res")), known);
}

TEST(NotificationRecord, StringsAtTheirLimitsAndBeyond) {
    TNotificationRecord r;
    r.MessageText = std::string(255, 'm');
    r.TextDisplayType = std::string(20, 't');
    r.ImageDisplayType = std::string(40, 'i');
    r.WallpaperStyle = std::string(8, 'w');
    r.FontName = "An Extremely Long Font Face Name";
    const TNotificationRecord back = decodenotification(encodenotification(r));
    EXPECT_EQ(back.MessageText, r.MessageText);
    EXPECT_EQ(back.TextDisplayType, r.TextDisplayType);
    EXPECT_EQ(back.ImageDisplayType, r.ImageDisplayType);
    EXPECT_EQ(back.WallpaperStyle, r.WallpaperStyle);
    EXPECT_EQ(back.FontName, "An Extremely Long Fo"); // cut to 20
    // A longer value never spills into the next field.
    r.WallpaperStyle = "StretchAndMore";
    const RecordBytes raw = encodenotification(r);
    EXPECT_EQ(raw[626], 8);
    EXPECT_EQ(raw[635], 0); // AudioFile length untouched
}

TEST(NotificationRecord, OverlongLengthByteReadsTheFieldOnly) {
    TNotificationRecord r;
    r.WallpaperStyle = "Tile";
    r.AudioFile = "/x.wav";
    RecordBytes raw = encodenotification(r);
    raw[626] = 200; // claims 200 characters in an 8-character field
    std::memcpy(&raw[627], "ABCDEFGH", 8);
    const TNotificationRecord back = decodenotification(raw);
    EXPECT_EQ(back.WallpaperStyle, "ABCDEFGH");
    EXPECT_EQ(back.AudioFile, "/x.wav");
}

TEST(NotificationRecord, HeaderView) {
    const RecordBytes fresh = newheader();
    EXPECT_EQ(le32(fresh, 300), -1);
    EXPECT_EQ(decodeheader(fresh).Mode, 0);
    EXPECT_EQ(decodeheader(fresh).RecordCount, 0);
    for (std::size_t i = 0; i < fresh.size(); ++i) {
        if (i >= 300 && i < 304) continue;
        EXPECT_EQ(fresh[i], 0) << i;
    }
}

class WorkingDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.setpath(dir.filePath("chdb.res"));
        db.createdatabase();
    }
    QByteArray fileBytes() { return readbytes(dir.filePath("chdb.res")); }
    QTemporaryDir dir;
    WorkingDatabase db;
};

TEST_F(WorkingDatabaseTest, NewDatabaseIsOneHeader) {
    const QByteArray bytes = fileBytes();
    ASSERT_EQ(bytes.size(), 960);
    EXPECT_EQ(uint8_t(bytes[256]), 0);
    EXPECT_EQ(bytes.mid(300, 4), QByteArray("\xff\xff\xff\xff", 4));
    EXPECT_EQ(bytes.mid(952, 4), QByteArray(4, '\0'));
}

TEST_F(WorkingDatabaseTest, CreateDiscardsAnOldFile) {
    db.setrecordcount(5);
    db.writenotification(everyFieldDistinct(), RecordIndex(1));
    db.createdatabase();
    EXPECT_EQ(fileBytes().size(), 960);
    EXPECT_EQ(db.readheader().RecordCount, 0);
}

TEST_F(WorkingDatabaseTest, HeaderUpdatesKeepOtherBytes) {
    db.setmodebyte(1);
    db.setrecordcount(3);
    QByteArray bytes = fileBytes();
    EXPECT_EQ(uint8_t(bytes[256]), 1);
    EXPECT_EQ(bytes.mid(952, 4), QByteArray("\x03\0\0\0", 4));
    EXPECT_EQ(bytes.mid(300, 4), QByteArray("\xff\xff\xff\xff", 4));
    db.setmodebyte(0);
    EXPECT_EQ(db.readheader().RecordCount, 3);
    EXPECT_EQ(db.readheader().Mode, 0);
}

TEST_F(WorkingDatabaseTest, RecordsAreAddressedByIndex) {
    TNotificationRecord a = everyFieldDistinct(), b = everyFieldDistinct();
    b.MessageText = "second";
    db.writenotification(a, RecordIndex(1));
    db.writenotification(b, RecordIndex(2));
    db.setrecordcount(2);
    EXPECT_EQ(fileBytes().size(), 3 * 960);
    EXPECT_EQ(db.readnotification(RecordIndex(2)).MessageText, "second");
    EXPECT_EQ(db.readnotification(RecordIndex(1)), a);
    EXPECT_EQ(fileBytes().mid(960 * 2 + 1, 6), QByteArray("second"));
}

TEST_F(WorkingDatabaseTest, ReadingBeyondTheEndRaises) {
    db.writenotification(everyFieldDistinct(), RecordIndex(1));
    try {
        db.readnotification(RecordIndex(2));
        FAIL() << "no error";
    } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find("beyond end of file"), std::string::npos) << e.what();
    }
    EXPECT_THROW(db.readnotification(RecordIndex(-1)), IoError);
}

TEST_F(WorkingDatabaseTest, ClosedDatabaseRaisesAndReopenKeepsContents) {
    db.writenotification(everyFieldDistinct(), RecordIndex(1));
    db.close();
    EXPECT_THROW(db.readnotification(RecordIndex(1)), IoError);
    EXPECT_THROW(db.writenotification(TNotificationRecord{}, RecordIndex(1)), IoError);
    db.reopen();
    EXPECT_EQ(db.readnotification(RecordIndex(1)).MessageText, "Tea is ready");
}

// A file that ends inside a record (a write cut short): the whole records open and read as
// written, the part is no record, and the next record written takes its place.
TEST_F(WorkingDatabaseTest, StrayBytesAfterTheLastWholeRecordAreNoRecord) {
    TNotificationRecord last = everyFieldDistinct();
    last.MessageText = "last whole";
    db.writenotification(everyFieldDistinct(), RecordIndex(1));
    db.writenotification(last, RecordIndex(2));
    const QByteArray whole = fileBytes();
    for (const int stray : {1, 480, 959}) {
        SCOPED_TRACE(stray);
        db.close();
        writebytes(dir.filePath("chdb.res"), whole + QByteArray(stray, '\x7f'));
        db.reopen();
        EXPECT_EQ(db.recordspresent(), 3);
        EXPECT_EQ(db.readnotification(RecordIndex(2)), last);
        EXPECT_THROW(db.raw(RecordIndex(3)), IoError);
        db.writenotification(last, RecordIndex(3));
        EXPECT_EQ(db.recordspresent(), 4);
        EXPECT_EQ(fileBytes(), whole + whole.mid(2 * 960, 960));
    }
}
