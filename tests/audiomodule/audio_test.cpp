#include "audiomodule/sdlaudiodevice.h"
#include "present/mp3r.h"
#include "store/ioerror.h"
#include "support/tempfolder.h"
#include "support/testpictures.h"

#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
// Records what the player asks of the device, and whether pending events had run.
class RecordingDevice : public AudioDevice {
public:
    QStringList calls;
    bool eventsran = false;
    bool failopen = false;
    QString playrefusal;

    void open(const QString& path) override {
        calls << QStringLiteral("open %1 events=%2").arg(path).arg(eventsran);
        if (failopen) throw std::runtime_error("unsupported");
        open_ = true;
    }
    QString play() override {
        calls << "play";
        return playrefusal;
    }
    void stop() override { calls << "stop"; }
    void close() override {
        calls << "close";
        open_ = false;
    }
    bool isopen() const override { return open_; }
    bool isplaying() const override { return open_; }

private:
    bool open_ = false;
};

class AudioTest : public ::testing::Test {
protected:
    AudioTest() {
        writebytes(shortwav, makewav(300));
        writebytes(longwav, makewav(3000));
        writebytes(damaged, QByteArray("RIFF\x10\0\0\0WAVEjunkjunkjunk", 24));
    }
    TempFolder dir;
    QString shortwav = dir.file("short.wav");
    QString longwav = dir.file("long.wav");
    QString damaged = dir.file("damaged.wav");
};
} // namespace

TEST_F(AudioTest, AWavPlaysToItsEndAndTheDeviceStaysOpen) {
    SdlAudioDevice sdl;
    TForm6 f(sdl);
    f.playaudio(shortwav);
    EXPECT_TRUE(f.mp3player.isplaying());
    EXPECT_EQ(f.mp3player.FileName, shortwav);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !f.mp3player.isplaying(); }, 5000));
    EXPECT_TRUE(f.mp3player.isopen());
    f.mp3player.Stop(); // an open, finished player stops without complaint
}

TEST_F(AudioTest, ASecondPlayReplacesTheFirst) {
    SdlAudioDevice sdl;
    TForm6 f(sdl);
    f.playaudio(longwav);
    ASSERT_TRUE(f.mp3player.isplaying());
    f.playaudio(shortwav);
    EXPECT_EQ(f.mp3player.FileName, shortwav);
    EXPECT_TRUE(f.mp3player.isplaying());
    // The long sound is gone: playing ends with the short one.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !f.mp3player.isplaying(); }, 2000));

    // A missing file changes nothing: the sound under way goes on.
    f.playaudio(longwav);
    f.playaudio(dir.file("missing.wav"));
    EXPECT_EQ(f.mp3player.FileName, longwav);
    EXPECT_TRUE(f.mp3player.isplaying());
    f.mp3player.Stop();
    EXPECT_FALSE(f.mp3player.isplaying());
    EXPECT_TRUE(f.mp3player.isopen()) << "Stop leaves the device open";
}

TEST_F(AudioTest, ADamagedFileLeavesThePlayerClosedWithNoName) {
    SdlAudioDevice sdl;
    TForm6 f(sdl);
    f.playaudio(shortwav);
    f.playaudio(damaged);
    EXPECT_FALSE(f.mp3player.isopen());
    EXPECT_TRUE(f.mp3player.FileName.isEmpty());

    writebytes(dir.file("list.m3u"), "short.wav\n");
    f.playaudio(dir.file("list.m3u")); // handed over as it is; not understood here
    EXPECT_FALSE(f.mp3player.isopen());
}

TEST_F(AudioTest, StopOnAClosedPlayerRaisesAndCloseNever) {
    SdlAudioDevice sdl;
    TForm6 f(sdl);
    try {
        f.mp3player.Stop();
        ADD_FAILURE() << "Stop on a closed player was accepted";
    } catch (const IoError& e) {
        EXPECT_STREQ(e.what(), "No MCI device open");
    }
    EXPECT_NO_THROW(f.mp3player.Close());
    f.playaudio(shortwav);
    f.mp3player.Close();
    EXPECT_FALSE(f.mp3player.isopen());
    EXPECT_EQ(f.mp3player.FileName, shortwav) << "Close keeps the file name";
    EXPECT_THROW(f.mp3player.Stop(), IoError);
}

TEST_F(AudioTest, PendingEventsRunBeforeTheDeviceOpens) {
    RecordingDevice device;
    TForm6 f(device);
    QTimer::singleShot(0, [&] { device.eventsran = true; });
    f.playaudio(shortwav);
    EXPECT_EQ(device.calls,
              (QStringList{"close", "close", "open " + shortwav + " events=1", "play"}));
}

TEST_F(AudioTest, RefusalsAreSwallowed) {
    RecordingDevice device;
    TForm6 f(device);
    device.failopen = true;
    EXPECT_NO_THROW(f.playaudio(shortwav));
    EXPECT_TRUE(f.mp3player.FileName.isEmpty());
    EXPECT_FALSE(f.mp3player.isopen());

    // A refused Play after a good Open is kept, not raised; the device stays open.
    device.failopen = false;
    device.playrefusal = QStringLiteral("busy");
    f.playaudio(shortwav);
    EXPECT_EQ(f.mp3player.Error, QStringLiteral("busy"));
    EXPECT_TRUE(f.mp3player.isopen());
    EXPECT_EQ(f.mp3player.FileName, shortwav);
}
