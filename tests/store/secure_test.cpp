#include "store/secure.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

// A store kept from an earlier build: its start-up settings read from their places, opening
// it changes nothing, and the same settings written into a new store make the same bytes.
TEST(SettingsStore, AStoreOfKnownBytesReadsAndIsWrittenTheSame) {
    const TSettingsRecord startup{SettingsStore::storedtext("/home/u/list.clt"),
                                  0x0102030405060708LL, 1};
    const TSettingsRecord autostart{
        SettingsStore::storedtext("/home/u/.config/autostart/Chimelet.desktop"), -1, 0};
    const QByteArray known = readbytes(QStringLiteral(CHIMELET_KNOWN_FILES "/chsb.rez"));
    ASSERT_EQ(known.size(), 4 * int(kSettingsRecordSize));

    TempFolder dir;
    writebytes(dir.file("chsb.rez"), known);
    SettingsStore s;
    ASSERT_TRUE(s.opensettings(dir.file("chsb.rez")));
    EXPECT_TRUE(s.startminimized());
    EXPECT_EQ(s.defaultfile(), "/home/u/list.clt");
    EXPECT_EQ(s.readsetting(0), startup);
    EXPECT_EQ(s.readsetting(3), autostart);
    s.close();
    EXPECT_EQ(readbytes(dir.file("chsb.rez")), known);

    SettingsStore fresh;
    ASSERT_TRUE(fresh.opensettings(dir.file("new.rez")));
    fresh.writesetting(startup, 0);
    fresh.writesetting(autostart, 3);
    fresh.close();
    EXPECT_EQ(readbytes(dir.file("new.rez")), known);
}

TEST(ShiftText, ShiftsAndWrapsAtTheEnds) {
    EXPECT_EQ(shifttext("abc", 1), "bcd");
    EXPECT_EQ(shifttext("bcd", -1), "abc");
    EXPECT_EQ(shifttext(std::string(1, '\xff'), 1), std::string(1, '\0'));
    EXPECT_EQ(shifttext(std::string(1, '\0'), -1), std::string(1, '\xff'));
    EXPECT_EQ(shifttext(std::string(1, char(250)), 10), std::string(1, '\0')); // saturates
    EXPECT_EQ(shifttext("", 1), "");
    std::string all;
    for (int i = 0; i < 256; ++i)
        all.push_back(char(i));
    EXPECT_EQ(shifttext(shifttext(all, 1), -1), all);
}

TEST(SettingsStore, FirstStartCreatesFourBlankRecords) {
    QTemporaryDir dir;
    const QString path = dir.filePath("chsb.rez");
    SettingsStore s;
    ASSERT_TRUE(s.opensettings(path));
    EXPECT_FALSE(s.startminimized());
    EXPECT_EQ(s.defaultfile(), "");
    s.close();
    const QByteArray bytes = readbytes(path);
    EXPECT_EQ(bytes.size(), 4 * 272);
    EXPECT_EQ(bytes, QByteArray(4 * 272, '\0'));
}

TEST(SettingsStore, ReadsStartupSettingsAndLeavesLongerStoresAlone) {
    QTemporaryDir dir;
    const QString path = dir.filePath("chsb.rez");
    {
        SettingsStore s;
        ASSERT_TRUE(s.opensettings(path));
        s.writesetting(TSettingsRecord{SettingsStore::storedtext("/home/u/list.clt"), 2, 1}, 0);
        s.writesetting(TSettingsRecord{"extra", 9, 1}, 5); // six records now
        s.close();
    }
    const QByteArray before = readbytes(path);
    ASSERT_EQ(before.size(), 6 * 272);
    EXPECT_EQ(before.mid(1, 5), QByteArray("0ipnf")); // "/home" shifted by +1
    SettingsStore s;
    ASSERT_TRUE(s.opensettings(path));
    EXPECT_TRUE(s.startminimized()); // any value but 0
    EXPECT_EQ(s.defaultfile(), "/home/u/list.clt");
    EXPECT_EQ(s.readsetting(5).Text, "extra");
    s.close();
    EXPECT_EQ(readbytes(path), before);
}

TEST(SettingsStore, UnusableStoresFail) {
    QTemporaryDir dir;
    const QString empty = dir.filePath("empty.rez");
    writebytes(empty, {});
    SettingsStore s;
    EXPECT_FALSE(s.opensettings(empty));
    EXPECT_EQ(QFile(empty).size(), 0); // never laid out again
    SettingsStore t;
    EXPECT_FALSE(t.opensettings(dir.filePath("no/such/folder/chsb.rez")));
}
