#include "readers/imageconvert.h"
#include "readers/pictureloader.h"
#include "readers/wmfrender.h"
#include "store/ioerror.h"
#include "support/tempfolder.h"
#include "support/testpictures.h"

#include <QImageReader>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {
// Bits per pixel from a BMP file's info header.
int bmpbitcount(const QByteArray& bmp) {
    if (bmp.size() < 30 || !bmp.startsWith("BM")) return -1;
    return uint8_t(bmp[28]) | (uint8_t(bmp[29]) << 8);
}

bool near(QRgb a, QRgb b, int tolerance = 12) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// The test program lives below the build folder; the helper sits at its top.
const bool helperfound = [] {
    setmetafilehelper(QStringLiteral(CHIMELET_HELPER_DIR "/") + QLatin1String(kMetafileHelperName));
    return true;
}();

class ImageConversion : public ::testing::Test {
protected:
    TempFolder dir;
    QString target = dir.file(QStringLiteral("tmp.bmp"));
};
} // namespace

TEST(PictureKind, IsToldByTheLowerCasedEnding) {
    EXPECT_EQ(picturekind("a/photo.JPG"), PictureKind::Jpeg);
    EXPECT_EQ(picturekind("photo.JpEg"), PictureKind::Jpeg);
    EXPECT_EQ(picturekind("x.bmp"), PictureKind::Bitmap);
    EXPECT_EQ(picturekind("x.WMF"), PictureKind::Metafile);
    EXPECT_EQ(picturekind("x.png"), PictureKind::Other);
    EXPECT_EQ(picturekind("jpg"), PictureKind::Jpeg) << "the last characters decide";
    EXPECT_EQ(picturekind(""), PictureKind::Other);
}

TEST_F(ImageConversion, JpegBecomesAFullSize24BitBitmapWhateverTheCase) {
    for (const char* name : {"photo.jpg", "PHOTO.JPG", "photo.Jpeg"}) {
        const QString source = dir.file(name);
        ASSERT_TRUE(twocolours(64, 40).save(source, "JPG", 95));
        QFile::remove(target);
        imagetobitmap(source, target);
        const QByteArray bmp = readbytes(target);
        EXPECT_EQ(bmpbitcount(bmp), 24) << name;
        const QImage out = QImage::fromData(bmp, "BMP");
        ASSERT_EQ(out.size(), QSize(64, 40)) << name;
        EXPECT_TRUE(near(out.pixel(8, 20), qRgb(220, 0, 0))) << name;
        EXPECT_TRUE(near(out.pixel(56, 20), qRgb(0, 0, 220))) << name;
    }
}

TEST_F(ImageConversion, GreyscaleJpegComesOutInColourFormat) {
    QImage grey(20, 10, QImage::Format_Grayscale8);
    grey.fill(100);
    const QString source = dir.file("grey.jpg");
    ASSERT_TRUE(grey.save(source, "JPG", 100));
    imagetobitmap(source, target);
    EXPECT_EQ(bmpbitcount(readbytes(target)), 24);
    EXPECT_TRUE(near(QImage(target).pixel(5, 5), qRgb(100, 100, 100), 3));
}

