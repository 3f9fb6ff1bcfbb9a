#include "present/presentation.h"

#include "present/fsimage.h"
#include "present/mp3r.h"
#include "present/picturebox.h"
#include "present/puimage.h"
#include "present/txtbx.h"
#include "store/ansitext.h"
#include "store/apppaths.h"
#include "support/fakeplatform.h"
#include "support/picturejobs.h"
#include "support/samplerecord.h"
#include "support/tempfolder.h"
#include "support/testpictures.h"

#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
// The real windows and player behind one dispatcher, as the program wires them.
class PresentationTest : public ::testing::Test {
protected:
    PresentationTest() {
        paths = AppPaths::beside(dir.path() + "/", dir.path());
        twocolours(64, 48).save(dir.file("pic.jpg"), "JPG");
        writebytes(dir.file("tone.wav"), makewav(400));
    }
    TNotificationRecord firing(const char* imagetype) const {
        return SampleRecord("Tea")
            .lasting(2)
            .picture(toansi(dir.file("pic.jpg")), imagetype, codes::Tile)
            .text(codes::BalloonAndOverlay, "DejaVu Sans", 20, "clBlue")
            .fading()
            .sound(toansi(dir.file("tone.wav")));
    }

    TempFolder dir;
    AppPaths paths;
    FakeTray tray;
    FakeDesktopWallpaper desktop;
    TForm3 full;
    TForm4 small;
    TForm5 text;
    FakeAudio sound;
    TForm6 audio{sound};
    Presentation p{full, small, text, audio, tray, desktop, paths};
};
} // namespace

TEST_F(PresentationTest, AFiringShowsEverythingAndAClickEndsTheDisplayButNotTheSound) {
    p.dispatcher().shownotification(firing(codes::OverlayFullScreen));
    settlepictures();
    EXPECT_TRUE(full.isVisible());
    EXPECT_EQ(full.Image1->picture().size(), QSize(64, 48));
    EXPECT_TRUE(text.isVisible());
    EXPECT_EQ(text.text(), "Tea");
    EXPECT_FALSE(small.isVisible());
    EXPECT_EQ(tray.balloons, QStringList{"Chimelet Message:|Tea|3000"});
    EXPECT_TRUE(audio.mp3player.isplaying());

    QTest::mouseClick(full.Image1, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(tray.balloontext().isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !full.isVisible() && !text.isVisible(); }, 3000));
    EXPECT_TRUE(p.dispatcher().popdur->isActive()) << "a click leaves the display timer";
    EXPECT_EQ(audio.mp3player.FileName, dir.file("tone.wav"));
}

namespace {
// Notes the order in which the overlays are raised.
struct RaiseLog : QObject {
    QStringList order;
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::ZOrderChange) order << watched->objectName();
        return false;
    }
};
} // namespace

TEST_F(PresentationTest, ANewPictureNeverCoversTheTextStillShowing) {
    RaiseLog log;
    for (auto [w, name] :
         {std::pair<QWidget*, const char*>{&full, "full"}, {&small, "small"}, {&text, "text"}}) {
        w->setObjectName(name);
        w->installEventFilter(&log);
    }
    p.dispatcher().shownotification(firing(codes::OverlaySmallWindow));
    settlepictures();
    TNotificationRecord picture = firing(codes::OverlayFullScreen);
    picture.DisplayText = 0; // the strip of the first firing stays up
    p.dispatcher().shownotification(picture);
    settlepictures();
    ASSERT_TRUE(full.isVisible() && small.isVisible() && text.isVisible());
    EXPECT_EQ(log.order.mid(log.order.lastIndexOf("full")), (QStringList{"full", "small", "text"}))
        << log.order.join(' ').toStdString();
}
