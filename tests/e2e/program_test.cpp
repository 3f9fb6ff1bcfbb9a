#include "programrun.h"
#include "support/testpictures.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

#include <csignal>

namespace {

using ProgramTest = OffscreenRun;

} // namespace

TEST_F(ProgramTest, StartsRefusesASecondCopyAndEndsOnSigterm) {
    start(first);
    ASSERT_TRUE(waitfor([&] { return bytes("chdb.res").size() == 960; }, 10000))
        << first.readAllStandardError().toStdString();
    ASSERT_TRUE(waitfor([&] { return bytes("chsb.rez").size() == 4 * 272; }, 2000));
    const QByteArray db = bytes("chdb.res");
    EXPECT_EQ(db.mid(300, 4), QByteArray("\xff\xff\xff\xff", 4));
    EXPECT_EQ(db.mid(952, 4), QByteArray(4, '\0'));
    EXPECT_EQ(db[256], '\0');
    const QByteArray settings = bytes("chsb.rez");
    const QDateTime dbTime = QFileInfo(folder.filePath("chdb.res")).lastModified();

    start(second);
    EXPECT_TRUE(second.waitForFinished(2000)) << "second copy still running";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_EQ(bytes("chdb.res"), db);
    EXPECT_EQ(bytes("chsb.rez"), settings);
    EXPECT_EQ(QFileInfo(folder.filePath("chdb.res")).lastModified(), dbTime);
    // Sound, HTTP and metafile drawing load at first use, or only in the helper.
    const QByteArray maps = mappedfiles(first.processId());
    ASSERT_TRUE(maps.contains("libQt6Widgets"));
    for (const char* library : {"libSDL2", "libssl", "libcrypto", "libcpp-httplib", "libwmf"})
        EXPECT_FALSE(maps.contains(library)) << library << " mapped at start";

    ::kill(static_cast<pid_t>(first.processId()), SIGTERM);
    ASSERT_TRUE(first.waitForFinished(5000));
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0);
    EXPECT_TRUE(QFile::exists(folder.filePath("chdb.res")));
}

TEST_F(ProgramTest, ACrashedCopysLockDoesNotBlockTheNextStart) {
    start(first);
    ASSERT_TRUE(waitfor([&] { return bytes("chdb.res").size() == 960; }, 10000));
    first.kill(); // no shutdown: the lock file stays behind
    first.waitForFinished(3000);
    start(second);
    EXPECT_FALSE(second.waitForFinished(1500)) << "stale lock refused the start";
    EXPECT_EQ(second.state(), QProcess::Running);
}

namespace {
void putstring(QByteArray& rec, int at, const QByteArray& text) {
    rec[at] = static_cast<char>(text.size());
    rec.replace(at + 1, text.size(), text);
}
void putint(QByteArray& rec, int at, int32_t v) {
    for (int i = 0; i < 4; ++i)
        rec[at + i] = static_cast<char>((v >> (8 * i)) & 0xff);
}
} // namespace

TEST_F(ProgramTest, AFiringIsOnDiskBeforeItsPictureIsShownAndItsSoundPlays) {
    // A list whose one Notification, a run-once countdown of 2 s, shows a picture and
    // plays a sound; the settings open it at start.
    const QString picture = folder.filePath("pic.bmp");
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::blue);
    image.save(picture);
    const QString sound = folder.filePath("tone.wav");
    writebytes(sound, makewav(3000));
    QByteArray header(960, '\0'), rec(960, '\0');
    putint(header, 300, -1);
    putint(header, 952, 1);
    putstring(rec, 0, "Kettle");
    putstring(rec, 328, QFile::encodeName(picture));
    rec[584] = 1; // DisplayImage
    putstring(rec, 585, "Desktop Overlay (Small Window)");
    putstring(rec, 635, QFile::encodeName(sound));
    rec[891] = 1; // PlayAudio
    putstring(rec, 892, "Countdown");
    putint(rec, 924, 2);
    putint(rec, 932, 5);
    rec[938] = 1;      // Active
    rec[700] = '\x7f'; // a byte inside a string's unused tail stays as it is
    const QString list = folder.filePath("kettle.clt");
    writebytes(list, header + rec);
    settingsopening(list);

    start(first);
    const QString shown = folder.filePath("tmp.bmp");
    QDeadlineTimer deadline(15000);
    while (!QFile::exists(shown) && !deadline.hasExpired())
        QThread::usleep(200);
    ASSERT_TRUE(QFile::exists(shown)) << first.readAllStandardError().toStdString();
    EXPECT_TRUE(waitfor([&] { return mappedfiles(first.processId()).contains("libSDL2"); }, 5000))
        << "no sound output loaded: " << first.readAllStandardError().toStdString();
    ::kill(static_cast<pid_t>(first.processId()), SIGKILL);
    first.waitForFinished(3000);

    const QByteArray db = bytes("chdb.res");
    ASSERT_EQ(db.size(), 2 * 960);
    EXPECT_EQ(db[960 + 938], '\0') << "the firing's switch-off was not on disk";
    QByteArray expected = rec;
    expected[938] = 0;
    EXPECT_EQ(db.mid(960), expected);
}

