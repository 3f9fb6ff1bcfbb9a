#include "present/dispatcher.h"

#include "present/surfaces.h"
#include "store/ansitext.h"
#include "store/apppaths.h"
#include "store/ioerror.h"
#include "support/fakeplatform.h"
#include "support/picturejobs.h"
#include "support/samplerecord.h"
#include "support/tempfolder.h"
#include "support/testpictures.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
// Every surface writes what it was asked into one log, so order can be checked.
struct Log {
    QStringList lines;
    void add(const QString& s) { lines << s; }
    int index(const QString& prefix) const {
        for (int i = 0; i < lines.size(); ++i)
            if (lines[i].startsWith(prefix)) return i;
        return -1;
    }
    bool has(const QString& prefix) const { return index(prefix) >= 0; }
};

class RecordingImage : public ImageSurface {
public:
    RecordingImage(QString name, Log& log) : name_(std::move(name)), log_(log) {}
    void setpicture(const QImage& p) override {
        log_.add(QStringLiteral("%1:picture %2x%3").arg(name_).arg(p.width()).arg(p.height()));
    }
    void announce(const QString& text, bool speak) override {
        log_.add(QStringLiteral("%1:announce %2 %3").arg(name_, text).arg(speak));
    }
    void starttheshow(bool fade) override {
        showing = true;
        log_.add(QStringLiteral("%1:start %2").arg(name_).arg(fade));
    }
    void endtheshow() override { log_.add(name_ + ":end"); }
    bool isshowing() const override { return showing; }
    bool showing = false;

private:
    QString name_;
    Log& log_;
};

class RecordingText : public TextSurface {
public:
    explicit RecordingText(Log& log) : log_(log) {}
    void placeonscreen(const QRect& r) override { placed = r; }
    void setfontstyles(std::optional<bool> b, std::optional<bool> i,
                       std::optional<bool> u) override {
        auto mark = [](std::optional<bool> s) { return s ? (*s ? '1' : '0') : '-'; };
        log_.add(QStringLiteral("text:styles %1%2%3").arg(mark(b)).arg(mark(i)).arg(mark(u)));
    }
    void setfontface(const QString& family, int points, QColor color) override {
        log_.add(QStringLiteral("text:face %1 %2 %3").arg(family).arg(points).arg(color.name()));
    }
    void starttheshow(const QString& text, bool fade) override {
        showing = true;
        log_.add(QStringLiteral("text:start %1 %2").arg(text).arg(fade));
    }
    void announce(const QString& text) override { log_.add("text:announce " + text); }
    void endtheshow() override { log_.add("text:end"); }
    bool isshowing() const override { return showing; }
    bool showing = false;
    QRect placed;

private:
    Log& log_;
};

// Its "bitmap" is the picture itself, once it proved readable.
class RecordingWallpaper : public WallpaperSurface {
public:
    explicit RecordingWallpaper(Log& log) : log_(log) {}
    QString makebitmap(const QString& image) const override {
        if (QImage(image).isNull()) throw IoError("Cannot load picture " + image.toStdString());
        return image;
    }
    void setwallpaper(const QString& bitmap, const QString& style) noexcept override {
        log_.add(QStringLiteral("wallpaper:%1 %2").arg(bitmap, style));
    }

private:
    Log& log_;
};

class RecordingAudio : public AudioSurface {
public:
    explicit RecordingAudio(Log& log) : log_(log) {}
    void playaudio(const QString& path) override { log_.add("audio:" + path); }

private:
    Log& log_;
};

class LoggingTray : public FakeTray {
public:
    explicit LoggingTray(Log& log) : log_(log) {}

protected:
    void popballoon(const QString& title, const QString& text, int msecs) override {
        FakeTray::popballoon(title, text, msecs);
        log_.add("balloon:" + text);
    }

private:
    Log& log_;
};