TEST_F(ImageConversion, BitmapIsSavedAgainUnchanged) {
    QImage img(7, 5, QImage::Format_RGB32);
    img.fill(qRgb(1, 2, 3));
    img.setPixel(6, 4, qRgb(200, 100, 50));
    const QString source = dir.file("pic.BMP");
    ASSERT_TRUE(img.save(source, "BMP"));
    imagetobitmap(source, target);
    const QImage out(target);
    ASSERT_EQ(out.size(), img.size());
    EXPECT_EQ(out.pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(out.pixel(6, 4), qRgb(200, 100, 50));
}

TEST_F(ImageConversion, MetafileIsDrawnAtItsOwnFrameWithFilledShapes) {
    // 2 x 1 inches at 1000 units per inch: 192 x 96 pixels. The drawing covers only
    // part of the frame, so a size taken from the drawing would be wrong.
    WmfWriter wmf(2000, 1000, 1000);
    wmf.brush(0x000000ff); // red
    wmf.rectangle(100, 100, 500, 500);
    wmf.brush(0x0000ff00); // green
    wmf.ellipse(1200, 300, 1800, 900);
    const QString source = dir.file("drawing.wmf");
    writebytes(source, wmf.finish());

    imagetobitmap(source, target);
    const QImage out(target);
    ASSERT_EQ(out.size(), QSize(192, 96));
    EXPECT_EQ(out.pixel(29, 29), qRgb(255, 0, 0)) << "rectangle at its place";
    EXPECT_EQ(out.pixel(144, 58), qRgb(0, 255, 0)) << "ellipse filled with its brush";
    EXPECT_EQ(out.pixel(190, 5), qRgb(255, 255, 255)) << "undrawn frame stays white";
    EXPECT_EQ(out.pixel(5, 90), qRgb(255, 255, 255));
}

TEST_F(ImageConversion, OtherPicturesAreConvertedUnknownKindsLeaveTheTarget) {
    writebytes(target, "old");
    const QString unknown = dir.file("pic.xyz");
    ASSERT_TRUE(twocolours(4, 4).save(unknown, "PNG"));
    imagetobitmap(unknown, target);
    EXPECT_EQ(readbytes(target), QByteArray("old"));

    const QString png = dir.file("pic.png");
    ASSERT_TRUE(twocolours(4, 4).save(png, "PNG"));
    imagetobitmap(png, target);
    EXPECT_EQ(QImage(target).pixel(0, 0), qRgb(220, 0, 0));
}

TEST_F(ImageConversion, AJpegMissingOnlyItsEndMarkerIsShownWithTheSamePixels) {
    const QString whole = dir.file("whole.jpg");
    ASSERT_TRUE(twocolours(64, 48).save(whole, "JPG", 80));
    const QByteArray bytes = readbytes(whole);
    ASSERT_TRUE(bytes.endsWith("\xff\xd9"));
    const QString cut = dir.file("cut.jpg");
    writebytes(cut, bytes.left(bytes.size() - 2));
    EXPECT_EQ(loadpicture(cut), loadpicture(whole));
}

TEST_F(ImageConversion, DamagedFilesRaiseAndKeepTheTarget) {
    const QByteArray goodjpeg = [&] {
        const QString p = dir.file("good.jpg");
        twocolours(200, 150).save(p, "JPG", 90);
        return readbytes(p);
    }();
    WmfWriter wmf(100, 100, 96);
    wmf.rectangle(0, 0, 50, 50);
    const QByteArray goodwmf = wmf.finish();

    struct Case {
        const char* name;
        QByteArray bytes;
        const char* why = "";
    };
    // Headers that ask for gigabytes: 65,000 x 9,000 pixels, a record as large as
    // the address space.
    QByteArray hugejpeg = goodjpeg;
    const qsizetype sof = hugejpeg.indexOf("\xff\xc0");
    ASSERT_GT(sof, 0);
    hugejpeg[sof + 5] = char(9000 >> 8), hugejpeg[sof + 6] = char(9000 & 0xff);
    hugejpeg[sof + 7] = char(65000 >> 8), hugejpeg[sof + 8] = char(65000 & 0xff);
    QByteArray hugewmf = goodwmf;
    hugewmf[22 + 15] = '\x7f';
    QByteArray hugebmp = readbytes([&] {
        const QString p = dir.file("small.bmp");
        twocolours(4, 4).save(p, "BMP");
        return p;
    }());
    hugebmp[19] = hugebmp[23] = '\x7f';

    const Case cases[] = {
        {"claims65000x9000.jpg", hugejpeg, "too large"},
        {"hugemaxrecord.wmf", hugewmf, "bigger than the file"},
        {"claims.bmp", hugebmp},
        {"garbage.jpg", QByteArray(500, 'x')},
        {"truncated.jpg", goodjpeg.left(goodjpeg.size() / 2)},
        {"headeronly.jpg", goodjpeg.left(20)},
        {"empty.jpeg", QByteArray()},
        {"garbage.bmp", QByteArray("BM") + QByteArray(100, '\x7f')},
        {"garbage.wmf", QByteArray(300, '\x55')},
        {"truncated.wmf", goodwmf.left(30)},
        {"empty.wmf", QByteArray()},
    };
    for (const Case& c : cases) {
        const QString source = dir.file(c.name);
        writebytes(source, c.bytes);
        writebytes(target, "old");
        try {
            imagetobitmap(source, target);
            ADD_FAILURE() << c.name << " was accepted";
        } catch (const IoError& e) {
            EXPECT_TRUE(QString::fromStdString(e.what()).contains(source)) << e.what();
            EXPECT_TRUE(QString::fromStdString(e.what()).contains(c.why)) << e.what();
        }
        EXPECT_EQ(readbytes(target), QByteArray("old")) << c.name;
    }
    EXPECT_THROW(imagetobitmap(dir.file("missing.jpg"), target), IoError);

    // Not files: reading them would wait for a writer or never end.
    const QString fifo = dir.file("fifo.jpg"), zero = dir.file("zero.bmp");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", zero));
    for (const QString& source : {fifo, zero}) {
        EXPECT_THROW(imagetobitmap(source, target), IoError);
        EXPECT_THROW(loadpicture(source), IoError);
    }
    EXPECT_EQ(readbytes(target), QByteArray("old"));
}

TEST_F(ImageConversion, AMetafileWithAHugePenIsDrawnAtItsSize) {
    WmfWriter wmf(22, 17, 96);
    wmf.pen(0, 65534);
    wmf.ellipse(1, 1, 20, 15);
    wmf.rectangle(2, 2, 18, 14);
    const QString source = dir.file("pen.wmf");
    writebytes(source, wmf.finish());
    EXPECT_EQ(loadpicture(source).size(), QSize(22, 17));
}

TEST_F(ImageConversion, UnwritableTargetRaises) {
    const QString source = dir.file("p.bmp");
    ASSERT_TRUE(twocolours(4, 4).save(source, "BMP"));
    EXPECT_THROW(imagetobitmap(source, dir.file("no/such/folder/tmp.bmp")), IoError);
}

TEST_F(ImageConversion, LoaderReadsTheConvertedKindsAndWhatQtReads) {
    const QString jpg = dir.file("a.JPEG");
    twocolours(30, 20).save(jpg, "JPG");
    EXPECT_EQ(loadpicture(jpg).size(), QSize(30, 20));

    WmfWriter wmf(96, 48, 96);
    wmf.rectangle(0, 0, 10, 10);
    const QString meta = dir.file("m.wmf");
    writebytes(meta, wmf.finish());
    EXPECT_EQ(loadpicture(meta).size(), QSize(96, 48));

    const QString png = dir.file("p.png");
    twocolours(5, 6).save(png, "PNG");
    EXPECT_EQ(loadpicture(png).size(), QSize(5, 6));

    const QString broken = dir.file("b.png");
    writebytes(broken, "nope");
    EXPECT_THROW(loadpicture(broken), IoError);
}

TEST(MetafileHelper, AChildThatRunsLongOrFailsIsRefused) {
    const QString helper = metafilehelper();
    WmfWriter wmf(10, 10, 96);
    const QByteArray bytes = wmf.finish();
    // Stand-ins for a helper stuck in a damaged file and one that dies: the first
    // argument, the file's name, makes sleep wait ten seconds.
    setmetafilehelper("/bin/sleep");
    try {
        renderwmf(bytes, "10");
        ADD_FAILURE() << "a child that does not end was waited for";
    } catch (const IoError& e) {
        EXPECT_TRUE(QString(e.what()).contains("too long")) << e.what();
    }
    setmetafilehelper("/bin/false");
    EXPECT_THROW(renderwmf(bytes, "x.wmf"), IoError);
    setmetafilehelper(helper);
    EXPECT_EQ(renderwmf(bytes, "x.wmf").size(), QSize(10, 10));
}