// A laptop's sleep as the program sees it: stopped, and on waking its wall clock is an hour
// on while its monotonic clock is not. libfaketime reads the wall clock from a file.
TEST_F(ProgramTest, WhatFellDueWhileItWasStoppedFiresOnceWhenItGoesOn) {
    QString library;
    for (const char* dir : {"/usr/lib/x86_64-linux-gnu", "/usr/lib/aarch64-linux-gnu", "/usr/lib"})
        if (QFile::exists(QString(dir) + "/faketime/libfaketime.so.1"))
            library = QString(dir) + "/faketime/libfaketime.so.1";
    ASSERT_FALSE(library.isEmpty()) << "libfaketime is missing (Debian package faketime)";
    const QString stamp = folder.filePath("faketime.rc");
    writebytes(stamp, "+0\n");
    env.insert("LD_PRELOAD", library);
    env.insert("FAKETIME_TIMESTAMP_FILE", stamp);
    env.insert("FAKETIME_NO_CACHE", "1");
    env.insert("FAKETIME_DONT_FAKE_MONOTONIC", "1");

    // Run Once each: a countdown of 10 minutes, a time of day 20 minutes ahead, and a
    // countdown of 2 hours that the hour must not finish.
    QByteArray header(960, '\0'), list;
    putint(header, 952, 3);
    const QTime at = QTime::currentTime().addSecs(20 * 60);
    const struct {
        const char* type;
        int h, m, s;
    } rows[] = {{"Countdown", 0, 10, 0},
                {"Certain time", at.hour(), at.minute(), at.second()},
                {"Countdown", 2, 0, 0}};
    for (const auto& row : rows) {
        QByteArray rec(960, '\0');
        putstring(rec, 0, "Due");
        putstring(rec, 892, row.type);
        putint(rec, 916, row.h);
        putint(rec, 920, row.m);
        putint(rec, 924, row.s);
        putint(rec, 932, 1);
        rec[938] = 1;
        list += rec;
    }
    writebytes(folder.filePath("sleep.clt"), header + list);
    settingsopening(folder.filePath("sleep.clt"));

    start(first);
    ASSERT_TRUE(waitfor([&] { return bytes("chdb.res").size() == 4 * 960; }, 15000))
        << first.readAllStandardError().toStdString();
    QThread::msleep(2500); // a few ticks
    const auto pid = static_cast<pid_t>(first.processId());
    ::kill(pid, SIGSTOP);
    writebytes(stamp, "+3600\n");
    QThread::msleep(1500);
    ::kill(pid, SIGCONT);
    const auto active = [&](int record) { return bytes("chdb.res").at(record * 960 + 938); };
    EXPECT_TRUE(waitfor([&] { return active(1) == 0 && active(2) == 0; }, 10000))
        << "countdown " << int(active(1)) << ", time of day " << int(active(2));
    EXPECT_EQ(active(3), 1) << "the two-hour countdown ended in an hour";
    EXPECT_EQ(first.state(), QProcess::Running);
}