class DispatcherTest : public ::testing::Test {
protected:
    DispatcherTest() {
        paths = AppPaths::beside(dir.path() + "/", dir.path());
        twocolours(40, 30).save(dir.file("pic.jpg"), "JPG");
        writebytes(dir.file("tone.wav"), makewav(50));
    }

    // Everything on: full-screen image, "Balloon & Overlay" text, audio.
    TNotificationRecord everything() const {
        return SampleRecord("Tea")
            .lasting(5)
            .picture(toansi(dir.file("pic.jpg")), codes::OverlayFullScreen, codes::Stretch)
            .text(codes::BalloonAndOverlay, "Arial", 24, "clRed")
            .fading()
            .sound(toansi(dir.file("tone.wav")));
    }
    TNotificationRecord textonly(const char* type) const {
        TNotificationRecord r = everything();
        r.DisplayImage = 0;
        r.PlayAudio = 0;
        r.TextDisplayType = type;
        return r;
    }

    TempFolder dir;
    AppPaths paths;
    Log log;
    RecordingImage full{"full", log}, small{"small", log};
    RecordingText text{log};
    RecordingWallpaper wallpaper{log};
    LoggingTray tray{log};
    RecordingAudio audio{log};
    Dispatcher d{PresentSurfaces{full, small, text, wallpaper, tray, audio}, paths};
};
} // namespace

TEST_F(DispatcherTest, NothingHappensForDurationZeroOrLess) {
    for (int duration : {0, -3}) {
        TNotificationRecord r = everything();
        r.DisplayDuration = duration;
        d.shownotification(r);
        EXPECT_TRUE(log.lines.isEmpty()) << log.lines.join(", ").toStdString();
        EXPECT_TRUE(tray.balloons.isEmpty());
        EXPECT_FALSE(d.popdur->isActive());
    }
    d.popdur->start(7000);
    TNotificationRecord r = everything();
    r.DisplayDuration = 0;
    d.shownotification(r);
    EXPECT_TRUE(d.popdur->isActive()) << "the running display timer is left alone";
    EXPECT_EQ(d.popdur->interval(), 7000);
}

TEST_F(DispatcherTest, TextBalloonAndAudioAtOnceThePictureWhenRead) {
    QSignalSpy started(&d, &Dispatcher::displaystarted);
    d.shownotification(everything());
    const QStringList atonce{"text:styles 000", "text:face Arial 24 #ff0000", "text:start Tea 1",
                             "balloon:Tea", "audio:" + dir.file("tone.wav")};
    EXPECT_EQ(log.lines, atonce);
    settlepictures();
    EXPECT_EQ(log.lines, QStringList(atonce) << "full:picture 40x30"
                                             << "full:announce Tea 0"
                                             << "full:start 1")
        << "the strip told the text; the picture window is named by it, silent";
    EXPECT_EQ(started.count(), 2) << "the late picture has the overlays restacked";
    EXPECT_EQ(tray.balloons, QStringList{"Chimelet Message:|Tea|3000"});
    EXPECT_TRUE(QFile::exists(paths.tmpbmp)) << "the picture goes through tmp.bmp";
    EXPECT_EQ(text.placed, QGuiApplication::primaryScreen()->geometry());
    EXPECT_TRUE(d.popdur->isActive());
    EXPECT_EQ(d.popdur->interval(), 5000);
}

TEST_F(DispatcherTest, TextDisplayTypesDecideOverlayAndBalloon) {
    struct Case {
        const char* type;
        bool overlay, balloon;
    };
    for (const Case& c :
         {Case{codes::BalloonAndOverlay, true, true}, Case{codes::BalloonBubble, false, true},
          Case{codes::DesktopOverlay, true, false}, Case{"", true, false},
          Case{"balloon bubble", true, false}}) {
        log.lines.clear();
        tray.balloons.clear();
        TNotificationRecord r = textonly(c.type);
        r.FontBold = 1;
        r.FontUnderline = 2; // only exactly 1 is on
        d.shownotification(r);
        EXPECT_EQ(log.has("text:start"), c.overlay) << c.type;
        EXPECT_EQ(!tray.balloons.isEmpty(), c.balloon) << c.type;
        EXPECT_EQ(log.has("text:announce Tea"), c.balloon && !c.overlay)
            << c.type << ": a text only in the balloon is told to screen readers all the same";
        EXPECT_EQ(log.lines.value(0), "text:styles 10-")
            << "styles are set for every type; a byte neither 0 nor 1 leaves its style";
        if (c.overlay && c.balloon) {
            EXPECT_LT(log.index("text:start"), log.index("balloon:"));
        }
    }
}

