#include "neditfixture.h"

#include "store/ansitext.h"
#include "support/picturejobs.h"
#include "ui/widgets/filechoice.h"
#include "ui/widgets/picturepane.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTest>

namespace {

struct EditorPickers : EditorFixture {
    void SetUp() override {
        EditorFixture::SetUp();
        editor->makenew();
    }
    void answer(const QString& path) { fake.dialogs.openAnswers.push_back(path); }
    QString picture(const QString& name, const char* format) {
        const QString path = tmp.file(name);
        QImage image(64, 32, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        EXPECT_TRUE(image.save(path, format));
        return path;
    }
    QByteArray tmpbmp() const { return readbytes(g.paths.tmpbmp); }
    void refused(QLineEdit* edit, const char* what) {
        EXPECT_EQ(edit->text(), "") << what;
        EXPECT_EQ(messages(), QStringList{"Error: Invalid File."}) << what;
        messages().clear();
    }
};

} // namespace

TEST_F(EditorPickers, UpperCaseJpegIsConvertedAndShown) {
    const QString jpeg = picture("HOLIDAY.JPG", "JPG");
    answer(jpeg);
    editor->BitBtn3Click();
    settlepictures();
    EXPECT_EQ(editor->Edit2->text(), jpeg);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_TRUE(tmpbmp().startsWith("BM")) << "the scratch file is a bitmap";
    EXPECT_EQ(editor->Image1->picture().size(), QSize(64, 32));
    ASSERT_EQ(fake.dialogs.asked.size(), 1);
    EXPECT_EQ(fake.dialogs.asked[0].folder, g.paths.docfolder);

    editor->BitBtn8Click();
    EXPECT_EQ(editor->Edit2->text(), "");
    EXPECT_TRUE(editor->Image1->picture().isNull());
}

TEST_F(EditorPickers, AnyLanguageIsKeptUnusableImagesAreRefused) {
    answer(picture("good.bmp", "BMP"));
    editor->BitBtn3Click();
    settlepictures();
    const QByteArray scratch = tmpbmp();
    ASSERT_FALSE(scratch.isEmpty());

    const QString broken = tmp.file("broken.jpg");
    writebytes(broken, "this is no jpeg at all");
    answer(broken);
    editor->BitBtn3Click();
    settlepictures();
    refused(editor->Edit2, "undecodable");
    EXPECT_TRUE(editor->Image1->picture().isNull()) << "no picture without a path";

    answer(tmp.file("missing.jpg"));
    editor->BitBtn3Click();
    settlepictures();
    refused(editor->Edit2, "missing");

    // No picture type the program knows, so the old scratch picture would be on show.
    const QString other = tmp.file("drawing.xyz");
    QFile::copy(picture("drawing.png", "PNG"), other);
    answer(other);
    editor->BitBtn3Click();
    settlepictures();
    refused(editor->Edit2, "other kind");
    EXPECT_EQ(tmpbmp(), scratch);

    // A PNG, the usual picture here, goes through the scratch bitmap like the rest.
    QFile::remove(g.paths.tmpbmp);
    answer(picture("photo.png", "PNG"));
    editor->BitBtn3Click();
    settlepictures();
    EXPECT_EQ(editor->Edit2->text(), tmp.file("photo.png"));
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_TRUE(tmpbmp().startsWith("BM"));
    EXPECT_EQ(editor->Image1->picture().size(), QSize(64, 32));

    // Folders and names in any language are kept as chosen.
    ASSERT_TRUE(QDir().mkpath(tmp.file("Документы/日本")));
    const QString photo = picture("Документы/日本/写真 ☕.bmp", "BMP");
    answer(photo);
    editor->BitBtn3Click();
    settlepictures();
    EXPECT_EQ(editor->Edit2->text(), photo);
    EXPECT_EQ(editor->Image1->picture().size(), QSize(64, 32));
    const QString song = tmp.file("Документы/日本/песня.wav");
    writebytes(song, {});
    answer(song);
    editor->BitBtn4Click();
    EXPECT_EQ(editor->Edit3->text(), song);
    EXPECT_TRUE(messages().isEmpty());
    editor->BitBtn1Click();
    EXPECT_EQ(fromansi(stored(1).ImageFile), photo);
    EXPECT_EQ(fromansi(stored(1).AudioFile), song);

    // The record could not hold this path whole (fewer than 255 characters, but more
    // than 255 bytes), so it would point nowhere.
    const QString deep = tmp.file(QString(130, QChar(0x0416))) + "/e.bmp";
    QDir().mkpath(QFileInfo(deep).path());
    QImage(4, 4, QImage::Format_RGB32).save(deep, "BMP");
    ASSERT_LT(deep.size(), 255);
    answer(deep);
    editor->BitBtn3Click();
    settlepictures();
    refused(editor->Edit2, "longer than 255");
}

TEST_F(EditorPickers, ClicksOpenThePickersAndCancelChangesNothing) {
    editor->Edit2->setText("/pictures/kept.jpg");
    editor->Edit3->setText("/sounds/kept.wav");
    QTest::mouseClick(editor->Edit2, Qt::LeftButton);
    QTest::mouseClick(editor->Image1, Qt::LeftButton);
    QTest::mouseClick(editor->Edit3, Qt::LeftButton);
    QTest::mouseClick(editor->Edit2, Qt::RightButton);
    ASSERT_EQ(fake.dialogs.asked.size(), 3);
    // The picker's first choice is the usual four kinds; the others follow, each its own.
    const QStringList filters = fake.dialogs.asked[0].filter.split(";;");
    for (const char* kind : {"*.jpg", "*.jpeg", "*.bmp", "*.wmf"})
        EXPECT_TRUE(filters[0].contains(kind)) << kind;
    EXPECT_FALSE(filters[0].contains("*.png"));
    EXPECT_EQ(filters.filter("(*.png)").size(), 1);
    EXPECT_EQ(fake.dialogs.asked[1].filter, fake.dialogs.asked[0].filter);
    EXPECT_EQ(fake.dialogs.asked[2].filter, kAudioFilter);
    for (const FileDialogSetup& setup : fake.dialogs.asked)
        EXPECT_TRUE(setup.showHidden) << "both pickers show hidden files";
    EXPECT_EQ(editor->Edit2->text(), "/pictures/kept.jpg");
    EXPECT_EQ(editor->Edit3->text(), "/sounds/kept.wav");
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(EditorPickers, AudioIsChosenPlayedStoppedAndCleared) {
    const QString chime = tmp.file("chime.wav");
    writebytes(chime, {});
    answer(chime);
    editor->BitBtn4Click();
    EXPECT_EQ(editor->Edit3->text(), chime);

    editor->BitBtn6Click();
    EXPECT_EQ(audio.calls.mid(audio.calls.size() - 2), (QStringList{"open " + chime, "play"}));

    // Choosing another file stops what plays first.
    audio.calls.clear();
    answer(tmp.file("gone.mp3"));
    editor->BitBtn4Click();
    EXPECT_EQ(audio.calls, QStringList{"stop"});
    refused(editor->Edit3, "missing");

    editor->Edit3->setText(chime);
    editor->BitBtn6Click();
    audio.calls.clear();
    editor->BitBtn7Click();
    EXPECT_EQ(audio.calls, QStringList{"stop"});
    editor->BitBtn9Click();
    EXPECT_EQ(editor->Edit3->text(), "");
    EXPECT_FALSE(audio.opened);

    // Nothing to play, nothing open to stop: nothing happens and nothing is said.
    audio.calls.clear();
    editor->BitBtn6Click();
    editor->BitBtn7Click();
    EXPECT_TRUE(audio.calls.isEmpty());
    EXPECT_TRUE(messages().isEmpty());
}
