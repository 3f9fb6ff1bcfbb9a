#include "present/wallpaper.h"

#include "store/apppaths.h"
#include "store/ioerror.h"
#include "support/fakeplatform.h"
#include "support/tempfolder.h"
#include "support/testpictures.h"

#include <gtest/gtest.h>

TEST(WallpaperStyle, TextsGiveTheTileAndStyleNumbers) {
    EXPECT_EQ(wallpaperstyle("Center"), (WallpaperStyleValues{0, 0}));
    EXPECT_EQ(wallpaperstyle("Tile"), (WallpaperStyleValues{1, 0}));
    EXPECT_EQ(wallpaperstyle("Stretch"), (WallpaperStyleValues{0, 2}));
    for (const char* other : {"", "center", "STRETCH", "tile ", "Zoom"})
        EXPECT_EQ(wallpaperstyle(other), (WallpaperStyleValues{0, 0})) << other;

    EXPECT_EQ(placementfor({0, 0}), WallpaperPlacement::Centered);
    EXPECT_EQ(placementfor({1, 0}), WallpaperPlacement::Tiled);
    EXPECT_EQ(placementfor({0, 2}), WallpaperPlacement::Stretched);
}

class WallpaperTest : public ::testing::Test {
protected:
    WallpaperTest() { paths = AppPaths::beside(dir.path() + "/", dir.path()); }
    TempFolder dir;
    AppPaths paths;
    FakeDesktopWallpaper desktop;
    Wallpaper wallpaper{paths, desktop};
};

TEST_F(WallpaperTest, PictureBecomesTheBitmapBesideTheProgramThenTheWallpaper) {
    const QString jpeg = dir.file("first.JPEG");
    ASSERT_TRUE(twocolours(30, 20).save(jpeg, "JPG"));
    wallpaper.setwallpaper(wallpaper.makebitmap(jpeg), "Tile");
    ASSERT_EQ(desktop.changes.size(), 1);
    EXPECT_EQ(desktop.changes[0].bitmap, paths.wallpaperbmp);
    EXPECT_TRUE(paths.wallpaperbmp.endsWith("/Chimelet Background.bmp"));
    EXPECT_EQ(desktop.changes[0].placement, WallpaperPlacement::Tiled);
    EXPECT_TRUE(readbytes(paths.wallpaperbmp).startsWith("BM"));

    // The next wallpaper overwrites the same bitmap.
    const QString bmp = dir.file("second.bmp");
    QImage second(9, 9, QImage::Format_RGB32);
    second.fill(Qt::green);
    ASSERT_TRUE(second.save(bmp, "BMP"));
    wallpaper.setwallpaper(wallpaper.makebitmap(bmp), "Stretch");
    EXPECT_EQ(QImage(paths.wallpaperbmp).size(), QSize(9, 9));
    EXPECT_EQ(desktop.changes.last().placement, WallpaperPlacement::Stretched);
}

TEST_F(WallpaperTest, ConversionErrorsRaiseBeforeTheDesktopIsTouched) {
    const QString broken = dir.file("broken.jpg");
    writebytes(broken, "not a jpeg");
    EXPECT_THROW(wallpaper.setwallpaper(wallpaper.makebitmap(broken), "Center"), IoError);
    EXPECT_TRUE(desktop.changes.isEmpty());
    EXPECT_FALSE(QFile::exists(paths.wallpaperbmp));
}

TEST_F(WallpaperTest, ARefusingDesktopIsNotReported) {
    desktop.refuse = true;
    const QString bmp = dir.file("pic.bmp");
    ASSERT_TRUE(twocolours(4, 4).save(bmp, "BMP"));
    EXPECT_NO_THROW(wallpaper.setwallpaper(wallpaper.makebitmap(bmp), "Center"));
    EXPECT_NO_THROW(wallpaper.setwallpaper(dir.file("missing.bmp"), "Tile"));
}

TEST_F(WallpaperTest, OtherPictureKindsStillGiveABitmap) {
    writebytes(paths.wallpaperbmp, "stale");
    const QString png = dir.file("pic.png");
    ASSERT_TRUE(twocolours(6, 3).save(png, "PNG"));
    wallpaper.setwallpaper(wallpaper.makebitmap(png), "Center");
    EXPECT_EQ(QImage(paths.wallpaperbmp).size(), QSize(6, 3));
    ASSERT_EQ(desktop.changes.size(), 1);

    writebytes(dir.file("text.txt"), "hello");
    EXPECT_THROW(wallpaper.setwallpaper(wallpaper.makebitmap(dir.file("text.txt")), "Center"),
                 IoError);
    EXPECT_EQ(desktop.changes.size(), 1);
}
