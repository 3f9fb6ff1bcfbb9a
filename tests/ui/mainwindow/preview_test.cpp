#include "mainfixture.h"

#include "present/picturebox.h"
#include "readers/wmfrender.h"
#include "support/picturejobs.h"
#include "support/testpictures.h"
#include "ui/mainwindow/preview.h"
#include "ui/widgets/picturepane.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QTimer>

namespace {

struct Preview : MainWindowFixture {
    QString picture(const char* name) {
        QImage img(40, 20, QImage::Format_RGB32);
        img.fill(Qt::darkCyan);
        const QString path = tmp.file(name);
        EXPECT_TRUE(img.save(path));
        return path;
    }
    int withimage(const QString& path, uint8_t display = 1) {
        TNotificationRecord rec = note("Look", 10);
        rec.ImageFile = path.toStdString();
        rec.DisplayImage = display;
        return add(rec);
    }
    QColor textcolor() const { return form->StaticText2->palette().color(QPalette::WindowText); }
};

TEST_F(Preview, TextTakesTheNotificationsFontAtAFifthOfItsSize) {
    TNotificationRecord rec = note("Drink <b>water</b>", 10);
    rec.FontSize = 64;
    rec.FontColor = "clRed";
    rec.FontBold = 1;
    rec.FontItalic = 1;
    rec.FontUnderline = 0;
    form->showpreview(add(rec));
    QFont f = form->StaticText2->font();
    EXPECT_EQ(f.pointSize(), 12);
    EXPECT_EQ(f.family(), "DejaVu Sans");
    EXPECT_TRUE(f.bold());
    EXPECT_TRUE(f.italic());
    EXPECT_FALSE(f.underline());
    EXPECT_EQ(textcolor(), QColor(Qt::red));
    // The message is shown as typed, not read as markup.
    EXPECT_EQ(form->StaticText2->text(), "Drink <b>water</b>");
    EXPECT_EQ(form->StaticText2->textFormat(), Qt::PlainText);

    // 0 takes a style away, any other value than 0 or 1 leaves it as it was.
    rec.FontBold = 0;
    rec.FontItalic = 7;
    rec.FontUnderline = 1;
    rec.FontSize = 99;
    rec.FontColor = "clLime";
    form->showpreview(add(rec));
    f = form->StaticText2->font();
    EXPECT_EQ(f.pointSize(), 19);
    EXPECT_FALSE(f.bold());
    EXPECT_TRUE(f.italic());
    EXPECT_TRUE(f.underline());
    EXPECT_EQ(textcolor(), QColor(Qt::green));
}

TEST_F(Preview, TextIsLeftEmptyWhenNotDisplayedOrEmpty) {
    TNotificationRecord hidden = note("Secret", 10);
    hidden.DisplayText = 2;
    form->showpreview(add(note("Shown", 5)));
    ASSERT_EQ(form->StaticText2->text(), "Shown");
    form->showpreview(add(hidden));
    EXPECT_TRUE(form->StaticText2->text().isEmpty());
    form->showpreview(add(note("", 5)));
    EXPECT_TRUE(form->StaticText2->text().isEmpty());
}

TEST_F(Preview, PictureShownOnlyWhenWantedPresentAndReadable) {
    const QString good = picture("good.png");
    form->showpreview(withimage(good));
    settlepictures();
    ASSERT_FALSE(form->Image1->picture().isNull());
    EXPECT_EQ(form->Image1->picture().size(), QSize(40, 20));

    form->showpreview(withimage(good, 0));
    settlepictures();
    EXPECT_TRUE(form->Image1->picture().isNull());

    form->showpreview(withimage(good));
    settlepictures();
    form->showpreview(withimage(tmp.file("missing.jpg")));
    settlepictures();
    EXPECT_TRUE(form->Image1->picture().isNull());

    const QString damaged = tmp.file("damaged.jpg");
    writebytes(damaged, "\xff\xd8\xff\xe0 this is no picture");
    form->showpreview(withimage(good));
    settlepictures();
    form->showpreview(withimage(damaged));
    settlepictures();
    EXPECT_TRUE(form->Image1->picture().isNull());

    // A folder of that name is no picture either.
    form->showpreview(withimage(tmp.path()));
    settlepictures();
    EXPECT_TRUE(form->Image1->picture().isNull());
    EXPECT_TRUE(fake.dialogs.messages.isEmpty());
}

TEST_F(Preview, MinusOneEmptiesThePanel) {
    form->showpreview(withimage(picture("p.png")));
    settlepictures();
    ASSERT_FALSE(form->StaticText2->text().isEmpty());
    form->showpreview(-1);
    EXPECT_TRUE(form->StaticText2->text().isEmpty());
    EXPECT_TRUE(form->Image1->picture().isNull());
}

TEST_F(Preview, TheTextLineIs303By28AtThePanelsBottomAtAnySize) {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    const auto gap = [this] {
        return form->Panel3->height() - form->StaticText2->geometry().bottom();
    };
    const int before = gap();
    for (QSize size : {QSize(900, 820), QSize(652, 659)}) {
        form->resize(size);
        QApplication::processEvents();
        EXPECT_EQ(form->StaticText2->size(), QSize(303, 28));
        EXPECT_EQ(gap(), before) << "anchored to the bottom";
    }
}

TEST(PicturePaneFit, KeepsProportionsAndCentres) {
    const QRect area(0, 0, 191, 145);
    EXPECT_EQ(fittedrect({400, 100}, area), QRect(0, 49, 191, 47));
    EXPECT_EQ(fittedrect({10, 20}, area), QRect(59, 0, 72, 145));
    EXPECT_TRUE(fittedrect({0, 0}, area).isNull());
}

} // namespace

TEST_F(Preview, TheWindowAnswersWhileAMetafileTakesTwoSecondsToDraw) {
    // A helper that thinks for two seconds before drawing, as a damaged file may make it.
    const QString helper = metafilehelper();
    const QString slow = tmp.file("slow-helper");
    writebytes(slow, "#!/bin/sh\nsleep 2\nexec '" CHIMELET_HELPER_DIR "/chimelet-wmf' \"$@\"\n");
    QFile::setPermissions(slow, QFile::ReadOwner | QFile::ExeOwner);
    setmetafilehelper(slow);
    WmfWriter wmf(40, 20, 96);
    wmf.rectangle(0, 0, 20, 10);
    const QString meta = tmp.file("drawing.wmf");
    writebytes(meta, wmf.finish());

    bool answered = false, pictureyet = false;
    QTimer::singleShot(0, form.get(), [&] {
        answered = true;
        pictureyet = !form->Image1->picture().isNull();
    });
    form->showpreview(withimage(meta));
    EXPECT_EQ(form->StaticText2->text(), "Look") << "the text does not wait for the picture";
    QTRY_VERIFY(answered);
    EXPECT_FALSE(pictureyet) << "the window answered only after the picture was drawn";
    QTRY_COMPARE_WITH_TIMEOUT(form->Image1->picture().size(), QSize(40, 20), 10000);
    setmetafilehelper(helper);
}