TEST_F(DispatcherTest, NoTextWithoutTheFlagOrAMessage) {
    for (auto change : {+[](TNotificationRecord& r) { r.DisplayText = 0; },
                        +[](TNotificationRecord& r) { r.DisplayText = 2; },
                        +[](TNotificationRecord& r) { r.MessageText.clear(); }}) {
        TNotificationRecord r = textonly(codes::BalloonBubble);
        change(r);
        d.shownotification(r);
    }
    EXPECT_TRUE(log.lines.isEmpty()) << log.lines.join(", ").toStdString();
    EXPECT_TRUE(tray.balloons.isEmpty());
}

TEST_F(DispatcherTest, ImageDisplayTypesDecideTheWindowOrTheWallpaper) {
    const QString pic = dir.file("pic.jpg");
    struct Case {
        const char* type;
        QStringList expect;
    };
    // No text shown: the picture window tells it.
    for (const Case& c : {Case{codes::OverlayFullScreen,
                               {"full:picture 40x30", "full:announce Tea 1", "full:start 1"}},
                          Case{codes::OverlaySmallWindow,
                               {"small:picture 40x30", "small:announce Tea 1", "small:start 1"}},
                          Case{codes::DesktopBackground, {"wallpaper:" + pic + " Stretch"}},
                          Case{"Desktop overlay (small window)", {}}, Case{"", {}}}) {
        log.lines.clear();
        TNotificationRecord r = everything();
        r.DisplayText = 0;
        r.PlayAudio = 0;
        r.ImageDisplayType = c.type;
        d.shownotification(r);
        settlepictures();
        EXPECT_EQ(log.lines, c.expect) << c.type;
    }
}

TEST_F(DispatcherTest, MissingFilesAreSkippedAndTheRestGoesAhead) {
    for (const char* type : {codes::OverlayFullScreen, codes::DesktopBackground}) {
        log.lines.clear();
        TNotificationRecord r = everything();
        r.ImageDisplayType = type;
        r.ImageFile = toansi(dir.file("gone.jpg"));
        r.AudioFile = toansi(dir.file("gone.wav"));
        d.shownotification(r);
        EXPECT_FALSE(log.has("full:") || log.has("wallpaper:")) << type;
        EXPECT_TRUE(log.has("text:start")) << type;
        EXPECT_FALSE(log.has("audio:")) << type;
    }
    log.lines.clear();
    TNotificationRecord r = everything();
    r.DisplayImage = 2;
    r.PlayAudio = 2;
    d.shownotification(r);
    EXPECT_FALSE(log.has("full:"));
    EXPECT_FALSE(log.has("audio:"));
}

TEST_F(DispatcherTest, ARefusedPictureIsToldAndNeverShownTheRestGoesAhead) {
    QSignalSpy refused(&d, &Dispatcher::picturerefused);
    for (const char* type : {codes::OverlayFullScreen, codes::DesktopBackground}) {
        log.lines.clear();
        writebytes(dir.file("broken.jpg"), QByteArray(64, 'z'));
        TNotificationRecord r = everything();
        r.ImageFile = toansi(dir.file("broken.jpg"));
        r.ImageDisplayType = type;
        d.shownotification(r);
        settlepictures();
        EXPECT_FALSE(log.has("full:") || log.has("wallpaper:")) << type;
        EXPECT_TRUE(log.has("text:start") && log.has("balloon:") && log.has("audio:")) << type;
    }
    ASSERT_EQ(refused.count(), 2);
    EXPECT_TRUE(refused[0][0].toString().contains(dir.file("broken.jpg")));

    // Ended before its picture was read: the picture never comes.
    log.lines.clear();
    d.shownotification(everything());
    d.popdurTimer();
    settlepictures();
    EXPECT_FALSE(log.has("full:"));
}

