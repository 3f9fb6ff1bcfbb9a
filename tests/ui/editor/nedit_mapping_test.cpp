#include "neditfixture.h"

#include "store/ansitext.h"

#include <QCheckBox>
#include <QFontDatabase>

namespace {
using EditorMapping = EditorFixture;

// Every field a value of its own: texts and numbers that differ, every choice away from
// the new Notification's and from its neighbours', flags alternating down the record.
TNotificationRecord distinct(uint8_t on, uint8_t off) {
    TNotificationRecord r;
    r.MessageText = "message";
    r.DisplayText = on;
    r.TextDisplayType = codes::DesktopOverlay;
    r.FontName = toansi(QFontDatabase::families().value(1));
    r.FontSize = 17;
    r.FontColor = "clNavy";
    r.FontItalic = off;
    r.FontBold = on;
    r.FontUnderline = off;
    r.ImageFile = "/pictures/image.jpg";
    r.DisplayImage = on;
    r.ImageDisplayType = codes::OverlayFullScreen;
    r.WallpaperStyle = codes::Tile;
    r.AudioFile = "/sounds/audio.wav";
    r.PlayAudio = off;
    r.TimerType = codes::CertainTime;
    r.Hours = 13;
    r.Minutes = 27;
    r.Seconds = 41;
    r.RepeatFlag = on;
    r.DisplayDuration = 9;
    r.Fade = off;
    return r;
}

struct Flag {
    uint8_t TNotificationRecord::*field;
    QCheckBox* TForm2::*box;
};
const Flag kFlags[] = {
    {&TNotificationRecord::DisplayText, &TForm2::CheckBox2},
    {&TNotificationRecord::FontItalic, &TForm2::CheckBox5},
    {&TNotificationRecord::FontBold, &TForm2::CheckBox4},
    {&TNotificationRecord::FontUnderline, &TForm2::CheckBox6},
    {&TNotificationRecord::DisplayImage, &TForm2::CheckBox1},
    {&TNotificationRecord::PlayAudio, &TForm2::CheckBox3},
    {&TNotificationRecord::RepeatFlag, &TForm2::CheckBox7},
    {&TNotificationRecord::Fade, &TForm2::CheckBox9},
};
} // namespace

TEST_F(EditorMapping, EveryFieldReachesItsOwnControlAndComesBack) {
    ASSERT_GE(QFontDatabase::families().size(), 2);
    for (const bool first : {true, false}) {
        const TNotificationRecord rec = distinct(first, !first);
        const int index = addstored(rec);
        editor->editnotification(RecordIndex(index), g.ws.rowcount() - 1);
        EXPECT_EQ(editor->Edit1->text(), "message");
        EXPECT_EQ(editor->ComboBox4->currentText(), codes::DesktopOverlay);
        EXPECT_EQ(editor->ComboBox2->currentText(), QFontDatabase::families().value(1));
        EXPECT_EQ(editor->ComboBox1->currentText(), "17");
        EXPECT_EQ(editor->ColorBox1->currentText(), "clNavy");
        EXPECT_EQ(editor->Edit2->text(), "/pictures/image.jpg");
        EXPECT_EQ(editor->ComboBox3->currentText(), codes::OverlayFullScreen);
        EXPECT_EQ(editor->ComboBox6->currentText(), codes::Tile);
        EXPECT_EQ(editor->Edit3->text(), "/sounds/audio.wav");
        EXPECT_EQ(editor->ComboBox5->currentText(), codes::CertainTime);
        EXPECT_EQ(editor->Edit4->text(), "13");
        EXPECT_EQ(editor->Edit5->text(), "27");
        EXPECT_EQ(editor->Edit6->text(), "41");
        EXPECT_EQ(editor->Edit9->text(), "9");
        for (const Flag& f : kFlags)
            EXPECT_EQ((editor.get()->*f.box)->isChecked(), rec.*f.field == 1)
                << (editor.get()->*f.box)->objectName().toStdString() << " first " << first;

        editor->BitBtn1Click();
        TNotificationRecord expected = rec;
        expected.Active = 1; // a certain time is always armed
        EXPECT_EQ(stored(index), expected) << "first " << first;
    }
}

TEST_F(EditorMapping, AStoredFlagOtherThanOneShowsOffAndIsStoredAsZero) {
    const uint8_t others[] = {2, 255, 128, 7};
    int n = 0;
    for (const Flag& f : kFlags) {
        TNotificationRecord rec = distinct(1, 1);
        rec.*f.field = others[n++ % 4];
        const int index = addstored(rec);
        editor->editnotification(RecordIndex(index), g.ws.rowcount() - 1);
        const QString name = (editor.get()->*f.box)->objectName();
        for (const Flag& other : kFlags)
            EXPECT_EQ((editor.get()->*other.box)->isChecked(), other.field != f.field)
                << name.toStdString();
        editor->BitBtn1Click();
        const TNotificationRecord back = stored(index);
        for (const Flag& other : kFlags)
            EXPECT_EQ(back.*other.field, other.field == f.field ? 0 : 1) << name.toStdString();
    }
}