TEST_F(DispatcherTest, AnUnreadableColourRaisesAfterTheImageStarted) {
    TNotificationRecord r = everything();
    r.FontColor = "clNoSuchColour";
    EXPECT_THROW(d.shownotification(r), std::exception);
    settlepictures();
    EXPECT_TRUE(log.has("full:start"));
    EXPECT_FALSE(log.has("text:start"));
    EXPECT_TRUE(tray.balloons.isEmpty());
    EXPECT_FALSE(log.has("audio:"));
}

TEST_F(DispatcherTest, ColourNamesAndNumbers) {
    const QColor bar = QApplication::palette().color(QPalette::Button);
    struct Case {
        const char* text;
        QColor expect;
    };
    for (const Case& c :
         {Case{"clRed", Qt::red}, Case{"clsilver", QColor(192, 192, 192)}, Case{"255", Qt::red},
          Case{"$FF0000", Qt::blue}, Case{"clScrollBar", bar}}) {
        log.lines.clear();
        TNotificationRecord r = textonly(codes::DesktopOverlay);
        r.FontColor = c.text;
        d.shownotification(r);
        EXPECT_TRUE(log.has("text:face Arial 24 " + c.expect.name())) << c.text;
    }
}

TEST_F(DispatcherTest, PictureOfAnotherKindIsShownAsItIs) {
    twocolours(12, 8).save(dir.file("pic.png"), "PNG");
    TNotificationRecord r = everything();
    r.ImageFile = toansi(dir.file("pic.png"));
    r.ImageDisplayType = codes::OverlaySmallWindow;
    d.shownotification(r);
    settlepictures();
    EXPECT_TRUE(log.has("small:picture 12x8"));
}

TEST_F(DispatcherTest, DisplayTimerReArmRules) {
    TNotificationRecord r = textonly(codes::DesktopOverlay);
    r.DisplayDuration = 3;
    d.shownotification(r);
    ASSERT_EQ(d.popdur->interval(), 3000);
    QTest::qWait(120);
    d.shownotification(r); // same duration: the count goes on
    EXPECT_LE(d.popdur->remainingTime(), 2900);

    r.DisplayDuration = 4; // different: counts afresh
    d.shownotification(r);
    EXPECT_EQ(d.popdur->interval(), 4000);
    EXPECT_GT(d.popdur->remainingTime(), 3900);

    d.popdurTimer();
    EXPECT_FALSE(d.popdur->isActive());
    d.shownotification(r); // stopped: starts from now with the same interval
    EXPECT_TRUE(d.popdur->isActive());
    EXPECT_GT(d.popdur->remainingTime(), 3900);
}

TEST_F(DispatcherTest, EndingADisplayEndsShowingWindowsAndWithdrawsTheBalloon) {
    d.shownotification(everything());
    settlepictures();
    ASSERT_FALSE(tray.balloontext().isEmpty());
    log.lines.clear();
    d.popdurTimer();
    EXPECT_EQ(log.lines, (QStringList{"full:end", "text:end"})) << "small was not showing";
    EXPECT_TRUE(tray.balloontext().isEmpty());
    EXPECT_EQ(tray.withdrawn, 1);
    EXPECT_FALSE(d.popdur->isActive());

    // Nothing showing and no balloon: only the timer stops.
    full.showing = text.showing = false;
    log.lines.clear();
    d.popdur->start(1000);
    d.popdurTimer();
    EXPECT_TRUE(log.lines.isEmpty());
    EXPECT_EQ(tray.withdrawn, 1);
    EXPECT_FALSE(d.popdur->isActive());
}
